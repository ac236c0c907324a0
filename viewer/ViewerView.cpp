// CViewerView: display modes, stepping with transitions, the slide show,
// rotation and flips, the title, and the command handlers.
#include "ViewerView.h"
#include "DisplayProfile.h"
#include "CPaintDC.h"
#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CFileDialog.h"
#include "RgbBuffer.h"
#include "FileInfo.h"
#include "PictureTypes.h"
#include "Folder.h"
#include "Album.h"
#include "TransitionManager.h"
#include "TransitionsDialog.h"
#include "TransitionSettings.h"
#include "AboutDlg.h"
#include "ViewerApp.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CViewerView, CScrollView)

BEGIN_MESSAGE_MAP(CViewerView, CScrollView)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_VIEWER_PICTURE_READY, OnPictureReady)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PREVIOUS_PICTURE, ID_STOP_SLIDESHOW, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_GLINTFIX, ID_DISPLAY_TIME_SHORTER, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_OPEN, ID_WEB_SITE, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_VIEWER_EXIT, OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SHELL_FIRST, ID_SHELL_LAST, OnUpdateShellCommand)
    ON_COMMAND(ID_TRANSITION_EFFECTS, OnTransitionEffects)
    ON_COMMAND(ID_OPEN, OnOpen)
    ON_COMMAND(ID_FILE_OPEN, OnOpen)
    ON_COMMAND(ID_BROWSER, OnBrowser)
    ON_COMMAND(ID_GLINTFIX, OnGlintfix)
    ON_COMMAND(ID_VIEWER_EXIT, OnExit)
    ON_COMMAND(ID_FULL_SCREEN, OnFullScreen)
    ON_COMMAND(ID_BEST_FIT, OnBestFit)
    ON_COMMAND(ID_FIT_TO_WINDOW, OnFitToWindow)
    ON_COMMAND(ID_ACTUAL_SIZE, OnActualSize)
    ON_COMMAND(ID_ZOOM_IN, OnZoomIn)
    ON_COMMAND(ID_ZOOM_OUT, OnZoomOut)
    ON_COMMAND(ID_CLOCKWISE, OnClockwise)
    ON_COMMAND(ID_COUNTER_CLOCKWISE, OnCounterClockwise)
    ON_COMMAND(ID_FLIP_VERTICAL, OnFlipVertical)
    ON_COMMAND(ID_FLIP_HORIZONTAL, OnFlipHorizontal)
    ON_COMMAND(ID_PREVIOUS_PICTURE, OnPreviousPicture)
    ON_COMMAND(ID_NEXT_PICTURE, OnNextPicture)
    ON_COMMAND(ID_PLAY_SLIDESHOW, OnPlaySlideShow)
    ON_COMMAND(ID_STOP_SLIDESHOW, OnStopSlideShow)
    ON_COMMAND(ID_DISPLAY_TIME_LONGER, OnDisplayTimeLonger)
    ON_COMMAND(ID_DISPLAY_TIME_SHORTER, OnDisplayTimeShorter)
    ON_COMMAND_RANGE(ID_MAGNIFIER_4, ID_MAGNIFIER_1, OnMagnifierPower)
    ON_COMMAND(ID_MAGNIFIER_LARGER, OnMagnifierLarger)
    ON_COMMAND(ID_MAGNIFIER_SMALLER, OnMagnifierSmaller)
    ON_COMMAND_RANGE(ID_SHELL_FIRST, ID_SHELL_LAST, OnShellCommand)
    ON_COMMAND(ID_VIEWER_ABOUT, OnAbout)
    ON_COMMAND(ID_WEB_SITE, OnWebSite)
END_MESSAGE_MAP()

namespace
{
const char* const kNoFileTitle = "Pixmere Viewer";
// The viewer's transition settings are the "Viewer_..." values.
const char* const kTransitionPrefix = "Viewer";
const SIZE kPage = {200, 150};
const SIZE kLine = {20, 15};
}

