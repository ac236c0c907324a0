// AfxMessageBox: owner, caption and string-resource texts.
#include "AfxMessageBox.h"
#include "CWnd.h"
#include "CWinApp.h"

namespace
{
AFX_MESSAGEBOX_HOOK volatile g_hook = NULL;
}

AFX_MESSAGEBOX_HOOK AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK hook)
{
    return (AFX_MESSAGEBOX_HOOK)InterlockedExchangePointer((PVOID volatile*)&g_hook, (PVOID)hook);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    if (AFX_MESSAGEBOX_HOOK hook = g_hook)
        return hook(lpszText ? lpszText : "", nType);
    HWND hOwner = NULL;
    CWnd::GetSafeOwner(NULL, &hOwner);
    CWinApp* pApp = AfxGetApp();
    LPCSTR caption = pApp && pApp->m_pszAppName ? pApp->m_pszAppName : "";
    if (!(nType & MB_ICONMASK))
    {
        UINT type = nType & MB_TYPEMASK;
        nType |= (type == MB_OK || type == MB_OKCANCEL) ? MB_ICONEXCLAMATION
                 : (type == MB_YESNO || type == MB_YESNOCANCEL) ? MB_ICONQUESTION
                                                                : 0;
    }
    return ::MessageBoxA(hOwner, lpszText ? lpszText : "", caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}
