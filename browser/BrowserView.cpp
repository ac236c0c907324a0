// CBrowserView: creation, showing a folder or an album, letting a list go,
// building the cells and the background.
#include "BrowserView.h"
#include <string.h>
#include "CDC.h"
#include "CFrameWnd.h"
#include "CSplitterWnd.h"
#include "CCmdUI.h"
#include "Album.h"
#include "Folder.h"
#include "FileInfo.h"
#include "BitmapFactory.h"
#include "ThreadBase.h"
#include "CellWindowPool.h"
#include "LeftView.h"
#include "ThumbnailManager.h"
#include "ThumbnailWindow.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CBrowserView, CScrollView)

BEGIN_MESSAGE_MAP(CBrowserView, CScrollView)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_CAPTURECHANGED()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_SHOWFOLDER, OnShowFolderMessage)
    ON_MESSAGE(WM_LISTSAVED, OnListSavedMessage)
    ON_MESSAGE(WM_TELLSAVEFAILED, OnTellSaveFailedMessage)
    ON_WM_TIMER()
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateViewCommand)
    ON_UPDATE_COMMAND_UI(ID_INVERT_SELECTION, OnUpdateViewCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateViewCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateViewCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateViewCommand)
    ON_UPDATE_COMMAND_UI(ID_REMOVE, OnUpdateViewCommand)
    ON_UPDATE_COMMAND_UI(ID_OPEN_VIEWER, OnUpdateViewCommand)
    ON_UPDATE_COMMAND_UI(ID_OPEN_GLINTFIX, OnUpdateViewCommand)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnSelectAll)
    ON_COMMAND(ID_INVERT_SELECTION, OnInvertSelection)
    ON_COMMAND(ID_EDIT_CUT, OnCut)
    ON_COMMAND(ID_EDIT_COPY, OnCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnPaste)
    ON_COMMAND(ID_REMOVE, OnRemove)
    ON_COMMAND(ID_OPEN_VIEWER, OnOpenViewer)
    ON_COMMAND(ID_OPEN_GLINTFIX, OnOpenGlintfix)
    ON_UPDATE_COMMAND_UI(ID_ROTATE_LEFT, OnUpdateRotate)
    ON_UPDATE_COMMAND_UI(ID_ROTATE_RIGHT, OnUpdateRotate)
    ON_COMMAND(ID_ROTATE_LEFT, OnRotateLeft)
    ON_COMMAND(ID_ROTATE_RIGHT, OnRotateRight)
END_MESSAGE_MAP()

namespace
{
const char* const kEmptyTitle = "Pixmere";
const SIZE kEmptyTotal = {100, 100};
const SIZE kEmptyPage = {200, 150};
const SIZE kEmptyLine = {20, 15};
// The timer that makes the windows of the margin after a list is built,
// once the generator has no more tasks for the visible cells (making the
// margin's windows holds up their painting), or after MarginMaxTicks ticks.
const UINT_PTR MarginTimer = 1;
const UINT MarginTickMs = 100;
const int MarginMaxTicks = 20;
}

CBrowserView::CBrowserView()
    : m_pFrame(NULL), m_pFileList(NULL), m_pCells(NULL), m_bMarginPending(FALSE), m_nMarginTicks(0),
      m_nAlbum(0), m_FolderTile(NULL), m_AlbumTile(NULL),
      m_bRubberBand(FALSE), m_ptAnchor(0, 0), m_rcBand(0, 0, 0, 0), m_bClosing(FALSE), m_hCellBackground(NULL)
{
    CSuiteLock lock;
    CWinThread* thread = AfxGetThread();
    m_pFrame = thread ? dynamic_cast<CFrameWnd*>(thread->m_pMainWnd) : NULL;
    JoinViewList();
}

CBrowserView::~CBrowserView()
{
    LeaveViewList();
    // The window normally lets the list go on WM_DESTROY; this covers a view
    // whose window was never made.
    delete m_pCells;
    m_pCells = NULL;
    if (m_pFileList)
        StoreChanges(m_pFileList);
    delete m_pFileList;
    DeleteTiles();
    if (m_hCellBackground)
        ::DeleteObject(m_hCellBackground);
}

char* CBrowserView::AllocShowFolderPath(const char* path)
{
    size_t length = path ? strlen(path) : 0;
    char* copy = new char[length + 1];
    memcpy(copy, path ? path : "", length);
    copy[length] = 0;
    return copy;
}

BOOL CBrowserView::PostShowFolder(HWND view, const char* path)
{
    char* copy = AllocShowFolderPath(path);
    if (::PostMessageA(view, WM_SHOWFOLDER, (WPARAM)copy, 0))
        return TRUE;
    delete[] copy;
    return FALSE;
}

BOOL CBrowserView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), NULL, NULL);
    cs.style |= WS_CLIPCHILDREN;
    return CScrollView::PreCreateWindow(cs);
}

