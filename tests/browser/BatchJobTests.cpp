// The batch job loop and the tools that write files: walking order, the
// selection message, the resize outputs and their folders, the overwrite
// question (answered No and Cancel, and asked about the JPEG really
// written), grey outputs and the rotation.
#include <gtest/gtest.h>
#include "BatchTestKit.h"
#include "batch/DialogBatchJobIndicator.h"
#include "batch/DialogBatchResize.h"
#include "batch/DialogBatchGrayScale.h"
#include "batch/DialogBatchRotateFlip.h"

using namespace batch_test;

namespace
{
class CRecordingJob : public CDialogBatchJob
{
public:
    CRecordingJob() : CDialogBatchJob(IDD_BATCH_GRAYSCALE) {}
    int ProcessFile(CFileInfo* file, CDialogBatchJobIndicator*) override
    {
        std::string name = (LPCSTR)file->GetName();
        m_Names.push_back(name.substr(name.rfind('\\') + 1));
        return 1;
    }
    std::vector<std::string> m_Names;
};

// A resize tool writing 800 x 600 and 400 x 300 outputs into `output`.
void SetUpResize(CDialogBatchResize& tool, const std::string& output)
{
    tool.m_Prop_OutputFolderName = CString(output.c_str());
    tool.m_Prop_bOriginal = 0;
    tool.m_Prop_b800x600 = 1;
    tool.m_Prop_b640x480 = 0;
    tool.m_Prop_bCustom1 = 1;
    tool.m_Prop_Width1 = 400;
    tool.m_Prop_Height1 = 300;
    tool.m_Prop_bCustom2 = 0;
}
}

TEST(BatchJobLoop, StartsAtTheCurrentEntryAndWrapsAround)
{
    TempFolder folder("batch_order");
    std::vector<std::string> files;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"})
    {
        files.push_back(folder.File(name));
        WriteJpeg(files.back(), 40, 30);
    }
    std::unique_ptr<CTestList> list(MakeList(folder, files, {3})); // d is not selected
    list->SetCurrentFile(CString(files[1].c_str()));
    CRecordingJob job;
    job.SetFileList(list.get());
    DoneCloser closer;
    ASSERT_TRUE(job.RunBatch(list.get()));
    EXPECT_EQ("Done. Press ESC key", closer.EndText());
    EXPECT_EQ((std::vector<std::string>{"b.jpg", "c.jpg", "a.jpg"}), job.m_Names);
    // The walk stops on the entry after the last one processed.
    EXPECT_EQ(files[1], (LPCSTR)list->GetCurrentFile()->GetName());
}

TEST(BatchStart, WithoutSelectionStoresTheSettingsAndTellsTheUser)
{
    TempFolder folder("batch_noselection");
    WriteJpeg(folder.File("a.jpg"), 40, 30);
    std::unique_ptr<CTestList> list(MakeList(folder, {folder.File("a.jpg")}, {0}));
    Messages messages;
    Host host;
    CDialogBatchResize tool;
    tool.SetFileList(list.get());
    ASSERT_TRUE(tool.Create(CDialogBatchResize::IDD, host.Wnd()));
    tool.SetDlgItemText(IDC_BATCH_OUTPUT_FOLDER, folder.File("out").c_str());
    tool.CheckDlgButton(IDC_RESIZE_800X600, BST_CHECKED);
    tool.SetDlgItemText(IDC_RESIZE_QUALITY_800X600, "150");
    tool.SetDlgItemText(IDC_RESIZE_WIDTH1, "7");
    Click(&tool, IDC_BATCH_START);

    ASSERT_EQ(1u, messages.All().size());
    EXPECT_EQ("You need to select one or more files for this task", messages.All()[0].text);
    EXPECT_EQ((UINT)MB_ICONEXCLAMATION, messages.All()[0].type & MB_ICONMASK);
    EXPECT_EQ(1, (int)tool.m_Prop_b800x600);
    EXPECT_EQ(100, (int)tool.m_Prop_Quality800x600);
    EXPECT_EQ(100, (int)AfxGetApp()->GetProfileInt("Settings", "m_Prop_Quality800x600", 0));
    EXPECT_EQ(12u, (unsigned)tool.m_Prop_Width1);
    EXPECT_EQ(folder.File("out"), (LPCSTR)(CString)tool.m_Prop_OutputFolderName);
    EXPECT_EQ(100, (int)tool.SendDlgItemMessage(IDC_RESIZE_SPIN_800X600, UDM_GETPOS32));
    EXPECT_FALSE(CFileInfo::FolderExist(folder.File("out").c_str()));
    tool.DestroyWindow();
}

