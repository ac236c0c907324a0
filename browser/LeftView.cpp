// CLeftView: creates the nine tool windows, stacks them under their caption
// bars and keeps their open state and heights in the settings.
#include "LeftView.h"
#include "panes/ZToolCaptionDialog.h"
#include "SimpleSplitter.h"
#include "CDC.h"

IMPLEMENT_DYNCREATE(CLeftView, CScrollView)

BEGIN_MESSAGE_MAP(CLeftView, CScrollView)
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace
{
// The panes from top to bottom: the window, its template, the caption, the
// names of its open and height settings, and whether a splitter resizes it.
struct PaneEntry
{
    CDialog& (*window)(CLeftView& view);
    UINT templateId;
    const char* caption;
    const char* openSetting;
    int openAtFirst;
    const char* heightSetting;
    BOOL resizable;
};

const PaneEntry Panes[CLeftView::PaneCount] = {
    {[](CLeftView& v) -> CDialog& { return v.m_DialogExplorer; }, CDialogExplorer::IDD, "Windows explorer",
     "m_bShowExplorer", 1, "m_HeightExplorer", TRUE},
    {[](CLeftView& v) -> CDialog& { return v.m_AlbumDialog; }, CAlbumDialog::IDD, "Virtual albums", "m_bShowAlbums", 0,
     "m_HeightAlbums", TRUE},
    {[](CLeftView& v) -> CDialog& { return v.m_IndexedFoldersDialog; }, CIndexedFoldersDialog::IDD,
     "Indexed folders", "m_bShowIndexedFolders", 0, "m_HeightIndexedFolders", TRUE},
    {[](CLeftView& v) -> CDialog& { return v.m_DialogBatchResize; }, CDialogBatchResize::IDD,
     "Resize selected images", "m_bShowResize", 0, "m_HeightResize", FALSE},
    {[](CLeftView& v) -> CDialog& { return v.m_DialogBatchRotateFlip; }, CDialogBatchRotateFlip::IDD,
     "Rotate/flip selected images", "m_bShowRotate", 0, "m_HeightRotate", FALSE},
    {[](CLeftView& v) -> CDialog& { return v.m_DialogBatchWatermark; }, CDialogBatchWatermark::IDD,
     "Watermark selected images", "m_bShowWatermark", 0, "m_HeightWatermark", FALSE},
    {[](CLeftView& v) -> CDialog& { return v.m_DialogBatchGrayScale; }, CDialogBatchGrayScale::IDD,
     "Grayscale selected images", "m_bShowGrayScale", 0, "m_HeightGrayScale", FALSE},
    {[](CLeftView& v) -> CDialog& { return v.m_DialogAviCreator; }, CDialogAviCreator::IDD,
     "Create video using selected images", "m_bShowAviCreator", 0, "m_HeightAviCreator", FALSE},
    {[](CLeftView& v) -> CDialog& { return v.m_DialogColors; }, CDialogColors::IDD, "Background", "m_bShowColors", 0,
     "m_HeightColors", FALSE},
};
} // namespace

CLeftView::CLeftView() : m_bInLayout(FALSE), m_bLayoutAgain(FALSE)
{
    for (int i = 0; i < PaneCount; i++)
    {
        m_Open[i].reset(new CIntProperty<int>(Panes[i].openSetting, Panes[i].openAtFirst, 0, 1));
        m_Height[i].reset(new CIntProperty<int>(Panes[i].heightSetting, 0, 0, 65535));
    }
}

CLeftView::~CLeftView()
{
    DeleteItems();
}

BOOL CLeftView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), NULL, ::LoadIcon(NULL, IDI_APPLICATION));
    cs.style |= WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CScrollView::PreCreateWindow(cs);
}

void CLeftView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    if (!m_Items.IsEmpty())
        return;
    // Create every pane, then stack them under their captions.
    for (const PaneEntry& pane : Panes)
        pane.window(*this).Create(pane.templateId, this);
    for (int i = 0; i < PaneCount; i++)
        AddToolWindow(&Panes[i].window(*this), Panes[i].caption, m_Open[i].get(), m_Height[i].get(),
                      Panes[i].resizable);
    LayoutToolWindows();
    // Once every window has its real size, lay out once more.
    SetTimer(SecondLayoutTimer, 1);
}

TOOL_WINDOW_ITEM* CLeftView::GetToolWindowItem(int index) const
{
    POSITION pos = m_Items.FindIndex(index);
    return pos ? (TOOL_WINDOW_ITEM*)m_Items.GetAt(pos) : NULL;
}

CRect CLeftView::ChildRect(CWnd* pChild) const
{
    CRect rc;
    pChild->GetWindowRect(&rc);
    ScreenToClient(&rc);
    return rc;
}

