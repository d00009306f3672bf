#pragma once

#include "timezone/ZoneAccess.h"

#include <string>

namespace timezones {

// The system zone of a Linux machine, known by IANA name. A name from the pipe must
// never become an arbitrary link target, so every name is checked against the zoneinfo
// root before it is used. Every path is injectable, so tests work in a temporary root.
class LinuxZoneAccess : public ZoneAccess
{
public:
    struct Paths
    {
        std::string zoneinfoDir;
        std::string etcDir;
        // Present when systemd is the init system; the zone is then set through it.
        std::string systemdDir;
        std::string timedatectl;
    };
    static Paths systemPaths();

    LinuxZoneAccess();
    explicit LinuxZoneAccess(Paths paths);

    // From the /etc/localtime link, else from /etc/timezone; keyName holds the name.
    bool readCurrent(Zone& zone) override;
    // key is an IANA name; it is accepted only when checkName accepts it.
    bool readZone(const std::string& key, Zone& zone) override;
    bool apply(const Zone& zone) override;
    // Root needs no privilege switched on, and timedated or glibc's own check of
    // /etc/localtime tells the running programs.
    void setPrivilege(bool) override {}
    void broadcastChange() override {}

    // 0 when name is a relative name of letters, digits, "_", "+", "-" and "/" that
    // names a TZif file inside the zoneinfo root; otherwise an errno value.
    int checkName(const std::string& name) const;

private:
    bool nameFromLink(std::string& name) const;
    bool nameFromFile(std::string& name) const;
    bool systemdRuns() const;
    int setWithTimedatectl(const std::string& name) const;
    int setWithLink(const std::string& name) const;

    Paths paths;
};

} // namespace timezones
