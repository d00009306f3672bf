#pragma once

#include <filesystem>
#include <string>

namespace service {

// settings.dat: the address list that brings the kill switch back at the next service
// start. One line of plain ASCII, no terminator, no line break; read and deleted at
// start, so that a saved list is applied once. Errors are silent, as nobody could be
// told about them.
class SavedState
{
public:
    // Longest list kept: what the service's list buffer holds besides its terminator.
    static constexpr std::size_t maxListLength = 15999;

    // directory: where settings.dat lives (created when saving); empty when the
    // system could not say, and then nothing is saved or loaded.
    explicit SavedState(std::filesystem::path directory);

    const std::filesystem::path& directory() const { return folder; }
    std::filesystem::path filePath() const;

    void save(const std::string& addressList) const;
    // True when a file was there; list then holds its first line, and the file is gone.
    bool load(std::string& addressList) const;

private:
    std::filesystem::path folder;
};

// The directory settings.dat lives in by default: the service account's roaming
// application-data folder plus "Quarnel" on Windows, /var/lib/quarnel on Linux.
std::filesystem::path defaultSavedStateDirectory();

} // namespace service
