// CRgbBuffer::SaveTo: exports the picture as a JPEG file, optionally resized,
// with an optional small copy in the "_thumbnails" folder beside it.
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "FileInfo.h"

#include <direct.h>

BOOL CRgbBuffer::SaveTo(CString path, CSize size, int quality, bool fitInside, bool withThumbnail)
{
    if (!IsImage())
        return 0;
    CString folder = CFileInfo::GetPathFromFullPath(path);
    if (!folder.IsEmpty())
        _mkdir(folder); // only the last level; it usually exists

    BOOL written;
    if (size.cx == 0 && size.cy == 0)
    {
        written = CJpgFile(path, quality, false).Save(this);
    }
    else
    {
        CRect target(0, 0, size.cx, size.cy);
        CRgbBuffer* resized = fitInside ? CreateRectFitRGB(target) : CreateBestFitRGB(target);
        written = CJpgFile(path, quality, false).Save(resized);
        delete resized;
    }

    if (withThumbnail)
    {
        CRgbBuffer* thumbnail = CreateBestFitRGB(CRect(0, 0, 120, 80));
        // A bare file name has its thumbnails folder in the current folder,
        // not at the root of the drive.
        CString thumbnails = folder.IsEmpty() ? CString("_thumbnails") : folder + "\\_thumbnails";
        _mkdir(thumbnails);
        CString thumbnailPath = thumbnails + "\\" + CFileInfo::GetFileFromFullPath(path);
        if (!CJpgFile(thumbnailPath, quality, false).Save(thumbnail))
            written = 0;
        delete thumbnail;
    }
    return written;
}
