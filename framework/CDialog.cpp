// CDialog: templates through the resource chain, modal and modeless boxes.
#include "CDialog.h"
#include "CWinThread.h"
#include "ResourceChain.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace
{
// Every message is handled by the bound object through the window procedure;
// the dialog procedure only lets the dialog manager do its default work.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}
}

CDialog::CDialog() : m_lpszTemplateName(NULL), m_nIDHelp(0), m_pParentWnd(NULL), m_bModal(FALSE) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd),
      m_bModal(FALSE)
{
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_nIDHelp(0), m_pParentWnd(pParentWnd), m_bModal(FALSE)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
}

CDialog::~CDialog()
{
    if (m_hWnd && !m_bModal)
        DestroyWindow();
}

LPCDLGTEMPLATEA CDialog::LoadTemplate(HINSTANCE* phInst) const
{
    if (!m_lpszTemplateName)
        return NULL;
    HMODULE module = AfxFindResourceHandle(m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    HRSRC resource = module ? ::FindResourceA(module, m_lpszTemplateName, (LPCSTR)RT_DIALOG) : NULL;
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : NULL;
    if (!loaded)
        return NULL;
    *phInst = module;
    return (LPCDLGTEMPLATEA)::LockResource(loaded);
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = NULL;
    LPCDLGTEMPLATEA dialogTemplate = LoadTemplate(&hInst);
    if (!dialogTemplate || m_hWnd)
        return -1;
    HWND hOwner = NULL;
    GetSafeOwner(m_pParentWnd, &hOwner);
    m_bModal = TRUE;
    AfxHookWindowCreate(this);
    INT_PTR result = ::DialogBoxIndirectParamA(hInst, dialogTemplate, hOwner, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    m_bModal = FALSE;
    if (hOwner && ::IsWindow(hOwner))
        ::SetActiveWindow(hOwner);
    return result;
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (!lpDialogTemplate || m_hWnd)
        return FALSE;
    if (!hInst)
        hInst = AfxGetInstanceHandle();
    m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return hWnd != NULL;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && !m_nIDHelp)
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    HINSTANCE hInst = NULL;
    LPCDLGTEMPLATEA dialogTemplate = LoadTemplate(&hInst);
    if (!dialogTemplate)
        return FALSE;
    if (!pParentWnd)
    {
        CWinThread* pThread = AfxGetThread();
        pParentWnd = pThread ? pThread->m_pMainWnd : NULL;
    }
    return CreateIndirect(dialogTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

void CDialog::EndDialog(int nResult)
{
    if (m_bModal)
        ::EndDialog(m_hWnd, nResult);
    else
        ShowWindow(SW_HIDE);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Keyboard navigation of modeless boxes (modal ones run their own loop).
    if (!m_bModal && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if ((UINT)nCode != CN_COMMAND && (UINT)nCode != CN_UPDATE_COMMAND_UI)
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    return pThread && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
