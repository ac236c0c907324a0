// Red-eye removal at the tracker of a centred picture, and the colour
// commands that depend on it: "Adjust colors ..." waits for a save or a
// confirmed restore after a removal; a restore answered No changes nothing.
#include "GlintfixTestKit.h"

using namespace glintfix_test;

namespace
{
// 100 x 80 of pure red, centred in a 300 x 200 view: its top-left pixel is
// drawn at (100, 60).
struct RedPicture
{
    TempFolder folder{"glintfix_redeye"};
    std::string path = folder / "red.bmp";
    RedPicture() { WriteBmp(path, Filled(100, 80, 200, 0, 0)); }
};
}

TEST(RedEye, RemovalChangesOnlyPixelsInsideTheCircleAtTheMappedPoint)
{
    ClearGlintfixSettings();
    RedPicture red;
    RunningGlintfix editor(Quoted(red.path));
    ASSERT_TRUE(editor.Doc() != NULL);
    editor.SetViewClientSize(300, 200);
    CRgbBuffer before(*editor.Doc()->m_pWorking);

    editor.Click(100 + 30, 60 + 20);
    editor.ClickGlintfixButton();
    const CRgbBuffer& after = *editor.Doc()->m_pWorking;
    const int r = 8;
    int changed = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x)
        {
            int d2 = (x - 30) * (x - 30) + (y - 20) * (y - 20);
            const BYTE* p = after.m_Buffer + 3 * (y * 100 + x);
            if (d2 >= r * r)
                ASSERT_EQ(p[0], 200) << x << "," << y;
            else
                changed += p[0] == 0;
        }
    EXPECT_EQ(after.m_Buffer[3 * (20 * 100 + 30)], 0); // red down to green and blue
    EXPECT_GT(changed, 150);
    EXPECT_TRUE(editor.Doc()->m_bRedEyeFixed);
    EXPECT_TRUE(editor.Doc()->IsModified());
    EXPECT_TRUE(SamePixels(*editor.Doc()->m_pBase, before)); // the base keeps the original

    // Clicks left of the picture (and above it) change nothing.
    CRgbBuffer fixed(after);
    editor.Click(99, 100);
    editor.ClickGlintfixButton();
    editor.Click(150, 59);
    editor.ClickGlintfixButton();
    EXPECT_TRUE(SamePixels(*editor.Doc()->m_pWorking, fixed));
}

TEST(RedEye, AdjustColorsWaitsForASaveOrAConfirmedRestore)
{
    ClearGlintfixSettings();
    RedPicture red;
    RunningGlintfix editor(Quoted(red.path));
    ASSERT_TRUE(editor.Doc() != NULL);
    EXPECT_TRUE(editor.Enabled(ID_ADJUST_COLORS));
    EXPECT_FALSE(editor.Enabled(ID_RESTORE_COLORS)); // nothing changed yet
    editor.Click(40, 40);
    editor.ClickGlintfixButton();
    EXPECT_FALSE(editor.Enabled(ID_ADJUST_COLORS));
    ASSERT_TRUE(editor.Enabled(ID_RESTORE_COLORS));

    // Answered No: nothing changes.
    CRgbBuffer fixed(*editor.Doc()->m_pWorking);
    {
        ScriptedUser user(IDNO);
        editor.Command(ID_RESTORE_COLORS);
        ASSERT_EQ(user.Questions().size(), 1u);
        EXPECT_EQ(user.Questions()[0], "All the changes you did on image will be lost. Continue?");
        EXPECT_EQ(user.Types()[0], (UINT)(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    }
    EXPECT_TRUE(SamePixels(*editor.Doc()->m_pWorking, fixed));
    EXPECT_TRUE(editor.Doc()->m_bRedEyeFixed);
    EXPECT_FALSE(editor.Enabled(ID_ADJUST_COLORS));

    // Answered Yes: the working picture is the base again and colours may be adjusted.
    {
        ScriptedUser user(IDYES);
        editor.Command(ID_RESTORE_COLORS);
    }
    EXPECT_TRUE(SamePixels(*editor.Doc()->m_pWorking, *editor.Doc()->m_pBase));
    EXPECT_TRUE(editor.Enabled(ID_ADJUST_COLORS));

    // A removal, then a save: enabled again.
    editor.ClickGlintfixButton();
    EXPECT_FALSE(editor.Enabled(ID_ADJUST_COLORS));
    editor.Command(ID_FILE_SAVE);
    EXPECT_FALSE(editor.Doc()->IsModified());
    EXPECT_TRUE(editor.Enabled(ID_ADJUST_COLORS));
    EXPECT_EQ(GetFileAttributesA((red.folder / "red.jpg").c_str()) != INVALID_FILE_ATTRIBUTES, true);
}

TEST(RedEye, ColourAdjustmentIsMadeFromTheBaseAndRotationTurnsBothPictures)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_colours");
    CRgbBuffer picture = Filled(6, 4, 100, 100, 100);
    picture.m_Buffer[0] = 250; // top-left pixel marked
    WriteBmp(folder / "grey.bmp", picture);
    RunningGlintfix editor(Quoted(folder / "grey.bmp"));
    CGlintfixDoc* doc = editor.Doc();
    ASSERT_TRUE(doc != NULL);
    // Brightness 75 of 100: +50, which adds 64 to each level.
    doc->ApplyColors(0, 50, 0, 18, 18, 18);
    EXPECT_EQ(doc->m_pWorking->m_Buffer[3 * 5], 164);
    EXPECT_EQ(doc->m_pBase->m_Buffer[3 * 5], 100);
    EXPECT_TRUE(doc->IsModified());

    editor.Command(ID_ROTATE_CLOCKWISE);
    ASSERT_EQ(doc->m_pWorking->GetImageSize(), CSize(4, 6));
    ASSERT_EQ(doc->m_pBase->GetImageSize(), CSize(4, 6));
    // The marked top-left pixel is now top-right.
    EXPECT_EQ(doc->m_pBase->m_Buffer[3 * 3], 250);
    EXPECT_EQ(doc->m_pWorking->m_Buffer[3 * 3], 255);
    editor.Command(ID_FLIP_HORIZONTAL);
    EXPECT_EQ(doc->m_pBase->m_Buffer[0], 250);
}