CViewerView::CViewerView()
    : m_pFileList(NULL), m_pOriginal(NULL), m_pDisplay(NULL), m_bActualSize(false), m_bFitToWindow(false),
      m_ZoomLevel(0), m_bSlideShow(false), m_DisplayTime("m_DisplayTime", 3, 1, 20),
      m_bColorManagement("m_bColorManagement", 1, 0, 1), m_MagnifierPower(1),
      m_MagnifierSize(192), m_pMagnified(NULL), m_MagnifierRect(0, 0, 0, 0), m_DragPoint(-1, -1),
      m_bFullScreen(false), m_SavedStyle(0), m_SavedExStyle(0), m_SavedMenu(NULL), m_TransitionFrames(0),
      m_FullSize(0, 0), m_bWholePicture(true), m_BudgetScale(1), m_MemoryBudget(ViewerPictures::DefaultMemoryBudget),
      m_bDisplayByFit(false), m_bPictureChanged(false), m_bPreviewShown(false), m_bThumbnailShown(false),
      m_bReadAheadHeld(false), m_bSteppedBack(false)
{
    m_DisplayMonitor = NULL;
    ViewerPictures::SetColourTarget(m_bColorManagement != 0, std::string());
}

CViewerView::~CViewerView()
{
    delete m_pFileList;
    delete m_pOriginal;
    delete m_pDisplay;
    delete m_pMagnified;
}

ViewerRules::State CViewerView::GetState() const
{
    ViewerRules::State s;
    s.playing = m_bSlideShow;
    s.hasPicture = m_pOriginal && m_pOriginal->IsImage();
    s.listCount = m_pFileList ? (int)m_pFileList->GetCount() : 0;
    s.hasCurrentFile = s.listCount > 0;
    s.actualSize = m_bActualSize;
    s.fitToWindow = m_bFitToWindow;
    s.zoomLevel = m_ZoomLevel;
    s.shownPixels = m_pDisplay ? (long long)m_pDisplay->GetWidth() * m_pDisplay->GetHeight() : 0;
    s.fullScreen = m_bFullScreen;
    s.displayTime = m_DisplayTime;
    s.magnifierPower = m_MagnifierPower;
    s.magnifierSize = m_MagnifierSize;
    return s;
}

bool CViewerView::IsCommandEnabled(UINT id) const
{
    return ViewerRules::IsEnabled(GetState(), id);
}

CString CViewerView::GetCurrentFileName()
{
    if (!m_pFileList || m_pFileList->IsEmpty())
        return CString();
    CFileInfo* entry = m_pFileList->GetCurrentFile();
    return entry ? entry->GetName() : CString();
}

CSize CViewerView::ClientSize() const
{
    CRect client;
    GetClientRect(&client);
    return CSize(client.Width(), client.Height());
}

ViewerPictures::Fit CViewerView::CurrentFit() const
{
    ViewerPictures::Fit fit;
    fit.mode = m_bActualSize ? ViewerPictures::ActualSize
                             : m_bFitToWindow ? ViewerPictures::FitToWindow : ViewerPictures::BestFit;
    CSize client = ClientSize();
    fit.client = CSize(client.cx > 0 ? client.cx : 1, client.cy > 0 ? client.cy : 1);
    return fit;
}

void CViewerView::SetMemoryBudget(long long bytes)
{
    m_MemoryBudget = bytes;
    m_ReadAhead.SetMemoryBudget(bytes);
}

// ---- Start-up and opening ----------------------------------------------

void CViewerView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(1, 1), kPage, kLine);
    m_ReadAhead.SetWindow(m_hWnd, WM_VIEWER_PICTURE_READY);
    SetTimer(ViewerRules::TitleTimer, 10);
    CString startPath;
    int album = 0;
    if (CWinApp* app = AfxGetApp())
    {
        if (CViewerApp* viewer = dynamic_cast<CViewerApp*>(app))
        {
            startPath = viewer->m_StartPath;
            album = viewer->m_AlbumNumber;
        }
    }
    OpenStart(startPath, album);
}

void CViewerView::OpenStart(const CString& startPath, int albumNumber)
{
    // Nothing read ahead from the old list is shown from the new one.
    m_ReadAhead.DropAll();
    delete m_pFileList;
    m_pFileList = NULL;
    bool isFile = !startPath.IsEmpty() && CFileInfo::FileExist(startPath);
    if (albumNumber != 0)
        m_pFileList = new CAlbum((unsigned)albumNumber);
    else
    {
        CString folder = isFile ? CFileInfo::GetPathFromFullPath(startPath) : startPath;
        folder.TrimRight('\\');
        m_pFileList = new CFolder(folder);
    }
    if (albumNumber != 0 || !startPath.IsEmpty())
        m_pFileList->Load();
    if (isFile)
    {
        if (CFileInfo* entry = m_pFileList->GetFile(startPath))
            m_pFileList->SetCurrentFile(entry);
    }
    m_bActualSize = m_bFitToWindow = false;
    m_ZoomLevel = 0;
    LoadCurrentPicture();
    UpdateTitle();
}

