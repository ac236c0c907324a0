// CCmdUI: the state of one command's user-interface item (a menu item, a
// tool-bar button, a status pane or a control) as set by the command's
// ON_UPDATE_COMMAND_UI handler: enabled, checked, radio, text.
// Menus are updated when their popup opens, bars when the thread is idle.
#pragma once

#include <windows.h>
#include "FrameworkApi.h"

class CCmdTarget;
class CMenu;
class CWnd;

class FRAMEWORK_API CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    UINT m_nID;
    UINT m_nIndex;      // position of a menu item, or index of a bar's item
    CMenu* m_pMenu;     // the menu holding the item, or NULL
    CMenu* m_pSubMenu;  // the popup the item opens, or NULL
    CWnd* m_pOther;     // the bar or control holding the item, or NULL
    UINT m_nIndexMax;   // item count of the menu or bar being updated
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1); // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR text);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's handlers for the state. With bDisableIfNoHandler, an item
    // whose command has neither an update nor a command handler is disabled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};

// Only records the enable state; used to refuse a disabled command that
// arrives from an accelerator or a stale menu.
class FRAMEWORK_API CTestCmdUI : public CCmdUI
{
public:
    CTestCmdUI() : m_bEnabled(TRUE) {}
    BOOL m_bEnabled;
    void Enable(BOOL bOn = TRUE) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};