TEST(BatchResize, WritesEachCheckedBoxIntoItsSizeFolder)
{
    TempFolder folder("batch_resize");
    WriteJpeg(folder.File("a.jpg"), 1000, 750);
    WriteJpeg(folder.File("tall.jpg"), 300, 900);
    std::unique_ptr<CTestList> list(MakeList(folder, {folder.File("a.jpg"), folder.File("tall.jpg")}));
    Messages messages;
    CDialogBatchResize tool;
    SetUpResize(tool, folder.File("out"));
    DoneCloser closer;
    ASSERT_TRUE(tool.RunBatch(list.get()));
    EXPECT_EQ(1, closer.Closed());
    EXPECT_TRUE(messages.All().empty());
    EXPECT_EQ(CSize(800, 600), PictureSize(folder.File("out\\800x600\\a.jpg")));
    EXPECT_EQ(CSize(400, 300), PictureSize(folder.File("out\\400x300\\a.jpg")));
    EXPECT_EQ(CSize(200, 600), PictureSize(folder.File("out\\800x600\\tall.jpg")));
    EXPECT_EQ(CSize(100, 300), PictureSize(folder.File("out\\400x300\\tall.jpg")));
    EXPECT_FALSE(CFileInfo::FolderExist(folder.File("out\\640x480").c_str()));
    EXPECT_EQ(CSize(1000, 750), PictureSize(folder.File("a.jpg"))); // the source is untouched
}

namespace
{
// The pixel (x, y) of a loaded picture.
const BYTE* PixelAt(const CRgbBuffer& picture, int x, int y)
{
    return picture.GetBuffer() + 3 * ((size_t)y * picture.GetWidth() + x);
}
}

TEST(BatchResize, ReducedDecodeKeepsTheFullPicturesFittedSizeAndContent)
{
    // 4000 x 2993 fitted into 640 x 480 is 640 x 478.88, so 640 x 478; the
    // quarter-scale decode is 1000 x 749 and fitted alone would give 479.
    TempFolder folder("batch_reduced");
    WriteJpeg(folder.File("big.jpg"), 4000, 2993);
    std::unique_ptr<CTestList> list(MakeList(folder, {folder.File("big.jpg")}));
    Messages messages;
    CDialogBatchResize tool;
    tool.m_Prop_OutputFolderName = CString(folder.File("out").c_str());
    tool.m_Prop_bOriginal = 0;
    tool.m_Prop_b800x600 = 0;
    tool.m_Prop_b640x480 = 1;
    tool.m_Prop_bCustom1 = 0;
    tool.m_Prop_bCustom2 = 0;
    DoneCloser closer;
    ASSERT_TRUE(tool.RunBatch(list.get()));
    EXPECT_TRUE(messages.All().empty());
    EXPECT_EQ(CSize(640, 478), CDialogBatchResize::FittedSize(CSize(4000, 2993), 640, 480));
    CRgbBuffer out;
    ASSERT_TRUE(out.LoadRgbBuffer(folder.File("out\\640x480\\big.jpg").c_str()));
    EXPECT_EQ(CSize(640, 478), out.GetImageSize());
    // The whole picture is there, unstretched: the centre and the far corner
    // hold the source's colours at the same places (the writer's gradient).
    struct Spot
    {
        int x, y, sx, sy;
    } spots[] = {{320, 239, 2000, 1497}, {639, 477, 3997, 2990}, {0, 0, 3, 3}};
    for (const Spot& spot : spots)
    {
        const BYTE* p = PixelAt(out, spot.x, spot.y);
        EXPECT_NEAR(60 + 150 * spot.sx / 4000, p[0], 8) << spot.x << "," << spot.y;
        EXPECT_NEAR(180 * spot.sy / 2993, p[1], 8) << spot.x << "," << spot.y;
        EXPECT_NEAR(200 - 100 * (spot.sx + spot.sy) / 6993, p[2], 8) << spot.x << "," << spot.y;
    }
}

