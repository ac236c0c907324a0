// CRgbBuffer: construction, copying, clean-up, the cached bitmap and drawing.
#include "RgbBuffer.h"

#include <stdlib.h>
#include <string.h>

CRgbBuffer::CRgbBuffer()
    : m_GrayScale(0), m_Buffer(NULL), m_Width(0), m_Height(0), m_Bitmap(NULL),
      m_BackgroundColor(0)
{
}

CRgbBuffer::CRgbBuffer(int width, int height)
    : m_GrayScale(1), m_Buffer(NULL), m_Width(0), m_Height(0), m_Bitmap(NULL),
      m_BackgroundColor(0)
{
    AllocateImage(width, height);
}

CRgbBuffer::CRgbBuffer(const CRect& rect, BYTE fill)
    : m_GrayScale(1), m_Buffer(NULL), m_Width(0), m_Height(0), m_Bitmap(NULL),
      m_BackgroundColor(0)
{
    if (AllocateImage(rect.right - rect.left, rect.bottom - rect.top))
        memset(m_Buffer, fill, (size_t)m_Width * m_Height * 3);
}

CRgbBuffer::CRgbBuffer(const CRgbBuffer& other)
    : m_GrayScale(0), m_Buffer(NULL), m_Width(0), m_Height(0), m_Bitmap(NULL),
      m_BackgroundColor(0)
{
    *this = other;
    m_GrayScale = other.m_GrayScale;
    m_BackgroundColor = other.m_BackgroundColor;
}

CRgbBuffer::~CRgbBuffer()
{
    CleanUp();
}

CRgbBuffer& CRgbBuffer::operator=(const CRgbBuffer& other)
{
    if (&other == this)
        return *this;
    CleanUp();
    if (!other.m_Buffer)
        return *this;
    if (!AllocateImage(other.m_Width, other.m_Height))
        return *this;
    m_BackgroundColor = other.m_BackgroundColor;
    m_IccProfile = other.m_IccProfile;
    memcpy(m_Buffer, other.m_Buffer, (size_t)m_Width * m_Height * 3);
    return *this;
}

namespace
{
// Pixel arrays come from a heap of their own whose first 16 MB stay
// committed. The general heap hands the pages of a large freed block back
// to the system, and the next picture's array then takes a page fault for
// every fresh page: about 0.5 ms for a 300 KB array under Wine, more than
// decoding a small photo, and the faults of two decoding threads queue
// behind each other. Arrays larger than the heap's block limit still get
// memory of their own.
const SIZE_T PixelHeapCommit = 16 << 20;

HANDLE PixelHeap()
{
    static HANDLE heap = HeapCreate(0, PixelHeapCommit, 0);
    return heap ? heap : GetProcessHeap();
}
} // namespace

BYTE* CRgbBuffer::AllocatePixelArray(int width, int height)
{
    if (width <= 0 || height <= 0)
        return NULL;
    long long bytes = (long long)width * (long long)height * 3;
    if (bytes > MaxPixelBytes || (unsigned long long)bytes > (size_t)-1)
        return NULL;
    return (BYTE*)HeapAlloc(PixelHeap(), HEAP_ZERO_MEMORY, (size_t)bytes);
}

void CRgbBuffer::TakePixels(CRgbBuffer& other)
{
    if (&other == this)
        return;
    DeleteInternalBitmap();
    FreePixelArray(m_Buffer);
    m_Buffer = other.m_Buffer;
    m_Width = other.m_Width;
    m_Height = other.m_Height;
    other.DeleteInternalBitmap();
    other.m_Buffer = NULL;
    other.m_Width = other.m_Height = 0;
}

BOOL CRgbBuffer::FileCanHoldPicture(long long width, long long height, long long fileBytes)
{
    if (width <= 0 || height <= 0 || width > MaxPixels || height > MaxPixels ||
        width * height > MaxPixels || fileBytes < 0)
        return FALSE;
    long long allowed = (long long)FreePixelsPerFile;
    if (fileBytes < (MaxPixels - allowed) / MaxPixelsPerFileByte + 1)
        allowed += fileBytes * MaxPixelsPerFileByte;
    else
        allowed = MaxPixels;
    return width * height <= allowed;
}

void CRgbBuffer::FreePixelArray(BYTE* pixels)
{
    if (pixels)
        HeapFree(PixelHeap(), 0, pixels);
}

BOOL CRgbBuffer::AllocateImage(int width, int height)
{
    DeleteInternalBitmap();
    FreePixelArray(m_Buffer);
    m_Buffer = AllocatePixelArray(width, height);
    m_Width = m_Buffer ? width : 0;
    m_Height = m_Buffer ? height : 0;
    return m_Buffer != NULL;
}

void CRgbBuffer::CleanUp()
{
    m_GrayScale = 0;
    FreePixelArray(m_Buffer);
    DeleteInternalBitmap();
    m_Buffer = NULL;
    m_Width = 0;
    m_Height = 0;
    m_BackgroundColor = 0;
    m_IccProfile.clear();
}

