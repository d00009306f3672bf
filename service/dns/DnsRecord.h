#pragma once

#include <string>

namespace dns {

// One running program, told apart from a later one that gets the same process id.
struct ProcessIdentity
{
    long pid = 0;
    // Field 22 of /proc/<pid>/stat: clock ticks from boot to the start of the process.
    unsigned long long startTime = 0;

    bool operator==(const ProcessIdentity& other) const { return pid == other.pid && startTime == other.startTime; }
    bool operator!=(const ProcessIdentity& other) const { return !(*this == other); }
};

// What the up hook changed, so that the hook's down run or the service can undo it: the
// file "record" in the service's DNS state directory. Plain text, one field a line:
//
//   quarnel-dns 1
//   owner <OpenVPN's pid> <its start time>
//   method resolved           then: device <tunnel device>
//   method resolv.conf        then: original file <octal mode> <uid> <gid>
//                                   | original link | original absent
//
// The bytes of the original resolver file (or the target of the link it was) are in the
// file "original" beside it, the bytes written in its place in "written".
struct DnsRecord
{
    enum class Method
    {
        Resolved,
        ResolvConf,
    };
    enum class Original
    {
        File,
        Link,
        Absent,
    };

    ProcessIdentity owner;
    Method method = Method::ResolvConf;
    std::string device;
    Original original = Original::File;
    unsigned mode = 0644;
    unsigned long uid = 0;
    unsigned long gid = 0;

    std::string format() const;
    // False for anything but a record format writes: unknown or missing fields, a device
    // name that could not be one, a mode with more than permission bits.
    static bool parse(const std::string& text, DnsRecord& record);
};

} // namespace dns