TEST(BatchOverwrite, NoSkipsOnlyThatOutput)
{
    TempFolder folder("batch_no");
    WriteJpeg(folder.File("a.jpg"), 1000, 750);
    CreateDirectoryA(folder.File("out").c_str(), NULL);
    CreateDirectoryA(folder.File("out\\800x600").c_str(), NULL);
    test_support::WriteFileBytes(folder.File("out\\800x600\\a.jpg"), "kept");
    std::unique_ptr<CTestList> list(MakeList(folder, {folder.File("a.jpg")}));
    Messages messages({IDNO});
    CDialogBatchResize tool;
    SetUpResize(tool, folder.File("out"));
    DoneCloser closer;
    tool.RunBatch(list.get());
    ASSERT_EQ(1u, messages.All().size());
    EXPECT_EQ("File " + folder.File("out\\800x600\\a.jpg") + " exists. Overwrite?", messages.All()[0].text);
    EXPECT_EQ((UINT)MB_YESNOCANCEL, messages.All()[0].type & MB_TYPEMASK);
    EXPECT_EQ("kept", test_support::FileBytes(folder.File("out\\800x600\\a.jpg")));
    EXPECT_EQ(CSize(400, 300), PictureSize(folder.File("out\\400x300\\a.jpg")));
}

TEST(BatchOverwrite, CancelStopsTheBatchAndKeepsWhatWasWritten)
{
    TempFolder folder("batch_cancel");
    std::vector<std::string> files = {folder.File("a.jpg"), folder.File("b.jpg"), folder.File("c.jpg")};
    for (const std::string& file : files)
        WriteJpeg(file, 1000, 750);
    CreateDirectoryA(folder.File("out").c_str(), NULL);
    CreateDirectoryA(folder.File("out\\800x600").c_str(), NULL);
    test_support::WriteFileBytes(folder.File("out\\800x600\\b.jpg"), "kept");
    std::unique_ptr<CTestList> list(MakeList(folder, files));
    Messages messages({IDCANCEL});
    CDialogBatchResize tool;
    SetUpResize(tool, folder.File("out"));
    DoneCloser closer;
    tool.RunBatch(list.get());
    EXPECT_EQ(1u, messages.All().size());
    EXPECT_EQ(CSize(800, 600), PictureSize(folder.File("out\\800x600\\a.jpg")));
    EXPECT_EQ(CSize(400, 300), PictureSize(folder.File("out\\400x300\\a.jpg")));
    EXPECT_EQ("kept", test_support::FileBytes(folder.File("out\\800x600\\b.jpg")));
    EXPECT_FALSE(CFileInfo::FileExist(folder.File("out\\400x300\\b.jpg").c_str()));
    EXPECT_FALSE(CFileInfo::FileExist(folder.File("out\\800x600\\c.jpg").c_str()));
    EXPECT_EQ(1, closer.Closed());
}

TEST(BatchGrayScale, PngSourceBecomesAOneChannelJpegAndTheQuestionGuardsIt)
{
    TempFolder folder("batch_gray");
    std::string png = folder.File("c.png");
    int made = native_tool::RunShell("/usr/bin/convert -size 64x48 gradient:red-blue " +
                                     native_tool::ShellQuote(native_tool::UnixPath(png)));
    ASSERT_EQ(0, made);
    std::string target = folder.File("out\\GrayScale\\c.jpg");
    CFileInfo::MakeDir(folder.File("out\\GrayScale").c_str());
    test_support::WriteFileBytes(target, "earlier result");
    std::unique_ptr<CTestList> list(MakeList(folder, {png}));
    CDialogBatchGrayScale tool;
    tool.m_Prop_OutputFolderName = CString(folder.File("out").c_str());
    {
        Messages messages({IDNO});
        DoneCloser closer;
        tool.RunBatch(list.get());
        ASSERT_EQ(1u, messages.All().size());
        EXPECT_EQ("File " + target + " exists. Overwrite?", messages.All()[0].text);
        EXPECT_EQ("earlier result", test_support::FileBytes(target));
    }
    {
        Messages messages({IDYES});
        DoneCloser closer;
        tool.RunBatch(list.get());
        EXPECT_EQ(1u, messages.All().size());
    }
    EXPECT_EQ(CSize(64, 48), PictureSize(target));
    EXPECT_EQ(1, JpegComponents(target));
    EXPECT_FALSE(CFileInfo::FileExist(folder.File("out\\GrayScale\\c.png").c_str()));
}

