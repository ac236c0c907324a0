// CBmpFile: BMP/DIB files, loaded by the system as a DIB section and then
// converted to the buffer's RGB layout for every bit depth the format has.
#include "BmpFile.h"
#include "ImageHeaderCheck.h"
#include "RgbBuffer.h"

#include <stdlib.h>
#include <string.h>

namespace
{
// One colour channel of a 16- or 32-bit pixel, described by its bit mask.
struct ChannelMask
{
    DWORD mask;
    int shift;
    DWORD maximum;

    explicit ChannelMask(DWORD bits) : mask(bits), shift(0), maximum(0)
    {
        if (!mask)
            return;
        while (!(mask & (1u << shift)))
            ++shift;
        maximum = mask >> shift;
    }
    BYTE Extract(DWORD pixel) const
    {
        if (!maximum)
            return 0;
        return (BYTE)((unsigned long long)((pixel & mask) >> shift) * 255 / maximum);
    }
};

void ConvertRow(const BYTE* source, BYTE* target, int width, int bits, const RGBQUAD* table,
                const ChannelMask* masks)
{
    for (int x = 0; x < width; ++x, target += 3)
    {
        switch (bits)
        {
        case 1:
        {
            // Set bits are white and clear bits black, whatever the table says.
            BYTE level = (source[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            target[0] = target[1] = target[2] = level;
            break;
        }
        case 4:
        case 8:
        {
            int index = bits == 8 ? source[x] : (x & 1) ? source[x >> 1] & 0x0F : source[x >> 1] >> 4;
            target[0] = table[index].rgbRed;
            target[1] = table[index].rgbGreen;
            target[2] = table[index].rgbBlue;
            break;
        }
        case 24:
            target[0] = source[3 * x + 2];
            target[1] = source[3 * x + 1];
            target[2] = source[3 * x];
            break;
        case 16:
        case 32:
        {
            DWORD pixel = bits == 16 ? (DWORD)(source[2 * x] | (source[2 * x + 1] << 8))
                                     : (DWORD)(source[4 * x] | (source[4 * x + 1] << 8) |
                                               (source[4 * x + 2] << 16) |
                                               ((DWORD)source[4 * x + 3] << 24));
            target[0] = masks[0].Extract(pixel);
            target[1] = masks[1].Extract(pixel);
            target[2] = masks[2].Extract(pixel);
            break;
        }
        }
    }
}
// A top-down file gives a top-down section (rows in the file's order), but
// some system loaders leave its pixels unset. Fills the section again from
// the file: rows of the section's own format are copied as they are; rows
// that the loader converts (bit fields) go through SetDIBits with the file's
// header. The layout was checked to lie inside the file.
void FillFromTopDownFile(const CString& path, const BmpLayout& layout, HBITMAP bitmap,
                         const DIBSECTION& section)
{
    int rows = -layout.height;
    if (section.dsBm.bmHeight != rows || section.dsBm.bmWidth != layout.width)
        return;
    bool sameFormat = section.dsBmih.biBitCount == layout.bits && section.dsBm.bmWidthBytes == layout.stride &&
                      (layout.compression != BI_BITFIELDS ||
                       (section.dsBmih.biCompression == BI_BITFIELDS &&
                        memcmp(section.dsBitfields, layout.masks, sizeof(layout.masks)) == 0));
    if (!sameFormat && layout.compression != BI_BITFIELDS)
        return;
    size_t bytes = (size_t)layout.stride * (size_t)rows;
    BYTE* bits = sameFormat ? (BYTE*)section.dsBm.bmBits : (BYTE*)malloc(bytes);
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    LARGE_INTEGER position;
    position.QuadPart = layout.bitsOffset;
    DWORD done = 0;
    bool read = bits && file != INVALID_HANDLE_VALUE && SetFilePointerEx(file, position, NULL, FILE_BEGIN) &&
                ReadFile(file, bits, (DWORD)bytes, &done, NULL) && done == bytes;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (read && !sameFormat)
    {
        struct
        {
            BITMAPINFOHEADER header;
            DWORD masks[3];
        } info;
        memset(&info, 0, sizeof(info));
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = layout.width;
        info.header.biHeight = layout.height;
        info.header.biPlanes = 1;
        info.header.biBitCount = (WORD)layout.bits;
        info.header.biCompression = BI_BITFIELDS;
        memcpy(info.masks, layout.masks, sizeof(info.masks));
        HDC screen = GetDC(NULL);
        SetDIBits(screen, bitmap, 0, rows, bits, (BITMAPINFO*)&info, DIB_RGB_COLORS);
        ReleaseDC(NULL, screen);
        GdiFlush();
    }
    if (!sameFormat)
        free(bits);
}
} // namespace

CBmpFile::CBmpFile(CString fileName) : CImageFile(fileName)
{
}

CBmpFile::CBmpFile(const CBmpFile& other) : CImageFile(other)
{
}

int CBmpFile::Save(CRgbBuffer*)
{
    return 0;
}

int CBmpFile::Load(CRgbBuffer* buffer)
{
    BmpLayout layout;
    if (!buffer || !CImageHeaderCheck::IsSafeBmpFile(m_FileName, &layout))
        return 0;
    HBITMAP bitmap = (HBITMAP)LoadImageA(NULL, m_FileName, IMAGE_BITMAP, 0, 0,
                                         LR_CREATEDIBSECTION | LR_LOADFROMFILE);
    if (!bitmap)
        return 0;

    DIBSECTION section;
    memset(&section, 0, sizeof(section));
    if (GetObject(bitmap, sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits)
    {
        DeleteObject(bitmap);
        return 0;
    }
    if (layout.height < 0)
        FillFromTopDownFile(m_FileName, layout, bitmap, section);
    int width = section.dsBmih.biWidth;
    int height = section.dsBmih.biHeight < 0 ? -section.dsBmih.biHeight : section.dsBmih.biHeight;
    int bits = section.dsBmih.biBitCount;
    long long stride = ((long long)section.dsBm.bmWidthBytes + 3) & ~3LL;
    // The section must be what the checked header described: rows that fit
    // the stride and a depth this conversion knows.
    bool knownDepth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (!knownDepth || width != layout.width || height != (layout.height < 0 ? -layout.height : layout.height) || stride < ((long long)width * bits + 7) / 8 ||
        !buffer->AllocateImage(width, height))
    {
        DeleteObject(bitmap);
        buffer->CleanUp();
        return 0;
    }
    // The buffer is drawn from the file's own bitmap.
    buffer->m_Bitmap = bitmap;

    RGBQUAD table[256];
    memset(table, 0, sizeof(table));
    if (bits <= 8)
    {
        HDC screen = GetDC(GetDesktopWindow());
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, bitmap);
        GetDIBColorTable(memory, 0, 256, table);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(GetDesktopWindow(), screen);
    }

    DWORD red = 0x7C00, green = 0x03E0, blue = 0x001F;
    if (bits == 32)
        red = 0xFF0000, green = 0xFF00, blue = 0xFF;
    if (section.dsBmih.biCompression == BI_BITFIELDS)
        red = section.dsBitfields[0], green = section.dsBitfields[1], blue = section.dsBitfields[2];
    ChannelMask masks[3] = { ChannelMask(red), ChannelMask(green), ChannelMask(blue) };

    // GetObject reports a positive height even for a top-down section, so
    // the row order comes from the file's own header.
    bool bottomUp = layout.height > 0;
    const BYTE* source = (const BYTE*)section.dsBm.bmBits;
    for (int i = 0; i < height; ++i)
    {
        int row = bottomUp ? height - 1 - i : i;
        ConvertRow(source + (size_t)i * (size_t)stride, buffer->m_Buffer + (size_t)row * width * 3,
                   width, bits, table, masks);
    }
    return 1;
}