void CBrowserView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    m_DropTarget.Register(this);
    CWinThread* thread = AfxGetThread();
    if (thread && dynamic_cast<CFrameWnd*>(thread->m_pMainWnd))
        m_pFrame = (CFrameWnd*)thread->m_pMainWnd;
    if (!m_pFrame)
        m_pFrame = GetParentFrame();
    SetScrollSizes(MM_TEXT, kEmptyTotal, kEmptyPage, kEmptyLine);
}

void CBrowserView::OnDestroy()
{
    m_bClosing = TRUE;
    ClearView();
    m_DropTarget.Revoke();
    CScrollView::OnDestroy();
}

LRESULT CBrowserView::OnShowFolderMessage(WPARAM wParam, LPARAM)
{
    char* path = (char*)wParam;
    if (path)
    {
        ShowFolder(path);
        delete[] path;
    }
    return 0;
}

void CBrowserView::SetFrameTitle(const CString& text)
{
    if (m_pFrame && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->SetWindowText(text);
}

void CBrowserView::Redraw()
{
    if (m_hWnd)
        RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void CBrowserView::ShowFolder(CString path)
{
    if (!m_strFolder.IsEmpty() && strcmp(path, m_strFolder) == 0)
    {
        Redraw();
        return;
    }
    // The explorer keeps the keyboard: the left pane becomes the active view.
    CLeftView* left = GetLeftPane();
    if (left && m_pFrame)
        m_pFrame->SetActiveView(left);

    BOOL isFile = CFileInfo::FileExist(path);
    CString folder = isFile ? CFileInfo::GetPathFromFullPath(path) : path;
    BOOL built = folder != m_strFolder;
    if (built)
    {
        BeginWaitCursor();
        ClearView();
        m_strFolder = folder;
        CFolder* list = new CFolder(folder);
        list->Load();
        ShowList(list, folder);
        EndWaitCursor();
    }
    if (isFile && m_pFileList)
    {
        m_pFileList->SetCurrentFile(path);
        ScrollToFile(path);
    }
    // New cells have asked for their thumbnails and paint with the next
    // paint messages, most of them with their thumbnail by then.
    if (built && m_hWnd)
        RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE | RDW_NOCHILDREN);
    else
        Redraw();
}

void CBrowserView::ShowAlbum(unsigned number)
{
    if (number != 0 && number == m_nAlbum)
    {
        Redraw();
        return;
    }
    BeginWaitCursor();
    ClearView();
    m_nAlbum = number;
    CAlbum* album = new CAlbum(number);
    album->Load();
    ShowList(album, AlbumPlace(album));
    Redraw();
    EndWaitCursor();
}

CLeftView* CBrowserView::GetLeftPane() const
{
    CSplitterWnd* splitter = m_hWnd ? dynamic_cast<CSplitterWnd*>(GetParent()) : NULL;
    return splitter ? dynamic_cast<CLeftView*>(splitter->GetPane(0, 0)) : NULL;
}

CString CBrowserView::AlbumPlace(CAlbum* album)
{
    // The albums pane names an album by its place in the album tree.
    CLeftView* left = GetLeftPane();
    CString place = left ? left->GetAlbums().GetAlbumPath(album->GetNumber()) : CString();
    return place.IsEmpty() ? "My Albums/" + CString(album->m_DisplayName) : place;
}

void CBrowserView::ShowList(CFileInfoList* list, const CString& place)
{
    m_pFileList = list;
    m_strPlace = place;
    SetFrameTitle(BrowserViewRules::ListTitle(place, list->GetCount()));
    BuildCells();
}

void CBrowserView::Refresh()
{
    unsigned album = m_nAlbum;
    CString folder = m_strFolder;
    ClearView();
    if (album != 0)
        ShowAlbum(album);
    else if (!folder.IsEmpty())
        ShowFolder(folder);
}

void CBrowserView::ClearView()
{
    LetListGo(TRUE);
}

void CBrowserView::LetListGo(BOOL save)
{
    SetFrameTitle(kEmptyTitle);
    m_strPlace.Empty();
    delete m_pCells;
    m_pCells = NULL;
    // The view is empty before anything is saved: a message box about the
    // save runs a message loop in which the view may be asked to show more.
    CFileInfoList* list = m_pFileList;
    m_pFileList = NULL;
    m_Entries.clear();
    m_Index.clear();
    m_Grid = BrowserViewRules::CellGrid();
    m_nAlbum = 0;
    m_strFolder.Empty();
    if (m_hWnd)
    {
        // The next list starts at its top.
        SetScrollSizes(MM_TEXT, kEmptyTotal, kEmptyPage, kEmptyLine);
        ScrollToPosition(CPoint(0, 0));
    }
    if (list && save)
        ReportSave(list, StoreChanges(list));
    delete list;
}

void CBrowserView::ReindexEntries()
{
    m_Entries.clear();
    m_Index.clear();
    if (!m_pFileList)
        return;
    m_Entries.reserve(m_pFileList->GetCount());
    for (POSITION pos = m_pFileList->GetHeadPosition(); pos;)
    {
        CFileInfo* entry = (CFileInfo*)m_pFileList->GetNext(pos);
        m_Index[entry] = (int)m_Entries.size();
        m_Entries.push_back(entry);
    }
}

int CBrowserView::IndexOf(const CFileInfo* entry) const
{
    auto found = m_Index.find(entry);
    return found == m_Index.end() ? -1 : found->second;
}

void CBrowserView::BuildCells()
{
    delete m_pCells;
    m_pCells = new CCellWindowPool(this);
    if (!m_hCellBackground)
        SetLook(m_Look); // a view that no frame has given a look yet
    m_pCells->SetLook(m_Look, m_hCellBackground);
    // The grid follows the list's own order, which is also the order in
    // which it is saved and in which the Viewer steps through it.
    ReindexEntries();
    // Windows are slow to make: the visible cells first, the margin of
    // cells around them once the first screen is drawn.
    m_nMarginTicks = 0;
    if (m_hWnd && SetTimer(MarginTimer, MarginTickMs, NULL))
        m_bMarginPending = TRUE;
    Layout(FALSE);
    // Last to first: the generator serves the newest requests first, so the
    // first cells fill in first.
    RedrawCells();
}

void CBrowserView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != MarginTimer)
    {
        CScrollView::OnTimer(nIDEvent);
        return;
    }
    if (g_pThumbnailManager && g_pThumbnailManager->GetTaskCountFor(m_hWnd) > 0 && ++m_nMarginTicks < MarginMaxTicks)
        return;
    KillTimer(MarginTimer);
    m_bMarginPending = FALSE;
    PlaceCellWindows();
}

