// The frames' display settings: defaults, clamping with write-back, and the
// rule that a frame showing file names shows no descriptions.
#include <gtest/gtest.h>
#include "BaseFrameWindow.h"
#include "CatalogueTestKit.h"

using catalogue_test::TestApp;

namespace
{
class CPlainFrame : public CBaseFrameWindow
{
public:
    CPlainFrame() {}
};

const char* kTitle = "FrameSettingsTest";
const char* kCompany = "PixmereTestsFrameSettings";

void StoreInt(const std::string& key, const char* name, DWORD value)
{
    HKEY h;
    RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &h, NULL);
    RegSetValueExA(h, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
    RegCloseKey(h);
}

bool ReadInt(const std::string& key, const char* name, int& value)
{
    DWORD data = 0, size = sizeof(data), type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, &type, &data, &size) != ERROR_SUCCESS)
        return false;
    value = (int)data;
    return true;
}
}

TEST(BaseFrameSettings, FreshProfileGivesDefaultsAndStoresThem)
{
    TestApp app(kTitle, kCompany);
    std::string key = app.SettingsKey(kTitle);
    {
        CPlainFrame frame;
        EXPECT_EQ((int)frame.m_ThumbsMaxFit, 0);
        EXPECT_EQ((int)frame.m_bPropShowFileName, 1);
        EXPECT_EQ((int)frame.m_bPropShowFileDescription, 0);
    }
    int v = -1;
    EXPECT_TRUE(ReadInt(key, "m_ThumbsMaxFit", v) && v == 0);
    EXPECT_TRUE(ReadInt(key, "m_bPropShowFileName", v) && v == 1);
    EXPECT_TRUE(ReadInt(key, "m_bPropShowFileDescription", v) && v == 0);
}

TEST(BaseFrameSettings, OutOfRangeValuesAreClampedAndRewritten)
{
    TestApp app(kTitle, kCompany);
    std::string key = app.SettingsKey(kTitle);
    StoreInt(key, "m_ThumbsMaxFit", 7);
    {
        CPlainFrame frame;
        EXPECT_EQ((int)frame.m_ThumbsMaxFit, 1);
    }
    int v = -1;
    EXPECT_TRUE(ReadInt(key, "m_ThumbsMaxFit", v) && v == 1);
    StoreInt(key, "m_ThumbsMaxFit", (DWORD)-3);
    {
        CPlainFrame frame;
        EXPECT_EQ((int)frame.m_ThumbsMaxFit, 0);
        frame.m_ThumbsMaxFit = 5; // assignments clamp and write too
        EXPECT_EQ((int)frame.m_ThumbsMaxFit, 1);
    }
    EXPECT_TRUE(ReadInt(key, "m_ThumbsMaxFit", v) && v == 1);
}

TEST(BaseFrameSettings, NameOnTurnsDescriptionOffButNameOffKeepsIt)
{
    TestApp app(kTitle, kCompany);
    std::string key = app.SettingsKey(kTitle);
    StoreInt(key, "m_bPropShowFileName", 1);
    StoreInt(key, "m_bPropShowFileDescription", 1);
    {
        CPlainFrame frame;
        EXPECT_EQ((int)frame.m_bPropShowFileDescription, 0);
    }
    int v = -1;
    EXPECT_TRUE(ReadInt(key, "m_bPropShowFileDescription", v) && v == 0);
    StoreInt(key, "m_bPropShowFileName", 0);
    StoreInt(key, "m_bPropShowFileDescription", 1);
    {
        CPlainFrame frame;
        EXPECT_EQ((int)frame.m_bPropShowFileName, 0);
        EXPECT_EQ((int)frame.m_bPropShowFileDescription, 1);
    }
    EXPECT_TRUE(ReadInt(key, "m_bPropShowFileDescription", v) && v == 1);
}
