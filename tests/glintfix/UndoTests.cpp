// Undo and Redo: every change to a picture is taken back exactly and made
// again, in order; the commands are enabled only when there is something to
// do; a save keeps the history and the modified mark follows it; a long
// series of red-eye clicks keeps the newest steps within a small memory.
#include "GlintfixTestKit.h"
#include "AdjustColorsDialog.h"
#include "EditHistory.h"

using namespace glintfix_test;

namespace
{
// 90 x 70 of skin with two red pupils (radius 4) at (25, 30) and (65, 30).
CRgbBuffer Portrait()
{
    CRgbBuffer picture = Filled(90, 70, 225, 170, 140);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 90; ++x)
        {
            int left = (x - 25) * (x - 25) + (y - 30) * (y - 30), right = (x - 65) * (x - 65) + (y - 30) * (y - 30);
            if (left <= 16 || right <= 16)
            {
                BYTE* p = picture.m_Buffer + 3 * (y * 90 + x);
                p[0] = 230;
                p[1] = p[2] = 40;
            }
        }
    return picture;
}

struct PortraitFile
{
    TempFolder folder{"glintfix_undo"};
    std::string path = folder / "face.bmp";
    PortraitFile() { WriteBmp(path, Portrait()); }
};

struct Shown
{
    CRgbBuffer base, working;
    explicit Shown(const CGlintfixDoc& doc) : base(*doc.m_pBase), working(*doc.m_pWorking) {}
    bool Is(const CGlintfixDoc& doc) const { return SamePixels(base, *doc.m_pBase) && SamePixels(working, *doc.m_pWorking); }
};
}

