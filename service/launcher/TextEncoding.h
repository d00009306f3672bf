#pragma once

#include <string>

namespace launcher {

// Strict conversions between UTF-16 and UTF-8. A lone surrogate or a malformed UTF-8
// sequence makes them fail instead of being replaced, so that a path is never quietly
// turned into another one.
bool utf16ToUtf8(const std::u16string& text, std::string& converted);
bool utf8ToUtf16(const std::string& text, std::u16string& converted);

} // namespace launcher
