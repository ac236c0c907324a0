// CViewerView's pictures as loaded: showing a decoded picture, keeping the
// one left for a step back, the whole picture of one shown reduced, and what
// the read-ahead worker is asked for next.
#include "ViewerView.h"
#include "RgbBuffer.h"
#include "FileInfo.h"
#include "FileInfoList.h"

void CViewerView::ShowPicture(CReadyPicture* picture)
{
    SetOriginal(picture->m_pOriginal);
    picture->m_pOriginal = NULL;
    m_ShownPath = picture->m_Path;
    m_FullSize = picture->m_FullSize;
    m_bWholePicture = picture->m_bWhole;
    if (picture->m_bWhole)
        m_BudgetScale = picture->m_Scale;
    else
        m_BudgetScale = CFileInfo::IsJPGFile(m_ShownPath) ? ViewerPictures::ScaleForBudget(m_FullSize, m_MemoryBudget)
                                                          : 1;
    m_DisplayFit = picture->m_Fit;
    m_bDisplayByFit = true;
    m_bPictureChanged = false;
    m_bPreviewShown = picture->m_bPreview;
    m_bThumbnailShown = picture->m_bPreview && picture->m_bThumbnail;
    CRgbBuffer* display = picture->m_pDisplay;
    picture->m_pDisplay = NULL;
    delete picture;
    SetDisplay(display);
}

CReadyPicture* CViewerView::DetachShownPicture()
{
    if (!m_bDisplayByFit || m_bPictureChanged || m_bPreviewShown || m_ShownPath.IsEmpty() || !m_pOriginal ||
        !m_pDisplay || m_DisplayFit != CurrentFit())
        return NULL;
    // A very large whole picture is not held on to: three of them would
    // not fit into a 32-bit process beside the one shown.
    if ((long long)m_pOriginal->GetWidth() * m_pOriginal->GetHeight() * 3 > m_MemoryBudget / 8)
        return NULL;
    CReadyPicture* shown = new CReadyPicture;
    shown->m_Path = m_ShownPath;
    shown->m_Fit = m_DisplayFit;
    shown->m_bWhole = m_bWholePicture;
    shown->m_FullSize = m_FullSize;
    shown->m_Scale = m_BudgetScale;
    shown->m_pOriginal = m_pOriginal;
    shown->m_pDisplay = m_pDisplay;
    m_pOriginal = m_pDisplay = NULL;
    return shown;
}

void CViewerView::EnsureWholePicture()
{
    if (m_bWholePicture || !m_pOriginal || !m_pOriginal->IsImage() || m_ShownPath.IsEmpty())
        return;
    CReadyPicture* whole = m_ReadAhead.Take(m_ShownPath, m_DisplayFit, true);
    if (!whole)
    {
        CPictureWish wish;
        wish.m_Path = m_ShownPath;
        wish.m_Fit = m_DisplayFit;
        wish.m_bWhole = true;
        wish.m_FullSize = m_FullSize;
        whole = CReadAhead::Decode(wish, m_MemoryBudget);
    }
    // A file that can no longer be read leaves the reduced picture shown.
    if (whole->m_pOriginal && whole->m_pOriginal->IsImage())
    {
        SetOriginal(whole->m_pOriginal);
        whole->m_pOriginal = NULL;
        m_FullSize = whole->m_FullSize;
        m_BudgetScale = whole->m_Scale;
    }
    m_bWholePicture = true;
    m_bPreviewShown = m_bThumbnailShown = false;
    delete whole;
    UpdateTitle();
}

CString CViewerView::NeighbourFile(bool forward) const
{
    if (!m_pFileList || m_pFileList->GetCount() < 2)
        return CString();
    CFileInfo* current = m_pFileList->GetCurrentFile();
    POSITION pos = current ? m_pFileList->Find(current) : NULL;
    if (!pos)
        return CString();
    if (forward)
        m_pFileList->GetNext(pos);
    else
        m_pFileList->GetPrev(pos);
    void* neighbour = pos ? m_pFileList->GetAt(pos) : forward ? m_pFileList->GetHead() : m_pFileList->GetTail();
    return static_cast<CFileInfo*>(neighbour)->GetName();
}

void CViewerView::ReleaseReadAhead()
{
    if (!m_bReadAheadHeld)
        return;
    m_bReadAheadHeld = false;
    ReadAround();
}

void CViewerView::ReadAround()
{
    if (m_bReadAheadHeld)
        return;
    std::vector<CPictureWish> wishes;
    ViewerPictures::Fit fit = CurrentFit();
    bool asShown = m_bDisplayByFit && !m_bPictureChanged && m_DisplayFit == fit && !m_ShownPath.IsEmpty();
    // A first look comes first: by the window's decode during a show or
    // after a thumbnail (that decode is far quicker than the whole one),
    // else by the whole picture.
    if (m_bPreviewShown && asShown)
    {
        CPictureWish shown;
        shown.m_Path = m_ShownPath;
        shown.m_Fit = fit;
        shown.m_bWhole = !m_bSlideShow && !m_bThumbnailShown;
        shown.m_FullSize = m_FullSize;
        wishes.push_back(shown);
    }
    // A slide show always goes forward.
    CString neighbour = NeighbourFile(m_bSlideShow || !m_bSteppedBack);
    if (!neighbour.IsEmpty())
    {
        CPictureWish next;
        next.m_Path = neighbour;
        next.m_Fit = fit;
        wishes.push_back(next);
    }
    // Once the neighbour is ready, the whole of a picture shown reduced;
    // a slide show never needs more than the window.
    if (!m_bSlideShow && !m_bWholePicture && !m_bPreviewShown && asShown)
    {
        CPictureWish whole;
        whole.m_Path = m_ShownPath;
        whole.m_Fit = fit;
        whole.m_bWhole = true;
        whole.m_FullSize = m_FullSize;
        wishes.push_back(whole);
    }
    m_ReadAhead.Wish(wishes);
}

LRESULT CViewerView::OnPictureReady(WPARAM, LPARAM)
{
    // The whole picture of one shown reduced replaces it as it is shown.
    if (m_bWholePicture || !m_bDisplayByFit || m_bPictureChanged || m_ShownPath.IsEmpty())
        return 0;
    // A first look gives way to any better decode.
    CReadyPicture* whole = m_ReadAhead.Take(m_ShownPath, m_DisplayFit, !m_bPreviewShown, false);
    if (!whole)
        return 0;
    if (whole->m_pOriginal && whole->m_pOriginal->IsImage())
    {
        bool wasPreview = m_bPreviewShown;
        ShowPicture(whole);
        UpdateTitle();
        // After a first look the whole picture may still be wanted.
        if (wasPreview)
            ReadAround();
    }
    else
    {
        m_bWholePicture = true;
        delete whole;
    }
    return 0;
}
