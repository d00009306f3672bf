#include "launcher/ProcessLauncher.h"

#include <windows.h>

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

} // namespace

ProcessResult startProcess(const std::u16string& commandLine, bool wait)
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
    if (wait) {
        WaitForSingleObject(info.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(info.hProcess, &code);
        CloseHandle(info.hProcess);
        result.exitCode = static_cast<int>(code);
    } else {
        result.process = std::make_shared<CreatedProcess>(info.hProcess);
    }
    return result;
}

} // namespace launcher
