// Message maps: tables that bind window messages, commands, command-state
// updates and control notifications to handler member functions, walked from
// the most derived class to its bases (the first matching entry wins).
//
//   BEGIN_MESSAGE_MAP(CMyFrame, CFrameWnd)
//       ON_WM_CREATE()                          // int OnCreate(LPCREATESTRUCT)
//       ON_COMMAND(ID_FILE_NEW, OnFileNew)      // void OnFileNew()
//       ON_UPDATE_COMMAND_UI(ID_X, OnUpdateX)   // void OnUpdateX(CCmdUI*)
//       ON_NOTIFY(NM_CLICK, 100, OnClickTree)   // void f(NMHDR*, LRESULT*)
//       ON_MESSAGE(WM_APP, OnApp)               // LRESULT f(WPARAM, LPARAM)
//   END_MESSAGE_MAP()
//
// Handlers of ON_WM_xxx entries have the names and signatures of CWnd's
// handlers (CWnd::OnSize and so on), whose own behaviour is Default().
#pragma once

#include <windows.h>

#define afx_msg

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)(void);

// Handler signatures: how a dispatcher unpacks the message for a handler.
enum AfxSig
{
    AfxSig_end = 0,
    AfxSig_v_v,         // void ()
    AfxSig_b_v,         // BOOL ()
    AfxSig_i_pcs,       // int (LPCREATESTRUCT)
    AfxSig_v_uii,       // void (UINT, int, int)               WM_SIZE
    AfxSig_v_ii,        // void (int, int)                     WM_MOVE
    AfxSig_b_D,         // BOOL (CDC*)                         WM_ERASEBKGND
    AfxSig_v_up,        // void (UINT_PTR)                     WM_TIMER
    AfxSig_v_upt,       // void (UINT, CPoint)                 mouse buttons and moves
    AfxSig_b_ushpt,     // BOOL (UINT, short, CPoint)          WM_MOUSEWHEEL
    AfxSig_v_uuu,       // void (UINT, UINT, UINT)             keys and characters
    AfxSig_v_W,         // void (CWnd*)                        focus, capture
    AfxSig_v_uuS,       // void (UINT, UINT, CScrollBar*)      WM_HSCROLL / WM_VSCROLL
    AfxSig_v_Wpt,       // void (CWnd*, CPoint)                WM_CONTEXTMENU
    AfxSig_b_Wuu,       // BOOL (CWnd*, UINT, UINT)            WM_SETCURSOR
    AfxSig_v_pmmi,      // void (MINMAXINFO*)
    AfxSig_v_bu,        // void (BOOL, UINT)                   WM_SHOWWINDOW
    AfxSig_v_hdrop,     // void (HDROP)                        WM_DROPFILES
    AfxSig_hbr_DWu,     // HBRUSH (CDC*, CWnd*, UINT)          WM_CTLCOLORxxx
    AfxSig_v_ipdis,     // void (int, LPDRAWITEMSTRUCT)
    AfxSig_v_ipmis,     // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_v_uWb,       // void (UINT, CWnd*, BOOL)            WM_ACTIVATE
    AfxSig_v_Mub,       // void (CMenu*, UINT, BOOL)           WM_INITMENUPOPUP
    AfxSig_v_ul,        // void (UINT, LPARAM)                 WM_SYSCOMMAND
    AfxSig_v_pwp,       // void (WINDOWPOS*)                   WM_WINDOWPOSCHANGED
    AfxSig_l_pt,        // LRESULT (CPoint)                    WM_NCHITTEST
    AfxSig_i_Wuu,       // int (CWnd*, UINT, UINT)             WM_MOUSEACTIVATE
    AfxSig_v_uuM,       // void (UINT, UINT, HMENU)            WM_MENUSELECT
    AfxSig_l_wl,        // LRESULT (WPARAM, LPARAM)            ON_MESSAGE
    AfxSig_v_u,         // void (UINT)                         command ranges
    AfxSig_cmdui,       // void (CCmdUI*)                      ON_UPDATE_COMMAND_UI
    AfxSig_notify,      // void (NMHDR*, LRESULT*)             ON_NOTIFY
    AfxSig_notify_range,// void (UINT, NMHDR*, LRESULT*)       ON_NOTIFY_RANGE
    AfxSig_b_u,         // BOOL (UINT)                         ON_COMMAND_EX
    AfxSig_b_notify,    // BOOL (NMHDR*, LRESULT*)             ON_NOTIFY_REFLECT_EX
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage; // WM_xxx; WM_COMMAND / WM_NOTIFY for commands and notifications
    UINT nCode;    // notification code, CN_COMMAND or CN_UPDATE_COMMAND_UI
    UINT nID;      // first and last control or command id (0 for window messages)
    UINT nLastID;
    UINT_PTR nSig; // AfxSig; for ON_REGISTERED_MESSAGE the address of the message number
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Command codes of OnCmdMsg (WM_NOTIFY codes arrive as MAKELONG(code, WM_NOTIFY)).
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
// Reflected messages: a parent gives a control's notification to the control first.
#define WM_REFLECT_BASE 0xBC00

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0} }; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap; \
    }

