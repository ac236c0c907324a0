// Sample writer of metafiles recorded through GDI: an enhanced metafile,
// a plain Windows metafile and a placeable Windows metafile (22-byte header
// with the picture's size in units of 1/1440 inch).
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "SampleFile.h"
#include "SampleWriters.h"

namespace
{
// A house: white sky, green lawn, red walls, a blue window, a roof.
void DrawHouse(HDC dc)
{
    struct Shape
    {
        COLORREF color;
        RECT rect;
    };
    const Shape shapes[] = {
        { RGB(235, 245, 255), { 0, 0, 400, 300 } },  { RGB(60, 160, 60), { 0, 220, 400, 300 } },
        { RGB(200, 40, 30), { 100, 130, 300, 250 } }, { RGB(40, 90, 200), { 130, 160, 180, 200 } },
        { RGB(110, 70, 30), { 220, 170, 260, 250 } },
    };
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (const Shape& s : shapes)
    {
        HBRUSH brush = CreateSolidBrush(s.color);
        HGDIOBJ old = SelectObject(dc, brush);
        Rectangle(dc, s.rect.left, s.rect.top, s.rect.right + 1, s.rect.bottom + 1);
        SelectObject(dc, old);
        DeleteObject(brush);
    }
    HBRUSH roof = CreateSolidBrush(RGB(90, 50, 40));
    HGDIOBJ old = SelectObject(dc, roof);
    POINT points[3] = { { 80, 130 }, { 200, 50 }, { 320, 130 } };
    Polygon(dc, points, 3);
    SelectObject(dc, old);
    DeleteObject(roof);
    SelectObject(dc, oldPen);
}

bool WriteEnhanced(const std::string& path)
{
    HDC dc = CreateEnhMetaFileA(NULL, path.c_str(), NULL, "MakeSamples\0House\0");
    if (dc == NULL)
        return false;
    DrawHouse(dc);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    return metafile != NULL && DeleteEnhMetaFile(metafile);
}

bool WriteWindows(const std::string& path, bool placeable)
{
    HDC dc = CreateMetaFileA(NULL);
    if (dc == NULL)
        return false;
    SetWindowOrgEx(dc, 0, 0, NULL);
    SetWindowExtEx(dc, 400, 300, NULL);
    DrawHouse(dc);
    HMETAFILE metafile = CloseMetaFile(dc);
    if (metafile == NULL)
        return false;
    UINT size = GetMetaFileBitsEx(metafile, 0, NULL);
    std::vector<BYTE> bits(size);
    GetMetaFileBitsEx(metafile, size, bits.data());
    DeleteMetaFile(metafile);

    std::vector<BYTE> file;
    if (placeable)
    {
        // Key, handle, bounds (0, 0, 400, 300), 96 units an inch, reserved, checksum.
        const WORD words[] = { 0xCDD7, 0x9AC6, 0, 0, 0, 400, 300, 96, 0, 0 };
        WORD checksum = 0;
        for (WORD w : words)
        {
            checksum ^= w;
            file.push_back((BYTE)w);
            file.push_back((BYTE)(w >> 8));
        }
        file.push_back((BYTE)checksum);
        file.push_back((BYTE)(checksum >> 8));
    }
    file.insert(file.end(), bits.begin(), bits.end());
    return WriteSampleFile(path, file);
}

int WriteMetafileSamples(const char* folder)
{
    std::string base = std::string(folder) + "\\";
    int written = WriteEnhanced(base + "metafile_house.emf") +
                  WriteWindows(base + "metafile_house.wmf", false) +
                  WriteWindows(base + "metafile_house_placeable.wmf", true);
    return written == 3 ? written : -1;
}
}

PIXMERE_SAMPLE_WRITER(metafile, WriteMetafileSamples);