TEST(UndoRedo, ARedEyeClickIsTakenBackExactlyAndMadeAgain)
{
    ClearGlintfixSettings();
    PortraitFile face;
    RunningGlintfix editor(Quoted(face.path));
    CGlintfixDoc* doc = editor.Doc();
    ASSERT_TRUE(doc != NULL);
    EXPECT_FALSE(editor.Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(editor.Enabled(ID_EDIT_REDO));
    CRgbBuffer original(*doc->m_pWorking);

    doc->RemoveRedEye(CPoint(25, 30), 8);
    CRgbBuffer fixed(*doc->m_pWorking);
    ASSERT_FALSE(SamePixels(fixed, original));
    EXPECT_TRUE(editor.Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(editor.Enabled(ID_EDIT_REDO));
    EXPECT_FALSE(editor.Enabled(ID_ADJUST_COLORS));

    editor.Command(ID_EDIT_UNDO);
    EXPECT_TRUE(SamePixels(*doc->m_pWorking, original));
    EXPECT_FALSE(doc->IsModified()) << "back at the picture as opened";
    EXPECT_FALSE(doc->m_bRedEyeFixed);
    EXPECT_TRUE(editor.Enabled(ID_ADJUST_COLORS));
    EXPECT_FALSE(editor.Enabled(ID_EDIT_UNDO));
    EXPECT_TRUE(editor.Enabled(ID_EDIT_REDO));

    editor.Command(ID_EDIT_REDO);
    EXPECT_TRUE(SamePixels(*doc->m_pWorking, fixed));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->m_bRedEyeFixed);
    EXPECT_FALSE(editor.Enabled(ID_EDIT_REDO));

    // A new change after an undo drops what could be redone.
    editor.Command(ID_EDIT_UNDO);
    editor.Command(ID_FLIP_VERTICAL);
    EXPECT_FALSE(editor.Enabled(ID_EDIT_REDO));
}

TEST(UndoRedo, EveryKindOfChangeIsUndoneAndRedoneInOrder)
{
    ClearGlintfixSettings();
    PortraitFile face;
    RunningGlintfix editor(Quoted(face.path));
    CGlintfixDoc* doc = editor.Doc();
    ASSERT_TRUE(doc != NULL);
    CAdjustColorsDialog* colours = editor.View()->GetColorsDialog();
    ASSERT_TRUE(colours != NULL);

    std::vector<Shown> states;
    states.emplace_back(*doc);
    doc->ApplyColors(20, 10, -20, 18, 22, 18); // sliders Color 60, Brightness 55, Contrast 40, Green 22
    states.emplace_back(*doc);
    editor.Command(ID_ROTATE_CLOCKWISE);
    states.emplace_back(*doc);
    doc->RemoveRedEye(CPoint(39, 25), 8); // the left pupil, turned
    states.emplace_back(*doc);
    editor.Command(ID_FLIP_HORIZONTAL);
    states.emplace_back(*doc);
    {
        ScriptedUser user(IDYES);
        editor.Command(ID_RESTORE_COLORS);
    }
    states.emplace_back(*doc);
    for (size_t i = 1; i < states.size(); ++i)
        ASSERT_FALSE(SamePixels(states[i].working, states[i - 1].working)) << "step " << i << " changed nothing";

    for (size_t i = states.size() - 1; i > 0; --i)
    {
        ASSERT_TRUE(editor.Enabled(ID_EDIT_UNDO)) << i;
        editor.Command(ID_EDIT_UNDO);
        EXPECT_TRUE(states[i - 1].Is(*doc)) << "undoing step " << i;
        if (i == 5)
        {
            // The restore is undone with the colours and the fix it threw away.
            EXPECT_EQ(colours->m_Values[CAdjustColorsDialog::Color], 60);
            EXPECT_EQ(colours->m_Values[CAdjustColorsDialog::Contrast], 40);
            EXPECT_EQ(colours->m_Values[CAdjustColorsDialog::Green], 22);
            EXPECT_TRUE(doc->m_bRedEyeFixed);
        }
    }
    EXPECT_FALSE(editor.Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(colours->IsDefault());
    for (size_t i = 1; i < states.size(); ++i)
    {
        editor.Command(ID_EDIT_REDO);
        EXPECT_TRUE(states[i].Is(*doc)) << "redoing step " << i;
    }
    EXPECT_TRUE(colours->IsDefault()); // the restore set them back
    EXPECT_FALSE(editor.Enabled(ID_EDIT_REDO));
}

TEST(UndoRedo, FortyClicksKeepTheNewestThirtyTwoInTheirRectangles)
{
    ClearGlintfixSettings();
    TempFolder folder("glintfix_undo_many");
    WriteBmp(folder / "red.bmp", Filled(400, 30, 200, 0, 0));
    RunningGlintfix editor(Quoted(folder / "red.bmp"));
    CGlintfixDoc* doc = editor.Doc();
    ASSERT_TRUE(doc != NULL);
    std::vector<CRgbBuffer> after;
    after.emplace_back(*doc->m_pWorking);
    for (int i = 0; i < 40; ++i)
    {
        doc->RemoveRedEye(CPoint(5 + 10 * i, 15), 8);
        after.emplace_back(*doc->m_pWorking);
    }
    ASSERT_GE((int)CEditHistory::kMaxSteps, 32);
    int kept = std::min(40, (int)CEditHistory::kMaxSteps);
    EXPECT_EQ(doc->m_History.UndoSteps(), kept);
    // Each click keeps at most its circle's square, before and after.
    EXPECT_LE(doc->m_History.BytesHeld(), (size_t)kept * 2 * 16 * 16 * 3);
    for (int i = 40; i > 40 - kept; --i)
    {
        ASSERT_TRUE(doc->Undo()) << i;
        ASSERT_TRUE(SamePixels(*doc->m_pWorking, after[i - 1])) << "after undoing click " << i;
    }
    EXPECT_FALSE(doc->Undo());
    EXPECT_TRUE(doc->IsModified()) << "the oldest clicks are still in the picture";
}

TEST(UndoRedo, ASaveKeepsTheHistoryAndTheModifiedMarkFollowsIt)
{
    ClearGlintfixSettings();
    PortraitFile face;
    RunningGlintfix editor(Quoted(face.path));
    CGlintfixDoc* doc = editor.Doc();
    ASSERT_TRUE(doc != NULL);
    Shown opened(*doc);
    doc->ApplyColors(0, 40, 0, 18, 18, 18);
    Shown brighter(*doc);
    editor.Command(ID_FILE_SAVE);
    ASSERT_FALSE(doc->IsModified());
    Shown saved(*doc);
    ASSERT_FALSE(SamePixels(saved.working, brighter.working)) << "the JPEG differs from the picture in memory";
    ASSERT_TRUE(editor.Enabled(ID_EDIT_UNDO));

    // Undo goes on from the pictures as they were before the save.
    editor.Command(ID_EDIT_UNDO);
    EXPECT_TRUE(opened.Is(*doc));
    EXPECT_TRUE(doc->IsModified());
    editor.Command(ID_EDIT_REDO);
    EXPECT_TRUE(saved.Is(*doc)) << "redone to the file's pictures";
    EXPECT_FALSE(doc->IsModified()) << "the saved state again";

    // A change after the save, undone: back at the saved state, unmarked.
    doc->RemoveRedEye(CPoint(25, 30), 8);
    EXPECT_TRUE(doc->IsModified());
    editor.Command(ID_EDIT_UNDO);
    EXPECT_TRUE(saved.Is(*doc));
    EXPECT_FALSE(doc->IsModified());
    // A colour change after the save is made from the file's picture.
    doc->ApplyColors(0, 0, 0, 18, 18, 18);
    EXPECT_TRUE(SamePixels(*doc->m_pWorking, saved.working));
}

TEST(UndoRedo, MenuAcceleratorsAndToolBarButtons)
{
    ClearGlintfixSettings();
    PortraitFile face;
    RunningGlintfix editor(Quoted(face.path));
    ASSERT_TRUE(editor.Doc() != NULL);
    HMENU bar = ::GetMenu(editor.FrameHandle());
    BOOL maximized = FALSE;
    editor.Frame()->MDIGetActive(&maximized);
    HMENU edit = ::GetSubMenu(bar, (maximized ? 1 : 0) + 1);
    char text[64] = "";
    ::GetMenuStringA(edit, ID_EDIT_UNDO, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Undo\tCtrl+Z");
    ::GetMenuStringA(edit, ID_EDIT_REDO, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Redo\tCtrl+Y");

    HWND tools = editor.Frame()->m_wndToolBar.m_hWnd;
    EXPECT_GE(::SendMessageA(tools, TB_COMMANDTOINDEX, ID_EDIT_UNDO, 0), 0);
    EXPECT_GE(::SendMessageA(tools, TB_COMMANDTOINDEX, ID_EDIT_REDO, 0), 0);

    // Ctrl+Z and Ctrl+Y in the picture window's accelerators.
    HACCEL keys = ::LoadAcceleratorsA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_GLINTFTYPE));
    ASSERT_TRUE(keys != NULL);
    ACCEL table[64];
    int count = ::CopyAcceleratorTableA(keys, table, 64);
    UINT undoKey = 0, redoKey = 0;
    for (int i = 0; i < count; ++i)
    {
        if (!(table[i].fVirt & FCONTROL))
            continue;
        if (table[i].cmd == ID_EDIT_UNDO)
            undoKey = table[i].key;
        if (table[i].cmd == ID_EDIT_REDO)
            redoKey = table[i].key;
    }
    EXPECT_EQ(undoKey, (UINT)'Z');
    EXPECT_EQ(redoKey, (UINT)'Y');
}
