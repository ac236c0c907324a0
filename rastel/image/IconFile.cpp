// CIconFile: ICO files, loaded by the system at the size of their largest
// image and read back pixel by pixel.
#include "IconFile.h"
#include "ImageHeaderCheck.h"
#include "RgbBuffer.h"

#include <stdio.h>
#include <stdlib.h>

namespace
{
unsigned ReadU32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | ((unsigned)p[3] << 24);
}

// Decodes the first directory entry of the given size straight from its
// bytes. Used for 256-pixel images (size byte 0): the file loader of some
// systems reads that byte as 0 and scales a smaller image up instead. The
// file's directory and entries were checked to lie inside the file.
HICON LoadEntryOfSize(const CString& path, CSize size)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return NULL;
    HICON icon = NULL;
    unsigned char header[6];
    if (fread(header, 1, 6, file) == 6)
    {
        int count = header[4] | (header[5] << 8);
        for (int i = 0; i < count && !icon; ++i)
        {
            unsigned char entry[16];
            if (fseek(file, 6 + 16 * i, SEEK_SET) != 0 || fread(entry, 1, 16, file) != 16)
                break;
            int width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
            if (width != size.cx || height != size.cy)
                continue;
            unsigned bytes = ReadU32(entry + 8), offset = ReadU32(entry + 12);
            BYTE* image = (BYTE*)malloc(bytes ? bytes : 1);
            if (image && fseek(file, (long)offset, SEEK_SET) == 0 && fread(image, 1, bytes, file) == bytes)
                icon = CreateIconFromResourceEx(image, bytes, TRUE, 0x00030000, width, height, LR_DEFAULTCOLOR);
            free(image);
            break;
        }
    }
    fclose(file);
    return icon;
}
} // namespace

CIconFile::CIconFile(CString fileName) : CImageFile(fileName)
{
}

CIconFile::CIconFile(const CIconFile& other) : CImageFile(other)
{
}

int CIconFile::Save(CRgbBuffer*)
{
    return 0;
}

CSize CIconFile::GetMaximalIconSize()
{
    CSize best(0, 0);
    FILE* file = fopen(m_FileName, "rb");
    if (!file)
        return best;
    unsigned char count[2];
    if (fseek(file, 4, SEEK_SET) != 0 || fread(count, 1, 2, file) != 2 ||
        (count[0] | (count[1] << 8)) < 2)
    {
        fclose(file);
        return best;
    }
    int entries = count[0] | (count[1] << 8);
    for (int i = 0; i < entries; ++i)
    {
        unsigned char size[2];
        if (fread(size, 1, 2, file) != 2)
            break;
        int width = size[0] ? size[0] : 256;
        int height = size[1] ? size[1] : 256;
        // Strictly larger in both directions: the first of equal entries wins.
        if (width > best.cx && height > best.cy)
            best = CSize(width, height);
        if (fseek(file, 14, SEEK_CUR) != 0)
            break;
    }
    fclose(file);
    return best;
}

void CIconFile::ReadIconPixels(HICON icon, CRgbBuffer* buffer, BOOL whiteAfterAllocating)
{
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return;
    BITMAP bitmap;
    HBITMAP chosen = NULL;
    bool monochrome = false;
    if (info.hbmColor && GetObject(info.hbmColor, sizeof(bitmap), &bitmap))
        chosen = info.hbmColor;
    else if (info.hbmMask && GetObject(info.hbmMask, sizeof(bitmap), &bitmap))
    {
        // A monochrome icon: the AND mask above, the XOR mask below.
        chosen = info.hbmMask;
        monochrome = true;
        bitmap.bmHeight /= 2;
    }

    if (chosen && buffer->AllocateImage(bitmap.bmWidth, bitmap.bmHeight))
    {
        if (whiteAfterAllocating)
            buffer->m_BackgroundColor = RGB(255, 255, 255);
        HDC screen = GetDC(GetDesktopWindow());
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, chosen);
        BYTE* target = buffer->m_Buffer;
        for (int y = 0; y < bitmap.bmHeight; ++y)
        {
            for (int x = 0; x < bitmap.bmWidth; ++x, target += 3)
            {
                COLORREF color = GetPixel(memory, x, y);
                if (monochrome)
                    color ^= GetPixel(memory, x, y + bitmap.bmHeight);
                target[0] = GetRValue(color);
                target[1] = GetGValue(color);
                target[2] = GetBValue(color);
            }
        }
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(GetDesktopWindow(), screen);
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
}

int CIconFile::Load(CRgbBuffer* buffer)
{
    if (!buffer || !CImageHeaderCheck::IsSafeIconFile(m_FileName))
        return 0;
    CSize size = GetMaximalIconSize();
    HICON icon = NULL;
    if (size.cx == 256 || size.cy == 256)
        icon = LoadEntryOfSize(m_FileName, size);
    if (!icon)
        icon = (HICON)LoadImageA(NULL, m_FileName, IMAGE_ICON, size.cx, size.cy, LR_LOADFROMFILE);
    if (!icon)
        return 0;
    ReadIconPixels(icon, buffer, TRUE);
    DestroyIcon(icon);
    return 1;
}
