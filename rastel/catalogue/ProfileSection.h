// Access to the running program's profile section "Settings" for the settings
// properties. Without an application object nothing is stored and reads give
// the default.
#pragma once

#include "Framework.h"

namespace ProfileSection
{
inline const char* Name() { return "Settings"; }

inline CString GetString(const char* entry, const char* defaultValue)
{
    CWinApp* app = AfxGetApp();
    return app ? app->GetProfileString(Name(), entry, defaultValue) : CString(defaultValue);
}

inline void WriteString(const char* entry, const char* value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(Name(), entry, value);
}

inline UINT GetInt(const char* entry, int defaultValue)
{
    CWinApp* app = AfxGetApp();
    return app ? app->GetProfileInt(Name(), entry, defaultValue) : (UINT)defaultValue;
}

inline void WriteInt(const char* entry, int value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(Name(), entry, value);
}
}
