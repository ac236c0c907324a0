// CWinApp: the process's application object and its registry profile.
#include <gtest/gtest.h>
#include "Framework.h"

namespace
{
const char* kCompany = "PixmereTests";

void DeleteCompanyKey() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\PixmereTests"); }
}

TEST(CWinAppProfile, StringsAndIntsRoundTripUnderTheAppKey)
{
    DeleteCompanyKey();
    {
        CWinApp app("ProfileApp");
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_STREQ(AfxGetAppName(), "ProfileApp");
        app.SetRegistryKey(kCompany);
        EXPECT_EQ(app.GetProfileInt("Settings", "m_nMissing", 42), 42u);
        EXPECT_STREQ(app.GetProfileString("Settings", "Missing", "dflt"), "dflt");
        EXPECT_TRUE(app.WriteProfileInt("Settings", "m_nThumbXSize", -7));
        EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "\xC3\xA9t\xC3\xA9"));
        EXPECT_EQ((int)app.GetProfileInt("Settings", "m_nThumbXSize", 0), -7);
        EXPECT_STREQ(app.GetProfileString("Settings", "Name"), "\xC3\xA9t\xC3\xA9");

        // Stored in the real registry where the other programs' tools look.
        HKEY key;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\PixmereTests\\ProfileApp\\Settings", 0, KEY_READ, &key),
                  ERROR_SUCCESS);
        DWORD value = 0, type = 0, size = sizeof(value);
        EXPECT_EQ(RegQueryValueExA(key, "m_nThumbXSize", NULL, &type, (LPBYTE)&value, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, (DWORD)REG_DWORD);
        EXPECT_EQ(value, (DWORD)-7);
        RegCloseKey(key);

        EXPECT_TRUE(app.WriteProfileString("Settings", "Name", NULL));
        EXPECT_STREQ(app.GetProfileString("Settings", "Name", "gone"), "gone");
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    DeleteCompanyKey();
}

TEST(CWinAppProfile, TwoProgramTitlesKeepSeparateValues)
{
    DeleteCompanyKey();
    {
        CWinApp viewer("Viewer");
        viewer.SetRegistryKey(kCompany);
        viewer.WriteProfileInt("Settings", "Shared", 1);
    }
    {
        CWinApp browser("Pixmere");
        browser.SetRegistryKey(kCompany);
        EXPECT_EQ(browser.GetProfileInt("Settings", "Shared", 99), 99u);
        browser.WriteProfileInt("Settings", "Shared", 2);
        EXPECT_EQ(browser.GetProfileInt("Settings", "Shared", 99), 2u);
    }
    DeleteCompanyKey();
}

TEST(CWinAppProfile, WrongValueTypeGivesTheDefault)
{
    DeleteCompanyKey();
    CWinApp app("TypeApp");
    app.SetRegistryKey(kCompany);
    app.WriteProfileString("Settings", "Number", "12");
    EXPECT_EQ(app.GetProfileInt("Settings", "Number", 5), 5u);
    DeleteCompanyKey();
}

TEST(CWinAppWaitCursor, NestedCallsBalance)
{
    CWinApp app("CursorApp");
    app.BeginWaitCursor();
    app.BeginWaitCursor();
    EXPECT_EQ(app.m_nWaitCursorCount, 2);
    app.EndWaitCursor();
    app.EndWaitCursor();
    EXPECT_EQ(app.m_nWaitCursorCount, 0);
    app.EndWaitCursor(); // an extra end never goes negative
    EXPECT_EQ(app.m_nWaitCursorCount, 0);
}
