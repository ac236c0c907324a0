// CAnimatedCursorFrames: reads the frames out of the RIFF chunks.
#include "AnimatedCursorFrames.h"
#include "ResourceChain.h"

#include <string.h>

#ifndef RT_ANICURSOR
#define RT_ANICURSOR MAKEINTRESOURCE(21)
#endif

namespace
{
DWORD Read32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24); }
WORD Read16(const BYTE* p) { return (WORD)(p[0] | (p[1] << 8)); }

// The image of the first entry of a .cur or .ico file as an icon.
HICON IconFromFile(const BYTE* data, DWORD size)
{
    if (size < 22 || Read16(data + 4) < 1)
        return NULL;
    DWORD imageSize = Read32(data + 6 + 8), offset = Read32(data + 6 + 12);
    if (offset > size || imageSize > size - offset)
        return NULL;
    return ::CreateIconFromResourceEx((PBYTE)data + offset, imageSize, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
}
}

CAnimatedCursorFrames::~CAnimatedCursorFrames()
{
    for (HICON icon : m_Frames)
        ::DestroyIcon(icon);
}

std::vector<HICON> CAnimatedCursorFrames::ParseFrames(const BYTE* data, DWORD size)
{
    std::vector<HICON> frames;
    if (size < 12 || memcmp(data, "RIFF", 4) || memcmp(data + 8, "ACON", 4))
        return frames;
    DWORD end = Read32(data + 4) + 8;
    if (end > size)
        end = size;
    for (DWORD at = 12; at + 8 <= end;)
    {
        DWORD length = Read32(data + at + 4);
        if (length > end - at - 8)
            break;
        if (!memcmp(data + at, "LIST", 4) && length >= 4 && !memcmp(data + at + 8, "fram", 4))
        {
            DWORD listEnd = at + 8 + length;
            for (DWORD in = at + 12; in + 8 <= listEnd;)
            {
                DWORD chunk = Read32(data + in + 4);
                if (chunk > listEnd - in - 8)
                    break;
                if (!memcmp(data + in, "icon", 4))
                    if (HICON icon = IconFromFile(data + in + 8, chunk))
                        frames.push_back(icon);
                in += 8 + chunk + (chunk & 1);
            }
        }
        at += 8 + length + (length & 1);
    }
    return frames;
}

void CAnimatedCursorFrames::Load()
{
    m_bLoaded = true;
    HMODULE module = AfxFindResourceHandle(MAKEINTRESOURCE(m_nId), RT_ANICURSOR);
    HRSRC resource = module ? ::FindResourceA(module, MAKEINTRESOURCE(m_nId), RT_ANICURSOR) : NULL;
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : NULL;
    const BYTE* data = loaded ? (const BYTE*)::LockResource(loaded) : NULL;
    if (data)
        m_Frames = ParseFrames(data, ::SizeofResource(module, resource));
}

int CAnimatedCursorFrames::GetFrameCount()
{
    if (!m_bLoaded)
        Load();
    return (int)m_Frames.size();
}

void CAnimatedCursorFrames::Draw(HDC dc, const CRect& rect, int step)
{
    int count = GetFrameCount();
    if (count == 0)
        return;
    ::DrawIconEx(dc, rect.left, rect.top, m_Frames[((step % count) + count) % count], rect.Width(), rect.Height(),
                 0, NULL, DI_NORMAL);
}
