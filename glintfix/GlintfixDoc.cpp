// CGlintfixDoc: loading, saving as JPEG, and the changes made to both pictures.
#include "GlintfixDoc.h"
#include "CCmdUI.h"
#include "CFileDialog.h"
#include "FileInfo.h"
#include "JpgFile.h"
#include "RgbBuffer.h"
#include "GlintfixApp.h"
#include "AfxMessageBox.h"
#include "GlintfixRules.h"
#include "EditSteps.h"
#include "TrackerBar.h"
#include "Property.h"
#include "resource.h"
#include <string.h>
#include <algorithm>

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
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
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

BOOL LoadFile(CRgbBuffer* target, const CString& path) { return target->LoadRgbBuffer(path, false); }

CGlintfixDoc::Reloader s_reloader = &LoadFile;
}

CGlintfixDoc::Reloader CGlintfixDoc::SetReloader(Reloader reloader)
{
    Reloader previous = s_reloader;
    s_reloader = reloader ? reloader : &LoadFile;
    return previous;
}

CGlintfixDoc::CGlintfixDoc() : m_pBase(new CRgbBuffer), m_pWorking(new CRgbBuffer), m_bRedEyeFixed(false)
{
    SetState(CEditState::Unchanged());
}

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
    SetState(CEditState::Unchanged());
    m_strLoadedFrom.Empty();
    m_History.Clear();
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
        AfxMessageBox("Invalid image file : " + asked, MB_OK | MB_ICONEXCLAMATION);
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
        AfxMessageBox("Could not write the file " + written, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_strLoadedFrom = written; // it holds the metadata now
    CRgbBuffer* reloaded = new CRgbBuffer;
    // When the file cannot be read back, the pixels just written are what
    // it holds: they become the base, so later colour changes keep the fixes.
    if (!s_reloader(reloaded, written))
        *reloaded = *m_pWorking;
    reloaded->m_BackgroundColor = kMargin;
    CRgbBuffer* working = new CRgbBuffer(*reloaded);
    working->m_GrayScale = 0;
    // The history keeps the pictures the save replaced, so that an undo can
    // go on from exactly where the steps left them; a save straight after
    // another one replaces only the file's pictures.
    if (m_History.HasStepsBehind() && !m_History.TransparentTop())
        m_History.Add(EditSteps::Reload(State(), m_pBase, m_pWorking));
    else
    {
        delete m_pBase;
        delete m_pWorking;
    }
    m_pBase = reloaded;
    m_pWorking = working;
    SetState(CEditState::Unchanged());
    m_History.MarkSaved();
    SetModifiedFlag(FALSE);
    UpdateAllViews(NULL, HintReloaded);
    return TRUE;
}

BOOL CGlintfixDoc::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    switch (AfxMessageBox("Save changes to " + name + "?", MB_YESNOCANCEL | MB_ICONEXCLAMATION))
    {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return m_strPathName.IsEmpty() ? SaveAs() : OnSaveDocument(m_strPathName);
    }
    return TRUE;
}

CEditState CGlintfixDoc::State() const
{
    CEditState state;
    state.m_bRedEyeFixed = m_bRedEyeFixed;
    memcpy(state.m_Colors, m_Colors, sizeof(m_Colors));
    return state;
}

void CGlintfixDoc::SetState(const CEditState& state)
{
    m_bRedEyeFixed = state.m_bRedEyeFixed;
    memcpy(m_Colors, state.m_Colors, sizeof(m_Colors));
}

CRgbBuffer* CGlintfixDoc::MakeWorking(const CEditState& state) const
{
    if (!m_pBase->IsImage())
        return NULL;
    const int* c = state.m_Colors;
    return m_pBase->CreateAlteredRGB(c[0], c[1], c[2], c[3], c[4], c[5]);
}

void CGlintfixDoc::SetWorking(CRgbBuffer* working)
{
    if (!working)
        return;
    working->m_BackgroundColor = kMargin;
    working->m_GrayScale = 0;
    // Edits keep the file's colours: the view converts them when it draws.
    working->m_IccProfile = m_pBase->m_IccProfile;
    delete m_pWorking;
    m_pWorking = working;
}

