#pragma once

#include "FakeZoneAccess.h"
#include "RecordingEngine.h"
#include "RecordingRunner.h"
#include "TemporaryDirectory.h"

#include "Dispatcher.h"
#include "SavedState.h"

#include "firewall/Firewall.h"
#include "timezone/TimezoneChanger.h"

#include <filesystem>
#include <string>

// The service's process-wide objects over test doubles: the recording firewall engine,
// a fake zone, a recording runner and settings.dat in a temporary directory.
struct ServiceRig
{
    struct Setup
    {
        bool firewallSupported = true;
        bool zoneReadable = true;
    };

    ServiceRig();
    explicit ServiceRig(Setup setup);

    ServiceRig(const ServiceRig&) = delete;
    ServiceRig& operator=(const ServiceRig&) = delete;

    // A pipe name or socket path of its own, so that tests never meet the real service.
    std::string endpoint() const;
    std::filesystem::path settingsFile() const { return savedState.filePath(); }

    FakeSystemZone zone;
    TemporaryDirectory temporary;
    std::filesystem::path directory;
    firewall::RecordingEngine* engine = nullptr; // owned by firewall
    firewall::Firewall firewall;
    timezones::TimezoneChanger timezone;
    RecordingRunner runner;
    service::SavedState savedState;
    service::Dispatcher dispatcher;
};

// The file's bytes; empty when it is missing.
std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);