void CViewerView::OpenFile(const CString& path)
{
    StopSlideShow();
    OpenStart(path, 0);
    if (CWnd* frame = GetParentFrame())
        frame->SetWindowText(path);
}

void CViewerView::FollowDisplayProfile()
{
    // Read again only when the window has come to another monitor.
    HMONITOR monitor = m_hWnd ? CDisplayProfile::MonitorOf(m_hWnd) : NULL;
    if (!m_bColorManagement || monitor == m_DisplayMonitor)
        return;
    m_DisplayMonitor = monitor;
    std::string profile = CDisplayProfile::ForWindow(m_hWnd);
    if (profile == m_DisplayProfile)
        return;
    // The pictures read ahead are in the other monitor's colours.
    m_DisplayProfile = profile;
    ViewerPictures::SetColourTarget(true, profile);
    m_ReadAhead.DropAll();
}

void CViewerView::LoadCurrentPicture()
{
    FollowDisplayProfile();
    m_bActualSize = m_bFitToWindow = false;
    m_ZoomLevel = 0;
    // A large photo shows at once from its EXIF thumbnail or a reduced
    // decode for the window; the read-ahead worker brings the rest once
    // this first look is painted.
    CPictureWish wish;
    wish.m_Path = GetCurrentFileName();
    wish.m_Fit = CurrentFit();
    wish.m_bPreview = true;
    m_bReadAheadHeld = true;
    ShowPicture(CReadAhead::Decode(wish, m_MemoryBudget));
}

void CViewerView::SetOriginal(CRgbBuffer* original)
{
    delete m_pOriginal;
    m_pOriginal = original;
}

// ---- Display modes -------------------------------------------------------

CRgbBuffer* CViewerView::MakeDisplay(const CRgbBuffer* original) const
{
    return ViewerPictures::MakeDisplay(original, CurrentFit(), m_bPreviewShown ? m_FullSize : CSize(0, 0));
}

void CViewerView::Refit()
{
    SetDisplay(MakeDisplay(m_pOriginal));
    m_bDisplayByFit = true;
    m_DisplayFit = CurrentFit();
    // What was read ahead for another size or mode is of no use now.
    m_ReadAhead.DropAllBut(m_DisplayFit);
    ReadAround();
}

void CViewerView::SetDisplay(CRgbBuffer* display)
{
    SetDisplay(display, m_bActualSize || m_ZoomLevel != 0);
}

void CViewerView::SetDisplay(CRgbBuffer* display, bool scrolls)
{
    delete m_pDisplay;
    m_pDisplay = display;
    if (scrolls && m_pDisplay && m_pDisplay->IsImage())
        SetScrollSizes(MM_TEXT, m_pDisplay->GetImageSize(), kPage, kLine);
    else
        SetScrollSizes(MM_TEXT, CSize(1, 1), kPage, kLine);
    if (m_hWnd)
        Invalidate(FALSE);
}

void CViewerView::ShowBestFit()
{
    m_bActualSize = m_bFitToWindow = false;
    m_ZoomLevel = 0;
    Refit();
}

void CViewerView::ShowFitToWindow()
{
    m_bActualSize = false;
    m_bFitToWindow = true;
    m_ZoomLevel = 0;
    Refit();
}

void CViewerView::ShowActualSize()
{
    EnsureWholePicture();
    m_bActualSize = true;
    m_bFitToWindow = false;
    m_ZoomLevel = 0;
    Refit();
}

void CViewerView::Zoom(bool in)
{
    if (!m_pOriginal || !m_pOriginal->IsImage() || !m_pDisplay)
        return;
    EnsureWholePicture();
    CSize shown = m_pDisplay->GetImageSize();
    CSize size = in ? ViewerRules::ZoomInSize(shown) : ViewerRules::ZoomOutSize(shown);
    if (size.cx < 1 || size.cy < 1)
        return;
    CRgbBuffer* zoomed = m_pOriginal->CreateRectFitRGB(CRect(0, 0, size.cx, size.cy));
    if (!zoomed || !zoomed->IsImage())
    {
        delete zoomed;
        return;
    }
    zoomed->m_BackgroundColor = RGB(0, 0, 0);
    m_bActualSize = m_bFitToWindow = false;
    m_ZoomLevel += in ? 1 : -1;
    // Every zoom scrolls over the new size, also one back to level 0 (where
    // the picture may still be far larger than the window).
    SetDisplay(zoomed, true);
    m_bDisplayByFit = false;
    // A step leaves the zoom for best fit.
    m_ReadAhead.DropAllBut(CurrentFit());
    ReadAround();
}

