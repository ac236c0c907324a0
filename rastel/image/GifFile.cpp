// GIF decoding with giflib 5: frames composited onto the canvas, with the
// graphic control (delay, transparency, disposal) and the loop count of the
// "NETSCAPE2.0" application extension.
#include "GifFile.h"
#include "BitmapFactory.h"
#include "RgbBuffer.h"

#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <gif_lib.h>

namespace
{
const int kNoTransparency = -1;

inline BYTE* PixelAt(BYTE* picture, int stride, int x, int y)
{
    return picture + (size_t)y * stride + (size_t)x * 3;
}

long long FileLength(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}


// The row order of an interlaced frame: every 8th from 0, every 8th from 4,
// every 4th from 2, every 2nd from 1.
const int kPassStart[4] = { 0, 4, 2, 1 };
const int kPassStep[4] = { 8, 8, 4, 2 };
}

CGifFile::CGifFile(CString fileName)
    : CImageFile(fileName),
      m_GifFile(NULL),
      m_Canvas(NULL),
      m_CanvasBits(NULL),
      m_Width(0),
      m_Height(0),
      m_Stride(0),
      m_FillColor(0xFFFFFF),
      m_ScreenBackground(0xFFFFFF),
      m_FrameCount(0),
      m_LoopCount(0),
      m_Delay(10),
      m_TransparentIndex(kNoTransparency),
      m_Disposal(0)
{
    memset(&m_ScreenInfo, 0, sizeof(m_ScreenInfo));
    memset(&m_FrameInfo, 0, sizeof(m_FrameInfo));
    SetRectEmpty(&m_FrameRect);
}

// A copy names the same file; the open state is not shared.
CGifFile::CGifFile(const CGifFile& other)
    : CGifFile(other.m_FileName)
{
}

CGifFile::~CGifFile()
{
    Close();
}

int CGifFile::Save(CRgbBuffer*)
{
    return 0;
}

int CGifFile::Load(CRgbBuffer* buffer)
{
    if (buffer == NULL)
        return 0;
    if (Open(m_FileName, 0xFFFFFF) != 0)
        return 1;
    NextImage();
    HBITMAP bitmap = CreateMappedBitmap(NULL, 0, 1);
    // The canvas goes before the picture is made from the bitmap.
    Close();
    if (bitmap != NULL)
    {
        CRgbBuffer* picture = CBitmapFactory::CreateRgbFromDIBitmap(bitmap);
        if (picture != NULL)
        {
            buffer->TakePixels(*picture);
            delete picture;
            buffer->m_BackgroundColor = m_ScreenBackground;
        }
        DeleteObject(bitmap);
    }
    return 1;
}

void CGifFile::Close()
{
    if (m_GifFile != NULL)
    {
        int error;
        DGifCloseFile(m_GifFile, &error);
        m_GifFile = NULL;
    }
    if (m_Canvas != NULL)
    {
        GlobalUnlock(m_Canvas);
        GlobalFree(m_Canvas);
        m_Canvas = NULL;
        m_CanvasBits = NULL;
    }
}

void CGifFile::FillPicture(BYTE* picture, int left, int top, int right, int bottom,
                           COLORREF color)
{
    for (int y = top; y < bottom; ++y)
    {
        BYTE* p = PixelAt(picture, m_Stride, left, y);
        for (int x = left; x < right; ++x, p += 3)
        {
            p[0] = GetBValue(color);
            p[1] = GetGValue(color);
            p[2] = GetRValue(color);
        }
    }
}

void CGifFile::CopyFrameRect(BYTE* to, const BYTE* from)
{
    const RECT& r = m_FrameRect;
    size_t bytes = (size_t)(r.right - r.left) * 3;
    if (bytes == 0)
        return;
    for (int y = r.top; y < r.bottom; ++y)
    {
        size_t offset = (size_t)y * m_Stride + (size_t)r.left * 3;
        memcpy(to + offset, from + offset, bytes);
    }
}

void CGifFile::SetColorTable(CColorTableInfo& info, const void* colorMap)
{
    memset(info.bmiColors, 0, sizeof(info.bmiColors));
    const ColorMapObject* map = (const ColorMapObject*)colorMap;
    if (map == NULL || map->Colors == NULL)
        return;
    int count = std::min(map->ColorCount, 256);
    for (int i = 0; i < count; ++i)
    {
        info.bmiColors[i].rgbRed = map->Colors[i].Red;
        info.bmiColors[i].rgbGreen = map->Colors[i].Green;
        info.bmiColors[i].rgbBlue = map->Colors[i].Blue;
    }
}

