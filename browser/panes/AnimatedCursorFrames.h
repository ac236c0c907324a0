// CAnimatedCursorFrames: the frames of an animated cursor resource (RIFF
// "ACON", resource type RT_ANICURSOR) as icons, to be drawn one at a time.
#pragma once

#include <windows.h>
#include <vector>
#include "CRect.h"

class CAnimatedCursorFrames
{
public:
    // Loads nothing yet: the frames are read at the first Draw.
    explicit CAnimatedCursorFrames(UINT resourceId) : m_nId(resourceId), m_bLoaded(false) {}
    ~CAnimatedCursorFrames();

    // Frame `step` (modulo the frame count) scaled into `rect`.
    void Draw(HDC dc, const CRect& rect, int step);
    int GetFrameCount();

    // The frames of an "ACON" file in memory; empty when it is not one.
    static std::vector<HICON> ParseFrames(const BYTE* data, DWORD size);

private:
    CAnimatedCursorFrames(const CAnimatedCursorFrames&) = delete;
    CAnimatedCursorFrames& operator=(const CAnimatedCursorFrames&) = delete;

    void Load();

    UINT m_nId;
    bool m_bLoaded;
    std::vector<HICON> m_Frames;
};
