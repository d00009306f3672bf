#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace launcher {

// The configuration copies OpenVPN runs from, in a directory that only the service can
// enter or write, so that nobody can change a checked file before OpenVPN reads it.
//
// Linux: the directory is created with mode 0700 (or, when it exists, must be a real
// directory owned by the service's user, and is tightened to 0700); it stays open, and
// every copy is created through that descriptor with O_CREAT|O_EXCL|O_NOFOLLOW and mode
// 0600, so that a link planted under a copy's name is never followed. Its parent must
// not be writable by others (the runtime or state directory of the service).
//
// Windows: the directory gets a protected DACL that grants SYSTEM and Administrators
// full control and nobody else anything (re-applied when it exists; a junction or link
// in its place is refused); it stays open without delete sharing, so it cannot be
// renamed or replaced while the service runs; copies are created with CREATE_NEW and
// the same protection.
//
// Copies are named "config-<process id>-<counter>.ovpn", and the copies of management
// password files the same with ".pass"; files of those patterns left by an earlier run
// of the service are removed when the directory is first prepared.
class PrivateStore
{
public:
    struct Copy
    {
        std::u16string name;
        std::u16string path;
    };

    enum class Kind
    {
        Configuration,
        ManagementPassword,
    };

    explicit PrivateStore(std::filesystem::path directory);
    ~PrivateStore();

    PrivateStore(const PrivateStore&) = delete;
    PrivateStore& operator=(const PrivateStore&) = delete;

    // Makes the directory ready; false with the reason when it cannot be made private.
    // Done by write when needed; a failed attempt is retried on the next call.
    bool prepare(std::string& error);
    // Writes content into a new copy.
    bool write(const std::string& content, Kind kind, Copy& copy, std::string& error);
    // Removes one copy; false when it could not be removed (it is then left in place).
    bool remove(const std::u16string& name);
    // Removes every copy in the directory, tracked or left by an earlier run.
    void removeAll();

private:
    struct State;

    std::filesystem::path directory;
    std::unique_ptr<State> state;
    unsigned long counter = 0;
};

} // namespace launcher