void CRgbBuffer::DeleteInternalBitmap()
{
    if (m_Bitmap)
        DeleteObject(m_Bitmap);
    m_Bitmap = NULL;
}

BOOL CRgbBuffer::IsImage() const
{
    return m_Buffer != NULL;
}

int CRgbBuffer::GetWidth() const
{
    return m_Buffer ? m_Width : 0;
}

int CRgbBuffer::GetHeight() const
{
    return m_Buffer ? m_Height : 0;
}

int CRgbBuffer::NumberOfPixels() const
{
    return m_Buffer ? m_Width * m_Height : 0;
}

CSize CRgbBuffer::GetImageSize() const
{
    return CSize(m_Width, m_Height);
}

BYTE* CRgbBuffer::GetBuffer() const
{
    return m_Buffer;
}

HBITMAP CRgbBuffer::CreateBitmapFromRGB() const
{
    if (!m_Buffer)
        return NULL;
    long long stride = ((long long)m_Width * 3 + 3) & ~3LL;
    if (stride * m_Height > MaxPixelBytes)
        return NULL;

    BITMAPINFO info;
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = m_Width;
    info.bmiHeader.biHeight = m_Height; // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = m_Width * m_Height * 3;

    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!bitmap || !bits)
    {
        if (bitmap)
            DeleteObject(bitmap);
        return NULL;
    }

    for (int k = 0; k < m_Height; ++k)
    {
        BYTE* target = (BYTE*)bits + (size_t)k * (size_t)stride;
        const BYTE* source = m_Buffer + (size_t)(m_Height - 1 - k) * m_Width * 3;
        for (int x = 0; x < m_Width; ++x, target += 3, source += 3)
        {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    }
    return bitmap;
}

HBITMAP CRgbBuffer::GetBitmap()
{
    if (!m_Buffer)
        return NULL;
    if (!m_Bitmap)
        m_Bitmap = CreateBitmapFromRGB();
    return m_Bitmap;
}

void CRgbBuffer::Draw(CDC* dc, const CRect& rect, HBITMAP tile)
{
    if (!m_Bitmap)
        m_Bitmap = CreateBitmapFromRGB();
    DrawByBitBlt(dc, rect, m_Bitmap, tile, m_BackgroundColor);
}

// Composes the background (tiles or a solid colour) and the centred image
// off-screen, then copies the result in one BitBlt so the target never shows
// the background without its image.
void CRgbBuffer::DrawByBitBlt(CDC* dc, const CRect& rect, HBITMAP image, HBITMAP tile,
                              COLORREF background)
{
    if (!dc || !dc->GetSafeHdc())
        return;
    HDC target = dc->GetSafeHdc();
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;

    HDC canvas = CreateCompatibleDC(target);
    HDC source = CreateCompatibleDC(target);
    HBITMAP canvasBitmap = CreateCompatibleBitmap(target, width, height);
    if (!canvas || !source || !canvasBitmap)
    {
        if (canvasBitmap)
            DeleteObject(canvasBitmap);
        if (source)
            DeleteDC(source);
        if (canvas)
            DeleteDC(canvas);
        return;
    }
    HGDIOBJ oldCanvas = SelectObject(canvas, canvasBitmap);
    HGDIOBJ oldSource = NULL;

    BITMAP info;
    if (tile && GetObject(tile, sizeof(info), &info) && info.bmWidth > 0 && info.bmHeight > 0)
    {
        HGDIOBJ previous = SelectObject(source, tile);
        if (!oldSource)
            oldSource = previous;
        for (int i = 0; i <= width / info.bmWidth; ++i)
            for (int j = 0; j <= height / info.bmHeight; ++j)
                BitBlt(canvas, i * info.bmWidth, j * info.bmHeight, info.bmWidth, info.bmHeight,
                       source, 0, 0, SRCCOPY);
    }
    else
    {
        // Solid fill as the class library's FillSolidRect does it.
        RECT all = { 0, 0, width, height };
        COLORREF oldColor = SetBkColor(canvas, background);
        ExtTextOutA(canvas, 0, 0, ETO_OPAQUE, &all, NULL, 0, NULL);
        SetBkColor(canvas, oldColor);
    }

    if (image && GetObject(image, sizeof(info), &info))
    {
        HGDIOBJ previous = SelectObject(source, image);
        if (!oldSource)
            oldSource = previous;
        int imageHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
        BitBlt(canvas, width / 2 - info.bmWidth / 2, height / 2 - imageHeight / 2, info.bmWidth,
               imageHeight, source, 0, 0, SRCCOPY);
    }

    BitBlt(target, rect.left, rect.top, width, height, canvas, 0, 0, SRCCOPY);

    if (oldSource)
        SelectObject(source, oldSource);
    SelectObject(canvas, oldCanvas);
    DeleteObject(canvasBitmap);
    DeleteDC(source);
    DeleteDC(canvas);
}