int CGifFile::Open(const char* path, COLORREF fill)
{
    m_FillColor = m_ScreenBackground = fill;
    Close();
    int error = 0;
    m_GifFile = DGifOpenFileName(path, &error);
    if (m_GifFile == NULL)
        return -1;

    m_Width = m_GifFile->SWidth;
    m_Height = m_GifFile->SHeight;
    // The screen must be a picture that the file could fill; an empty screen
    // has nothing to show.
    if (!CRgbBuffer::FileCanHoldPicture(m_Width, m_Height, FileLength(path)))
    {
        Close();
        return -2;
    }
    m_Stride = ((m_Width * 3) + 3) & ~3;
    unsigned long long pictureBytes = (unsigned long long)m_Stride * (unsigned long long)m_Height;
    unsigned long long canvasBytes = pictureBytes * 2 + m_Stride;
    if (canvasBytes > (unsigned long long)SIZE_MAX)
    {
        Close();
        return -2;
    }
    m_Canvas = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)canvasBytes);
    m_CanvasBits = m_Canvas ? (BYTE*)GlobalLock(m_Canvas) : NULL;
    if (m_CanvasBits == NULL)
    {
        Close();
        return -2;
    }
    FillPicture(CurrentPicture(), 0, 0, m_Width, m_Height, fill);
    FillPicture(SavedPicture(), 0, 0, m_Width, m_Height, fill);

    memset(&m_ScreenInfo, 0, sizeof(m_ScreenInfo));
    BITMAPINFOHEADER& header = m_ScreenInfo.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = m_Width;
    header.biHeight = -m_Height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biClrUsed = 256;
    const ColorMapObject* global = m_GifFile->SColorMap;
    if (global != NULL)
    {
        SetColorTable(m_ScreenInfo, global);
        // A background index outside the table keeps the fill colour.
        int index = m_GifFile->SBackGroundColor;
        if (index >= 0 && index < global->ColorCount && index < 256)
        {
            const RGBQUAD& c = m_ScreenInfo.bmiColors[index];
            m_ScreenBackground = RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
        }
    }
    memset(&m_FrameInfo, 0, sizeof(m_FrameInfo));
    SetRectEmpty(&m_FrameRect);
    m_FrameCount = m_LoopCount = 0;
    m_Delay = 10;
    m_TransparentIndex = kNoTransparency;
    m_Disposal = 0;
    return 0;
}

int CGifFile::NextImage()
{
    if (m_GifFile == NULL || m_CanvasBits == NULL)
        return -1;
    for (;;)
    {
        GifRecordType type;
        if (DGifGetRecordType(m_GifFile, &type) == GIF_ERROR)
            return -1;
        if (type == TERMINATE_RECORD_TYPE)
            return 0;
        if (type == EXTENSION_RECORD_TYPE)
        {
            int result = ReadExtension();
            if (result != 0)
                return result;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            continue;

        // The graphic control applies to this one frame.
        int delay = m_Delay, transparentIndex = m_TransparentIndex, disposal = m_Disposal;
        m_Delay = 10;
        m_TransparentIndex = kNoTransparency;
        m_Disposal = 0;

        if (ReadFrame(transparentIndex) != 0)
            return -1;

        const RECT& r = m_FrameRect;
        if (disposal == 2)
            FillPicture(SavedPicture(), r.left, r.top, r.right, r.bottom,
                        transparentIndex == kNoTransparency ? m_ScreenBackground : m_FillColor);
        else if (disposal != 3)
            CopyFrameRect(SavedPicture(), CurrentPicture());

        // A frame of delay 0 is composited with the following ones.
        if (delay != 0)
            return delay * 10;
    }
}

int CGifFile::ReadFrame(int transparentIndex)
{
    if (DGifGetImageDesc(m_GifFile) == GIF_ERROR)
        return -1;
    ++m_FrameCount;
    const GifImageDesc& desc = m_GifFile->Image;
    m_FrameInfo = m_ScreenInfo;
    if (desc.ColorMap != NULL)
        SetColorTable(m_FrameInfo, desc.ColorMap);

    // The pictures can differ only where the previous frame was drawn, so
    // only that part is restored: the work of a frame is bounded by its own
    // size, not by the screen's, however many tiny frames a file holds.
    CopyFrameRect(CurrentPicture(), SavedPicture());

    int frameWidth = desc.Width, frameHeight = desc.Height;
    // The part of the frame on the canvas.
    m_FrameRect.left = std::min(std::max(desc.Left, 0), m_Width);
    m_FrameRect.top = std::min(std::max(desc.Top, 0), m_Height);
    m_FrameRect.right = (LONG)std::min<long long>((long long)desc.Left + std::max(frameWidth, 0), m_Width);
    m_FrameRect.bottom = (LONG)std::min<long long>((long long)desc.Top + std::max(frameHeight, 0), m_Height);
    if (m_FrameRect.right < m_FrameRect.left)
        m_FrameRect.right = m_FrameRect.left;
    if (m_FrameRect.bottom < m_FrameRect.top)
        m_FrameRect.bottom = m_FrameRect.top;

    if (frameWidth <= 0 || frameHeight <= 0)
    {
        // No pixels: skip the frame's data blocks to stay in step.
        GifByteType* block = NULL;
        do
        {
            if (DGifGetCodeNext(m_GifFile, &block) == GIF_ERROR)
                return -1;
        } while (block != NULL);
        return 0;
    }

    // Frames may be wider than the canvas row buffer: read into a line of
    // the frame's own width.
    GifPixelType* line = (GifPixelType*)malloc((size_t)frameWidth);
    if (line == NULL)
        return -1;
    const RGBQUAD* colors = m_FrameInfo.bmiColors;
    int rowIndex = 0;
    int passes = desc.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass)
    {
        int start = desc.Interlace ? kPassStart[pass] : 0;
        int step = desc.Interlace ? kPassStep[pass] : 1;
        for (int row = start; row < frameHeight; row += step, ++rowIndex)
        {
            if (DGifGetLine(m_GifFile, line, frameWidth) == GIF_ERROR)
            {
                free(line);
                return -1;
            }
            long long y = (long long)desc.Top + row;
            if (y < 0 || y >= m_Height)
                continue;
            BYTE* p = PixelAt(CurrentPicture(), m_Stride, m_FrameRect.left, (int)y);
            for (int x = m_FrameRect.left; x < m_FrameRect.right; ++x, p += 3)
            {
                int index = line[x - desc.Left];
                if (index == transparentIndex)
                    continue;
                p[0] = colors[index].rgbBlue;
                p[1] = colors[index].rgbGreen;
                p[2] = colors[index].rgbRed;
            }
        }
    }
    free(line);
    return 0;
}

