#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

// Whether this Windows program runs under Wine rather than on Windows: a few system
// programs (ping.exe) are stand-ins there that do not do their work. Wine's ntdll
// exports its version; Windows' never does.
inline bool underWine()
{
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}
