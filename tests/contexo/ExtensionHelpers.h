// Helpers shared by the extension's tests: a context menu initialised with a
// selection, and the menu's items read back as text.
#pragma once

#include "ContexoCopy.h"
#include "TestDataObject.h"

#include <string>

// An extension object's IContextMenu, initialised with the data object's
// selection; null when it cannot be made or Initialize fails.
inline IContextMenu* CreateInitializedMenu(CContexoCopy& contexo, CTestDataObject& data)
{
    IContextMenu* pMenu = contexo.Create<IContextMenu>(IID_IContextMenu);
    if (pMenu == NULL)
        return NULL;
    IShellExtInit* pInit = NULL;
    HRESULT hr = pMenu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&pInit));
    if (SUCCEEDED(hr))
    {
        hr = pInit->Initialize(NULL, &data, NULL);
        pInit->Release();
    }
    if (FAILED(hr))
    {
        pMenu->Release();
        return NULL;
    }
    return pMenu;
}

inline std::string MenuItemText(HMENU hMenu, int nPosition)
{
    char szText[256] = "";
    GetMenuStringA(hMenu, nPosition, szText, sizeof(szText), MF_BYPOSITION);
    return szText;
}

// Adds the extension's items to a fresh pop-up menu with the given flags and
// tells how many the shell would count as used (the HRESULT's code).
inline int CountAddedCommands(IContextMenu* pMenu, UINT nFlags, HMENU* phMenu = NULL)
{
    HMENU hMenu = CreatePopupMenu();
    HRESULT hr = pMenu->QueryContextMenu(hMenu, 0, 100, 0x7FFF, nFlags);
    int nUsed = SUCCEEDED(hr) ? HRESULT_CODE(hr) : -1;
    if (phMenu != NULL)
        *phMenu = hMenu;
    else
        DestroyMenu(hMenu);
    return nUsed;
}
