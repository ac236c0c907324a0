// COleDropTarget: makes a window accept OLE drops. Register binds it to a
// window (OLE must be initialised on the window's thread); the OnDragXxx and
// OnDrop virtuals get points in the window's client coordinates and by
// default pass on to the window when it is a CView (whose own defaults
// accept nothing). Revoke (or destruction) ends the registration.
#pragma once

#include "CCmdTarget.h"
#include "CPoint.h"
#include "AfxOle.h"

class CWnd;
class COleDataObject;

class FRAMEWORK_API COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;

    BOOL Register(CWnd* pWnd);
    void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    HWND m_hWnd;

private:
    class Target;
    Target* m_pTarget;
};
