#pragma once

// Qt-free Win32 window helpers, so that they are compiled and tested by the MinGW-w64
// cross-check. Window handles are passed as void* (an HWND).
namespace win32 {

// SetWindowPos with HWND_TOPMOST and SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE.
bool setWindowTopMost(void* hwnd);

} // namespace win32