TEST(BatchRotateFlip, TurnsIntoRotateFlipAndNeverWritesOverTheSource)
{
    TempFolder folder("batch_rotate");
    std::string source = folder.File("RotateFlip\\a.jpg");
    CFileInfo::MakeDir(folder.File("RotateFlip").c_str());
    WriteJpeg(source, 60, 40);
    std::string before = test_support::FileBytes(source);
    WriteJpeg(folder.File("b.jpg"), 60, 40);
    std::unique_ptr<CTestList> list(MakeList(folder, {source, folder.File("b.jpg")}));
    Messages messages({IDYES, IDYES});
    CDialogBatchRotateFlip tool;
    tool.m_Prop_OutputFolderName = CString(folder.Path().c_str());
    tool.m_Prop_JobFlag = CDialogBatchRotateFlip::Rotate270;
    DoneCloser closer;
    tool.RunBatch(list.get());
    EXPECT_TRUE(messages.All().empty());
    EXPECT_EQ(before, test_support::FileBytes(source));
    EXPECT_EQ(CSize(40, 60), PictureSize(folder.File("RotateFlip\\b.jpg")));
}

TEST(BatchRotateFlip, TurnsAJpegWithoutLossAndReencodesOnlyWhatCannotBeTurnedPerfectly)
{
    TempFolder folder("batch_lossless");
    // 96 x 64 in 4:2:0 is a whole number of 16-pixel blocks; 100 x 52 is not.
    std::string aligned = folder.File("aligned.jpg"), ragged = folder.File("ragged.jpg");
    WriteJpeg(aligned, 96, 64, 1);
    WriteJpeg(ragged, 100, 52, 2);
    std::unique_ptr<CTestList> list(MakeList(folder, {aligned, ragged}));
    Messages messages;
    CDialogBatchRotateFlip tool;
    tool.m_Prop_OutputFolderName = CString(folder.File("out").c_str());
    tool.m_Prop_JobFlag = CDialogBatchRotateFlip::Rotate90;
    {
        DoneCloser closer;
        tool.RunBatch(list.get());
    }
    EXPECT_TRUE(messages.All().empty());
    EXPECT_EQ(0, tool.GetUnwrittenCount());

    // The aligned photo: exactly the pixels of the native jpegtran's turn.
    std::string expected = folder.File("expected.jpg");
    ASSERT_EQ(0, native_tool::RunShell("jpegtran -perfect -rotate 90 -outfile " +
                                       native_tool::ShellQuote(native_tool::UnixPath(expected)) + " " +
                                       native_tool::ShellQuote(native_tool::UnixPath(aligned))));
    CRgbBuffer turned, reference;
    ASSERT_TRUE(turned.LoadRgbBuffer(folder.File("out\\RotateFlip\\aligned.jpg").c_str()));
    ASSERT_TRUE(reference.LoadRgbBuffer(expected.c_str()));
    ASSERT_EQ(CSize(64, 96), turned.GetImageSize());
    EXPECT_EQ(0, memcmp(turned.GetBuffer(), reference.GetBuffer(), 64 * 96 * 3));

    // The ragged one: decoded, turned whole (nothing cropped) and saved at
    // quality 100, as the job always did.
    CRgbBuffer source, reencoded;
    ASSERT_TRUE(source.LoadRgbBuffer(ragged.c_str()));
    std::unique_ptr<CRgbBuffer> expectedTurn(source.Rotate90RGB());
    std::string expectedPath = folder.File("expected_ragged.jpg");
    ASSERT_TRUE(CDialogBatchJob::SaveJpeg(expectedTurn.get(), expectedPath.c_str(), 100, ragged.c_str()));
    EXPECT_EQ(test_support::FileBytes(expectedPath),
              test_support::FileBytes(folder.File("out\\RotateFlip\\ragged.jpg")));
}
