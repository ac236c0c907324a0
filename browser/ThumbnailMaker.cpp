// CThumbnailManager: making one thumbnail (from the disk cache, the file's
// own preview or the full picture) and storing it for its cell. Runs on a
// worker without the lock; only the map and list operations take it.
#include "ThumbnailManager.h"
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "ColourTransform.h"
#include "ThumbnailCache.h"
#include "ThumbnailSource.h"

namespace
{
const CRect CacheBox = ThumbnailCache::Box();
} // namespace

BOOL CThumbnailManager::LoadFullPicture(const CString& path, CRgbBuffer& image, CSize& fullSize)
{
    // Where the codec can, the picture is decoded no larger than the cache
    // copy needs (JPEG averages 8 x 8 blocks, WebP rescales while decoding,
    // JPEG XL is averaged down to 1/8): faster, and a truer picture than
    // sampling the full size.
    return CThumbnailSource::LoadReduced(path, &image, CacheBox.Width(), CacheBox.Height(), &fullSize);
}

void CThumbnailManager::MakeThumbnail(CThumbnailTask* task)
{
    CString cachePath = ThumbnailCache::FileName(task->m_strPath);
    CRgbBuffer image;
    if (!task->m_bNoCacheCopy &&
        ThumbnailCache::Load(cachePath, task->m_Modified, task->m_Rect.Size(), image))
    {
        task->m_bJpegPreview = FALSE;
        Store(task, image);
        return;
    }
    if (task->m_bJpegPreview)
    {
        if (CThumbnailSource::LoadPreview(task->m_strFile, &image))
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
        task->m_bJpegPreview = FALSE; // no preview in the file: this is the full pass
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
        ThumbnailCache::Write(cachePath, *fitted);
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
    m_Map.Set(task->m_strPath, info);
    // The duplicates queued by repaints; the cell's requests for another
    // picture (its window was reused meanwhile) stay.
    if (!task->m_bJpegPreview)
        RemoveTasksFor(task->m_hTargetWnd, task->m_strPath);
    if (IsWindow(task->m_hTargetWnd))
        InvalidateRect(task->m_hTargetWnd, NULL, FALSE);
}
