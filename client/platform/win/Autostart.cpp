#include "platform/Autostart.h"

#include "platform/win/AutostartTask.h"

namespace platform {

namespace {

bool toWide(const std::string& text, std::wstring& wide)
{
    if (text.empty()) {
        return false;
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return false;
    }
    wide.assign(static_cast<size_t>(length), L'\0');
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), &wide[0],
                               length) == length;
}

} // namespace

bool setAutostart(bool enabled, const std::string& programPath)
{
    namespace autostart = win32::autostart;
    std::wstring path;
    if (enabled && !toWide(programPath, path)) {
        return false;
    }
    bool ok = true;
    if (!enabled) {
        ok = autostart::removeRegistryValue(HKEY_CURRENT_USER, autostart::runKey, autostart::runValue);
    }
    for (const win32::AutostartCommand& command : autostart::commands(enabled, path)) {
        ok = autostart::run(command) && ok;
    }
    return ok;
}

} // namespace platform
