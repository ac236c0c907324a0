// Helpers of the thumbnail generator tests: a shown "view" window with cell
// windows in it (or hidden ones, out of sight), JPEG pictures of one colour
// written into a temporary folder, and the colour a bitmap shows.
#pragma once

#include <windows.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "../rastel/image/jpeg/JpegTestKit.h"
#include "BitmapFactory.h"
#include "PixelRead.h"
#include "FileInfo.h"
#include "ThumbnailCache.h"
#include "ThumbnailManager.h"

namespace thumbnail_test
{
// A visible top-level window with child "cells" of 130 x 100 side by side.
class CellWindows
{
public:
    explicit CellWindows(int count)
    {
        m_view = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600,
                                 NULL, NULL, NULL, NULL);
        for (int i = 0; i < count; ++i)
            m_cells.push_back(CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE,
                                              (i % 6) * 130, (i / 6) * 100, 130, 100, m_view,
                                              NULL, NULL, NULL));
    }
    ~CellWindows() { DestroyWindow(m_view); }
    HWND operator[](int i) const { return m_cells[i]; }
    void Hide(int i) { ShowWindow(m_cells[i], SW_HIDE); }
    // Moves the view (and its cells) to (x, y) on the screen.
    void MoveView(int x, int y) { SetWindowPos(m_view, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }

private:
    HWND m_view;
    std::vector<HWND> m_cells;
};

// A picture area of a cell.
inline CRect Area(int width = 120, int height = 90)
{
    return CRect(0, 0, width, height);
}

// A JPEG of one colour (0xRRGGBB); with a thumbnail colour, it carries an
// EXIF thumbnail of 160 x 120 in that colour.
inline std::string WriteJpeg(const test_support::TempFolder& folder, const std::string& name,
                             int width, int height, DWORD rgb, DWORD thumbnailRgb = (DWORD)-1)
{
    CRgbBuffer picture(width, height);
    picture.m_GrayScale = 0;
    for (int i = 0; i < width * height; ++i)
    {
        picture.GetBuffer()[3 * i] = (BYTE)(rgb >> 16);
        picture.GetBuffer()[3 * i + 1] = (BYTE)(rgb >> 8);
        picture.GetBuffer()[3 * i + 2] = (BYTE)rgb;
    }
    Bytes jpeg = EncodeJpeg(picture);
    if (thumbnailRgb != (DWORD)-1)
    {
        CRgbBuffer thumbnail(160, 120);
        thumbnail.m_GrayScale = 0;
        for (int i = 0; i < 160 * 120; ++i)
        {
            thumbnail.GetBuffer()[3 * i] = (BYTE)(thumbnailRgb >> 16);
            thumbnail.GetBuffer()[3 * i + 1] = (BYTE)(thumbnailRgb >> 8);
            thumbnail.GetBuffer()[3 * i + 2] = (BYTE)thumbnailRgb;
        }
        jpeg = WithExif(jpeg, CameraExif(false, EncodeJpeg(thumbnail)));
    }
    std::string path = folder / name;
    WriteFileBytes(path, jpeg);
    return path;
}

// The size and centre colour (0xRRGGBB) of a bitmap that the generator made.
struct BitmapLook
{
    int width = 0, height = 0;
    DWORD centre = 0;
};

inline BitmapLook Look(HBITMAP bitmap)
{
    BitmapLook look;
    CRgbBuffer* pixels = bitmap ? CBitmapFactory::CreateRgbFromDIBitmap(bitmap) : NULL;
    if (!pixels)
        return look;
    look.width = pixels->GetWidth();
    look.height = pixels->GetHeight();
    const BYTE* p = pixels->GetBuffer() + 3 * ((look.height / 2) * look.width + look.width / 2);
    look.centre = ((DWORD)p[0] << 16) | ((DWORD)p[1] << 8) | p[2];
    delete pixels;
    return look;
}

// Colours within JPEG's rounding of each other.
inline bool Near(DWORD a, DWORD b, int tolerance = 12)
{
    for (int shift = 0; shift <= 16; shift += 8)
        if (abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

// A cell's request as GetThumbnail makes it on a miss, queued even when the
// map holds a bitmap (the worker then makes it again).
inline void Queue(CThumbnailManager& manager, const std::string& path, HWND cell,
                  const CRect& area = Area())
{
    CThumbnailTask* task = new CThumbnailTask;
    task->m_hTargetWnd = cell;
    task->m_Rect = area;
    task->m_bFitToRect = FALSE;
    task->m_strPath = path.c_str();
    task->m_strPath.MakeUpper();
    task->m_strFile = path.c_str();
    task->m_bJpegPreview = CFileInfo::IsJPGFile(task->m_strPath);
    manager.AddTask(task);
}

// The cache file of a picture path, and removing it so a test starts cold.
inline std::string CacheFileOf(const std::string& path)
{
    CString upper(path.c_str());
    upper.MakeUpper();
    return (LPCSTR)ThumbnailCache::FileName(upper);
}

inline void SetModifyTime(const std::string& path, const FILETIME& time)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, NULL,
                              OPEN_EXISTING, 0, NULL);
    SetFileTime(file, NULL, NULL, &time);
    CloseHandle(file);
}

inline FILETIME ModifyTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

inline FILETIME Later(FILETIME time, int seconds)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    value.QuadPart += (ULONGLONG)seconds * 10000000ULL;
    FILETIME later = {value.LowPart, value.HighPart};
    return later;
}
} // namespace thumbnail_test
