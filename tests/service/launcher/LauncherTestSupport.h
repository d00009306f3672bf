#pragma once

// Helpers of the launcher's tests: the stand-in OpenVPN, files, waiting.

#include "launcher/LaunchFiles.h"
#include "platform/ExecutablePath.h"

#include "TemporaryDirectory.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <ostream>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace launchertest {

inline std::filesystem::path testProgramDirectory()
{
    return serviceplatform::executableDirectory();
}

// The stand-in OpenVPN, built beside the test programs.
inline std::filesystem::path standInPath()
{
#ifdef _WIN32
    return testProgramDirectory() / "launcher_standin.exe";
#else
    return testProgramDirectory() / "launcher_standin";
#endif
}

inline void setEnvironment(const char* name, const std::string& value)
{
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

inline std::u16string text(const std::filesystem::path& path)
{
    std::u16string converted;
    launcher::pathToUtf16(path, converted);
    return converted;
}

inline std::u16string text(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

inline std::vector<std::string> lines(const std::string& content)
{
    std::vector<std::string> result;
    std::istringstream in(content);
    std::string line;
    while (std::getline(in, line)) {
        result.push_back(line);
    }
    return result;
}

// The arguments the stand-in program recorded, one "arg:" line each, program first.
inline std::vector<std::string> recordedArgumentsOf(const std::filesystem::path& record)
{
    std::vector<std::string> arguments;
    for (const auto& line : lines(readFile(record))) {
        if (line.rfind("arg:", 0) == 0) {
            arguments.push_back(line.substr(4));
        }
    }
    return arguments;
}

// Polls until the condition holds or the deadline passes; true when it held.
inline bool waitUntil(const std::function<bool()>& condition, std::chrono::seconds limit = std::chrono::seconds(20))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A log stream that threads may write while the test reads it.
class SharedLog : public std::ostream
{
public:
    SharedLog() : std::ostream(&buffer) {}

    std::string text()
    {
        const std::lock_guard<std::mutex> hold(buffer.lock);
        return buffer.content;
    }
    void clear()
    {
        const std::lock_guard<std::mutex> hold(buffer.lock);
        buffer.content.clear();
    }

private:
    struct Buffer : std::streambuf
    {
        int_type overflow(int_type c) override
        {
            if (c != traits_type::eof()) {
                const std::lock_guard<std::mutex> hold(lock);
                content.push_back(static_cast<char>(c));
            }
            return c;
        }
        std::streamsize xsputn(const char* text, std::streamsize count) override
        {
            const std::lock_guard<std::mutex> hold(lock);
            content.append(text, static_cast<std::size_t>(count));
            return count;
        }
        std::mutex lock;
        std::string content;
    };
    Buffer buffer;
};

// A management password as the client writes it.
inline const std::string managementPassword = "3f9c0d2e8a7b41c6a5d4e3f2b1c0a9d8";

// The command line exactly as the client builds it.
inline std::u16string clientLine(const std::u16string& program, const std::filesystem::path& config,
                                 const std::filesystem::path& passwordFile, const std::u16string& port = u"50123")
{
    return program + u" --config \"" + text(config) + u"\" --management 127.0.0.1 " + port + u" \"" +
           text(passwordFile) + u"\" --management-query-passwords";
}

// Files named as configuration or password copies in a directory.
inline std::vector<std::filesystem::path> copiesIn(const std::filesystem::path& directory)
{
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("config-", 0) == 0) {
            found.push_back(it->path());
        }
    }
    return found;
}

} // namespace launchertest
