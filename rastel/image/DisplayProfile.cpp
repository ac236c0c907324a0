// The monitor's profile as the system's colour management names it for the
// monitor's display device (GetICMProfile on a device context of it).
#include "DisplayProfile.h"
#include "ColourTransform.h"
#include "IccProfile.h"

#include <stdio.h>

namespace
{
std::string ReadProfileFile(const char* path)
{
    std::string bytes;
    FILE* file = fopen(path, "rb");
    if (!file)
        return bytes;
    char block[16384];
    size_t got;
    while ((got = fread(block, 1, sizeof(block), file)) > 0 && bytes.size() <= CIccProfile::MaxBytes)
        bytes.append(block, got);
    fclose(file);
    return bytes;
}
} // namespace

HMONITOR CDisplayProfile::MonitorOf(HWND window)
{
    return MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
}

std::string CDisplayProfile::ForWindow(HWND window)
{
    MONITORINFOEXA info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorOf(window);
    if (!monitor || !GetMonitorInfoA(monitor, &info))
        return std::string();
    HDC dc = CreateDCA("DISPLAY", info.szDevice, NULL, NULL);
    if (!dc)
        return std::string();
    char path[MAX_PATH * 2];
    DWORD size = sizeof(path);
    BOOL named = GetICMProfileA(dc, &size, path);
    DeleteDC(dc);
    if (!named)
        return std::string();
    std::string profile = ReadProfileFile(path);
    // An sRGB monitor (the usual default profile) needs no conversion.
    if (!CIccProfile::IsUsable(profile) || !CColourTransform::Changes(std::string(), profile))
        return std::string();
    return profile;
}
