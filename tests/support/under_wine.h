#pragma once

// Whether this Windows test runs under wine rather than on Windows: wine's ntdll has an export
// of its own that tells its version.

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

inline bool underWine()
{
#ifdef Q_OS_WIN
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}