// Casts a handler to the table's generic type after checking its signature.
#define AFX_MSG_PFN(type, fn) reinterpret_cast<AFX_PMSG>(static_cast<type>(&ThisClass::fn))
#define AFX_WM_ENTRY(msg, sig, type, fn) {msg, 0, 0, 0, sig, AFX_MSG_PFN(type, fn)},

// ---- Commands, command state, notifications, messages ----
#define ON_COMMAND(id, fn) {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_v_v, AFX_MSG_PFN(void (CCmdTarget::*)(), fn)},
#define ON_COMMAND_EX(id, fn) {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_b_u, AFX_MSG_PFN(BOOL (CCmdTarget::*)(UINT), fn)},
#define ON_COMMAND_RANGE(idFirst, idLast, fn) {WM_COMMAND, CN_COMMAND, (UINT)(idFirst), (UINT)(idLast), AfxSig_v_u, AFX_MSG_PFN(void (CCmdTarget::*)(UINT), fn)},
#define ON_UPDATE_COMMAND_UI(id, fn) {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), AfxSig_cmdui, AFX_MSG_PFN(void (CCmdTarget::*)(CCmdUI*), fn)},
#define ON_UPDATE_COMMAND_UI_RANGE(idFirst, idLast, fn) {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(idFirst), (UINT)(idLast), AfxSig_cmdui, AFX_MSG_PFN(void (CCmdTarget::*)(CCmdUI*), fn)},
#define ON_CONTROL(code, id, fn) {WM_COMMAND, (UINT)(WORD)(code), (UINT)(id), (UINT)(id), AfxSig_v_v, AFX_MSG_PFN(void (CCmdTarget::*)(), fn)},
#define ON_CONTROL_RANGE(code, idFirst, idLast, fn) {WM_COMMAND, (UINT)(WORD)(code), (UINT)(idFirst), (UINT)(idLast), AfxSig_v_u, AFX_MSG_PFN(void (CCmdTarget::*)(UINT), fn)},
#define ON_NOTIFY(code, id, fn) {WM_NOTIFY, (UINT)(WORD)(int)(code), (UINT)(id), (UINT)(id), AfxSig_notify, AFX_MSG_PFN(void (CCmdTarget::*)(NMHDR*, LRESULT*), fn)},
#define ON_NOTIFY_RANGE(code, idFirst, idLast, fn) {WM_NOTIFY, (UINT)(WORD)(int)(code), (UINT)(idFirst), (UINT)(idLast), AfxSig_notify_range, AFX_MSG_PFN(void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), fn)},
#define ON_NOTIFY_REFLECT(code, fn) {WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(int)(code), 0, 0, AfxSig_notify, AFX_MSG_PFN(void (CCmdTarget::*)(NMHDR*, LRESULT*), fn)},
#define ON_NOTIFY_REFLECT_EX(code, fn) {WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(int)(code), 0, 0, AfxSig_b_notify, AFX_MSG_PFN(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), fn)},
#define ON_CONTROL_REFLECT(code, fn) {WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(code), 0, 0, AfxSig_v_v, AFX_MSG_PFN(void (CCmdTarget::*)(), fn)},
#define ON_MESSAGE(msg, fn) {(UINT)(msg), 0, 0, 0, AfxSig_l_wl, AFX_MSG_PFN(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), fn)},
// The message number is read when the entry is matched (a registered message's number lives in a UINT variable).
#define ON_REGISTERED_MESSAGE(nMessageVariable, fn) {0xC000, 0, 0, 0, (UINT_PTR)&nMessageVariable, AFX_MSG_PFN(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), fn)},

