// The EXIF thumbnail a camera embeds in a JPEG as the viewer's first look at
// a large photo: it decodes in a millisecond where the photo needs a tenth of
// a second. It is used only when it shows the same picture: upright like the
// photo and with the photo's proportions (letterbox bars cropped).
#pragma once

#include "Framework.h"

class CRgbBuffer;

namespace ViewerPictures
{
// Photos with fewer pixels decode quickly enough to be shown at once.
const long long ThumbnailFirstPixels = 2000000;
// How far (relative) the thumbnail's proportions may be from the photo's.
const double ThumbnailAspectTolerance = 0.02;

// The thumbnail of a JPEG of at least ThumbnailFirstPixels pixels that is
// larger than client, upright, cropped of letterbox bars; fullSize gets the
// photo's upright size. False (picture empty) when there is none or it
// does not have the photo's proportions.
bool LoadThumbnailPreview(const CString& path, CSize client, CRgbBuffer& picture, CSize& fullSize);

// The part of a thumbnail of size `thumb` that shows a picture of the
// proportions of `full`: the whole thumbnail when they agree within the
// tolerance, else the middle band left between dark bars (dark is told by
// the pixels); an empty rectangle when neither holds.
CRect ThumbnailContent(const CRgbBuffer& thumb, CSize full);
}
