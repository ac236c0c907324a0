// Saving over the photo that was opened: a save that cannot be written says
// so and leaves the photo on disk as it was; a save that works keeps the
// photo's EXIF data, with the orientation of the upright pixels.
#include "GlintfixTestKit.h"
#include "NativeTool.h"

using namespace glintfix_test;

namespace
{
// Noise compresses badly, so quality changes the file's size a lot.
CRgbBuffer Noise(int width, int height)
{
    CRgbBuffer picture = Filled(width, height, 0, 0, 0);
    unsigned seed = 12345;
    for (int i = 0; i < width * height * 3; ++i)
    {
        seed = seed * 1103515245u + 12345u;
        picture.m_Buffer[i] = (BYTE)(seed >> 16);
    }
    return picture;
}

std::string UnixFolder(const std::string& path)
{
    std::string unix = native_tool::UnixPath(path);
    while (!unix.empty() && unix.back() == '/')
        unix.pop_back();
    return unix;
}
} // namespace

TEST(SaveSafety, FailedSaveOverTheOriginalKeepsItAndSaysSo)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_full_disk");
    std::string mount = UnixFolder(folder.Path()) + "/small";
    std::string small = folder / "small";
    CreateDirectoryA(small.c_str(), NULL);
    if (native_tool::RunShell("mount -t tmpfs -o size=64k pixmere-test " + native_tool::ShellQuote(mount)) != 0)
        GTEST_SKIP() << "cannot mount a small file system here";

    // A small photo on a disk that is full to the last byte.
    std::string photo = small + "\\photo.jpg";
    CRgbBuffer picture = Noise(120, 90);
    bool written = CJpgFile(photo.c_str(), 20, false).Save(&picture) != 0;
    std::vector<BYTE> before = ReadFile(photo);
    FILE* filler = fopen((small + "\\filler").c_str(), "wb");
    std::vector<char> block(4096, 'f');
    while (filler && fwrite(block.data(), 1, block.size(), filler) == block.size() && fflush(filler) == 0)
        ;
    if (filler)
        fclose(filler);

    std::vector<BYTE> after;
    std::vector<std::string> questions;
    bool modified = false;
    {
        RunningGlintfix editor(Quoted(photo));
        CGlintfixDoc* doc = editor.Doc();
        if (doc)
        {
            editor.Command(ID_ROTATE_CLOCKWISE);
            // At quality 100 the photo no longer fits in the room it had.
            SetDlgItemTextA(editor.Frame()->m_wndTrackerBar.m_hWnd, IDC_QUALITY, "100");
            ScriptedUser user(IDOK);
            editor.Command(ID_FILE_SAVE);
            questions = user.Questions();
            modified = doc->IsModified() != FALSE;
            after = ReadFile(photo);
            doc->SetModifiedFlag(FALSE); // closing asks nothing
        }
    }
    native_tool::RunShell("umount " + native_tool::ShellQuote(mount));

    ASSERT_TRUE(written);
    ASSERT_GT(before.size(), 2u);
    EXPECT_TRUE(after == before) << "the photo on disk has " << after.size() << " bytes, not " << before.size();
    EXPECT_EQ(std::vector<std::string>{ "Could not write the file " + photo }, questions);
    EXPECT_TRUE(modified) << "the change in memory is kept for another try";
}

TEST(SaveSafety, SaveOverTheOriginalKeepsItsExifData)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_exif");
    std::string photo = folder / "photo.jpg";
    CRgbBuffer picture = Filled(80, 60, 200, 40, 40);
    ASSERT_TRUE(CJpgFile(photo.c_str(), 90, false).Save(&picture));
    // Stored on its side, as a camera held upright writes it.
    ASSERT_EQ(0, native_tool::RunShell("exiftool -q -overwrite_original -DateTimeOriginal='2020:01:02 03:04:05' "
                                       "-Model=Glintcam -Orientation#=6 " +
                                       native_tool::ShellQuote(native_tool::UnixPath(photo)) + " >/dev/null 2>&1"))
        << "exiftool could not tag the photo";
    {
        RunningGlintfix editor(Quoted(photo));
        ASSERT_TRUE(editor.Doc() != NULL);
        EXPECT_EQ(CSize(60, 80), editor.Doc()->GetPictureSize());
        editor.Command(ID_FILE_SAVE);
        // Shown as written: still upright, not turned a second time.
        EXPECT_EQ(CSize(60, 80), editor.Doc()->GetPictureSize());
    }
    std::string out = folder / "tags.txt";
    ASSERT_EQ(0, native_tool::RunShell("exiftool -T -n -DateTimeOriginal -Model -Orientation -ExifImageWidth " +
                                       native_tool::ShellQuote(native_tool::UnixPath(photo)) + " >" +
                                       native_tool::ShellQuote(native_tool::UnixPath(out))));
    std::vector<BYTE> tags = ReadFile(out);
    EXPECT_EQ("2020:01:02 03:04:05\tGlintcam\t1\t-\n", std::string(tags.begin(), tags.end()));
}

namespace
{
BOOL CannotReload(CRgbBuffer*, const CString&) { return FALSE; }
}

TEST(SaveSafety, AReloadThatFailsKeepsTheSavedPixelsAsTheBase)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_reload");
    CRgbBuffer picture = Filled(60, 40, 225, 170, 140);
    for (int y = 16; y < 24; ++y)
        for (int x = 26; x < 34; ++x)
        {
            picture.m_Buffer[3 * (y * 60 + x)] = 230;
            picture.m_Buffer[3 * (y * 60 + x) + 1] = picture.m_Buffer[3 * (y * 60 + x) + 2] = 40;
        }
    WriteBmp(folder / "eye.bmp", picture);
    RunningGlintfix editor(Quoted(folder / "eye.bmp"));
    CGlintfixDoc* doc = editor.Doc();
    ASSERT_TRUE(doc != NULL);
    doc->RemoveRedEye(CPoint(30, 20), 8);
    CRgbBuffer fixed(*doc->m_pWorking);
    ASSERT_FALSE(SamePixels(fixed, picture));

    CGlintfixDoc::Reloader previous = CGlintfixDoc::SetReloader(&CannotReload);
    editor.Command(ID_FILE_SAVE);
    CGlintfixDoc::SetReloader(previous);
    EXPECT_GT(ReadFile(folder / "eye.jpg").size(), 2u);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(SamePixels(*doc->m_pBase, fixed)) << "the base is what was saved";
    EXPECT_TRUE(editor.Enabled(ID_ADJUST_COLORS));

    // Neither a colour change nor a restore drops the fix just saved.
    doc->ApplyColors(0, 0, 0, 18, 18, 18);
    EXPECT_TRUE(SamePixels(*doc->m_pWorking, fixed));
    {
        ScriptedUser user(IDYES);
        editor.Command(ID_RESTORE_COLORS);
    }
    EXPECT_TRUE(SamePixels(*doc->m_pWorking, fixed));
}
