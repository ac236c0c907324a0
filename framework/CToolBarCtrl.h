// CToolBarCtrl: the common-controls tool bar window (what CToolBar wraps).
#pragma once

#include "CWnd.h"
#include "CImageList.h"

class FRAMEWORK_API CToolBarCtrl : public CWnd
{
public:
    ~CToolBarCtrl() override; // out of line, so framework.dll holds the class's vtable
    BOOL EnableButton(int nID, BOOL bEnable = TRUE) { return (BOOL)SendMessage(TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0)); }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE) { return (BOOL)SendMessage(TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0)); }
    BOOL IsButtonEnabled(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONENABLED, nID, 0); }
    BOOL IsButtonChecked(int nID) const { return (BOOL)SendMessage(TB_ISBUTTONCHECKED, nID, 0); }
    int GetButtonCount() const { return (int)SendMessage(TB_BUTTONCOUNT, 0, 0); }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const { return (BOOL)SendMessage(TB_GETBUTTON, nIndex, (LPARAM)lpButton); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)SendMessage(TB_GETITEMRECT, nIndex, (LPARAM)lpRect); }
    int CommandToIndex(UINT nID) const { return (int)SendMessage(TB_COMMANDTOINDEX, nID, 0); }
    // Return the list given before (the control does not own its lists).
    HIMAGELIST SetImageList(CImageList* pImageList) { return (HIMAGELIST)SendMessage(TB_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle()); }
    HIMAGELIST SetHotImageList(CImageList* pImageList) { return (HIMAGELIST)SendMessage(TB_SETHOTIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle()); }
    HIMAGELIST SetDisabledImageList(CImageList* pImageList) { return (HIMAGELIST)SendMessage(TB_SETDISABLEDIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle()); }
    HIMAGELIST GetImageList() const { return (HIMAGELIST)SendMessage(TB_GETIMAGELIST, 0, 0); }
    HIMAGELIST GetHotImageList() const { return (HIMAGELIST)SendMessage(TB_GETHOTIMAGELIST, 0, 0); }
    HIMAGELIST GetDisabledImageList() const { return (HIMAGELIST)SendMessage(TB_GETDISABLEDIMAGELIST, 0, 0); }
    DWORD SetExtendedStyle(DWORD dwExStyle) { return (DWORD)SendMessage(TB_SETEXTENDEDSTYLE, 0, dwExStyle); }
};
