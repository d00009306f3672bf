// Plays the installed OpenVPN in the launcher's tests: records what it was started with
// and exits with the code it is told.
//
//   QUARNEL_STANDIN_RECORD  file to write: one "arg:" line per argument (the program
//                           first) and, on Linux, "fds:", "stdin:", "sigblk:" and "pid:"
//                           lines; the file named after --config is copied to
//                           "<record>.config", the one after --management ADDRESS
//                           PORT to "<record>.password"
//   QUARNEL_STANDIN_SAY     text to write to standard error first
//   QUARNEL_STANDIN_EXIT    exit code (default 0)
//   QUARNEL_STANDIN_SIGNAL  Linux: end by this signal instead
//   QUARNEL_STANDIN_STAY    seconds to go on running first (a tunnel that stays up)
//   QUARNEL_STANDIN_DEAF    Linux: ignore SIGTERM while staying

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#ifdef __linux__
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <vector>
#endif

namespace {

#ifdef __linux__
// Taken before anything else opens a file, so that only inherited descriptors show.
std::string openDescriptors()
{
    std::vector<int> numbers;
    DIR* listing = opendir("/proc/self/fd");
    if (listing == nullptr) {
        return "?";
    }
    const int own = dirfd(listing);
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && std::atoi(name.c_str()) != own) {
            numbers.push_back(std::atoi(name.c_str()));
        }
    }
    closedir(listing);
    std::sort(numbers.begin(), numbers.end());
    std::string text;
    for (const int number : numbers) {
        text += (text.empty() ? "" : ",") + std::to_string(number);
    }
    return text;
}

std::string statusField(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            std::string value = line.substr(field.size() + 1);
            value.erase(0, value.find_first_not_of(" \t"));
            return value;
        }
    }
    return "?";
}
#endif

} // namespace

int main(int argc, char** argv)
{
    if (const char* say = std::getenv("QUARNEL_STANDIN_SAY")) {
        std::fputs(say, stderr);
        std::fflush(stderr);
    }
    std::ostringstream report;
#ifdef __linux__
    report << "fds:" << openDescriptors() << "\n";
    struct stat input;
    const bool nullInput = fstat(0, &input) == 0 && S_ISCHR(input.st_mode) && input.st_rdev == makedev(1, 3);
    report << "stdin:" << (nullInput ? "null" : "other") << "\n";
    report << "sigblk:" << statusField("SigBlk") << "\n";
    report << "pid:" << getpid() << "\n";
#endif
    for (int i = 0; i < argc; ++i) {
        report << "arg:" << argv[i] << "\n";
    }

    const char* record = std::getenv("QUARNEL_STANDIN_RECORD");
    if (record != nullptr && *record != '\0') {
        const auto copy = [&](const char* from, const char* suffix) {
            std::ifstream in(from, std::ios::binary);
            std::ofstream out(std::string(record) + suffix, std::ios::binary);
            out << in.rdbuf();
        };
        for (int i = 1; i + 1 < argc; ++i) {
            if (std::string(argv[i]) == "--config") {
                copy(argv[i + 1], ".config");
            }
            if (std::string(argv[i]) == "--management" && i + 3 < argc) {
                copy(argv[i + 3], ".password");
            }
        }
        // Written last and whole, so that a test that sees the file sees all of it.
        const std::string temporary = std::string(record) + ".part";
        {
            std::ofstream out(temporary, std::ios::binary);
            out << report.str();
        }
        std::rename(temporary.c_str(), record);
    }

    if (const char* stay = std::getenv("QUARNEL_STANDIN_STAY"); stay != nullptr && std::atoi(stay) > 0) {
#ifdef _WIN32
        Sleep(static_cast<DWORD>(std::atoi(stay)) * 1000);
#else
        if (std::getenv("QUARNEL_STANDIN_DEAF") != nullptr) {
            ::signal(SIGTERM, SIG_IGN);
        }
        unsigned int left = static_cast<unsigned int>(std::atoi(stay));
        while (left > 0) {
            left = sleep(left);
        }
#endif
    }
#ifdef __linux__
    if (const char* signal = std::getenv("QUARNEL_STANDIN_SIGNAL")) {
        ::signal(std::atoi(signal), SIG_DFL);
        raise(std::atoi(signal));
    }
#endif
    const char* code = std::getenv("QUARNEL_STANDIN_EXIT");
    return code != nullptr ? std::atoi(code) : 0;
}
