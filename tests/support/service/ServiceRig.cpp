#include "ServiceRig.h"

#include "timezone/IanaZoneMapping.h"

#include <fstream>
#include <memory>
#include <sstream>

namespace {

std::unique_ptr<firewall::RecordingEngine> makeEngine(bool supported, firewall::RecordingEngine*& engine)
{
    auto made = std::make_unique<firewall::RecordingEngine>(supported);
    engine = made.get();
    return made;
}

std::unique_ptr<FakeZoneAccess> makeZoneAccess(FakeSystemZone& zone, bool readable)
{
    zone.readable = readable;
    return std::make_unique<FakeZoneAccess>(zone);
}

} // namespace

ServiceRig::ServiceRig() : ServiceRig(Setup()) {}

ServiceRig::ServiceRig(Setup setup)
    : temporary("quarnel-service"), directory(temporary.path()), firewall(makeEngine(setup.firewallSupported, engine)),
      timezone(makeZoneAccess(zone, setup.zoneReadable), std::make_unique<timezones::IanaZoneMapping>()),
      savedState(directory / "state"), dispatcher(firewall, timezone, runner, savedState)
{
}

std::string ServiceRig::endpoint() const
{
#ifdef _WIN32
    return "\\\\.\\pipe\\QuarnelTest-" + directory.filename().string();
#else
    return (directory / "socket").string();
#endif
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}
