// CBitmapFactory: static makers of the suite's decorative and auxiliary
// pictures (gradient backgrounds, caption bars, rendered watermark text) and
// the conversion of a 24-bit DIB section into a CRgbBuffer.
//
// Every HBITMAP returned belongs to the caller (DeleteObject); every
// CRgbBuffer* is a new heap buffer that the caller deletes. Failures return
// null; nothing throws.
#pragma once

#include "Framework.h"
#include "RastelApi.h"

class CRgbBuffer;
class CFont;

class RASTEL_API CBitmapFactory
{
public:
    // inner at the centre fading to outer at the corners, with +-5 levels of noise.
    static HBITMAP CreateGradientCircleFromCenterBitmap(int width, int height, COLORREF inner,
                                                        COLORREF outer);
    // The same with square contours: outer on the whole border.
    static HBITMAP CreateGradientSquareFromCenterBitmap(int width, int height, COLORREF inner,
                                                        COLORREF outer);
    // A 24-bit bottom-up DIB section filled with color.
    static HBITMAP CreateDIBitmap(int width, int height, COLORREF color);
    // The pixels of a 24-bit DIB section; null for anything else.
    static CRgbBuffer* CreateRgbFromDIBitmap(HBITMAP bitmap);
    // text in font and color on black with a one-pixel margin; noise > 0
    // adds the same random offset (|offset| < noise) to each lit pixel.
    static CRgbBuffer* CreateRgbText(CString text, CFont* font, COLORREF color, int noise);
    // A caption bar of rect's size: an S-shaped horizontal blend from left
    // to right with caption in yellow on it.
    static HBITMAP CreateCaptionBitmap(CString caption, CRect rect, COLORREF left, COLORREF right);
};
