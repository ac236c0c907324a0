// The profile lies under HKCU\Software\<company>\<program title>\Settings of
// whichever program is running: one value name used by two programs is two values.
#include <gtest/gtest.h>

#include "CatalogueTestKit.h"
#include "Property.h"

using catalogue_test::RegDword;
using catalogue_test::RegString;

TEST(ProfileLocation, TwoProgramsKeepSeparateValuesOfOneName)
{
    const char* company = "PixmereTest_Programs";
    const std::string base = std::string("Software\\") + company;
    RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str());
    {
        CWinApp viewer("Viewer");
        viewer.SetRegistryKey(company);
        CStringProperty text("m_Shared", "viewer default");
        text = CString("from the viewer");
        CIntProperty<int> number("m_SharedNumber", 1, 0, 100);
        number = 11;
    }
    {
        CWinApp glintfix("Glintfix");
        glintfix.SetRegistryKey(company);
        CStringProperty text("m_Shared", "glintfix default");
        EXPECT_STREQ("glintfix default", (LPCSTR)(CString)text) << "sees the other program's value";
        CIntProperty<int> number("m_SharedNumber", 2, 0, 100);
        EXPECT_EQ(2, (int)number);
        number = 22;
    }
    std::string viewerText, glintfixText;
    DWORD viewerNumber = 0, glintfixNumber = 0;
    EXPECT_TRUE(RegString(base + "\\Viewer\\Settings", "m_Shared", viewerText));
    EXPECT_TRUE(RegString(base + "\\Glintfix\\Settings", "m_Shared", glintfixText));
    EXPECT_TRUE(RegDword(base + "\\Viewer\\Settings", "m_SharedNumber", viewerNumber));
    EXPECT_TRUE(RegDword(base + "\\Glintfix\\Settings", "m_SharedNumber", glintfixNumber));
    EXPECT_EQ("from the viewer", viewerText);
    EXPECT_EQ("glintfix default", glintfixText);
    EXPECT_EQ(11u, viewerNumber);
    EXPECT_EQ(22u, glintfixNumber);
    RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str());
}

TEST(ProfileLocation, LongStoredStringsAreReadWhole)
{
    catalogue_test::TestApp app("LongText", "PixmereTest_LongText");
    std::string longText(5000, 'x');
    longText += "end";
    catalogue_test::SetRegString(app.SettingsKey("LongText"), "m_Long", longText.c_str());
    CStringProperty property("m_Long", "");
    EXPECT_EQ(longText, std::string((LPCSTR)(CString)property));
}