void CGlintfixDoc::FollowHistory() { SetModifiedFlag(m_History.IsAtSaved() ? FALSE : TRUE); }

void CGlintfixDoc::ApplyColors(int saturation, int brightness, int contrast, int red, int green, int blue)
{
    if (!m_pBase->IsImage())
        return;
    CEditState was = State(), is = State();
    const int colors[CEditState::kColors] = {saturation, brightness, contrast, red, green, blue};
    memcpy(is.m_Colors, colors, sizeof(colors));
    CRgbBuffer* altered = MakeWorking(is);
    if (!altered)
        return;
    CRgbBuffer* previous = m_pWorking;
    m_pWorking = NULL;
    SetWorking(altered);
    SetState(is);
    m_History.Add(EditSteps::Rebuild(*this, was, is, previous));
    FollowHistory();
    UpdateAllViews(NULL);
}

void CGlintfixDoc::RestoreWorking()
{
    CEditState was = State(), is = CEditState::Unchanged();
    CRgbBuffer* restored = new CRgbBuffer(*m_pBase);
    CRgbBuffer* previous = m_pWorking;
    m_pWorking = NULL;
    SetWorking(restored);
    SetState(is);
    if (m_pBase->IsImage())
        m_History.Add(EditSteps::Rebuild(*this, was, is, previous));
    else
        delete previous;
    FollowHistory();
    UpdateAllViews(NULL);
}

void CGlintfixDoc::RemoveRedEye(CPoint center, int radius)
{
    if (!HasPicture())
        return;
    CEditState was = State();
    // The circle's square is all a click can change.
    CPixelPatch before;
    before.Take(*m_pWorking, CRect((int)std::max<long long>((long long)center.x - radius, 0),
                                   (int)std::max<long long>((long long)center.y - radius, 0),
                                   (int)std::min<long long>((long long)center.x + radius, m_pWorking->m_Width),
                                   (int)std::min<long long>((long long)center.y + radius, m_pWorking->m_Height)));
    m_bRedEyeFixed = true;
    m_pWorking->RemoveRedEye(center, radius);
    m_pWorking->DeleteInternalBitmap();
    m_History.Add(EditSteps::Region(was, State(), before, *m_pWorking));
    FollowHistory();
    UpdateAllViews(NULL);
}

bool CGlintfixDoc::Undo()
{
    if (!m_History.Undo(*this))
        return false;
    m_pWorking->DeleteInternalBitmap();
    FollowHistory();
    UpdateAllViews(NULL);
    return true;
}

bool CGlintfixDoc::Redo()
{
    if (!m_History.Redo(*this))
        return false;
    m_pWorking->DeleteInternalBitmap();
    FollowHistory();
    UpdateAllViews(NULL);
    return true;
}

void CGlintfixDoc::Turn(int transform)
{
    if (!HasPicture() || !m_pBase->IsImage())
        return;
    EditSteps::Transform kind = (EditSteps::Transform)transform;
    if (!EditSteps::TransformBoth(*this, kind))
        return;
    m_History.Add(EditSteps::Turn(State(), kind));
    FollowHistory();
    UpdateAllViews(NULL);
}

void CGlintfixDoc::OnRotateClockwise() { Turn(EditSteps::RotateClockwise); }
void CGlintfixDoc::OnRotateCounterClockwise() { Turn(EditSteps::RotateCounterClockwise); }
void CGlintfixDoc::OnFlipHorizontal() { Turn(EditSteps::FlipHorizontal); }
void CGlintfixDoc::OnFlipVertical() { Turn(EditSteps::FlipVertical); }

void CGlintfixDoc::OnEditUndo() { Undo(); }
void CGlintfixDoc::OnEditRedo() { Redo(); }
void CGlintfixDoc::OnUpdateEditUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(m_History.CanUndo()); }
void CGlintfixDoc::OnUpdateEditRedo(CCmdUI* pCmdUI) { pCmdUI->Enable(m_History.CanRedo()); }

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
