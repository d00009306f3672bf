#include "platform/win/AutostartTask.h"

#include <algorithm>

namespace win32 {

namespace autostart {

const wchar_t* const taskName = L"QuarnelAutostart";
const wchar_t* const runKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t* const runValue = L"Quarnel";

namespace {

// The GUI thread waits for schtasks; a tool that never ends must not freeze it for ever.
constexpr DWORD waitLimitMs = 30000;

void appendQuoted(std::wstring& line, const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += argument;
        return;
    }
    // Backslashes are literal unless they precede a quote: only those runs are doubled.
    line += L'"';
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

// Where Windows keeps the tool, so that a program of the same name in the current or
// the client's directory is never run in its place. Empty when it is not there.
std::wstring systemProgramPath(const std::wstring& program)
{
    wchar_t dir[MAX_PATH];
    const UINT length = GetSystemDirectoryW(dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::wstring();
    }
    std::wstring path(dir, length);
    if (program == L"schtasks") {
        path += L"\\schtasks.exe";
    } else if (program == L"powershell.exe") {
        path += L"\\WindowsPowerShell\\v1.0\\powershell.exe";
    } else {
        return std::wstring();
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::wstring();
    }
    return path;
}

} // namespace

std::vector<AutostartCommand> commands(bool enabled, const std::wstring& programPath)
{
    if (!enabled) {
        return {{L"schtasks", {L"/delete", L"/f", L"/tn", taskName}, true}};
    }
    std::wstring nativePath = programPath;
    std::replace(nativePath.begin(), nativePath.end(), L'/', L'\\');
    return {
        {L"schtasks",
         {L"/create", L"/f", L"/tn", taskName, L"/tr", L"\"" + nativePath + L"\"", L"/sc", L"onlogon", L"/rl",
          L"highest"},
         true},
        // Without these settings the task would not start, or be stopped, on battery power.
        {L"powershell.exe",
         {L"$TaskSettings = New-ScheduledTaskSettingsSet -AllowStartIfOnBatteries -DontStopIfGoingOnBatteries;"
          L"Set-ScheduledTask -TaskName QuarnelAutostart -Settings $TaskSettings"},
         false},
    };
}

std::wstring commandLine(const std::wstring& program, const std::vector<std::wstring>& arguments)
{
    // The program name follows simpler rules: quotes group, backslashes are literal.
    std::wstring line = program.find_first_of(L" \t") == std::wstring::npos ? program : L"\"" + program + L"\"";
    for (const std::wstring& argument : arguments) {
        line += L' ';
        appendQuoted(line, argument);
    }
    return line;
}

bool run(const AutostartCommand& command)
{
    const std::wstring path = systemProgramPath(command.program);
    std::wstring line = commandLine(path.empty() ? command.program : path, command.arguments);
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(path.empty() ? nullptr : path.c_str(), buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    if (command.wait) {
        WaitForSingleObject(process.hProcess, waitLimitMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool removeRegistryValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName)
{
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExW(root, subKey.c_str(), 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    if (opened != ERROR_SUCCESS) {
        return false;
    }
    const LONG deleted = RegDeleteValueW(key, valueName.c_str());
    RegCloseKey(key);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

} // namespace autostart

} // namespace win32
