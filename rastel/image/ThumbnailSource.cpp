// CThumbnailSource: picks the preview reader and the reduced decoder by the
// file's extension.
#include "ThumbnailSource.h"
#include "FileInfo.h"
#include "HeifThumbnail.h"
#include "JpgFile.h"
#include "JxlReduced.h"
#include "RgbBuffer.h"
#include "WebpReduced.h"

bool CThumbnailSource::MayCarryPreview(const CString& path)
{
    return CFileInfo::IsJPGFile(path) || CFileInfo::IsHeifFile(path) || CFileInfo::IsAvifFile(path) ||
           CFileInfo::IsJxlFile(path);
}

int CThumbnailSource::LoadPreview(const CString& path, CRgbBuffer* buffer)
{
    if (!buffer)
        return 0;
    buffer->CleanUp();
    if (CFileInfo::IsJPGFile(path))
        return buffer->LoadRgbBuffer(path, true) ? 1 : 0;
    if (CFileInfo::IsHeifFile(path) || CFileInfo::IsAvifFile(path))
        return CHeifThumbnail::Load(path, buffer);
    if (CFileInfo::IsJxlFile(path))
        return CJxlReduced::LoadPreview(path, buffer);
    return 0;
}

int CThumbnailSource::LoadReduced(const CString& path, CRgbBuffer* buffer, int boxWidth, int boxHeight,
                                  CSize* fullSize)
{
    if (fullSize)
        *fullSize = CSize(0, 0);
    if (!buffer)
        return 0;
    if (CFileInfo::IsJPGFile(path))
        return CJpgFile(path, 100, false).LoadReduced(buffer, boxWidth, boxHeight, fullSize);
    if (CFileInfo::IsWebpFile(path))
        return CWebpReduced::LoadReduced(path, buffer, boxWidth, boxHeight, fullSize);
    if (CFileInfo::IsJxlFile(path))
        return CJxlReduced::LoadReduced(path, buffer, boxWidth, boxHeight, fullSize);
    if (!buffer->LoadRgbBuffer(path, false))
        return 0;
    if (fullSize)
        *fullSize = buffer->GetImageSize();
    return 1;
}