void CViewerView::ReplaceOriginal(CRgbBuffer* changed)
{
    if (!changed)
        return;
    SetOriginal(changed);
    m_bPictureChanged = true;
    m_ZoomLevel = 0;
    Refit();
}

void CViewerView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    if (m_pOriginal && m_pOriginal->IsImage() && !m_bActualSize && m_ZoomLevel == 0 && cx > 0 && cy > 0)
        Refit();
}

// ---- Drawing ---------------------------------------------------------------

void CViewerView::DrawPicture(CDC* pDC, CRgbBuffer* picture)
{
    CSize client = ClientSize();
    if (!picture || !picture->IsImage())
    {
        CPoint scroll = GetScrollPosition();
        pDC->FillSolidRect(CRect(scroll.x, scroll.y, scroll.x + client.cx, scroll.y + client.cy), RGB(0, 0, 0));
        return;
    }
    picture->Draw(pDC, ViewerRules::DrawRect(client, picture->GetImageSize()), NULL);
}

void CViewerView::OnDraw(CDC* pDC)
{
    DrawPicture(pDC, m_pDisplay);
    ReleaseReadAhead();
}

BOOL CViewerView::OnEraseBkgnd(CDC*)
{
    return TRUE; // OnDraw covers the whole client area
}

bool CViewerView::IsCancelInputDown()
{
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) || (GetAsyncKeyState(VK_RBUTTON) & 0x8000) ||
           (GetAsyncKeyState(VK_SPACE) & 0x8000) || (GetAsyncKeyState(VK_ESCAPE) & 0x8000);
}

int CViewerView::PaintCallback(void* user, CRgbBuffer* frame)
{
    CViewerView* view = static_cast<CViewerView*>(user);
    if (!view || !frame || !view->m_hWnd)
        return 0;
    CClientDC dc(view);
    view->OnPrepareDC(&dc);
    view->DrawPicture(&dc, frame);
    frame->DeleteInternalBitmap();
    ++view->m_TransitionFrames;
    return IsCancelInputDown() ? 0 : 1;
}

// ---- Stepping and the slide show -----------------------------------------

void CViewerView::Step(bool forward)
{
    if (!m_pFileList || m_pFileList->IsEmpty())
        return;
    CFileInfo* entry = forward ? m_pFileList->SelectTheNextFile() : m_pFileList->SelectThePrevFile();
    m_ZoomLevel = 0;
    m_bSteppedBack = !forward;

    // The read-ahead picture when there is one, else a decode for the
    // window now (the whole picture follows while it is shown).
    ViewerPictures::Fit fit = CurrentFit();
    CReadyPicture* next = entry ? m_ReadAhead.Take(entry->GetName(), fit, false) : NULL;
    if (!next)
    {
        CPictureWish wish;
        if (entry)
            wish.m_Path = entry->GetName();
        wish.m_Fit = fit;
        wish.m_bPreview = true;
        next = CReadAhead::Decode(wish, m_MemoryBudget);
    }
    CRgbBuffer* display = next->m_pDisplay;

    // Transitions only while the slide show plays; the settings are read
    // afresh so a change in the chooser applies at the next step.
    CTransitionSettings settings(kTransitionPrefix);
    CRgbBuffer black;
    CTransitionManager* manager = new CTransitionManager;
    manager->Run(m_pDisplay ? m_pDisplay : &black, display, m_bSlideShow ? (UINT)settings.m_Transition : 0u,
                 PaintCallback, this, 2.0, settings.RunAmplitude());
    delete manager;

    // The picture left is kept as it is shown, for a step back.
    if (CReadyPicture* left = DetachShownPicture())
        m_ReadAhead.Keep(left);
    ShowPicture(next);
    UpdateWindow();
    UpdateTitle();
    ReadAround();
}

void CViewerView::PlaySlideShow()
{
    m_MagnifierPower = 1;
    ShowFitToWindow();
    m_bSlideShow = true;
    ReadAround();
    SetTimer(ViewerRules::SlideShowTimer, (UINT)m_DisplayTime * 1000);
}

void CViewerView::StopSlideShow()
{
    bool wasPlaying = m_bSlideShow;
    m_bSlideShow = false;
    if (m_hWnd)
        KillTimer(ViewerRules::SlideShowTimer);
    if (wasPlaying)
        ReadAround();
}

