#include "launcher/PrivateStore.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <string>
#include <vector>

namespace launcher {

namespace {

// SYSTEM and Administrators only, not inherited from the parent. The directory passes
// the same rights on to the files created in it.
const wchar_t directoryAccess[] = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
const wchar_t fileAccess[] = L"D:P(A;;FA;;;SY)(A;;FA;;;BA)";

const std::wstring copyPrefix = L"config-";
const std::wstring configSuffix = L".ovpn";
const std::wstring passwordSuffix = L".pass";

class SecurityDescriptor
{
public:
    explicit SecurityDescriptor(const wchar_t* sddl)
    {
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr)) {
            descriptor = nullptr;
        }
    }
    ~SecurityDescriptor()
    {
        if (descriptor != nullptr) {
            LocalFree(descriptor);
        }
    }
    SecurityDescriptor(const SecurityDescriptor&) = delete;
    SecurityDescriptor& operator=(const SecurityDescriptor&) = delete;

    bool valid() const { return descriptor != nullptr; }

    SECURITY_ATTRIBUTES attributes() const
    {
        SECURITY_ATTRIBUTES result;
        result.nLength = sizeof(result);
        result.lpSecurityDescriptor = descriptor;
        result.bInheritHandle = FALSE;
        return result;
    }

    PACL dacl() const
    {
        BOOL present = FALSE;
        BOOL defaulted = FALSE;
        PACL list = nullptr;
        if (!GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted) || !present) {
            return nullptr;
        }
        return list;
    }

private:
    PSECURITY_DESCRIPTOR descriptor = nullptr;
};

bool writeAll(HANDLE file, const std::string& content)
{
    std::size_t written = 0;
    while (written < content.size()) {
        const std::size_t chunk = std::min<std::size_t>(content.size() - written, 1u << 20);
        DWORD count = 0;
        if (!WriteFile(file, content.data() + written, static_cast<DWORD>(chunk), &count, nullptr) || count == 0) {
            return false;
        }
        written += count;
    }
    return true;
}

} // namespace

struct PrivateStore::State
{
    HANDLE directoryHandle = INVALID_HANDLE_VALUE;
};

PrivateStore::PrivateStore(std::filesystem::path directory)
    : directory(std::move(directory)), state(std::make_unique<State>())
{
}

PrivateStore::~PrivateStore()
{
    if (state->directoryHandle != INVALID_HANDLE_VALUE) {
        CloseHandle(state->directoryHandle);
    }
}

bool PrivateStore::prepare(std::string& error)
{
    if (state->directoryHandle != INVALID_HANDLE_VALUE) {
        return true;
    }
    if (!directory.is_absolute()) {
        error = "the private directory is not an absolute path";
        return false;
    }
    const SecurityDescriptor access(directoryAccess);
    if (!access.valid()) {
        error = "the private directory's access list cannot be built";
        return false;
    }
    SECURITY_ATTRIBUTES attributes = access.attributes();
    const bool created = CreateDirectoryW(directory.c_str(), &attributes) != 0;
    if (!created && GetLastError() != ERROR_ALREADY_EXISTS) {
        error = "the private directory cannot be created";
        return false;
    }

    // Held without delete sharing for the service's lifetime: the directory can then be
    // neither renamed nor swapped for a junction under the service's feet.
    const HANDLE handle =
        CreateFileW(directory.c_str(), READ_CONTROL | WRITE_DAC | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = "the private directory cannot be opened";
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        CloseHandle(handle);
        error = "the private directory is a link or not a directory";
        return false;
    }
    // Set again through the handle even on a new directory: one that was already there
    // (made by someone else, or loosened since) must not keep its list, and when the
    // service may not set it, it is not the service's.
    if (SetSecurityInfo(handle, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                        nullptr, nullptr, access.dacl(), nullptr) != ERROR_SUCCESS) {
        CloseHandle(handle);
        error = "the private directory cannot be made private";
        return false;
    }
    state->directoryHandle = handle;
    removeAll();
    return true;
}

bool PrivateStore::write(const std::string& content, Kind kind, Copy& copy, std::string& error)
{
    if (!prepare(error)) {
        return false;
    }
    const SecurityDescriptor access(fileAccess);
    if (!access.valid()) {
        error = "the configuration copy's access list cannot be built";
        return false;
    }
    SECURITY_ATTRIBUTES attributes = access.attributes();
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    const std::wstring& suffix = kind == Kind::Configuration ? configSuffix : passwordSuffix;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::wstring name = copyPrefix + pid + L"-" + std::to_wstring(++counter) + suffix;
        const std::filesystem::path path = directory / name;
        // CREATE_NEW fails on anything already there under that name, a link included.
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, &attributes, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS) {
                continue;
            }
            error = "the configuration copy cannot be created";
            return false;
        }
        const bool written = writeAll(file, content);
        const bool closed = CloseHandle(file) != 0;
        if (!written || !closed) {
            DeleteFileW(path.c_str());
            error = "the configuration copy cannot be written";
            return false;
        }
        copy.name.assign(name.begin(), name.end());
        const std::wstring& native = path.native();
        copy.path.assign(native.begin(), native.end());
        return true;
    }
    error = "no free name for the configuration copy";
    return false;
}

bool PrivateStore::remove(const std::u16string& name)
{
    if (state->directoryHandle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const std::filesystem::path path = directory / std::wstring(name.begin(), name.end());
    return DeleteFileW(path.c_str()) != 0 || GetLastError() == ERROR_FILE_NOT_FOUND;
}

void PrivateStore::removeAll()
{
    if (state->directoryHandle == INVALID_HANDLE_VALUE) {
        return;
    }
    std::vector<std::wstring> names;
    for (const std::wstring* suffix : {&configSuffix, &passwordSuffix}) {
        const std::filesystem::path pattern = directory / (copyPrefix + L"*" + *suffix);
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            continue;
        }
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                names.emplace_back(found.cFileName);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    for (const std::wstring& name : names) {
        DeleteFileW((directory / name).c_str());
    }
}

} // namespace launcher
