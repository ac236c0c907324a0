// The viewer's picture loading as plain functions that any thread may call:
// a decode at the size the window needs, a whole decode within a memory
// budget, and the display picture a mode makes of a loaded one. Returned
// buffers belong to the caller; a failed load leaves an empty buffer.
#pragma once

#include "Framework.h"

#include <string>

class CRgbBuffer;

namespace ViewerPictures
{
enum DisplayMode
{
    BestFit,
    FitToWindow,
    ActualSize
};

// What a display picture was made for: the mode and the client size (the
// size does not matter in actual size).
struct Fit
{
    DisplayMode mode = BestFit;
    CSize client = CSize(0, 0);
    bool operator==(const Fit& other) const
    {
        return mode == other.mode && (mode == ActualSize || client == other.client);
    }
    bool operator!=(const Fit& other) const { return !(*this == other); }
};

// The default memory budget of one whole decode: large enough for every
// camera's photo, small enough that a 32-bit process never runs out.
const long long DefaultMemoryBudget = 512LL * 1024 * 1024;

// The reduction (1, 2, 4 or 8) of the largest decode of a fullSize picture
// whose pixels (3 bytes each) fit into budgetBytes; 8 when none does.
int ScaleForBudget(CSize fullSize, long long budgetBytes);

// Decodes path for the window: a JPEG larger than the client at the smallest
// reduced scale whose output still covers its best fit into the client,
// other files whole. fullSize gets the picture's own (upright) size.
bool LoadForWindow(const CString& path, CSize client, CRgbBuffer& picture, CSize& fullSize);

// A JPEG's size from its frame header, upright by its EXIF orientation, and
// whether the frame is progressive; false for a file without a frame header
// (or a picture of no size), read without decoding anything.
bool ReadJpegFrame(const CString& path, CSize& uprightSize, bool& progressive);

// A JPEG whose frame header says it is progressive.
bool IsProgressiveJpeg(const CString& path);

// A quick first look for the window: a progressive JPEG decoded from its
// first (DC) scans at an eighth of its size, where a decode for the window
// would need every scan. False (and nothing decoded) for other files. When
// it returns true, preview tells whether the picture falls short of what
// LoadForWindow would give (it may be all the window needs).
bool LoadPreview(const CString& path, CSize client, CRgbBuffer& picture, CSize& fullSize, bool& preview);

// Decodes path whole or, for a JPEG whose whole decode would not fit into
// budgetBytes, at the largest scale that fits; scale gets the reduction (1
// for a whole decode). fullSize is the picture's size when known (else
// 0 x 0, and a JPEG's size is read first) and gets it.
bool LoadWhole(const CString& path, long long budgetBytes, CRgbBuffer& picture, CSize& fullSize, int& scale);

// The display picture of original by the fit: best fit or fit to window of
// the client rectangle, or a copy in actual size; an empty buffer without a
// picture. Black background.
// A preview (an original smaller than its fullSize would show) is enlarged
// to the size the whole picture would get; fullSize 0 x 0 when unknown.
CRgbBuffer* MakeDisplay(const CRgbBuffer* original, const Fit& fit, CSize fullSize = CSize(0, 0));

// A first look enlarged to size by plain bilinear interpolation: many times
// quicker than the suite's enlarging kernel, which matters for a picture
// shown for a moment only. size may have other proportions than small.
CRgbBuffer* StretchPreview(const CRgbBuffer& small, CSize size);

// How loaded pictures get the screen's colours, for every thread: with
// `manage`, from their embedded profile into `display` (sRGB when empty);
// without, their pixels stay as decoded.
void SetColourTarget(bool manage, const std::string& display);
bool IsColourManaged();
// Converts a loaded picture as set by SetColourTarget.
void ToScreenColours(CRgbBuffer& picture);
}
