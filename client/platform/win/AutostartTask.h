#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win32 {

// One program run for the log-on task: the system tool, its arguments as the tool
// sees them, and whether the caller waits for it to end.
struct AutostartCommand
{
    std::wstring program;
    std::vector<std::wstring> arguments;
    bool wait = true;
};

namespace autostart {

extern const wchar_t* const taskName;
// The older kind of autostart entry, under HKEY_CURRENT_USER.
extern const wchar_t* const runKey;
extern const wchar_t* const runValue;

// The programs that create (enabled) or delete the log-on task for `programPath`, in
// the order they run. The path is given to the task with native separators, in quotes.
std::vector<AutostartCommand> commands(bool enabled, const std::wstring& programPath);

// The command line that makes the C runtime (and CommandLineToArgvW) hand exactly
// `arguments` to `program`.
std::wstring commandLine(const std::wstring& program, const std::vector<std::wstring>& arguments);

// Runs the command without a window, waiting for it when it asks so. The program is
// taken from the system directory (never found through the current directory) when it
// is there. False when it could not be started; its exit code is not looked at.
bool run(const AutostartCommand& command);

// Deletes `valueName` under `root`\`subKey`. An absent key or value counts as success.
bool removeRegistryValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName);

} // namespace autostart

} // namespace win32
