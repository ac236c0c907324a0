// A tagged photo in the editor: its pixels and every save keep the file's
// own colours and profile (byte for byte), while the view draws it
// converted to sRGB, as ImageMagick converts it; m_bColorManagement 0
// draws the file's numbers.
#include "GlintfixTestKit.h"
#include "BitmapFactory.h"
#include "ColourOracle.h"

using namespace glintfix_test;
using colour_oracle::MeanDifference;

namespace
{
// The pixels of the bitmap the view drew the working picture from.
std::unique_ptr<CRgbBuffer> DrawnPixels(RunningGlintfix& editor)
{
    editor.View()->Invalidate(FALSE);
    editor.View()->UpdateWindow();
    HBITMAP drawn = editor.Doc()->m_pWorking->m_Bitmap;
    return std::unique_ptr<CRgbBuffer>(drawn ? CBitmapFactory::CreateRgbFromDIBitmap(drawn) : NULL);
}
} // namespace

TEST(Colour, TaggedPhotoIsDrawnInSrgbAndSavedWithItsOwnProfile)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_colour");
    std::string photo = folder / "tagged.jpg";
    ASSERT_TRUE(colour_oracle::MakeTaggedPhoto(photo, 320, 240, colour_oracle::AdobeRgb));
    std::string profile = colour_oracle::UnixFileBytes(colour_oracle::AdobeRgb);
    CRgbBuffer native, decoded;
    ASSERT_TRUE(colour_oracle::NativeSrgb(photo, native));
    ASSERT_TRUE(decoded.LoadRgbBuffer(photo.c_str(), false));

    {
        RunningGlintfix editor(Quoted(photo));
        ASSERT_TRUE(editor.Doc() != NULL);
        // The document holds the file's numbers; the screen gets sRGB.
        EXPECT_TRUE(SamePixels(*editor.Doc()->m_pWorking, decoded));
        std::unique_ptr<CRgbBuffer> drawn = DrawnPixels(editor);
        ASSERT_TRUE(drawn != NULL);
        EXPECT_LE(MeanDifference(*drawn, native), 2.0);

        // An edit and a save: the file keeps its profile and its colours.
        editor.Command(ID_ROTATE_COUNTER_CLOCKWISE);
        editor.Command(ID_ROTATE_CLOCKWISE);
        editor.Doc()->SetModifiedFlag(TRUE);
        editor.Command(ID_FILE_SAVE);
        EXPECT_EQ(profile, colour_oracle::EmbeddedProfile(photo));
        CRgbBuffer saved;
        ASSERT_TRUE(saved.LoadRgbBuffer(photo.c_str(), false));
        EXPECT_LE(MeanDifference(saved, decoded), 2.0);
        // Reloaded after the save, it is still drawn converted.
        drawn = DrawnPixels(editor);
        ASSERT_TRUE(drawn != NULL);
        EXPECT_LE(MeanDifference(*drawn, native), 2.5);
    }

    // Switched off, the view draws the file's numbers.
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Quenwick\\Glintfix\\Settings", &key));
    DWORD off = 0;
    RegSetValueExA(key, "m_bColorManagement", 0, REG_DWORD, (const BYTE*)&off, sizeof(off));
    RegCloseKey(key);
    {
        RunningGlintfix editor(Quoted(photo));
        ASSERT_TRUE(editor.Doc() != NULL);
        CRgbBuffer file;
        ASSERT_TRUE(file.LoadRgbBuffer(photo.c_str(), false));
        std::unique_ptr<CRgbBuffer> drawn = DrawnPixels(editor);
        ASSERT_TRUE(drawn != NULL);
        EXPECT_EQ(0.0, MeanDifference(*drawn, file));
    }
    ClearGlintfixSettings();
}
