// CThumbnailManager: making one thumbnail (from the disk cache, the EXIF
// preview or the full picture) and storing it for its cell. Runs on a worker
// without the lock; only the map and list operations take it.
#include "ThumbnailManager.h"
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "FileInfo.h"
#include "ColourTransform.h"

namespace
{
const CRect CacheBox(0, 0, CThumbnailManager::m_MaxThumbSize,
                     CThumbnailManager::m_MaxThumbSize * 4 / 3);
} // namespace

BOOL CThumbnailManager::LoadFullPicture(const CString& path, CRgbBuffer& image, CSize& fullSize)
{
    if (CFileInfo::IsJPGFile(path))
    {
        // The library averages 8 x 8 blocks when it decodes at a reduced
        // scale: faster, and a truer picture than sampling the full size.
        CJpgFile reader(path, 100, false);
        return reader.LoadReduced(&image, CacheBox.Width(), CacheBox.Height(), &fullSize);
    }
    if (!image.LoadRgbBuffer(path, false))
        return FALSE;
    fullSize = image.GetImageSize();
    return TRUE;
}

BOOL CThumbnailManager::LoadCacheCopy(const CString& cachePath, const CThumbnailTask& task, CRgbBuffer& image)
{
    // One look at the copy tells whether it is there and how old it is.
    WIN32_FILE_ATTRIBUTE_DATA copy;
    if (!GetFileAttributesExA(cachePath, GetFileExInfoStandard, &copy) ||
        (copy.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    ULONGLONG written = ((ULONGLONG)copy.ftLastWriteTime.dwHighDateTime << 32) | copy.ftLastWriteTime.dwLowDateTime;
    if (written < task.m_Modified)
    {
        DeleteFileA(cachePath);
        return FALSE;
    }
    // The copy is 360 x 480 at most and a cell far smaller: decoding it at
    // a reduced scale saves most of the decoding and the scaling after it.
    CJpgFile reader(cachePath, 100, false);
    return reader.LoadReduced(&image, task.m_Rect.Width(), task.m_Rect.Height(), NULL);
}

void CThumbnailManager::MakeThumbnail(CThumbnailTask* task)
{
    CString cachePath = GetCacheFileName(task->m_strPath);
    CRgbBuffer image;
    if (!task->m_bNoCacheCopy && LoadCacheCopy(cachePath, *task, image))
    {
        task->m_bJpegPreview = FALSE;
        Store(task, image);
        return;
    }
    if (task->m_bJpegPreview)
    {
        if (image.LoadRgbBuffer(task->m_strFile, true))
        {
            if (m_bColorManagement)
                CColourTransform::ToSrgb(&image);
            Store(task, image);
            task->m_bJpegPreview = FALSE;
            task->m_bNoCacheCopy = TRUE;
            RemoveTasksFor(task->m_hTargetWnd, task->m_strPath);
            RequeueTask(new CThumbnailTask(*task)); // the full pass comes later
            return;
        }
        task->m_bJpegPreview = FALSE; // no EXIF thumbnail: this is the full pass
    }

    CSize fullSize;
    if (!LoadFullPicture(task->m_strFile, image, fullSize))
        return; // the cell keeps its background and asks again when it paints
    // The cache copy holds what is shown: sRGB, without a profile.
    if (m_bColorManagement)
        CColourTransform::ToSrgb(&image);
    if (fullSize.cx <= CacheBox.Width() && fullSize.cy <= CacheBox.Height())
    {
        Store(task, image);
        return;
    }
    CRgbBuffer* fitted = image.CreateBestFitRGB(CacheBox);
    if (!fitted)
        return;
    image.CleanUp(); // the large picture is not needed any more
    // A picture written while it was decoded (turned in place, pasted
    // over) must not leave a copy of what it was: the copy would be newer
    // than the file and pass for fresh. Its cell asks again when it paints.
    if (LastWriteTime(task->m_strFile) == task->m_Modified)
        WriteCacheFile(cachePath, *fitted);
    Store(task, *fitted);
    delete fitted;
}

void CThumbnailManager::Store(CThumbnailTask* task, const CRgbBuffer& image)
{
    CRgbBuffer* scaled = (task->m_bFitToRect || task->m_bJpegPreview)
                             ? image.CreateRectFitRGB(task->m_Rect)
                             : image.CreateBestFitRGB(task->m_Rect);
    if (!scaled)
        return;
    HBITMAP bitmap = scaled->CreateBitmapFromRGB();
    delete scaled;
    if (!bitmap)
        return;
    CThumbnailInfo info = {bitmap, task->m_Rect, task->m_bFitToRect, task->m_bJpegPreview, task->m_Modified};
    SetThumbnail(task->m_strPath, info);
    // The duplicates queued by repaints; the cell's requests for another
    // picture (its window was reused meanwhile) stay.
    if (!task->m_bJpegPreview)
        RemoveTasksFor(task->m_hTargetWnd, task->m_strPath);
    if (IsWindow(task->m_hTargetWnd))
        InvalidateRect(task->m_hTargetWnd, NULL, FALSE);
}
