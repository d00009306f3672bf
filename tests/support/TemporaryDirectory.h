#pragma once

#include <filesystem>
#include <string>

// A fresh directory of the test's own under the system's temporary directory (TMPDIR,
// %TEMP%), open to its owner only, removed with everything in it when the object goes.
// Creation failures throw std::filesystem::filesystem_error, which GoogleTest reports
// as the failure of the test that needed the directory.
class TemporaryDirectory
{
public:
    // The name starts with prefix, so that a directory left behind by a crash tells
    // which program made it.
    explicit TemporaryDirectory(const std::string& prefix = "quarnel-test");
    ~TemporaryDirectory();

    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return root; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return root / name; }

private:
    std::filesystem::path root;
};
