// CBrowserView: "Rotate left" and "Rotate right" turn the selected JPEG files
// in place. The compressed blocks are moved, so nothing is lost; a picture
// whose size does not allow that is encoded again only after a question.
// The file is replaced through the safe write, so it gets the time of the
// turn, and its old thumbnails (the bitmap, the disk cache copy) are dropped
// at once so that its cell shows the turned picture.
#include "BrowserView.h"
#include "AfxMessageBox.h"
#include "CCmdUI.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "JpgFile.h"
#include "RgbBuffer.h"
#include "ThumbnailCache.h"
#include "ThumbnailManager.h"
#include "ThumbnailWindow.h"
#include "resource.h"

namespace
{
// Quality for a file whose tables tell none.
const int FallbackQuality = 90;

// Decodes the picture (upright), turns it, and saves it over itself at the
// quality it was saved with, keeping its metadata.
bool TurnByEncoding(const CString& path, int operation)
{
    CRgbBuffer picture;
    if (!picture.LoadRgbBuffer(path))
        return false;
    CRgbBuffer* turned =
        operation == CJpgFile::TurnRotate270 ? picture.Rotate270RGB() : picture.Rotate90RGB();
    if (!turned)
        return false;
    int quality = CJpgFile::EstimateQuality(path);
    CJpgFile file(path, quality > 0 ? quality : FallbackQuality, false);
    file.SetMetadataSource(path);
    bool saved = file.Save(turned) != 0;
    delete turned;
    return saved;
}

CString FileTitle(const CString& path)
{
    int slash = path.ReverseFind('\\');
    return slash >= 0 ? path.Mid(slash + 1) : path;
}
} // namespace


bool CBrowserView::HasSelectedJpeg() const
{
    if (!m_pFileList)
        return false;
    for (const CFileInfo* entry : m_Entries)
        if (entry->Selected() && CFileInfo::IsJPGFile(entry->GetName()))
            return true;
    return false;
}

int CBrowserView::RotateSelection(int operation)
{
    if (!m_pFileList)
        return 0;
    // The list may change meanwhile (a question box pumps messages), so the
    // paths are taken first; a file an album holds twice is turned once.
    std::vector<CString> paths;
    for (const CFileInfo* entry : m_Entries)
    {
        if (!entry->Selected() || !CFileInfo::IsJPGFile(entry->GetName()))
            continue;
        bool known = false;
        for (const CString& path : paths)
            known = known || path.CompareNoCase(entry->GetName()) == 0;
        if (!known)
            paths.push_back(entry->GetName());
    }

    int turned = 0;
    for (const CString& path : paths)
    {
        bool done = CJpgFile::TransformLossless(path, path, operation) != 0;
        // A file that could be turned without loss but not written (it is
        // read-only, or locked) is left alone: no question would help.
        if (!done && !CJpgFile::CanTransformLossless(path, operation))
        {
            CRgbBuffer probe;
            if (!CJpgFile(path).LoadReduced(&probe, 1, 1, NULL))
                continue; // no picture to turn
            CString text;
            text.Format("%s cannot be turned without loss. Turn it anyway?", (LPCSTR)FileTitle(path));
            if (AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
                continue;
            done = TurnByEncoding(path, operation);
        }
        if (!done)
            continue;
        ++turned;

        // The old thumbnails go: the bitmap now, the cache copy from disk.
        CString key = path;
        key.MakeUpper();
        if (g_pThumbnailManager)
        {
            CThumbnailInfo old = g_pThumbnailManager->Thumbnails().Take(key);
            if (old.m_hBitmap)
                ::DeleteObject(old.m_hBitmap);
        }
        ::DeleteFileA(ThumbnailCache::FileName(key));
        for (size_t k = 0; k < m_Entries.size(); ++k)
            if (m_Entries[k]->GetName().CompareNoCase(path) == 0)
                if (CThumbnailWindow* cell = GetCellWindow((int)k))
                    cell->Invalidate();
    }
    return turned;
}

void CBrowserView::OnRotateLeft()
{
    RotateSelection(CJpgFile::TurnRotate270);
}

void CBrowserView::OnRotateRight()
{
    RotateSelection(CJpgFile::TurnRotate90);
}

void CBrowserView::OnUpdateRotate(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasSelectedJpeg());
}
