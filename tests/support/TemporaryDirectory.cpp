#include "TemporaryDirectory.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A program started without waiting (the launcher's stand-in) may still write into the
// directory, and Windows refuses to delete a file another process holds open: removal is
// tried again until that has settled.
constexpr std::chrono::seconds removalPatience(20);

std::string randomSuffix(std::mt19937_64& generator)
{
    char text[17];
    std::snprintf(text, sizeof text, "%012llx", static_cast<unsigned long long>(generator() & 0xffffffffffffULL));
    return text;
}

} // namespace

TemporaryDirectory::TemporaryDirectory(const std::string& prefix)
{
    // The clock keeps two processes apart even where random_device were deterministic.
    std::random_device device;
    std::mt19937_64 generator((static_cast<std::uint64_t>(device()) << 32) ^ device() ^
                              static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / (prefix + "-" + randomSuffix(generator));
        // create_directory fails for a name that exists, so the directory is never shared.
        if (fs::create_directory(candidate)) {
            fs::permissions(candidate, fs::perms::owner_all, fs::perm_options::replace);
            root = candidate;
            return;
        }
    }
    throw fs::filesystem_error("no unused temporary directory name", base,
                               std::make_error_code(std::errc::file_exists));
}

TemporaryDirectory::~TemporaryDirectory()
{
    const auto deadline = std::chrono::steady_clock::now() + removalPatience;
    for (;;) {
        std::error_code error;
        fs::remove_all(root, error);
        if (!fs::exists(root, error) || std::chrono::steady_clock::now() > deadline) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