void CBrowserView::ScrollToFile(const CString& path)
{
    int k = -1;
    for (size_t i = 0; i < m_Entries.size(); ++i)
        if (strcmp(m_Entries[i]->GetName(), path) == 0)
        {
            k = (int)i;
            break;
        }
    if (k < 0)
        return;
    ClickSelectIndex(k, FALSE, ModifierHeld());
    CRect cell = m_Grid.CellRect(k);
    ScrollToPosition(cell.TopLeft());
    // The scroll range keeps the position inside it.
    OnScrollBy(CSize(0, 0));
    PlaceCellWindows();
}

int CBrowserView::GetCellWindowCount() const
{
    return m_pCells ? m_pCells->GetCount() : 0;
}

CThumbnailWindow* CBrowserView::GetCellWindow(int k) const
{
    if (!m_pCells || k < 0 || k >= (int)m_Entries.size())
        return NULL;
    return m_pCells->Find(m_Entries[k]);
}

// ---- Background ----

void CBrowserView::DeleteTiles()
{
    if (m_FolderTile)
        ::DeleteObject(m_FolderTile);
    if (m_AlbumTile)
        ::DeleteObject(m_AlbumTile);
    m_FolderTile = m_AlbumTile = NULL;
}

HBITMAP CBrowserView::GetTile(bool albumMode)
{
    int w, h;
    CellSize(w, h);
    int tw = w + BrowserViewRules::GapX, th = h + BrowserViewRules::GapY;
    // The background pane makes the tiles; a view without one (outside a
    // browser window) uses that pane's first style and colours.
    CLeftView* left = GetLeftPane();
    const COLORREF first = 0xE18004, second = 0x801E04;
    if (!m_FolderTile)
        m_FolderTile = left ? left->GetColors().MakeTile(tw, th, TRUE)
                            : CBitmapFactory::CreateGradientSquareFromCenterBitmap(tw, th, first, second);
    if (!m_AlbumTile)
        m_AlbumTile = left ? left->GetColors().MakeTile(tw, th, FALSE)
                           : CBitmapFactory::CreateGradientSquareFromCenterBitmap(tw, th, second, first);
    return albumMode ? m_AlbumTile : m_FolderTile;
}

BOOL CBrowserView::OnEraseBkgnd(CDC*)
{
    return TRUE; // OnDraw covers the whole client area with tiles
}

void CBrowserView::OnDraw(CDC* pDC)
{
    HBITMAP tile = GetTile(m_nAlbum != 0);
    BITMAP info;
    CRect client;
    GetClientRect(&client);
    CPoint scroll = GetScrollPosition();
    if (!tile || !::GetObject(tile, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
    {
        ::FillRect(pDC->m_hDC, CRect(scroll, client.Size()), (HBRUSH)::GetStockObject(GRAY_BRUSH));
        return;
    }
    HDC source = ::CreateCompatibleDC(pDC->m_hDC);
    HGDIOBJ old = ::SelectObject(source, tile);
    // Tiles scroll with the cells: whole tiles from the content origin, only
    // those that meet the visible part.
    CRect visible(scroll, client.Size());
    int firstX = visible.left / info.bmWidth, lastX = visible.right / info.bmWidth;
    int firstY = visible.top / info.bmHeight, lastY = visible.bottom / info.bmHeight;
    for (int j = firstY; j <= lastY; ++j)
        for (int i = firstX; i <= lastX; ++i)
            ::BitBlt(pDC->m_hDC, i * info.bmWidth, j * info.bmHeight, info.bmWidth, info.bmHeight, source, 0, 0,
                     SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
}
