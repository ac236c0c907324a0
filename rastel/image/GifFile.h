// CGifFile: reads GIF files through giflib. Frames are composited onto a
// canvas of the logical screen size (transparency, disposal methods,
// interlacing); Load gives the first displayed picture. Save writes nothing.
//
// The canvas is one GlobalAlloc block of rows of stride S (3 x width rounded
// up to 4), blue, green, red, top row first: the current picture (height
// rows), the saved picture that disposal restores (height rows) and one row
// of line buffer. Frames reaching outside the screen are clipped to it.
#pragma once

#include "ImageFile.h"
#include <commctrl.h> // COLORMAP

struct GifFileType;

class RASTEL_API CGifFile : public CImageFile
{
public:
    CGifFile(CString fileName);
    CGifFile(const CGifFile& other);
    ~CGifFile() override;

    int Load(CRgbBuffer* buffer) override; // 1; the buffer may stay empty
    int Save(CRgbBuffer* buffer) override; // 0

    // 0, -1 when the file is not a readable GIF, -2 when the canvas cannot
    // be allocated (or the screen is empty or too large).
    int Open(const char* path, COLORREF fill);
    // Composites frames until one is to be shown: its delay in ms (at least
    // 10), 0 at the end of the file, -1 without an open file or on a read
    // error of an image, -2 / -3 on a read error of an extension.
    int NextImage();
    // A 24-bit DIB section of the current picture (caller deletes it); null
    // before the first frame. map / step other than null / 1 substitute
    // colours near the map's keys and shrink by step with averaging.
    HBITMAP CreateMappedBitmap(COLORMAP* map, UINT count, int step);
    void Close();

    int GetFrameCount() const { return m_FrameCount; }
    int GetLoopCount() const { return m_LoopCount; }
    COLORREF GetScreenBackground() const { return m_ScreenBackground; }

private:
    struct CColorTableInfo
    {
        BITMAPINFOHEADER bmiHeader;
        RGBQUAD bmiColors[256];
    };

    BYTE* CurrentPicture() const { return m_CanvasBits; }
    BYTE* SavedPicture() const { return m_CanvasBits + (size_t)m_Stride * m_Height; }
    void FillPicture(BYTE* picture, int left, int top, int right, int bottom, COLORREF color);
    // Copies the last frame's rectangle from one picture to the other.
    void CopyFrameRect(BYTE* to, const BYTE* from);
    void SetColorTable(CColorTableInfo& info, const void* colorMap);
    int ReadFrame(int transparentIndex);
    int ReadExtension();

    GifFileType* m_GifFile;
    HGLOBAL m_Canvas;
    BYTE* m_CanvasBits; // m_Canvas, locked
    int m_Width;
    int m_Height;
    int m_Stride;
    CColorTableInfo m_ScreenInfo;
    CColorTableInfo m_FrameInfo;
    COLORREF m_FillColor;
    COLORREF m_ScreenBackground;
    int m_FrameCount;
    int m_LoopCount;
    // Graphic control of the next frame.
    int m_Delay;
    int m_TransparentIndex;
    int m_Disposal;
    // Last frame's rectangle, clipped to the canvas.
    RECT m_FrameRect;
};
