// Fill-on-expand for tree items with the timing of the waiting animation.
#include "WaitingTreeCtrl.h"

IMPLEMENT_DYNAMIC(CWaitingTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CWaitingTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGA, OnItemExpanding)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGW, OnItemExpanding)
END_MESSAGE_MAP()

CWaitingTreeCtrl::CWaitingTreeCtrl()
    : m_nAnimationDelay(250), m_hPopulating(NULL), m_nMaxSteps(0), m_nStep(0), m_dwStart(0), m_dwLastFrame(0),
      m_bAnimating(false), m_hRefilled(NULL)
{
}

CWaitingTreeCtrl::~CWaitingTreeCtrl()
{
}

BOOL CWaitingTreeCtrl::PopulateItem(HTREEITEM)
{
    return FALSE;
}

BOOL CWaitingTreeCtrl::WantsRefresh(HTREEITEM)
{
    return FALSE;
}

void CWaitingTreeCtrl::PreAnimation(HTREEITEM) {}
void CWaitingTreeCtrl::DoAnimation(BOOL, int, int) {}
void CWaitingTreeCtrl::PostAnimation() {}

void CWaitingTreeCtrl::DeleteChildren(HTREEITEM hItem)
{
    HTREEITEM child = GetChildItem(hItem ? hItem : TVI_ROOT);
    while (child)
    {
        HTREEITEM next = GetNextSiblingItem(child);
        DeleteItem(child);
        child = next;
    }
}

BOOL CWaitingTreeCtrl::GetItemImageRect(HTREEITEM hItem, RECT* rect)
{
    HIMAGELIST images = (HIMAGELIST)::SendMessageA(m_hWnd, TVM_GETIMAGELIST, TVSIL_NORMAL, 0);
    int cx = 0, cy = 0;
    RECT text;
    if (!rect || !hItem || !images || !ImageList_GetIconSize(images, &cx, &cy) || !GetItemRect(hItem, &text, TRUE))
        return FALSE;
    // The image sits just left of the label, centred on the item's height.
    rect->right = text.left - 3;
    rect->left = rect->right - cx;
    rect->top = text.top + ((text.bottom - text.top) - cy) / 2;
    rect->bottom = rect->top + cy;
    return TRUE;
}

void CWaitingTreeCtrl::SetPopulationCount(int nMaxSteps, int nStep)
{
    m_nMaxSteps = nMaxSteps > 0 ? nMaxSteps : 0;
    m_nStep = nStep;
    AnimationTick();
}

void CWaitingTreeCtrl::IncreasePopulation(int nIncrement)
{
    m_nStep += nIncrement;
    AnimationTick();
}

void CWaitingTreeCtrl::UpdatePopulation(int nStep)
{
    m_nStep = nStep;
    AnimationTick();
}

void CWaitingTreeCtrl::AnimationTick()
{
    if (!m_hPopulating)
        return;
    DWORD now = GetTickCount();
    if (!m_bAnimating)
    {
        if (now - m_dwStart < m_nAnimationDelay)
            return;
        m_bAnimating = true;
        PreAnimation(m_hPopulating);
    }
    else if (now - m_dwLastFrame < m_nAnimationDelay)
        return;
    m_dwLastFrame = now;
    DoAnimation(TRUE, m_nMaxSteps, m_nStep);
}

void CWaitingTreeCtrl::Populate(HTREEITEM hItem)
{
    HTREEITEM outer = m_hPopulating;
    m_hPopulating = hItem;
    m_nMaxSteps = m_nStep = 0;
    m_dwStart = GetTickCount();
    m_bAnimating = false;
    HCURSOR previous = SetCursor(LoadCursor(NULL, IDC_WAIT));
    DeleteChildren(hItem);
    BOOL added = PopulateItem(hItem);
    if (m_bAnimating)
    {
        int total = m_nMaxSteps ? m_nMaxSteps : m_nStep;
        DoAnimation(FALSE, total, total);
        PostAnimation();
    }
    m_bAnimating = false;
    m_hPopulating = outer;
    SetCursor(previous);
    if (hItem && hItem != TVI_ROOT && (!added || !GetChildItem(hItem)))
    {
        // Nothing below: drop the expand button.
        TVITEMA item = {};
        item.mask = TVIF_CHILDREN;
        item.hItem = hItem;
        item.cChildren = 0;
        SetItem(&item);
    }
}

BOOL CWaitingTreeCtrl::RefreshItem(HTREEITEM hItem)
{
    if (!m_hWnd)
        return FALSE;
    Populate(hItem ? hItem : TVI_ROOT);
    return GetChildItem(hItem ? hItem : TVI_ROOT) != NULL;
}

BOOL CWaitingTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    if (m_hWnd && hItem && hItem != TVI_ROOT && (nCode & (TVE_EXPAND | TVE_COLLAPSE)) == TVE_EXPAND)
    {
        UINT state = (UINT)::SendMessageA(m_hWnd, TVM_GETITEMSTATE, (WPARAM)hItem, TVIS_EXPANDEDONCE | TVIS_EXPANDED);
        if ((state & TVIS_EXPANDEDONCE) && !(state & TVIS_EXPANDED) && WantsRefresh(hItem))
        {
            Populate(hItem);
            // Should the control notify after all, the item is not filled twice.
            m_hRefilled = hItem;
        }
    }
    BOOL result = CTreeCtrl::Expand(hItem, nCode);
    m_hRefilled = NULL;
    return result;
}

BOOL CWaitingTreeCtrl::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWA* info = (NMTREEVIEWA*)pNMHDR;
    HTREEITEM hItem = info->itemNew.hItem;
    if ((info->action & (TVE_EXPAND | TVE_COLLAPSE)) == TVE_EXPAND && hItem && hItem != m_hRefilled)
    {
        UINT state = (UINT)::SendMessageA(m_hWnd, TVM_GETITEMSTATE, (WPARAM)hItem, TVIS_EXPANDEDONCE);
        if (!(state & TVIS_EXPANDEDONCE) || WantsRefresh(hItem))
            Populate(hItem);
    }
    *pResult = 0;
    // The parent sees the expansion too.
    return FALSE;
}
