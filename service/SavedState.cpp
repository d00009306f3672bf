#include "SavedState.h"

#include <fstream>
#include <system_error>
#include <utility>

namespace service {

SavedState::SavedState(std::filesystem::path directory) : folder(std::move(directory)) {}

std::filesystem::path SavedState::filePath() const
{
    return folder / "settings.dat";
}

void SavedState::save(const std::string& addressList) const
{
    if (folder.empty()) {
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::ofstream file(filePath(), std::ios::binary | std::ios::trunc);
    if (file) {
        file.write(addressList.data(), static_cast<std::streamsize>(addressList.size()));
    }
}

bool SavedState::load(std::string& addressList) const
{
    if (folder.empty()) {
        return false;
    }
    std::ifstream file(filePath(), std::ios::binary);
    if (!file) {
        return false;
    }
    std::string line;
    char c = 0;
    while (line.size() < maxListLength && file.get(c) && c != '\n') {
        line.push_back(c);
    }
    file.close();
    std::error_code ignored;
    std::filesystem::remove(filePath(), ignored);
    addressList = std::move(line);
    return true;
}

} // namespace service