void CLeftView::AddToolWindow(CWnd* pToolWindow, const char* caption, CIntProperty<int>* pShow,
                              CIntProperty<int>* pHeight, BOOL bResizable)
{
    if (!pToolWindow->GetSafeHwnd())
        return;
    int top = 0;
    if (!m_Items.IsEmpty())
    {
        TOOL_WINDOW_ITEM* last = (TOOL_WINDOW_ITEM*)m_Items.GetTail();
        top = ChildRect(last->m_pSplitter ? (CWnd*)last->m_pSplitter : last->m_pToolWindow).bottom;
    }
    CRect client;
    GetClientRect(&client);
    int width = client.Width();

    TOOL_WINDOW_ITEM* item = new TOOL_WINDOW_ITEM();
    item->m_pToolWindow = pToolWindow;
    item->m_pShow = pShow;
    item->m_pHeight = pHeight;
    item->m_pCaption = new CZToolCaptionDialog(pToolWindow, this, caption);
    item->m_pCaption->Create(CZToolCaptionDialog::IDD, this);
    item->m_pCaption->MoveWindow(0, top, width, CaptionHeight);
    item->m_pCaption->ShowWindow(SW_SHOW);

    // A fixed window always keeps its template height; a resizable one
    // starts at it until the user moves its splitter.
    if (*pHeight == 0 || !bResizable)
        *pHeight = ChildRect(pToolWindow).Height();
    int y = top + CaptionHeight;
    pToolWindow->MoveWindow(0, y, width, *pHeight);

    item->m_pSplitter = NULL;
    if (bResizable)
    {
        item->m_pSplitter = new CSimpleSplitter(TRUE);
        CRect bar(0, y + *pHeight, width, y + *pHeight + SplitterHeight);
        item->m_pSplitter->Create(bar, this);
    }
    m_Items.AddTail(item);
    pToolWindow->ShowWindow(*pShow == 1 ? SW_SHOW : SW_HIDE);
    item->m_pCaption->UpdateButtonImages();
    LayoutToolWindows();
}

void CLeftView::LayoutToolWindows()
{
    // Scroll bars appearing or going resize the view in the middle of a
    // layout; that size is taken by one more pass afterwards.
    if (m_bInLayout)
    {
        m_bLayoutAgain = TRUE;
        return;
    }
    m_bInLayout = TRUE;
    int passes = 0;
    do
    {
        m_bLayoutAgain = FALSE;
        LayoutOnce();
    } while (m_bLayoutAgain && ++passes < 3);
    m_bInLayout = FALSE;
}

void CLeftView::LayoutOnce()
{
    int scroll = GetScrollPosition().y;
    int y = -scroll;
    CRect client;
    GetClientRect(&client);
    int width = client.Width();
    for (POSITION pos = m_Items.GetHeadPosition(); pos;)
    {
        TOOL_WINDOW_ITEM* item = (TOOL_WINDOW_ITEM*)m_Items.GetNext(pos);
        int captionTop = y;
        item->m_pCaption->MoveWindow(0, y, width, CaptionHeight);
        y += CaptionHeight;
        CSimpleSplitter* splitter = item->m_pSplitter;
        BOOL visible = item->m_pToolWindow->IsWindowVisible();
        if (visible)
        {
            if (splitter)
                splitter->ShowWindow(SW_SHOW);
            if (splitter && splitter->Moved())
            {
                int splitterTop = ChildRect(splitter).top;
                int lowest = captionTop + CaptionHeight + MinToolWindowHeight;
                if (splitterTop < lowest)
                    splitterTop = lowest;
                *item->m_pHeight = splitterTop - y;
                item->m_pToolWindow->MoveWindow(0, y, width, *item->m_pHeight);
                splitter->MoveWindow(0, splitterTop, width, SplitterHeight);
                y = splitterTop + SplitterHeight;
            }
            else
            {
                int height = ChildRect(item->m_pToolWindow).Height();
                *item->m_pHeight = height;
                item->m_pToolWindow->MoveWindow(0, y, width, height);
                y += height;
                if (splitter)
                {
                    splitter->MoveWindow(0, y, width, SplitterHeight);
                    y += SplitterHeight;
                }
            }
            if (splitter)
            {
                splitter->SetMoved(FALSE);
                // The drag itself stops where the layout would stop it.
                splitter->SetBounds(captionTop + CaptionHeight + MinToolWindowHeight, 65535);
            }
        }
        else if (splitter)
            splitter->ShowWindow(SW_HIDE);
        *item->m_pShow = visible ? 1 : 0;
    }
    SetScrollSizes(MM_TEXT, CSize(10, y + scroll));
    // Moved children may have taken stale bits along: paint everything anew.
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CLeftView::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CSize total = GetTotalSize();
    if (total.cx > rc.Width())
        rc.right = rc.left + total.cx;
    if (total.cy > rc.Height())
        rc.bottom = rc.top + total.cy;
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
}

BOOL CLeftView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CLeftView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == SecondLayoutTimer)
    {
        KillTimer(SecondLayoutTimer);
        Default();
        LayoutToolWindows();
        return;
    }
    CScrollView::OnTimer(nIDEvent);
}

void CLeftView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    if (!m_Items.IsEmpty())
        LayoutToolWindows();
}

void CLeftView::DeleteItems()
{
    while (!m_Items.IsEmpty())
    {
        TOOL_WINDOW_ITEM* item = (TOOL_WINDOW_ITEM*)m_Items.RemoveHead();
        if (item->m_pCaption->GetSafeHwnd())
            item->m_pCaption->DestroyWindow();
        delete item->m_pCaption;
        if (item->m_pSplitter)
        {
            if (item->m_pSplitter->GetSafeHwnd())
                item->m_pSplitter->DestroyWindow();
            delete item->m_pSplitter;
        }
        delete item;
    }
}

void CLeftView::OnDestroy()
{
    DeleteItems();
    CScrollView::OnDestroy();
}
