// CWaitingTreeCtrl: a tree control that fills an item's children when the
// item is expanded, and lets a derived class animate a slow fill.
//
// Expanding an item that was never filled (or, when WantsRefresh says so, any
// item) deletes its children and calls PopulateItem. While PopulateItem runs
// it reports its progress (SetPopulationCount, IncreasePopulation); once the
// fill has lasted the animation delay, the tree calls PreAnimation for the
// item, then DoAnimation(TRUE, ...) each time another delay has passed, and at
// the end one DoAnimation(FALSE, total, total) and PostAnimation. A fill that
// ends within the delay shows no animation. Everything runs on the tree's own
// thread: the hooks draw straight into the control (GetDC), since the message
// loop does not run during the fill.
//
// Expansion is seen through the reflected TVN_ITEMEXPANDING notification, so
// the tree's parent must be a framework window (a CWnd or a CDialog); the
// parent still receives the notification after the tree.
#pragma once

#include "CTreeCtrl.h"
#include "FolderPaneApi.h"

class FOLDERPANE_API CWaitingTreeCtrl : public CTreeCtrl
{
    DECLARE_DYNAMIC(CWaitingTreeCtrl)
public:
    CWaitingTreeCtrl();
    ~CWaitingTreeCtrl() override;

    // Milliseconds before the first frame and between frames (default 250).
    void SetAnimationDelay(UINT milliseconds) { m_nAnimationDelay = milliseconds; }
    UINT GetAnimationDelay() const { return m_nAnimationDelay; }

    // Where the item's image is drawn, in client coordinates; FALSE when the
    // tree has no image list or the item is not visible.
    BOOL GetItemImageRect(HTREEITEM hItem, RECT* rect);

    // Deletes the item's children and fills it again now, as an expansion does.
    BOOL RefreshItem(HTREEITEM hItem);

    // As CTreeCtrl::Expand; the control itself notifies only the first
    // programmatic expansion of an item, so a refill that WantsRefresh asks
    // for is done here for the later ones.
    BOOL Expand(HTREEITEM hItem, UINT nCode);

protected:
    // Fills hParent's children (TVI_ROOT for the top level); TRUE when it
    // added any. The default adds nothing.
    virtual BOOL PopulateItem(HTREEITEM hParent);
    // Nonzero makes every expansion of the item fill it again.
    virtual BOOL WantsRefresh(HTREEITEM hItem);
    // Deletes the children of an item (derived classes free their item data here).
    virtual void DeleteChildren(HTREEITEM hItem);

    virtual void PreAnimation(HTREEITEM hItem);
    // nMaxSteps is 0 when the fill does not know its total.
    virtual void DoAnimation(BOOL bTimerEvent, int nMaxSteps, int nStep);
    virtual void PostAnimation();

    // Progress of the running PopulateItem.
    void SetPopulationCount(int nMaxSteps, int nStep = 0);
    void IncreasePopulation(int nIncrement = 1);
    void UpdatePopulation(int nStep);
    HTREEITEM GetPopulatingItem() const { return m_hPopulating; }

    afx_msg BOOL OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void Populate(HTREEITEM hItem);
    void AnimationTick();

    UINT m_nAnimationDelay;
    HTREEITEM m_hPopulating;
    int m_nMaxSteps;
    int m_nStep;
    DWORD m_dwStart;
    DWORD m_dwLastFrame;
    bool m_bAnimating;
    HTREEITEM m_hRefilled;
};
