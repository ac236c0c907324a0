// CToolBar: creation, TOOLBAR resources, layout and button state updates.
#include "CToolBar.h"
#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "ResourceChain.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace
{
// Enables and checks one tool-bar button.
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        HWND hBar = m_pOther->m_hWnd;
        LRESULT state = ::SendMessageA(hBar, TB_GETSTATE, m_nID, 0);
        if (state == -1)
            return;
        LRESULT newState = bOn ? (state | TBSTATE_ENABLED) : (state & ~TBSTATE_ENABLED);
        if (newState != state)
            ::SendMessageA(hBar, TB_SETSTATE, m_nID, MAKELPARAM(newState, 0));
    }
    void SetCheck(int nCheck) override
    {
        HWND hBar = m_pOther->m_hWnd;
        LRESULT state = ::SendMessageA(hBar, TB_GETSTATE, m_nID, 0);
        if (state == -1)
            return;
        LRESULT newState = state & ~(TBSTATE_CHECKED | TBSTATE_INDETERMINATE);
        if (nCheck == 1)
            newState |= TBSTATE_CHECKED;
        else if (nCheck == 2)
            newState |= TBSTATE_INDETERMINATE;
        if (newState != state)
            ::SendMessageA(hBar, TB_SETSTATE, m_nID, MAKELPARAM(newState, 0));
    }
    void SetText(LPCSTR) override {}
};
}

CToolBar::CToolBar() : m_hbmImageWell(NULL), m_sizeImage(16, 15), m_sizeButton(23, 22) {}

CToolBar::~CToolBar()
{
    if (m_hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID)
{
    m_dwStyle = dwStyle & (CBRS_ALIGN_ANY | 0x0F00 | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED |
                           CBRS_GRIPPER);
    if (!(m_dwStyle & CBRS_ALIGN_ANY))
        m_dwStyle |= CBRS_ALIGN_TOP;
    DWORD windowStyle = (dwStyle & (WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_CLIPSIBLINGS)) | WS_CHILD | dwCtrlStyle |
                        CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (m_dwStyle & CBRS_TOOLTIPS)
        windowStyle |= TBSTYLE_TOOLTIPS;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, NULL, windowStyle, CRect(0, 0, 100, 30), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(LPCSTR lpszResourceName)
{
    HMODULE module = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(241));
    HRSRC resource = module ? ::FindResourceA(module, lpszResourceName, MAKEINTRESOURCEA(241)) : NULL;
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : NULL;
    DWORD size = resource ? ::SizeofResource(module, resource) : 0;
    const WORD* data = loaded ? (const WORD*)::LockResource(loaded) : NULL;
    if (!data || size < 8)
        return FALSE;
    // The resource compiler's layout: WORD version 1, width, height, count,
    // then count WORD ids; GNU windres writes the same fields as DWORDs
    // without the version.
    const DWORD* dwords = (const DWORD*)data;
    BOOL wordLayout = data[0] == 1 && size >= 8u + 2u * data[3];
    BOOL dwordLayout = !wordLayout && size >= 12 && dwords[2] <= 4096 && size >= 12u + 4u * dwords[2];
    if (!wordLayout && !dwordLayout)
        return FALSE;
    int count = wordLayout ? data[3] : (int)dwords[2];
    UINT* ids = new UINT[count ? count : 1];
    for (int i = 0; i < count; ++i)
        ids[i] = wordLayout ? data[4 + i] : dwords[3 + i];
    CSize image = wordLayout ? CSize(data[1], data[2]) : CSize((int)dwords[0], (int)dwords[1]);
    BOOL ok = SetButtons(ids, count);
    delete[] ids;
    if (!ok)
        return FALSE;
    SetSizes(CSize(image.cx + 7, image.cy + 7), image);
    // The image well is optional: true-colour image lists may replace it.
    if (AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_BITMAP))
    {
        HMODULE bmModule = AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_BITMAP);
        HBITMAP hbm = (HBITMAP)::LoadImageA(bmModule, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
        if (hbm)
        {
            if (m_hbmImageWell)
                ::DeleteObject(m_hbmImageWell);
            m_hbmImageWell = hbm;
            TBADDBITMAP add = {NULL, (UINT_PTR)hbm};
            BITMAP info;
            ::GetObjectA(hbm, sizeof(info), &info);
            SendMessage(TB_ADDBITMAP, image.cx ? info.bmWidth / image.cx : 0, (LPARAM)&add);
        }
    }
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEA(nIDResource)); }

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    LPCSTR name = MAKEINTRESOURCEA(nIDResource);
    HMODULE module = AfxFindResourceHandle(name, (LPCSTR)RT_BITMAP);
    HBITMAP hbm = module ? (HBITMAP)::LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS) : NULL;
    if (!hbm)
        return FALSE;
    if (m_hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbm;
    BITMAP info;
    ::GetObjectA(hbm, sizeof(info), &info);
    TBADDBITMAP add = {NULL, (UINT_PTR)hbm};
    SendMessage(TB_ADDBITMAP, m_sizeImage.cx ? info.bmWidth / m_sizeImage.cx : 0, (LPARAM)&add);
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (!m_hWnd || nIDCount < 0)
        return FALSE;
    while (SendMessage(TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessage(TB_DELETEBUTTON, 0, 0);
    if (nIDCount == 0)
        return TRUE;
    // All in one message: the control lays itself out once, not per button.
    TBBUTTON* buttons = new TBBUTTON[nIDCount];
    int image = 0;
    for (int i = 0; i < nIDCount; ++i)
    {
        TBBUTTON button = {};
        UINT id = lpIDArray ? lpIDArray[i] : 0;
        if (id == ID_SEPARATOR)
        {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = 6;
        }
        else
        {
            button.iBitmap = image++;
            button.idCommand = (int)id;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = TBSTYLE_BUTTON;
        }
        buttons[i] = button;
    }
    BOOL added = SendMessage(TB_ADDBUTTONSA, nIDCount, (LPARAM)buttons) != 0;
    delete[] buttons;
    return added;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, nIndex, (LPARAM)&button))
        return 0;
    return button.fsStyle & TBSTYLE_SEP ? ID_SEPARATOR : (UINT)button.idCommand;
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, nIndex, (LPARAM)&button))
        return 0;
    return MAKELONG(button.fsStyle, button.fsState);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTONINFOA info = {sizeof(info)};
    info.dwMask = TBIF_STYLE | TBIF_STATE | TBIF_BYINDEX;
    info.fsStyle = (BYTE)LOWORD(nStyle);
    info.fsState = (BYTE)HIWORD(nStyle);
    SendMessage(TB_SETBUTTONINFOA, nIndex, (LPARAM)&info);
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    int extent = 0;
    int count = GetCount();
    for (int i = 0; i < count; ++i)
    {
        CRect rect;
        GetItemRect(i, &rect);
        extent = bHorz ? (rect.bottom > extent ? rect.bottom : extent) : (rect.right > extent ? rect.right : extent);
    }
    if (extent == 0)
        extent = bHorz ? m_sizeButton.cy : m_sizeButton.cx;
    extent += 4;
    return bHorz ? CSize(32767, extent) : CSize(extent, 32767);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        UINT id = GetItemID(state.m_nIndex);
        if (id == ID_SEPARATOR)
            continue;
        state.m_nID = id;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}
