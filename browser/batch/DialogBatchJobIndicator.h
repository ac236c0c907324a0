// CDialogBatchJobIndicator: the small modal progress window of a batch. It
// starts its job from a 100 ms timer, shows the current input and output
// names and two bars (the current file, the whole job), and stays open with
// the job's end text as caption ("Done. Press ESC key", or how many files
// could not be written) until the user closes it with ESC.
#pragma once

#include "Framework.h"
#include "CDialog.h"
#include "BatchResource.h"

class CDialogBatchJob;

class CDialogBatchJobIndicator : public CDialog
{
public:
    enum { IDD = IDD_BATCH_INDICATOR, StartTimerId = 1, StartDelay = 100 };

    CDialogBatchJobIndicator(CDialogBatchJob* job, CWnd* pParent = NULL);

    // Status text (two lines) and bars (0..100); each shows at once, because
    // the window's message loop does not run while the job works.
    void SetStatus(const CString& text);
    void SetFileBar(int position);
    int GetFileBar() const;
    void SetJobBar(int position);
    int GetJobBar() const;
    bool IsDone() const { return m_bDone; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    void SetBar(int id, int position);
    CDialogBatchJob* m_pJob;
    bool m_bDone;
};
