// CBmpFile: BMP/DIB files, loaded by the system as a DIB section and then
// converted to the buffer's RGB layout for every bit depth the format has.
#include "BmpFile.h"
#include "ImageHeaderCheck.h"
#include "RgbBuffer.h"

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
    if (!buffer || !CImageHeaderCheck::IsSafeBmpFile(m_FileName))
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
    int width = section.dsBmih.biWidth;
    int height = section.dsBmih.biHeight < 0 ? -section.dsBmih.biHeight : section.dsBmih.biHeight;
    int bits = section.dsBmih.biBitCount;
    long long stride = ((long long)section.dsBm.bmWidthBytes + 3) & ~3LL;
    // The section must be what the checked header described: rows that fit
    // the stride and a depth this conversion knows.
    bool knownDepth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (!knownDepth || width <= 0 || height <= 0 || stride < ((long long)width * bits + 7) / 8 ||
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

    bool bottomUp = section.dsBmih.biHeight > 0;
    const BYTE* source = (const BYTE*)section.dsBm.bmBits;
    for (int i = 0; i < height; ++i)
    {
        int row = bottomUp ? height - 1 - i : i;
        ConvertRow(source + (size_t)i * (size_t)stride, buffer->m_Buffer + (size_t)row * width * 3,
                   width, bits, table, masks);
    }
    return 1;
}
