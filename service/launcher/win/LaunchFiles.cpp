#include "launcher/LaunchFiles.h"

#include "platform/ExecutablePath.h"

#include <windows.h>

#include <vector>

namespace launcher {

namespace {

class FileHandle
{
public:
    explicit FileHandle(HANDLE handle) : handle(handle) {}
    ~FileHandle()
    {
        if (valid()) {
            CloseHandle(handle);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle; }

private:
    HANDLE handle;
};

ConfigFile refuse(std::string reason)
{
    ConfigFile file;
    file.refusal = std::move(reason);
    return file;
}

std::wstring wide(const std::u16string& text)
{
    return std::wstring(text.begin(), text.end());
}

// "C:\…": no UNC share (whose server would see the service's machine account sign
// in), no \\?\ or \\.\ device namespace, nothing relative to the service's directory.
bool isDrivePath(const std::wstring& path)
{
    return path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
           path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
}

std::wstring fullPath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetFullPathNameW(path.c_str(), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed) {
        return std::wstring();
    }
    return std::wstring(buffer.data(), length);
}

bool sameTextIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return !a.empty() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool identity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info)
{
    const FileHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.valid() && GetFileInformationByHandle(file.get(), &info);
}

} // namespace

ConfigFile readConfigFile(const std::u16string& path, std::size_t limit, servicepipe::ClientRights& client)
{
    const std::wstring native = wide(path);
    if (!isDrivePath(native)) {
        return refuse("the configuration path is not an absolute drive path");
    }
    // Opened as the client, reading needs no rights of its own once the handle is there.
    servicepipe::ClientRightsScope asClient(client);
    if (!asClient.held()) {
        return refuse("the configuration file is not readable");
    }
    const FileHandle file(CreateFileW(native.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    asClient.release();
    if (!file.valid()) {
        return refuse("the configuration file is not readable");
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return refuse("the configuration file is not a regular file");
    }
    const unsigned long long size = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > limit) {
        return refuse("the configuration file is larger than " + std::to_string(limit) + " bytes");
    }

    std::string content;
    std::vector<char> buffer(65536);
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &count, nullptr)) {
            return refuse("the configuration file cannot be read");
        }
        if (count == 0) {
            break;
        }
        content.append(buffer.data(), count);
        if (content.size() > limit) {
            return refuse("the configuration file is larger than " + std::to_string(limit) + " bytes");
        }
    }
    ConfigFile result;
    result.ok = true;
    result.content = std::move(content);
    return result;
}

bool isInstalledProgram(const std::u16string& requested, const std::filesystem::path& installed)
{
    const std::wstring asked = wide(requested);
    if (asked.empty()) {
        return false;
    }
    if (asked.find_first_of(L"\\/:") == std::wstring::npos) {
        return sameTextIgnoringCase(asked, installed.filename().native());
    }
    if (!isDrivePath(asked)) {
        return false;
    }
    const std::wstring askedFull = fullPath(asked);
    const std::wstring ourFull = fullPath(installed.native());
    if (sameTextIgnoringCase(askedFull, ourFull)) {
        return true;
    }
    // Short (8.3) names, other spellings, links.
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    return identity(askedFull, a) && identity(ourFull, b) && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

std::filesystem::path defaultOpenVpnPath()
{
    const std::filesystem::path service = serviceplatform::executablePath();
    if (service.empty()) {
        return std::filesystem::path();
    }
    return service.parent_path() / L"openvpn" / L"openvpn.exe";
}

bool pathToUtf16(const std::filesystem::path& path, std::u16string& text)
{
    const std::wstring& native = path.native();
    text.assign(native.begin(), native.end());
    return true;
}

bool pathFromUtf16(const std::u16string& text, std::filesystem::path& path)
{
    path = std::wstring(text.begin(), text.end());
    return true;
}

} // namespace launcher
