#include "platform/win/Win32Window.h"

#include <windows.h>

namespace win32 {

bool setWindowTopMost(void* hwnd)
{
    if (hwnd == nullptr) {
        return false;
    }
    return SetWindowPos(static_cast<HWND>(hwnd), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) !=
           FALSE;
}

} // namespace win32
