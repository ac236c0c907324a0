// CTCToolBar: hands its true-colour lists to the tool-bar control.
#include "TCToolBar.h"
#include "TCImageList.h"
#include <initializer_list>

IMPLEMENT_DYNAMIC(CTCToolBar, CToolBar)

BEGIN_MESSAGE_MAP(CTCToolBar, CToolBar)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
void SetList(HWND hBar, UINT setMessage, HIMAGELIST list)
{
    HIMAGELIST previous = (HIMAGELIST)SendMessageA(hBar, setMessage, 0, (LPARAM)list);
    if (previous)
        ImageList_Destroy(previous);
}

void ReplaceList(HWND hBar, UINT setMessage, UINT buttonWidth, UINT bitmapID, COLORREF mask)
{
    CTCImageList list;
    if (list.CreateTC(bitmapID, (int)buttonWidth, mask))
        SetList(hBar, setMessage, list.Detach());
}
}

int CTCToolBar::LoadTCToolBar(int buttonWidth, UINT normalID, UINT hotID, UINT disabledID, COLORREF mask)
{
    ReplaceList(m_hWnd, TB_SETIMAGELIST, buttonWidth, normalID, mask);
    // The same artwork for hot buttons (the usual case): a copy of the list
    // costs much less than loading and masking the bitmap again.
    HIMAGELIST normal = (HIMAGELIST)SendMessage(TB_GETIMAGELIST, 0, 0);
    HIMAGELIST copy = hotID == normalID && normal ? ImageList_Duplicate(normal) : NULL;
    if (copy)
        SetList(m_hWnd, TB_SETHOTIMAGELIST, copy);
    else
        ReplaceList(m_hWnd, TB_SETHOTIMAGELIST, buttonWidth, hotID, mask);
    if (disabledID)
        ReplaceList(m_hWnd, TB_SETDISABLEDIMAGELIST, buttonWidth, disabledID, mask);
    return 1;
}

void CTCToolBar::OnDestroy()
{
    for (UINT message : {TB_SETIMAGELIST, TB_SETHOTIMAGELIST, TB_SETDISABLEDIMAGELIST})
        if (HIMAGELIST list = (HIMAGELIST)SendMessage(message, 0, 0))
            ImageList_Destroy(list);
    CToolBar::OnDestroy();
}
