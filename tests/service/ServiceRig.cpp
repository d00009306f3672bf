#include "ServiceRig.h"

#include "timezone/IanaZoneMapping.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define currentProcessId _getpid
#else
#include <unistd.h>
#define currentProcessId getpid
#endif

namespace {

std::atomic<int> rigCount{0};

std::filesystem::path makeDirectory()
{
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("quarnel-service-" + std::to_string(currentProcessId()) + "-" +
                                                  std::to_string(rigCount++) + "-" + std::to_string(stamp % 1000000));
    std::filesystem::create_directories(path);
    return path;
}

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
    : directory(makeDirectory()), firewall(makeEngine(setup.firewallSupported, engine)),
      timezone(makeZoneAccess(zone, setup.zoneReadable), std::make_unique<timezones::IanaZoneMapping>()),
      savedState(directory / "state"), dispatcher(firewall, timezone, runner, savedState)
{
}

ServiceRig::~ServiceRig()
{
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
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