int CGifFile::ReadExtension()
{
    int code = 0;
    GifByteType* data = NULL;
    if (DGifGetExtension(m_GifFile, &code, &data) == GIF_ERROR)
        return -2;
    bool watchLoop = false;
    if (data != NULL)
    {
        // data[0] is the block's length, the data follow it.
        if (code == GRAPHICS_EXT_FUNC_CODE && data[0] >= 4)
        {
            m_Delay = data[2] | (data[3] << 8);
            m_TransparentIndex = (data[1] & 1) ? data[4] : kNoTransparency;
            m_Disposal = (data[1] >> 2) & 7;
        }
        else if (code == APPLICATION_EXT_FUNC_CODE && memcmp(data, "\013NETSCAPE2.", 11) == 0)
            watchLoop = true;
    }
    while (data != NULL)
    {
        if (DGifGetExtensionNext(m_GifFile, &data) == GIF_ERROR)
            return -3;
        if (watchLoop && data != NULL && data[0] == 3 && (data[1] & 7) == 1)
            m_LoopCount = (data[2] | (data[3] << 8)) - 1;
    }
    return 0;
}

HBITMAP CGifFile::CreateMappedBitmap(COLORMAP* map, UINT count, int step)
{
    if (m_CanvasBits == NULL || m_FrameCount == 0 || m_FrameInfo.bmiHeader.biSize == 0)
        return NULL;
    if (step < 1)
        step = 1;
    int width = std::max(m_Width / step, 1), height = std::max(m_Height / step, 1);
    CColorTableInfo info = m_FrameInfo;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, (BITMAPINFO*)&info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap == NULL || bits == NULL)
    {
        if (bitmap != NULL)
            DeleteObject(bitmap);
        return NULL;
    }
    int stride = ((width * 3) + 3) & ~3;
    const BYTE* current = CurrentPicture();
    if (step == 1)
    {
        for (int y = 0; y < height; ++y)
            memcpy((BYTE*)bits + (size_t)y * stride, current + (size_t)y * m_Stride, (size_t)width * 3);
    }
    else
    {
        // Each target pixel is the mean of a step x step block.
        for (int y = 0; y < height; ++y)
        {
            BYTE* out = (BYTE*)bits + (size_t)y * stride;
            for (int x = 0; x < width; ++x, out += 3)
            {
                unsigned int sum[3] = { 0, 0, 0 }, n = 0;
                for (int dy = 0; dy < step && y * step + dy < m_Height; ++dy)
                    for (int dx = 0; dx < step && x * step + dx < m_Width; ++dx, ++n)
                    {
                        const BYTE* p = current + (size_t)(y * step + dy) * m_Stride +
                                        (size_t)(x * step + dx) * 3;
                        sum[0] += p[0];
                        sum[1] += p[1];
                        sum[2] += p[2];
                    }
                for (int c = 0; c < 3; ++c)
                    out[c] = (BYTE)(n ? sum[c] / n : 0);
            }
        }
    }
    if (map != NULL && count > 0)
    {
        // Colours within 16 levels of a key colour (on every channel) take
        // the key's replacement.
        for (int y = 0; y < height; ++y)
        {
            BYTE* p = (BYTE*)bits + (size_t)y * stride;
            for (int x = 0; x < width; ++x, p += 3)
            {
                for (UINT k = 0; k < count; ++k)
                {
                    COLORREF from = map[k].from;
                    if (abs(p[2] - GetRValue(from)) <= 16 && abs(p[1] - GetGValue(from)) <= 16 &&
                        abs(p[0] - GetBValue(from)) <= 16)
                    {
                        p[0] = GetBValue(map[k].to);
                        p[1] = GetGValue(map[k].to);
                        p[2] = GetRValue(map[k].to);
                        break;
                    }
                }
            }
        }
    }
    GdiFlush();
    return bitmap;
}
