#include "platform/SignatureCheck.h"

#include <windows.h>

#include <shellapi.h>
#include <softpub.h>
#include <wintrust.h>

namespace platform {

namespace {

// ERROR_ELEVATION_REQUIRED, which MinGW-w64's headers lack.
constexpr DWORD elevationRequired = 740;

// WinVerifyTrust with the Authenticode policy, reading the file through `file` so that
// the open handle is what gets checked.
bool signatureHolds(HANDLE file, const std::wstring& path)
{
    WINTRUST_FILE_INFO fileInfo{};
    fileInfo.cbStruct = sizeof(fileInfo);
    fileInfo.pcwszFilePath = path.c_str();
    fileInfo.hFile = file;

    WINTRUST_DATA data{};
    data.cbStruct = sizeof(data);
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &fileInfo;
    data.dwStateAction = WTD_STATEACTION_VERIFY;

    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const HWND noWindow = static_cast<HWND>(INVALID_HANDLE_VALUE);
    const LONG status = WinVerifyTrust(noWindow, &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(noWindow, &action, &data);
    return status == ERROR_SUCCESS;
}

bool startElevated(const std::wstring& program, const std::wstring& arguments)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"runas";
    info.lpFile = program.c_str();
    info.lpParameters = arguments.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) {
        return false;
    }
    if (info.hProcess != nullptr) {
        CloseHandle(info.hProcess);
    }
    return true;
}

bool start(const std::wstring& program, const std::wstring& arguments)
{
    // A Windows file name cannot hold a quote, so quoting the path is enough.
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
    // An installer that needs administrator rights says so in its manifest.
    return GetLastError() == elevationRequired && startElevated(program, arguments);
}

} // namespace

SignedStart startSignedProgram(const std::wstring& program, const std::wstring& arguments)
{
    const HANDLE file = CreateFileW(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return SignedStart::NotStarted;
    }
    SignedStart result = SignedStart::NotSigned;
    if (signatureHolds(file, program)) {
        result = start(program, arguments) ? SignedStart::Started : SignedStart::NotStarted;
    }
    CloseHandle(file);
    return result;
}

} // namespace platform
