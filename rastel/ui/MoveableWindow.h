// CMoveableWindow: a child window the user drags around inside its parent
// with the left button. While dragging, the mouse is captured and the cursor
// confined to the parent's client area; both end with the button (or the
// object). A locked axis keeps the window's position along it.
#pragma once

#include "Framework.h"
#include "CWnd.h"
#include "RastelApi.h"

class RASTEL_API CMoveableWindow : public CWnd
{
    DECLARE_DYNAMIC(CMoveableWindow)
public:
    CMoveableWindow();
    ~CMoveableWindow() override;

    static LPCSTR m_lpszClass; // "Pixmere_MoveableWindowClass"

    virtual void SelectCursor();
    virtual void SelectDragCursor();
    virtual void MouseButtonDown();
    virtual void MouseButtonUp();
    virtual void MouseIsMoving();
    // A visible child (clip-siblings, tab-stop) with a control id of its own.
    virtual BOOL Create(const RECT& rect, CWnd* pParentWnd, DWORD dwExtraStyle);

    BOOL IsDragging() const { return m_nLastX != -1 || m_nLastY != -1; }

protected:
    int m_nLastX, m_nLastY; // last drag point in parent client coordinates; -1, -1 when idle
    BOOL m_bLockX;          // horizontal movement locked
    BOOL m_bLockY;          // vertical movement locked
    UINT m_nMoveFlags;      // key flags of the mouse message being handled (MK_LBUTTON ...)
    BOOL m_bMoveFlagsKnown; // the message carried key flags (client-area messages do)

    // The cursor in parent client coordinates.
    CPoint CursorInParent() const;
    BOOL LeftButtonDown() const;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
