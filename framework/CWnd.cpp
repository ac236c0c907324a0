// CWnd binding: the per-thread handle map, the creation hook, the window
// procedure, creation, subclassing and destruction.
#include "CWnd.h"
#include "AfxThreadState.h"
#include "CWinThread.h"
#include <stdio.h>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace
{
CRITICAL_SECTION* ClassLock()
{
    static CRITICAL_SECTION cs;
    static LONG ready = 0;
    static LONG claimed = 0;
    if (InterlockedCompareExchange(&claimed, 1, 0) == 0)
    {
        InitializeCriticalSection(&cs);
        InterlockedExchange(&ready, 1);
    }
    while (!ready)
        Sleep(0);
    return &cs;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (code == HCBT_CREATEWND && state->pWndInit)
    {
        HWND hWnd = (HWND)wParam;
        CWnd* pWnd = state->pWndInit;
        state->pWndInit = NULL;
        pWnd->Attach(hWnd);
        pWnd->PreSubclassWindow();
        WNDPROC old = (WNDPROC)SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
        if (old != &AfxWndProc)
            pWnd->m_pfnSuper = old;
    }
    return CallNextHookEx(state->hHookCbt, code, wParam, lParam);
}
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One name per distinct set of attributes, kept for the life of the process.
    static char names[64][80];
    static int count = 0;
    char name[80];
    snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(), nClassStyle, (void*)hCursor,
             (void*)hbrBackground, (void*)hIcon);
    EnterCriticalSection(ClassLock());
    LPCSTR result = NULL;
    for (int i = 0; i < count && !result; ++i)
        if (strcmp(names[i], name) == 0)
            result = names[i];
    if (!result)
    {
        WNDCLASSA wc = {};
        wc.style = nClassStyle;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = name;
        WNDCLASSA existing;
        if (GetClassInfoA(wc.hInstance, name, &existing) || RegisterClassA(&wc))
        {
            if (count < 64)
            {
                strcpy(names[count], name);
                result = names[count++];
            }
        }
    }
    LeaveCriticalSection(ClassLock());
    return result;
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (!state->hHookCbt)
        state->hHookCbt = SetWindowsHookExA(WH_CBT, CbtFilterHook, NULL, GetCurrentThreadId());
    state->pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->hHookCbt)
    {
        UnhookWindowsHookEx(state->hHookCbt);
        state->hHookCbt = NULL;
    }
    BOOL bound = state->pWndInit == NULL;
    state->pWndInit = NULL;
    return bound;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    AFX_THREAD_STATE* state = AfxGetThreadState();
    MSG previous = state->lastSent;
    state->lastSent.hwnd = hWnd;
    state->lastSent.message = message;
    state->lastSent.wParam = wParam;
    state->lastSent.lParam = lParam;
    LRESULT result = 0;
    try
    {
        result = pWnd->WindowProc(message, wParam, lParam);
    }
    catch (...)
    {
        result = 0;
    }
    if (message == WM_NCDESTROY)
    {
        // A derived OnNcDestroy that did not call the base still ends the binding.
        CWnd* still = CWnd::FromHandlePermanent(hWnd);
        if (still == pWnd)
            pWnd->FinishNcDestroy();
    }
    state->lastSent = previous;
    return result;
}

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL) {}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
    {
        // An object destroyed before its window takes the window with it.
        HWND hWnd = m_hWnd;
        if (m_pfnSuper)
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
        Detach();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return NULL;
    AFX_THREAD_STATE* state = AfxGetThreadState();
    auto it = state->permanentWnds.find(hWnd);
    return it == state->permanentWnds.end() ? NULL : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return NULL;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    AFX_THREAD_STATE* state = AfxGetThreadState();
    CWnd*& temp = state->tempWnds[hWnd];
    if (!temp)
    {
        temp = new CWnd;
        temp->m_hWnd = hWnd;
    }
    return temp;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd)
        return FALSE;
    AFX_THREAD_STATE* state = AfxGetThreadState();
    auto temp = state->tempWnds.find(hWnd);
    if (temp != state->tempWnds.end())
    {
        temp->second->m_hWnd = NULL;
        delete temp->second;
        state->tempWnds.erase(temp);
    }
    state->permanentWnds[hWnd] = this;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
    {
        AFX_THREAD_STATE* state = AfxGetThreadState();
        auto it = state->permanentWnds.find(hWnd);
        if (it != state->permanentWnds.end() && it->second == this)
            state->permanentWnds.erase(it);
    }
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC old = (WNDPROC)SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (old != &AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hControl = pParent ? ::GetDlgItem(pParent->m_hWnd, nID) : NULL;
    return hControl ? SubclassWindow(hControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(NULL, IDC_ARROW));
    return cs.lpszClass != NULL;
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    if (!hWnd)
    {
        // WM_NCDESTROY already unbound the object when creation failed late;
        // PostNcDestroy then ran, so nothing more may touch the object.
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, (LPVOID)pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::FinishNcDestroy()
{
    HWND hWnd = m_hWnd;
    if (m_pfnSuper && hWnd)
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    Detach();
    PostNcDestroy();
}

void CWnd::OnNcDestroy()
{
    // The main window of a thread ends the thread's message loop.
    CWinThread* pThread = AfxGetThread();
    if (pThread && pThread->m_pMainWnd == this)
    {
        pThread->m_pMainWnd = NULL;
        ::PostQuitMessage(0);
    }
    if (pThread && pThread->m_pActiveWnd == this)
        pThread->m_pActiveWnd = NULL;
    Default();
    FinishNcDestroy();
}
