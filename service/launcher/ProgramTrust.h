#pragma once

#include <filesystem>

namespace launcher {

// Whether the program at this absolute path may be started with the service's rights:
// no one but the service's own user (root, as installed) can change the file or what its
// name leads to. Linux: the file and every directory on the way to it, through every
// symbolic link, are owned by root or the service's user and are not writable by group
// or others; a directory with the sticky bit (like /tmp) counts as safe, since no one
// else can rename or remove what its owner keeps there. Group bits hold the ACL mask, so
// an ACL that grants a write is refused too.
// Windows: not checked yet (the file's owner and DACL are to be held against the same
// rule); every program passes.
bool isTrustedProgram(const std::filesystem::path& program);

} // namespace launcher
