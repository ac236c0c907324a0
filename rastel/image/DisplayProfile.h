// CDisplayProfile: the colour profile of the monitor a window is on, for
// drawing pictures in that monitor's colours.
//
// Contract: ForWindow returns the profile's bytes when the system names one
// for the window's monitor and it is usable (CIccProfile::IsUsable) and
// differs from sRGB; otherwise empty, meaning sRGB. Never throws.
#pragma once

#include <string>

#include "Framework.h"
#include "RastelApi.h"

class RASTEL_API CDisplayProfile
{
public:
    static std::string ForWindow(HWND window);
    // The monitor ForWindow looks at: a window that moves has to read its
    // profile again only when this changes.
    static HMONITOR MonitorOf(HWND window);
};