void CViewerView::UpdateTitle()
{
    CWnd* frame = GetParentFrame();
    if (!frame)
        return;
    CString name = GetCurrentFileName();
    if (name.IsEmpty())
        name = kNoFileTitle;
    else if (m_BudgetScale > 1 && m_pOriginal && m_pOriginal->IsImage())
    {
        // Too large to be held whole: the title says at which scale it is.
        CString scale;
        scale.Format(" (shown at 1/%d of its size to fit in memory)", m_BudgetScale);
        name += scale;
    }
    frame->SetWindowText(name);
}

void CViewerView::OnTimer(UINT_PTR nIDEvent)
{
    if (CWnd* frame = GetParentFrame())
    {
        if (frame->GetWindowTextLength() == 0)
            UpdateTitle();
    }
    switch (nIDEvent)
    {
    case ViewerRules::SlideShowTimer:
        KillTimer(ViewerRules::SlideShowTimer);
        if (!m_bSlideShow)
            break;
        Step(true);
        if (m_bSlideShow)
            SetTimer(ViewerRules::SlideShowTimer, (UINT)m_DisplayTime * 1000);
        break;
    case ViewerRules::TitleTimer:
        KillTimer(ViewerRules::TitleTimer);
        // A window that is not painted (minimised) still reads ahead.
        ReleaseReadAhead();
        UpdateTitle();
        Invalidate(FALSE);
        break;
    case ViewerRules::MagnifierTimer:
        KillTimer(ViewerRules::MagnifierTimer);
        DrawMagnifier();
        break;
    default:
        CScrollView::OnTimer(nIDEvent);
    }
}

void CViewerView::OnDestroy()
{
    KillTimer(ViewerRules::SlideShowTimer);
    KillTimer(ViewerRules::TitleTimer);
    KillTimer(ViewerRules::MagnifierTimer);
    m_ReadAhead.SetWindow(NULL, 0);
    CScrollView::OnDestroy();
}

// ---- Keys -----------------------------------------------------------------

void CViewerView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    UINT command = 0;
    switch (nChar)
    {
    case VK_RETURN:
    case VK_F11:
        if (!m_bFullScreen)
            command = ID_FULL_SCREEN;
        break;
    case VK_ESCAPE:
        if (m_bFullScreen)
            command = ID_FULL_SCREEN;
        else
            command = ID_STOP_SLIDESHOW;
        break;
    case VK_SPACE:
    case VK_NEXT:
    case VK_RIGHT:
    case VK_DOWN:
        StepByKey(true);
        return;
    case VK_PRIOR:
    case VK_LEFT:
    case VK_UP:
        StepByKey(false);
        return;
    case VK_END:
    case VK_DELETE:
        command = ID_BEST_FIT;
        break;
    case VK_HOME:
    case VK_INSERT:
        command = ID_ACTUAL_SIZE;
        break;
    case VK_ADD:
        command = ID_ZOOM_IN;
        break;
    case VK_SUBTRACT:
        command = ID_ZOOM_OUT;
        break;
    }
    // A key does what its command does, under the command's own condition.
    if (command && IsCommandEnabled(command))
        SendMessage(WM_COMMAND, command, 0);
    else
        CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
}

// The stepping keys work in every state, a playing slide show included, so
// that a user can skip a picture during a show; the show then gives the
// picture it skipped to its whole display time.
void CViewerView::StepByKey(bool forward)
{
    Step(forward);
    if (m_bSlideShow && m_hWnd)
    {
        KillTimer(ViewerRules::SlideShowTimer);
        SetTimer(ViewerRules::SlideShowTimer, (UINT)m_DisplayTime * 1000);
    }
}

// ---- Commands --------------------------------------------------------------

void CViewerView::OnUpdateCommand(CCmdUI* pCmdUI)
{
    ViewerRules::State state = GetState();
    UINT id = pCmdUI->m_nID;
    pCmdUI->Enable(ViewerRules::IsEnabled(state, id));
    if (id == ID_FULL_SCREEN || ViewerRules::MagnifierPowerOf(id))
        pCmdUI->SetCheck(ViewerRules::CheckOf(state, id));
    CString text = ViewerRules::MenuText(state, id);
    if (!text.IsEmpty())
        pCmdUI->SetText(text);
}

