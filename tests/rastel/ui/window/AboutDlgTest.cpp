// The About box comes from rastel's resources through the resource chain.
#include <gtest/gtest.h>
#include "AboutDlg.h"
#include "ResourceChain.h"

namespace
{
class CClosingAbout : public CAboutDlg
{
public:
    CClosingAbout() : CAboutDlg("Pixmere") {}
    CString m_caption, m_version;
    bool m_hasOk = false, m_hasVisit = false, m_hasIcon = false;
    BOOL OnInitDialog() override
    {
        CAboutDlg::OnInitDialog();
        GetWindowText(m_caption);
        GetDlgItemText(5008, m_version);
        m_hasOk = GetDlgItem(IDOK) != NULL;
        m_hasVisit = GetDlgItem(5009) != NULL;
        m_hasIcon = SendDlgItemMessage(5010, STM_GETICON) != 0;
        PostMessage(WM_COMMAND, IDOK);
        return TRUE;
    }
};
}

TEST(AboutDlg, TemplateIsFoundInRastelsResources)
{
    HMODULE rastel = GetModuleHandleA("rastel.dll");
    ASSERT_NE(rastel, nullptr);
    EXPECT_EQ(FindResourceA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(100), (LPCSTR)RT_DIALOG), nullptr);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(100), (LPCSTR)RT_DIALOG), rastel);

    CClosingAbout about;
    EXPECT_EQ(about.DoModal(), IDOK);
    EXPECT_STREQ(about.m_caption, "About Pixmere");
    EXPECT_STREQ(about.m_version, "Pixmere Version 1.0");
    EXPECT_TRUE(about.m_hasOk);
    EXPECT_TRUE(about.m_hasVisit);
    EXPECT_TRUE(about.m_hasIcon);
}
