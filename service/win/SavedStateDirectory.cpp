#include "SavedState.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace service {

std::filesystem::path defaultSavedStateDirectory()
{
    // The roaming application-data folder of the account the service runs under.
    PWSTR folder = nullptr;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder))) {
        CoTaskMemFree(folder);
        return std::filesystem::path();
    }
    std::filesystem::path directory = std::filesystem::path(folder) / L"Quarnel";
    CoTaskMemFree(folder);
    return directory;
}

} // namespace service
