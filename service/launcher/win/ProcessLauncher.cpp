#include "launcher/ProcessLauncher.h"

#include <windows.h>

#include <system_error>
#include <thread>
#include <vector>

namespace launcher {

namespace {

class CreatedProcess : public RunningProcess
{
public:
    explicit CreatedProcess(HANDLE process) : process(process) {}
    ~CreatedProcess() override { release(); }

    CreatedProcess(const CreatedProcess&) = delete;
    CreatedProcess& operator=(const CreatedProcess&) = delete;

    bool hasEnded() override
    {
        if (process != nullptr && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            release();
        }
        return process == nullptr;
    }

    bool end(std::chrono::milliseconds grace) override
    {
        if (hasEnded()) {
            return true;
        }
        TerminateProcess(process, 1);
        if (WaitForSingleObject(process, static_cast<DWORD>(grace.count())) == WAIT_OBJECT_0) {
            release();
        }
        return process == nullptr;
    }

private:
    void release()
    {
        if (process != nullptr) {
            CloseHandle(process);
            process = nullptr;
        }
    }

    HANDLE process;
};

int waitForExit(HANDLE process)
{
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return static_cast<int>(code);
}

// Tells the watcher of the end of a program not waited for, on a thread of its own that
// holds a handle of its own, so that it may outlive the result and the launcher.
void watchExit(HANDLE process, const std::shared_ptr<ProcessWatcher>& watcher)
{
    HANDLE own = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &own,
                         SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, 0)) {
        return;
    }
    try {
        std::thread([own, watcher] {
            watcher->ended(waitForExit(own));
            CloseHandle(own);
        }).detach();
    } catch (const std::system_error&) {
        CloseHandle(own);
    }
}

} // namespace

ProcessResult startProcess(const std::u16string& commandLine, bool wait, const std::shared_ptr<ProcessWatcher>& watcher)
{
    ProcessResult result;
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');

    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info;
    ZeroMemory(&info, sizeof(info));
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return result;
    }
    CloseHandle(info.hThread);
    result.started = true;
    result.processId = static_cast<long>(info.dwProcessId);
    if (watcher) {
        watcher->started(result.processId);
    }
    if (wait) {
        result.exitCode = waitForExit(info.hProcess);
        CloseHandle(info.hProcess);
        if (watcher) {
            watcher->ended(result.exitCode);
        }
    } else {
        if (watcher) {
            watchExit(info.hProcess, watcher);
        }
        result.process = std::make_shared<CreatedProcess>(info.hProcess);
    }
    return result;
}

} // namespace launcher
