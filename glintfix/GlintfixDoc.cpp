// CGlintfixDoc: loading, saving as JPEG, and the changes made to both pictures.
#include "GlintfixDoc.h"
#include "CCmdUI.h"
#include "CFileDialog.h"
#include "FileInfo.h"
#include "JpgFile.h"
#include "RgbBuffer.h"
#include "GlintfixApp.h"
#include "GlintfixPrompt.h"
#include "GlintfixRules.h"
#include "TrackerBar.h"
#include "Property.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CGlintfixDoc, CDocument)

BEGIN_MESSAGE_MAP(CGlintfixDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_ROTATE_CLOCKWISE, OnRotateClockwise)
    ON_COMMAND(ID_ROTATE_COUNTER_CLOCKWISE, OnRotateCounterClockwise)
    ON_COMMAND(ID_FLIP_HORIZONTAL, OnFlipHorizontal)
    ON_COMMAND(ID_FLIP_VERTICAL, OnFlipVertical)
    ON_UPDATE_COMMAND_UI(ID_ROTATE_CLOCKWISE, OnUpdateNeedsPicture)
    ON_UPDATE_COMMAND_UI(ID_ROTATE_COUNTER_CLOCKWISE, OnUpdateNeedsPicture)
    ON_UPDATE_COMMAND_UI(ID_FLIP_HORIZONTAL, OnUpdateNeedsPicture)
    ON_UPDATE_COMMAND_UI(ID_FLIP_VERTICAL, OnUpdateNeedsPicture)
END_MESSAGE_MAP()

namespace
{
const COLORREF kMargin = RGB(192, 192, 192);

int CurrentQuality()
{
    if (CTrackerBar* bar = CTrackerBar::Instance())
        return bar->ReadQuality();
    CIntProperty<int> quality("m_Quality", 90, GlintfixRules::kMinQuality, GlintfixRules::kMaxQuality);
    return quality;
}
}

CGlintfixDoc::CGlintfixDoc() : m_pBase(new CRgbBuffer), m_pWorking(new CRgbBuffer), m_bRedEyeFixed(false) {}

CGlintfixDoc::~CGlintfixDoc()
{
    delete m_pBase;
    delete m_pWorking;
}

bool CGlintfixDoc::HasPicture() const { return m_pWorking && m_pWorking->IsImage(); }

CSize CGlintfixDoc::GetPictureSize() const { return HasPicture() ? m_pWorking->GetImageSize() : CSize(0, 0); }

void CGlintfixDoc::DeleteContents()
{
    m_pBase->CleanUp();
    m_pWorking->CleanUp();
    m_bRedEyeFixed = false;
    m_strLoadedFrom.Empty();
}