#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)

// ---- Window messages (CWnd handler names and signatures) ----
#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, AfxSig_i_pcs, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, AfxSig_v_v, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, AfxSig_v_v, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, AfxSig_v_v, void (CWnd::*)(), OnClose)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, AfxSig_v_v, void (CWnd::*)(), OnPaint)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, AfxSig_v_uii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, AfxSig_v_ii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_b_D, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, AfxSig_v_up, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_LBUTTONDOWN() AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig_v_upt, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_ENTRY(WM_LBUTTONUP, AfxSig_v_upt, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AfxSig_v_upt, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WM_ENTRY(WM_RBUTTONDOWN, AfxSig_v_upt, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_ENTRY(WM_RBUTTONUP, AfxSig_v_upt, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_MBUTTONDOWN() AFX_WM_ENTRY(WM_MBUTTONDOWN, AfxSig_v_upt, void (CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MOUSEMOVE() AFX_WM_ENTRY(WM_MOUSEMOVE, AfxSig_v_upt, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_WM_ENTRY(WM_NCLBUTTONDOWN, AfxSig_v_upt, void (CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_WM_ENTRY(WM_NCLBUTTONUP, AfxSig_v_upt, void (CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCMOUSEMOVE() AFX_WM_ENTRY(WM_NCMOUSEMOVE, AfxSig_v_upt, void (CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_MOUSEWHEEL() AFX_WM_ENTRY(WM_MOUSEWHEEL, AfxSig_b_ushpt, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_KEYDOWN() AFX_WM_ENTRY(WM_KEYDOWN, AfxSig_v_uuu, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_ENTRY(WM_KEYUP, AfxSig_v_uuu, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_WM_ENTRY(WM_CHAR, AfxSig_v_uuu, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_WM_ENTRY(WM_CAPTURECHANGED, AfxSig_v_W, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_HSCROLL() AFX_WM_ENTRY(WM_HSCROLL, AfxSig_v_uuS, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() AFX_WM_ENTRY(WM_VSCROLL, AfxSig_v_uuS, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_CONTEXTMENU() AFX_WM_ENTRY(WM_CONTEXTMENU, AfxSig_v_Wpt, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_SETCURSOR() AFX_WM_ENTRY(WM_SETCURSOR, AfxSig_b_Wuu, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_GETMINMAXINFO() AFX_WM_ENTRY(WM_GETMINMAXINFO, AfxSig_v_pmmi, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_SHOWWINDOW() AFX_WM_ENTRY(WM_SHOWWINDOW, AfxSig_v_bu, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_DROPFILES() AFX_WM_ENTRY(WM_DROPFILES, AfxSig_v_hdrop, void (CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_CTLCOLOR() AFX_WM_ENTRY(WM_CTLCOLORSTATIC, AfxSig_hbr_DWu, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor) \
    AFX_WM_ENTRY(WM_CTLCOLORDLG, AfxSig_hbr_DWu, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor) \
    AFX_WM_ENTRY(WM_CTLCOLOREDIT, AfxSig_hbr_DWu, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor) \
    AFX_WM_ENTRY(WM_CTLCOLORBTN, AfxSig_hbr_DWu, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor) \
    AFX_WM_ENTRY(WM_CTLCOLORLISTBOX, AfxSig_hbr_DWu, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM() AFX_WM_ENTRY(WM_DRAWITEM, AfxSig_v_ipdis, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() AFX_WM_ENTRY(WM_MEASUREITEM, AfxSig_v_ipmis, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_ACTIVATE() AFX_WM_ENTRY(WM_ACTIVATE, AfxSig_v_uWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_INITMENUPOPUP() AFX_WM_ENTRY(WM_INITMENUPOPUP, AfxSig_v_Mub, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_SYSCOMMAND() AFX_WM_ENTRY(WM_SYSCOMMAND, AfxSig_v_ul, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_WINDOWPOSCHANGED() AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, AfxSig_v_pwp, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, AfxSig_l_pt, LRESULT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_MOUSEACTIVATE() AFX_WM_ENTRY(WM_MOUSEACTIVATE, AfxSig_i_Wuu, int (CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_MENUSELECT() AFX_WM_ENTRY(WM_MENUSELECT, AfxSig_v_uuM, void (CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
