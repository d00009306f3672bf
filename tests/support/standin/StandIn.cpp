// A stand-in for the external programs the client starts (sing-box, stunnel), scripted
// by the test that installs it. It runs the script QUARNEL_STANDIN_DIR/<its own name>.txt,
// one command a line:
//
//   touch PATH        create PATH (empty)
//   args PATH         write the arguments it was given to PATH, one a line
//   say TEXT          write TEXT and a line end to the error output in one write;
//                     "\n" in TEXT ends a line inside it
//   wait PATH         go on once PATH exists
//   hold              run until stopped
//   exit N            end with status N
//   if PATH COMMAND   COMMAND only when PATH exists
//
// "{N}" in a line is argument N, "{N:dir}" its folder. The end of the script ends the
// program with status 0. Stopped, it ends as a console program does: on Linux at
// SIGTERM, on Windows when its thread gets WM_CLOSE (what QProcess::terminate sends).
//
// A script is plain text rather than a shell script because Windows starts the program
// by its fixed name beside the client, and Wine could not run a script there.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;

// Waits up to ms; true when the program was asked to stop meanwhile.
bool stopRequested(int ms)
{
#ifdef _WIN32
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_CLOSE || message.message == WM_QUIT)
                return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(left), QS_ALLINPUT);
    }
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return false;
#endif
}

std::string expand(std::string line, const std::vector<std::string>& args)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string index = std::to_string(i);
        for (const auto& [key, value] : {std::pair{"{" + index + "}", args[i]},
                                         std::pair{"{" + index + ":dir}", fs::path(args[i]).parent_path().string()}}) {
            for (std::size_t at = line.find(key); at != std::string::npos; at = line.find(key, at + value.size()))
                line.replace(at, key.size(), value);
        }
    }
    return line;
}

// Runs one command; returns the exit status when the program ends here, else -1.
int run(const std::string& line, const std::vector<std::string>& args)
{
    const std::size_t blank = line.find(' ');
    const std::string command = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (command == "touch") {
        std::ofstream(fs::u8path(rest));
    } else if (command == "args") {
        std::ofstream out(fs::u8path(rest), std::ios::binary);
        for (std::size_t i = 1; i < args.size(); ++i)
            out << args[i] << '\n';
    } else if (command == "say") {
        std::string text;
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (rest.compare(i, 2, "\\n") == 0) {
                text += '\n';
                ++i;
            } else {
                text += rest[i];
            }
        }
        text += '\n';
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    } else if (command == "wait") {
        while (!fs::exists(fs::u8path(rest))) {
            if (stopRequested(50))
                return 0;
        }
    } else if (command == "hold") {
        while (!stopRequested(1000)) {
        }
        return 0;
    } else if (command == "exit") {
        return std::atoi(rest.c_str());
    } else if (command == "if") {
        const std::size_t end = rest.find(' ');
        if (end != std::string::npos && fs::exists(fs::u8path(rest.substr(0, end))))
            return run(rest.substr(end + 1), args);
    } else if (!command.empty() && command[0] != '#') {
        std::fprintf(stderr, "stand-in: unknown command \"%s\"\n", command.c_str());
        return 126;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
#ifdef _WIN32
    // The message queue exists from here on, so a WM_CLOSE sent early is not lost.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
#endif
    const std::vector<std::string> args(argv, argv + argc);
    const char* dir = std::getenv("QUARNEL_STANDIN_DIR");
    const fs::path script = fs::u8path(dir ? dir : "") / (fs::path(args[0]).stem().string() + ".txt");
    std::ifstream in(script);
    if (!dir || !in) {
        std::fprintf(stderr, "stand-in: no script %s\n", script.string().c_str());
        return 127;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const int status = run(expand(line, args), args);
        if (status >= 0)
            return status;
    }
    return 0;
}
