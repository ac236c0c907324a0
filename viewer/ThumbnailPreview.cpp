// The EXIF thumbnail as a first look: proportions checked, bars cropped.
#include "ThumbnailPreview.h"
#include <math.h>
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "FileInfo.h"
#include "ViewerPictures.h"

namespace ViewerPictures
{
namespace
{
bool SameAspect(CSize a, CSize b)
{
    if (a.cx <= 0 || a.cy <= 0 || b.cx <= 0 || b.cy <= 0)
        return false;
    double ra = (double)a.cx / a.cy, rb = (double)b.cx / b.cy;
    return fabs(ra - rb) <= ThumbnailAspectTolerance * rb;
}

// Bars are black or nearly: JPEG ringing lifts a few levels at most.
bool IsDark(const CRgbBuffer& picture, const CRect& part)
{
    if (part.IsRectEmpty())
        return true;
    long long sum = 0;
    for (int y = part.top; y < part.bottom; ++y)
    {
        const BYTE* p = picture.m_Buffer + 3 * ((long long)y * picture.GetWidth() + part.left);
        for (int i = 0; i < 3 * part.Width(); ++i)
            sum += p[i];
    }
    return sum <= 24LL * 3 * part.Width() * part.Height();
}
}

CRect ThumbnailContent(const CRgbBuffer& thumb, CSize full)
{
    CSize size = thumb.GetImageSize();
    if (!thumb.IsImage() || full.cx <= 0 || full.cy <= 0)
        return CRect(0, 0, 0, 0);
    if (SameAspect(size, full))
        return CRect(0, 0, size.cx, size.cy);
    CRect content(0, 0, size.cx, size.cy);
    CRect before, after;
    if ((double)full.cx / full.cy > (double)size.cx / size.cy)
    {
        // A wider photo: bars above and below.
        int height = (int)((double)size.cx * full.cy / full.cx + 0.5);
        int top = (size.cy - height) / 2;
        content = CRect(0, top, size.cx, top + height);
        before = CRect(0, 0, size.cx, top);
        after = CRect(0, top + height, size.cx, size.cy);
    }
    else
    {
        // A narrower photo: bars left and right.
        int width = (int)((double)size.cy * full.cx / full.cy + 0.5);
        int left = (size.cx - width) / 2;
        content = CRect(left, 0, left + width, size.cy);
        before = CRect(0, 0, left, size.cy);
        after = CRect(left + width, 0, size.cx, size.cy);
    }
    if (content.Width() < 1 || content.Height() < 1 || !IsDark(thumb, before) || !IsDark(thumb, after))
        return CRect(0, 0, 0, 0);
    return content;
}

bool LoadThumbnailPreview(const CString& path, CSize client, CRgbBuffer& picture, CSize& fullSize)
{
    picture.CleanUp();
    fullSize = CSize(0, 0);
    bool progressive;
    if (!CFileInfo::IsJPGFile(path) || !ReadJpegFrame(path, fullSize, progressive))
        return false;
    if ((long long)fullSize.cx * fullSize.cy < ThumbnailFirstPixels ||
        (fullSize.cx <= client.cx && fullSize.cy <= client.cy))
        return false;
    CRgbBuffer thumb;
    CJpgFile reader(path, 100, true);
    if (!reader.Load(&thumb) || !thumb.IsImage())
        return false;
    CRect content = ThumbnailContent(thumb, fullSize);
    if (content.IsRectEmpty())
        return false;
    if (content == CRect(0, 0, thumb.GetWidth(), thumb.GetHeight()))
    {
        picture = thumb;
        return picture.IsImage() != FALSE;
    }
    CRgbBuffer cropped(content.Width(), content.Height());
    cropped.m_GrayScale = 0;
    for (int y = 0; y < content.Height(); ++y)
        memcpy(cropped.m_Buffer + 3 * (long long)y * content.Width(),
               thumb.m_Buffer + 3 * ((long long)(content.top + y) * thumb.GetWidth() + content.left),
               3 * content.Width());
    picture = cropped;
    return picture.IsImage() != FALSE;
}
}