BOOL CGlintfixDoc::OnOpenDocument(LPCSTR lpszPathName)
{
    DeleteContents();
    CString asked = lpszPathName ? lpszPathName : "";
    CString opened = GlintfixRules::OpenPath(asked);
    m_pBase->LoadRgbBuffer(opened, false);
    m_strLoadedFrom = CFileInfo::IsJPGFile(opened) ? opened : CString();
    *m_pWorking = *m_pBase;
    m_pWorking->m_BackgroundColor = kMargin;
    m_bRedEyeFixed = false;
    SetModifiedFlag(FALSE);
    if (!m_pWorking->IsImage())
    {
        GlintfixPrompt::Ask("Invalid image file : " + asked, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

void CGlintfixDoc::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    CString path = CFileInfo::AssureExtension(lpszPathName ? lpszPathName : "", "jpg");
    CDocument::SetPathName(path, bAddToMRU);
    SetTitle(path);
}

BOOL CGlintfixDoc::OnSaveDocument(LPCSTR lpszPathName)
{
    if (!HasPicture())
        return TRUE;
    int quality = CurrentQuality();
    CString written = CFileInfo::AssureExtension(lpszPathName, "jpg");
    CJpgFile writer(written, quality, false);
    writer.SetMetadataSource(m_strLoadedFrom);
    if (!writer.Save(m_pWorking))
    {
        // The picture stays in memory, modified, so nothing is lost.
        GlintfixPrompt::Ask("Could not write the file " + written, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_strLoadedFrom = written; // it holds the metadata now
    CRgbBuffer* reloaded = new CRgbBuffer;
    if (reloaded->LoadRgbBuffer(written, false))
    {
        delete m_pBase;
        m_pBase = reloaded;
        *m_pWorking = *m_pBase;
        m_pWorking->m_BackgroundColor = kMargin;
    }
    else
        delete reloaded; // the picture in memory is still what was written
    m_bRedEyeFixed = false;
    SetModifiedFlag(FALSE);
    UpdateAllViews(NULL, HintReloaded);
    return TRUE;
}

BOOL CGlintfixDoc::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    switch (GlintfixPrompt::Ask("Save changes to " + name + "?", MB_YESNOCANCEL | MB_ICONEXCLAMATION))
    {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return m_strPathName.IsEmpty() ? SaveAs() : OnSaveDocument(m_strPathName);
    }
    return TRUE;
}

void CGlintfixDoc::ApplyColors(int saturation, int brightness, int contrast, int red, int green, int blue)
{
    if (!m_pBase->IsImage())
        return;
    CRgbBuffer* altered = m_pBase->CreateAlteredRGB(saturation, brightness, contrast, red, green, blue);
    if (!altered)
        return;
    delete m_pWorking;
    m_pWorking = altered;
    m_pWorking->m_BackgroundColor = kMargin;
    SetModifiedFlag(TRUE);
    UpdateAllViews(NULL);
}

void CGlintfixDoc::RestoreWorking()
{
    *m_pWorking = *m_pBase;
    m_pWorking->m_BackgroundColor = kMargin;
    m_bRedEyeFixed = false;
    UpdateAllViews(NULL);
}

void CGlintfixDoc::RemoveRedEye(CPoint center, int radius)
{
    if (!HasPicture())
        return;
    m_bRedEyeFixed = true;
    m_pWorking->RemoveRedEye(center, radius);
    m_pWorking->DeleteInternalBitmap();
    SetModifiedFlag(TRUE);
    UpdateAllViews(NULL);
}

void CGlintfixDoc::ReplaceBoth(CRgbBuffer* (CRgbBuffer::*transform)() const)
{
    if (!HasPicture() || !m_pBase->IsImage())
        return;
    CRgbBuffer* working = (m_pWorking->*transform)();
    CRgbBuffer* base = (m_pBase->*transform)();
    if (!working || !base)
    {
        delete working;
        delete base;
        return;
    }
    delete m_pWorking;
    delete m_pBase;
    m_pWorking = working;
    m_pBase = base;
    m_pWorking->m_BackgroundColor = kMargin;
    SetModifiedFlag(TRUE);
    UpdateAllViews(NULL);
}

void CGlintfixDoc::OnRotateClockwise() { ReplaceBoth(&CRgbBuffer::Rotate90RGB); }
void CGlintfixDoc::OnRotateCounterClockwise() { ReplaceBoth(&CRgbBuffer::Rotate270RGB); }
void CGlintfixDoc::OnFlipHorizontal() { ReplaceBoth(&CRgbBuffer::FlipHorzRGB); }
void CGlintfixDoc::OnFlipVertical() { ReplaceBoth(&CRgbBuffer::FlipVertRGB); }

void CGlintfixDoc::OnUpdateNeedsPicture(CCmdUI* pCmdUI) { pCmdUI->Enable(HasPicture()); }

void CGlintfixDoc::OnFileSave()
{
    if (m_strPathName.IsEmpty())
        SaveAs();
    else
        OnSaveDocument(m_strPathName);
}

void CGlintfixDoc::OnFileSaveAs() { SaveAs(); }

BOOL CGlintfixDoc::SaveAs()
{
    // Without a picture there is nothing to write, nor a name to take.
    if (!HasPicture())
        return TRUE;
    CString name = m_strPathName;
    CFileDialog dialog(FALSE, "jpg", name.IsEmpty() ? NULL : (LPCSTR)name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "JPG(*.jpg)|*.jpg||", AfxGetMainWnd());
    if (dialog.DoModal() != IDOK)
        return FALSE;
    CString path = CFileInfo::AssureExtension(dialog.GetPathName(), "jpg");
    if (!OnSaveDocument(path))
        return FALSE;
    SetPathName(path);
    if (CGlintfixApp* app = GetGlintfixApp())
        app->AddToRecentFileList(path);
    return TRUE;
}

void CGlintfixDoc::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}
