// CWnd: a window bound to a C++ object.
//
// Binding: CreateEx sets a per-thread slot and installs a creation hook for
// the duration of CreateWindowEx; the hook claims the new window before its
// first message, subclasses it to the class library's window procedure and
// enters it in the thread's handle map (a window belongs to one thread).
// Existing windows are bound by Attach (no subclassing) or SubclassWindow.
//
// Dispatch: WindowProc -> OnWndMsg, which gives WM_COMMAND to OnCommand,
// WM_NOTIFY to OnNotify (both reflect a control's notification to the
// control first, then route through OnCmdMsg), and other messages to the
// message map (ON_WM_xxx). Whatever no entry takes goes to DefWindowProc:
// the window's previous procedure or ::DefWindowProc. Default() passes the
// message being handled on to it; CWnd's own OnXxx handlers do just that.
//
// Lifetime: on WM_NCDESTROY the object is unbound and PostNcDestroy runs
// (frames and views delete themselves there). No exception leaves the window
// procedure.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include "CCmdTarget.h"
#include "CString.h"
#include "CRect.h"
#include "CPoint.h"
#include "CSize.h"
#include "FrameworkApi.h"

#ifdef GetNextWindow
#undef GetNextWindow
#endif

class CWnd;
class CDC;
class CMenu;
class CScrollBar;
class CFont;
class CFrameWnd;
class CDataExchange;
struct CCreateContext;

// Sent to descendants when the thread is idle so bars update their items.
#define WM_IDLEUPDATECMDUI 0x0363
// Sent by a frame to its views after it has been created.
#define WM_INITIALUPDATE 0x0364
// wParam: string id (or 0 with lParam a text) for the frame's message pane.
#define WM_SETMESSAGESTRING 0x0362
#define WM_POPMESSAGESTRING 0x0375

// Window class names registered by AfxRegisterWndClass are kept for the process.
FRAMEWORK_API LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL, HBRUSH hbrBackground = NULL,
                                          HICON hIcon = NULL);
FRAMEWORK_API HINSTANCE AfxGetInstanceHandle();
FRAMEWORK_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Binds the next window created on this thread to pWnd (NULL ends a pending bind).
FRAMEWORK_API void AfxHookWindowCreate(CWnd* pWnd);
FRAMEWORK_API BOOL AfxUnhookWindowCreate();

class FRAMEWORK_API CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;
    // Insert-after values of SetWindowPos.
    static const CWnd wndTop, wndBottom, wndTopMost, wndNoTopMost;

    operator HWND() const { return AfxOpaqueThis(this) ? m_hWnd : NULL; }
    HWND GetSafeHwnd() const { return AfxOpaqueThis(this) ? m_hWnd : NULL; }
    bool operator==(const CWnd& other) const { return m_hWnd == other.m_hWnd; }

    // The object bound to the window on this thread, else a temporary wrapper
    // (valid until the thread is next idle). NULL for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                          int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();

    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A control's own look at a notification it sent to its parent; TRUE takes it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);
    LRESULT Default();
    // Dispatches reflected WM_COMMAND/WM_NOTIFY entries of the message map.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The window procedure the object replaced (NULL when attached only).
    WNDPROC m_pfnSuper;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // ---- Window state ----
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE);
    BOOL IsWindow() const { return AfxOpaqueThis(this) && ::IsWindow(m_hWnd); }
    DWORD GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID); }
    void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
    int GetWindowText(LPSTR buffer, int nMaxCount) const { return ::GetWindowTextA(m_hWnd, buffer, nMaxCount); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) { return (HICON)SendMessage(WM_SETICON, bBigIcon, (LPARAM)hIcon); }
    HICON GetIcon(BOOL bBigIcon) const { return (HICON)SendMessage(WM_GETICON, bBigIcon, 0); }

    // ---- Size and position ----
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* pTo, LPPOINT points, UINT count) const
    { ::MapWindowPoints(m_hWnd, pTo->GetSafeHwnd(), points, count); }
    void MapWindowPoints(CWnd* pTo, LPRECT rect) const { ::MapWindowPoints(m_hWnd, pTo->GetSafeHwnd(), (LPPOINT)rect, 2); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
    void MoveWindow(LPCRECT rect, BOOL bRepaint = TRUE)
    { ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, bRepaint); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void CenterWindow(CWnd* pAlternateOwner = NULL);
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

    // ---- Painting ----
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw, 0); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, NULL, bErase); }
    void InvalidateRect(LPCRECT rect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, rect, bErase); }
    void ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
    BOOL RedrawWindow(LPCRECT rect = NULL, HRGN hrgn = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    { return ::RedrawWindow(m_hWnd, rect, hrgn, flags); }
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    void ScrollWindow(int dx, int dy, LPCRECT rect = NULL, LPCRECT clip = NULL)
    { ::ScrollWindow(m_hWnd, dx, dy, rect, clip); }

    // ---- Scroll bars ----
    int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
    void SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw = TRUE)
    { ::SetScrollRange(m_hWnd, nBar, nMin, nMax, bRedraw); }
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO info, BOOL bRedraw = TRUE)
    { ::SetScrollInfo(m_hWnd, nBar, info, bRedraw); return TRUE; }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO info, UINT nMask = SIF_ALL) const;
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }

    // ---- Input ----
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL)
    { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    BOOL OpenClipboard() { return ::OpenClipboard(m_hWnd); }

    // ---- Relations ----
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* pNewParent) { return FromHandle(::SetParent(m_hWnd, pNewParent->GetSafeHwnd())); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
    CFrameWnd* GetParentFrame() const;
    CWnd* GetTopLevelParent() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
    static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    // The owner for a message box: the given window's top-level parent, else
    // the thread's main window, else the active window.
    static CWnd* GetSafeOwner(CWnd* pParent = NULL, HWND* pWndTop = NULL);
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;

    // ---- Menus ----
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL bRevert) const;

    // ---- Dialog items ----
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    void SetDlgItemText(int nID, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, nID, text); }
    int GetDlgItemText(int nID, LPSTR buffer, int nMaxCount) const
    { return ::GetDlgItemTextA(m_hWnd, nID, buffer, nMaxCount); }
    int GetDlgItemText(int nID, CString& text) const;
    void SetDlgItemInt(int nID, UINT value, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, value, bSigned); }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const
    { return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
    void CheckDlgButton(int nID, UINT nCheck) { ::CheckDlgButton(m_hWnd, nID, nCheck); }
    UINT IsDlgButtonChecked(int nID) const { return ::IsDlgButtonChecked(m_hWnd, nID); }
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck)
    { ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck); }
    int GetCheckedRadioButton(int nIDFirst, int nIDLast) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam); }

    int MessageBox(LPCSTR text, LPCSTR caption = NULL, UINT nType = MB_OK);

protected:
    explicit CWnd(HWND hWndSpecial);

    // ---- Message handlers: each does the default processing ----
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);

    // Dispatches one message-map entry of a window message.
    BOOL DispatchWndMsg(const AFX_MSGMAP_ENTRY* entry, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

public:
    // Unbinds the object and calls PostNcDestroy (once); the window procedure
    // runs it after WM_NCDESTROY.
    void FinishNcDestroy();
};