void CViewerView::OnUpdateShellCommand(CCmdUI* pCmdUI)
{
    // The shell enabled and greyed its own items when it filled the menu;
    // marking the state as set keeps the frame from enabling them all for
    // having a command handler.
    pCmdUI->m_bEnableChanged = TRUE;
}

void CViewerView::OnTransitionEffects()
{
    if (!IsCommandEnabled(ID_TRANSITION_EFFECTS))
        return;
    CTransitionsDialog dialog(kTransitionPrefix, this);
    dialog.DoModal();
}

void CViewerView::OnOpen()
{
    if (!IsCommandEnabled(ID_OPEN))
        return;
    CString current = GetCurrentFileName();
    CFileDialog dialog(TRUE, "jpg", current.IsEmpty() ? NULL : (LPCSTR)current,
                       OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, CPictureTypes::GetOpenFilter(), this);
    if (dialog.DoModal() == IDOK)
        OpenFile(dialog.GetPathName());
}

void CViewerView::OnBestFit()
{
    if (IsCommandEnabled(ID_BEST_FIT))
        ShowBestFit();
}

void CViewerView::OnFitToWindow()
{
    if (IsCommandEnabled(ID_FIT_TO_WINDOW))
        ShowFitToWindow();
}

void CViewerView::OnActualSize()
{
    if (IsCommandEnabled(ID_ACTUAL_SIZE))
        ShowActualSize();
}

void CViewerView::OnZoomIn()
{
    if (IsCommandEnabled(ID_ZOOM_IN))
        Zoom(true);
}

void CViewerView::OnZoomOut()
{
    if (IsCommandEnabled(ID_ZOOM_OUT))
        Zoom(false);
}

void CViewerView::OnClockwise()
{
    if (IsCommandEnabled(ID_CLOCKWISE))
    {
        EnsureWholePicture();
        ReplaceOriginal(m_pOriginal->CreateRotatedRGB(90));
    }
}

void CViewerView::OnCounterClockwise()
{
    if (IsCommandEnabled(ID_COUNTER_CLOCKWISE))
    {
        EnsureWholePicture();
        ReplaceOriginal(m_pOriginal->CreateRotatedRGB(270));
    }
}

void CViewerView::OnFlipVertical()
{
    if (IsCommandEnabled(ID_FLIP_VERTICAL))
    {
        EnsureWholePicture();
        ReplaceOriginal(m_pOriginal->FlipVertRGB());
    }
}

void CViewerView::OnFlipHorizontal()
{
    if (IsCommandEnabled(ID_FLIP_HORIZONTAL))
    {
        EnsureWholePicture();
        ReplaceOriginal(m_pOriginal->FlipHorzRGB());
    }
}

void CViewerView::OnPreviousPicture()
{
    if (IsCommandEnabled(ID_PREVIOUS_PICTURE))
        Step(false);
}

void CViewerView::OnNextPicture()
{
    if (IsCommandEnabled(ID_NEXT_PICTURE))
        Step(true);
}

void CViewerView::OnPlaySlideShow()
{
    if (IsCommandEnabled(ID_PLAY_SLIDESHOW))
        PlaySlideShow();
}

void CViewerView::OnStopSlideShow()
{
    StopSlideShow();
}

void CViewerView::OnDisplayTimeLonger()
{
    m_DisplayTime = m_DisplayTime + 1;
}

void CViewerView::OnDisplayTimeShorter()
{
    m_DisplayTime = m_DisplayTime - 1;
}

void CViewerView::OnMagnifierPower(UINT nID)
{
    int power = ViewerRules::MagnifierPowerOf(nID);
    if (!power || !IsCommandEnabled(nID))
        return;
    m_MagnifierPower = power;
    m_MagnifierRect.SetRectEmpty();
    Invalidate(FALSE);
}

void CViewerView::OnMagnifierLarger()
{
    if (!IsCommandEnabled(ID_MAGNIFIER_LARGER))
        return;
    m_MagnifierSize *= 2;
    m_MagnifierRect.SetRectEmpty();
    Invalidate(FALSE);
}

void CViewerView::OnMagnifierSmaller()
{
    if (!IsCommandEnabled(ID_MAGNIFIER_SMALLER))
        return;
    m_MagnifierSize /= 2;
    m_MagnifierRect.SetRectEmpty();
    Invalidate(FALSE);
}

void CViewerView::OnAbout()
{
    CAboutDlg dialog("Viewer");
    dialog.DoModal();
}

void CViewerView::OnWebSite()
{
    CAboutDlg::VisitWebSite();
}
