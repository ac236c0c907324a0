// CRgbBuffer: the suite's one in-memory picture (24-bit RGB) with the cached
// device-independent bitmap it is drawn from.
//
// Contract, binding for every file that touches the pixels:
// - m_Buffer holds 3 bytes a pixel in the order red, green, blue; rows run
//   top-down; rows are packed without padding. Pixel (x, y) starts at byte
//   3 * (y * m_Width + x); the array is exactly m_Width * m_Height * 3 bytes.
// - m_Buffer is null exactly when the buffer is empty ("no image").
// - The buffer owns m_Buffer and m_Bitmap. Pixel arrays are made with
//   AllocatePixelArray and released with FreePixelArray (CleanUp does that);
//   code that fills m_Buffer directly (the codecs) must use them too.
// - A picture holds at most MaxPixels pixels (200 megapixels, MaxPixelBytes
//   = 600 MB): AllocatePixelArray refuses more, and every codec refuses a
//   larger picture before it allocates anything for it (sizes are checked in
//   64 bits, so every byte offset into the array fits in an int). A codec
//   that takes the size from a header also refuses a picture that its file
//   is too small to encode (FileCanHoldPicture), so decode work stays
//   bounded by the size of the file.
// - Operations that return a CRgbBuffer* make a new heap object that the
//   caller owns and deletes; they never change the source.
// - m_Bitmap is a cache: in-place pixel changes do not refresh it; call
//   DeleteInternalBitmap before the next Draw to show them.
// - m_IccProfile is the colour profile the pixels are in, as the file
//   embedded it; empty means sRGB. Codecs set it after decoding; copies
//   keep it, CleanUp empties it, TakePixels leaves it as it is (the pixels
//   taken are the same picture's). Of the derived pictures (Create...RGB)
//   only the plain copies keep it; code that converts a picture for
//   showing does so before deriving from it.
// - Failures return 0, null or an empty buffer; nothing here throws.
#pragma once

#include "Framework.h"
#include "RastelApi.h"

#include <string>

class RASTEL_API CRgbBuffer
{
public:
    // 1: a JPEG save writes one grey channel made from byte 0 of each pixel.
    int m_GrayScale;
    BYTE* m_Buffer;
    int m_Width;
    int m_Height;
    HBITMAP m_Bitmap;
    // Painted by Draw around the picture where it does not cover the target.
    COLORREF m_BackgroundColor;
    std::string m_IccProfile;

    enum { MaxPixels = 200000000, MaxPixelBytes = 3 * MaxPixels };
    // Any file may declare FreePixelsPerFile pixels; beyond that, at most
    // MaxPixelsPerFileByte pixels per byte of the file (no format that
    // states its size in a header stores real pictures more densely).
    enum { FreePixelsPerFile = 16 * 1024 * 1024, MaxPixelsPerFileByte = 1024 };
    // Width and height within the limits above for a file of fileBytes bytes.
    static BOOL FileCanHoldPicture(long long width, long long height, long long fileBytes);

    CRgbBuffer();
    CRgbBuffer(int width, int height);       // black, m_GrayScale 1
    CRgbBuffer(const CRect& rect, BYTE fill); // every byte = fill, m_GrayScale 1
    CRgbBuffer(const CRgbBuffer& other);     // keeps other's m_GrayScale
    ~CRgbBuffer();
    // Copies pixels, size and background; m_GrayScale stays 0, no bitmap.
    CRgbBuffer& operator=(const CRgbBuffer& other);

    // Pixel array management (64-bit checked; null / FALSE when refused).
    static BYTE* AllocatePixelArray(int width, int height); // zero-filled
    static void FreePixelArray(BYTE* pixels);
    // Replaces the pixels by a zero-filled width x height picture; drops the
    // cached bitmap, keeps m_GrayScale and m_BackgroundColor. On refusal the
    // buffer is left without pixels and the result is FALSE.
    BOOL AllocateImage(int width, int height);
    // Takes over other's pixels and size without a copy (other is left
    // without pixels), so that a large picture is never held twice; drops
    // this buffer's cached bitmap, keeps m_GrayScale and m_BackgroundColor.
    void TakePixels(CRgbBuffer& other);

    void CleanUp();
    void DeleteInternalBitmap();
    BOOL IsImage() const;
    int GetWidth() const;
    int GetHeight() const;
    int NumberOfPixels() const;
    CSize GetImageSize() const;
    BYTE* GetBuffer() const;

    // Drawing.
    HBITMAP CreateBitmapFromRGB() const; // caller owns the result
    HBITMAP GetBitmap();                 // the buffer keeps ownership
    void Draw(CDC* dc, const CRect& rect, HBITMAP tile);
    static void DrawByBitBlt(CDC* dc, const CRect& rect, HBITMAP image, HBITMAP tile,
                             COLORREF background);

    // Codec front end: picks the codec by extension; FALSE leaves it empty.
    BOOL LoadRgbBuffer(const CString& path, bool thumbnailOnly = false);
    // Loads show the application's wait cursor, except on a thread that
    // turns it off: a background thread's cursor is never seen, and asking
    // for it costs a lock and two calls into the window system a picture.
    static void ShowWaitCursorOnThisThread(bool show);
    // JPEG export, optionally resized and with a thumbnail in "_thumbnails".
    BOOL SaveTo(CString path, CSize size, int quality, bool fitInside, bool withThumbnail);

    // Resampling and geometry: new buffers, the source is unchanged.
    CRgbBuffer* CreateBestFitRGB(const CRect& rect) const;
    CRgbBuffer* CreateRectFitRGB(const CRect& rect) const;
    CRgbBuffer* CreateRectAllRGB(const CRect& rect, BYTE fill) const;
    CRgbBuffer* CreateEnlargedRGB(double factor) const;
    CRgbBuffer* CreateDecimatedRGB(double divisor) const;
    CRgbBuffer* CreateRotatedRGB(int degrees) const;
    CRgbBuffer* CreateRotatedRGB(const CRect& rect, int degrees, int bestFit) const;
    CRgbBuffer* Rotate90RGB() const;
    CRgbBuffer* Rotate180RGB() const;
    CRgbBuffer* Rotate270RGB() const;
    CRgbBuffer* FlipHorzRGB() const;
    CRgbBuffer* FlipVertRGB() const;

    // Colour, red-eye and watermark: in place, except CreateAlteredRGB.
    void AdjustLight(int brightness, int contrast);
    void AdjustColor(int saturation);
    void AdjustGamma(int red, int green, int blue);
    void AdjustGamma(int value);
    CRgbBuffer* CreateAlteredRGB(int saturation, int brightness, int contrast,
                                 int gammaRed, int gammaGreen, int gammaBlue) const;
    void RemoveRedEye(CPoint center, int radius);
    void ApplyWatermark(int x, int y, CRgbBuffer* mark, int transparency);

private:
    CRgbBuffer* PrepareRGB(const CRect& rect) const;
    CRgbBuffer* EnlargeRGB(const CRect& rect) const;
    CRgbBuffer* DecimateRGB(const CRect& rect) const;
};
