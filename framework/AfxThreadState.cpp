// Thread-local state kept in a TLS slot of the DLL.
#include "AfxThreadState.h"
#include "CWnd.h"
#include "CMenu.h"
#include "CDC.h"
#include "CGdiObject.h"

namespace
{
DWORD g_tlsIndex = TlsAlloc();
}

AFX_THREAD_STATE* AfxGetThreadState()
{
    AFX_THREAD_STATE* state = (AFX_THREAD_STATE*)TlsGetValue(g_tlsIndex);
    if (!state)
    {
        state = new AFX_THREAD_STATE;
        TlsSetValue(g_tlsIndex, state);
    }
    return state;
}

void AfxDeleteTempMaps()
{
    AFX_THREAD_STATE* state = (AFX_THREAD_STATE*)TlsGetValue(g_tlsIndex);
    if (state)
    {
        std::map<HWND, CWnd*> wnds;
        wnds.swap(state->tempWnds);
        for (auto& entry : wnds)
        {
            entry.second->m_hWnd = NULL;
            delete entry.second;
        }
        std::map<HMENU, CMenu*> menus;
        menus.swap(state->tempMenus);
        for (auto& entry : menus)
        {
            entry.second->m_hMenu = NULL;
            delete entry.second;
        }
        std::map<HGDIOBJ, CGdiObject*> objects;
        objects.swap(state->tempGdiObjects);
        for (auto& entry : objects)
        {
            entry.second->Detach();
            delete entry.second;
        }
    }
    CDC::DeleteTempMap();
}

void AfxFreeThreadState()
{
    AFX_THREAD_STATE* state = (AFX_THREAD_STATE*)TlsGetValue(g_tlsIndex);
    if (!state)
        return;
    AfxDeleteTempMaps();
    if (state->hHookCbt)
        UnhookWindowsHookEx(state->hHookCbt);
    TlsSetValue(g_tlsIndex, NULL);
    delete state;
}
