// Dialogs from templates: modal boxes exchange their data with the members
// on start and on OK, refuse OK while a value is invalid, and Cancel leaves
// the members alone; a missing template gives -1.
#include <gtest/gtest.h>
#include "CDialog.h"
#include "CDataExchange.h"
#include "CButton.h"
#include "CWinApp.h"
#include "WindowTestKit.h"
#include "WindowTestRes.h"

namespace
{
class CExchangeDialog : public CDialog
{
public:
    CExchangeDialog() : CDialog(IDD_TESTDIALOG) {}

    CString m_name = "first";
    int m_count = 12;
    int m_flag = 1;
    int m_radio = 2;
    CButton m_flagButton;

    // What the controls showed after OnInitDialog, and what the test types in.
    CString m_shownName, m_shownCount;
    int m_shownFlag = -1, m_shownRadio = -1;
    bool m_subclassed = false;
    CString m_typeName, m_typeCount;
    int m_typeRadio = 0;
    UINT m_action = IDOK;
    int m_okAttempts = 0;
    bool m_badFirst = false;

    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_FLAG, m_flagButton);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 0, 1000);
        DDX_Check(pDX, IDC_FLAG, m_flag);
        DDX_Radio(pDX, IDC_RADIO0, m_radio);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GetDlgItemText(IDC_NAME, m_shownName);
        GetDlgItemText(IDC_COUNT, m_shownCount);
        m_shownFlag = IsDlgButtonChecked(IDC_FLAG);
        m_shownRadio = GetCheckedRadioButton(IDC_RADIO0, IDC_RADIO2) - IDC_RADIO0;
        m_subclassed = FromHandlePermanent(::GetDlgItem(m_hWnd, IDC_FLAG)) == &m_flagButton;
        SetDlgItemText(IDC_NAME, m_typeName);
        SetDlgItemText(IDC_COUNT, m_badFirst ? "12x" : (LPCSTR)m_typeCount);
        CheckDlgButton(IDC_FLAG, BST_UNCHECKED);
        CheckRadioButton(IDC_RADIO0, IDC_RADIO2, IDC_RADIO0 + m_typeRadio);
        PostMessage(WM_COMMAND, m_action);
        if (m_badFirst)
            SetTimer(1, 100, NULL);
        return TRUE;
    }

    void OnOK() override
    {
        ++m_okAttempts;
        CDialog::OnOK();
    }

protected:
    afx_msg void OnTimer(UINT_PTR)
    {
        // The refusal's message box is up: close it, mend the value, press OK again.
        HWND box = FindWindowA("#32770", AfxGetApp() ? AfxGetApp()->m_pszAppName : NULL);
        if (!box || box == m_hWnd)
            return;
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        KillTimer(1);
        SetDlgItemText(IDC_COUNT, m_typeCount);
        PostMessage(WM_COMMAND, IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()
}

TEST(ModalDialog, ExchangesDataBothWaysOnOk)
{
    CExchangeDialog dialog;
    dialog.m_typeName = "second";
    dialog.m_typeCount = "345";
    dialog.m_typeRadio = 1;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_STREQ(dialog.m_shownName, "first");
    EXPECT_STREQ(dialog.m_shownCount, "12");
    EXPECT_EQ(dialog.m_shownFlag, 1);
    EXPECT_EQ(dialog.m_shownRadio, 2);
    EXPECT_TRUE(dialog.m_subclassed);
    EXPECT_STREQ(dialog.m_name, "second");
    EXPECT_EQ(dialog.m_count, 345);
    EXPECT_EQ(dialog.m_flag, 0);
    EXPECT_EQ(dialog.m_radio, 1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_flagButton.m_hWnd, nullptr); // controls unbound with their window
}

TEST(ModalDialog, CancelKeepsTheMembers)
{
    CExchangeDialog dialog;
    dialog.m_typeName = "changed";
    dialog.m_typeCount = "99";
    dialog.m_action = IDCANCEL;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_STREQ(dialog.m_name, "first");
    EXPECT_EQ(dialog.m_count, 12);
}

TEST(ModalDialog, InvalidNumberKeepsTheBoxOpenUntilMended)
{
    CExchangeDialog dialog;
    dialog.m_typeName = "third";
    dialog.m_typeCount = "77";
    dialog.m_badFirst = true;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_okAttempts, 2);
    EXPECT_EQ(dialog.m_count, 77);
}

TEST(ModalDialog, MissingTemplateGivesMinusOne)
{
    CDialog dialog(31999);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.Create(31999));
}

TEST(ModelessDialog, CreatesFromTheTemplateAndIsBound)
{
    wintest::ScopedThread thread;
    CExchangeDialog* dialog = new CExchangeDialog;
    dialog->m_action = 0; // no command
    ASSERT_TRUE(dialog->Create(IDD_TESTDIALOG));
    EXPECT_TRUE(IsWindow(dialog->m_hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(dialog->m_hWnd), dialog);
    EXPECT_STREQ(dialog->m_shownName, "first");
    HWND hDialog = dialog->m_hWnd;
    delete dialog; // destroys its window
    EXPECT_FALSE(IsWindow(hDialog));
}
