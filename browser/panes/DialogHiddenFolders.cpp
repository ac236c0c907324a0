// CDialogHiddenFolders: the list box over the shared hidden-folders list.
#include "DialogHiddenFolders.h"
#include "BaseFrameWindow.h"
#include "CStringList.h"

BEGIN_MESSAGE_MAP(CDialogHiddenFolders, CDialog)
    ON_BN_CLICKED(IDC_HIDDEN_REMOVE, OnRemove)
    ON_LBN_DBLCLK(IDC_HIDDEN_LIST, OnRemove)
    ON_LBN_SELCHANGE(IDC_HIDDEN_LIST, OnSelChange)
END_MESSAGE_MAP()

CDialogHiddenFolders::CDialogHiddenFolders(CWnd* pParent) : CDialog(IDD, pParent) {}

BOOL CDialogHiddenFolders::OnInitDialog()
{
    CDialog::OnInitDialog();
    CStringList hidden;
    CBaseFrameWindow::m_DisabledFolders.GetList(hidden);
    for (POSITION pos = hidden.GetHeadPosition(); pos;)
        SendDlgItemMessage(IDC_HIDDEN_LIST, LB_ADDSTRING, 0, (LPARAM)(LPCSTR)hidden.GetNext(pos));
    SendDlgItemMessage(IDC_HIDDEN_LIST, LB_SETCURSEL, 0);
    UpdateRemoveButton();
    return TRUE;
}

void CDialogHiddenFolders::UpdateRemoveButton()
{
    if (CWnd* button = GetDlgItem(IDC_HIDDEN_REMOVE))
        button->EnableWindow(SendDlgItemMessage(IDC_HIDDEN_LIST, LB_GETCURSEL) != LB_ERR);
}

void CDialogHiddenFolders::RemoveSelected()
{
    int index = (int)SendDlgItemMessage(IDC_HIDDEN_LIST, LB_GETCURSEL);
    if (index == LB_ERR)
        return;
    int length = (int)SendDlgItemMessage(IDC_HIDDEN_LIST, LB_GETTEXTLEN, index);
    CString text;
    if (length > 0)
    {
        SendDlgItemMessage(IDC_HIDDEN_LIST, LB_GETTEXT, index, (LPARAM)text.GetBuffer(length + 1));
        text.ReleaseBuffer(length);
    }
    CBaseFrameWindow::m_DisabledFolders -= text;
    int left = (int)SendDlgItemMessage(IDC_HIDDEN_LIST, LB_DELETESTRING, index);
    if (left > 0)
        SendDlgItemMessage(IDC_HIDDEN_LIST, LB_SETCURSEL, index < left ? index : left - 1);
    UpdateRemoveButton();
}

void CDialogHiddenFolders::OnRemove() { RemoveSelected(); }
void CDialogHiddenFolders::OnSelChange() { UpdateRemoveButton(); }
