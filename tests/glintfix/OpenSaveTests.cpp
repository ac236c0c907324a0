// Opening and saving: names without a picture extension open with ".jpg",
// files that do not load are reported, and every save writes JPEG at the
// bar's quality and shows the file as written.
#include "GlintfixTestKit.h"
#include "NativeTool.h"

using namespace glintfix_test;

TEST(OpenSave, PngSavedBecomesJpegAtTheChosenQualityAndIsShownAsReloaded)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_png");
    CRgbBuffer picture = Filled(64, 48, 30, 160, 90);
    for (int i = 0; i < 64 * 48; ++i)
        picture.m_Buffer[3 * i] = (BYTE)(i * 7);
    WriteBmp(folder / "source.bmp", picture);
    std::string png = folder / "photo.png";
    std::string script = "convert " + native_tool::ShellQuote(native_tool::UnixPath(folder / "source.bmp")) + " " +
                         native_tool::ShellQuote(native_tool::UnixPath(png));
    ASSERT_EQ(native_tool::RunShell("/usr/bin/" + script), 0) << "ImageMagick could not write the PNG";

    RunningGlintfix editor(Quoted(png));
    CGlintfixDoc* doc = editor.Doc();
    ASSERT_TRUE(doc != NULL);
    EXPECT_STREQ(doc->GetTitle(), (folder / "photo.jpg").c_str());
    EXPECT_TRUE(SamePixels(*doc->m_pWorking, picture));

    editor.Command(ID_ROTATE_COUNTER_CLOCKWISE);
    CRgbBuffer shown(*doc->m_pWorking);
    SetDlgItemTextA(editor.Frame()->m_wndTrackerBar.m_hWnd, IDC_QUALITY, "37");
    editor.Command(ID_FILE_SAVE);

    std::string jpg = folder / "photo.jpg";
    std::vector<BYTE> written = ReadFile(jpg);
    ASSERT_GT(written.size(), 2u);
    EXPECT_EQ(written[0], 0xFF);
    EXPECT_EQ(written[1], 0xD8);
    // Byte for byte what the codec writes of the same picture at quality 37.
    std::string expectedPath = folder / "expected.jpg";
    ASSERT_TRUE(CJpgFile(expectedPath.c_str(), 37, false).Save(&shown));
    EXPECT_TRUE(written == ReadFile(expectedPath));
    EXPECT_EQ(ReadGlintfixSetting("m_Quality"), 37u);
    EXPECT_EQ(ReadFile(png).size() > 0, true); // the PNG itself is left alone

    // The document now shows the stored JPEG, not the picture in memory.
    CRgbBuffer stored;
    ASSERT_TRUE(stored.LoadRgbBuffer(jpg.c_str(), false));
    EXPECT_TRUE(SamePixels(*doc->m_pWorking, stored));
    EXPECT_TRUE(SamePixels(*doc->m_pBase, stored));
    EXPECT_FALSE(SamePixels(stored, shown)); // quality 37 is lossy
    EXPECT_FALSE(doc->IsModified());

    // A quality outside 5..100 is brought inside before it is used.
    SetDlgItemTextA(editor.Frame()->m_wndTrackerBar.m_hWnd, IDC_QUALITY, "2");
    editor.Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadGlintfixSetting("m_Quality"), 5u);
    EXPECT_EQ((int)GetDlgItemInt(editor.Frame()->m_wndTrackerBar.m_hWnd, IDC_QUALITY, NULL, FALSE), 5);
}

TEST(OpenSave, ANameWithoutAPictureExtensionOpensWithJpgAssured)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_extension");
    CRgbBuffer picture = Filled(20, 10, 10, 200, 10);
    ASSERT_TRUE(CJpgFile((folder / "holiday.jpg").c_str(), 90, false).Save(&picture));

    for (const char* asked : {"holiday", "holiday.txt"})
    {
        RunningGlintfix editor(Quoted(folder / asked));
        ASSERT_TRUE(editor.Doc() != NULL) << asked;
        EXPECT_EQ(editor.Doc()->GetPictureSize(), CSize(20, 10));
        EXPECT_STREQ(editor.Doc()->GetTitle(), (folder / "holiday.jpg").c_str());
    }
}

TEST(OpenSave, AFileThatDoesNotLoadIsReportedAndNotOpened)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_invalid");
    std::string bad = folder / "broken.jpg";
    FILE* f = fopen(bad.c_str(), "wb");
    ASSERT_TRUE(f != NULL);
    fputs("this is not a picture", f);
    fclose(f);

    ScriptedUser user(IDOK);
    RunningGlintfix editor(Quoted(bad));
    ASSERT_TRUE(editor.Frame() != NULL);
    EXPECT_EQ(editor.Doc(), nullptr);
    EXPECT_EQ(editor.ChildCount(), 0);
    ASSERT_EQ(user.Questions().size(), 1u);
    EXPECT_EQ(user.Questions()[0], "Invalid image file : " + bad);
}

TEST(OpenSave, ClosingTheEditorOffersEveryChangedPicture)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_close");
    WriteBmp(folder / "first.bmp", Filled(30, 20, 90, 90, 90));
    WriteBmp(folder / "second.bmp", Filled(30, 20, 50, 50, 50));
    RunningGlintfix editor(Quoted(folder / "first.bmp"));
    CGlintfixDoc* first = editor.Doc();
    ASSERT_TRUE(first != NULL);
    CGlintfixDoc* second = dynamic_cast<CGlintfixDoc*>(GetGlintfixApp()->OpenDocumentFile((folder / "second.bmp").c_str()));
    ASSERT_TRUE(second != NULL);
    EXPECT_EQ(editor.ChildCount(), 2);
    first->ApplyColors(0, 20, 0, 18, 18, 18);
    second->ApplyColors(0, 20, 0, 18, 18, 18);

    {
        ScriptedUser user(IDCANCEL);
        SendMessageA(editor.FrameHandle(), WM_CLOSE, 0, 0);
        ASSERT_EQ(user.Questions().size(), 1u);
        EXPECT_EQ(user.Questions()[0], "Save changes to " + folder / "first.jpg" + "?");
    }
    ASSERT_TRUE(IsWindow(editor.FrameHandle()));
    EXPECT_EQ(editor.ChildCount(), 2);

    ScriptedUser user(IDNO);
    SendMessageA(editor.FrameHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(user.Questions().size(), 2u);
    EXPECT_FALSE(IsWindow(editor.FrameHandle()));
    EXPECT_EQ(GetFileAttributesA((folder / "first.jpg").c_str()), INVALID_FILE_ATTRIBUTES);
}
