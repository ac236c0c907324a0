// Per-thread state of the class library: the handle maps of the thread's
// windows and menus, the object waiting to be bound to the window being
// created, the thread object and the message being dispatched. Internal to
// framework.dll; freed when the thread detaches from the DLL.
#pragma once

#include <windows.h>
#include <map>

class CWnd;
class CMenu;
class CWinThread;
class CGdiObject;

struct AFX_THREAD_STATE
{
    std::map<HWND, CWnd*> permanentWnds; // windows bound to an object of this thread
    std::map<HWND, CWnd*> tempWnds;      // wrappers made by FromHandle, deleted when idle
    std::map<HMENU, CMenu*> tempMenus;
    std::map<HGDIOBJ, CGdiObject*> tempGdiObjects;
    CWnd* pWndInit = nullptr;            // bound on the first creation hook call
    HHOOK hHookCbt = nullptr;
    CWinThread* pThread = nullptr;       // the CWinThread running this thread, if any
    MSG lastSent = {};                   // the message being dispatched (Default() passes it on)
    MSG msgCur = {};                     // the message the loop fetched last
    int nTempDeleteDepth = 0;
};

AFX_THREAD_STATE* AfxGetThreadState();
void AfxFreeThreadState();
// Deletes the thread's temporary window, menu and device-context wrappers.
void AfxDeleteTempMaps();
