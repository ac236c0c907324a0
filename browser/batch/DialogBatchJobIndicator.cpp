// CDialogBatchJobIndicator: runs a batch job inside its start timer and
// shows its progress.
#include "DialogBatchJobIndicator.h"
#include "DialogBatchJob.h"

BEGIN_MESSAGE_MAP(CDialogBatchJobIndicator, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CDialogBatchJobIndicator::CDialogBatchJobIndicator(CDialogBatchJob* job, CWnd* pParent)
    : CDialog(IDD, pParent), m_pJob(job), m_bDone(false)
{
}

BOOL CDialogBatchJobIndicator::OnInitDialog()
{
    CDialog::OnInitDialog();
    const int bars[2] = {IDC_BATCH_FILE_BAR, IDC_BATCH_JOB_BAR};
    for (int id : bars)
    {
        SendDlgItemMessage(id, PBM_SETRANGE32, 0, 100);
        SendDlgItemMessage(id, PBM_SETPOS, 0, 0);
    }
    SetTimer(StartTimerId, StartDelay);
    return TRUE;
}

void CDialogBatchJobIndicator::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != StartTimerId)
        return;
    KillTimer(StartTimerId);
    if (m_pJob)
        m_pJob->RunJob(this);
    // Keys pressed during the job (the ESC that interrupted it) are not
    // meant for this window: it stays until ESC is pressed again.
    MSG msg;
    while (PeekMessageA(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
    {
    }
    m_bDone = true;
    SetWindowText(m_pJob ? m_pJob->EndText() : CString("Done. Press ESC key"));
}

void CDialogBatchJobIndicator::SetStatus(const CString& text)
{
    if (!m_hWnd)
        return;
    SetDlgItemText(IDC_BATCH_STATUS, text);
    if (HWND status = ::GetDlgItem(m_hWnd, IDC_BATCH_STATUS))
        ::UpdateWindow(status);
}

void CDialogBatchJobIndicator::SetBar(int id, int position)
{
    if (!m_hWnd)
        return;
    SendDlgItemMessage(id, PBM_SETPOS, position, 0);
    if (HWND bar = ::GetDlgItem(m_hWnd, id))
        ::UpdateWindow(bar);
}

void CDialogBatchJobIndicator::SetFileBar(int position)
{
    SetBar(IDC_BATCH_FILE_BAR, position);
}

void CDialogBatchJobIndicator::SetJobBar(int position)
{
    SetBar(IDC_BATCH_JOB_BAR, position);
}

int CDialogBatchJobIndicator::GetFileBar() const
{
    return m_hWnd ? (int)SendDlgItemMessage(IDC_BATCH_FILE_BAR, PBM_GETPOS, 0, 0) : 0;
}

int CDialogBatchJobIndicator::GetJobBar() const
{
    return m_hWnd ? (int)SendDlgItemMessage(IDC_BATCH_JOB_BAR, PBM_GETPOS, 0, 0) : 0;
}
