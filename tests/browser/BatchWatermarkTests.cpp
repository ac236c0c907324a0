// The watermark tool: placements, the missing-mark messages and a text mark
// blended into a written copy.
#include <gtest/gtest.h>
#include "BatchTestKit.h"
#include "batch/DialogBatchWatermark.h"

using namespace batch_test;

TEST(WatermarkPlacement, TileCoversThePictureColumnByColumn)
{
    std::vector<CPoint> at = CDialogBatchWatermark::MarkPositions(CDialogBatchWatermark::Tile, 1000, 700, 300, 200,
                                                                  0, 0);
    ASSERT_EQ(16u, at.size());
    EXPECT_EQ(CPoint(0, 0), at[0]);
    EXPECT_EQ(CPoint(0, 200), at[1]); // columns outer
    EXPECT_EQ(CPoint(900, 600), at[15]);
}

TEST(WatermarkPlacement, CornersAndCentres)
{
    typedef CDialogBatchWatermark W;
    EXPECT_EQ(std::vector<CPoint>{CPoint(350, 250)}, W::MarkPositions(W::Centered, 1000, 700, 300, 200, 0, 0));
    EXPECT_EQ(std::vector<CPoint>{CPoint(350, 500)}, W::MarkPositions(W::BottomCentered, 1000, 700, 300, 200, 0, 0));
    EXPECT_EQ((std::vector<CPoint>{CPoint(700, 500), CPoint(0, 500), CPoint(700, 0), CPoint(0, 0)}),
              W::MarkPositions(W::AllCorners, 1000, 700, 300, 200, 0, 0));
    EXPECT_EQ(std::vector<CPoint>{CPoint(7, 9)}, W::MarkPositions(W::Custom, 1000, 700, 300, 200, 7, 9));
}

TEST(WatermarkStart, BlankTextOrNoPictureTellsTheUser)
{
    TempFolder folder("wm_missing");
    WriteJpeg(folder.File("a.jpg"), 40, 30);
    std::unique_ptr<CTestList> list(MakeList(folder, {folder.File("a.jpg")}));
    Host host;
    CDialogBatchWatermark tool;
    tool.m_WMPictureFileName = CString("");
    tool.m_Prop_OutputFolderName = CString(folder.File("out").c_str());
    tool.SetFileList(list.get());
    ASSERT_TRUE(tool.Create(CDialogBatchWatermark::IDD, host.Wnd()));
    tool.SetDlgItemText(IDC_WM_TEXT, "    ");
    EXPECT_EQ(NULL, tool.GetTextMark());
    {
        Messages messages;
        tool.CheckRadioButton(IDC_WM_SOURCE_TEXT, IDC_WM_SOURCE_BOTH, IDC_WM_SOURCE_TEXT);
        Click(&tool, IDC_BATCH_START);
        ASSERT_EQ(1u, messages.All().size());
        EXPECT_EQ("No watermark text specified", messages.All()[0].text);
    }
    {
        Messages messages;
        tool.SetDlgItemText(IDC_WM_TEXT, "  Mark ");
        EXPECT_EQ(std::string("Mark"), (LPCSTR)(CString)tool.m_WMText);
        tool.CheckRadioButton(IDC_WM_SOURCE_TEXT, IDC_WM_SOURCE_BOTH, IDC_WM_SOURCE_BOTH);
        Click(&tool, IDC_BATCH_START);
        ASSERT_EQ(1u, messages.All().size());
        EXPECT_EQ("No watermark picture selected", messages.All()[0].text);
        EXPECT_EQ(2, (int)tool.m_WMSourceFlag);
    }
    EXPECT_FALSE(CFileInfo::FolderExist(folder.File("out").c_str()));
    tool.DestroyWindow();
}

TEST(WatermarkJob, OpaqueTextMarkLandsInTheBottomRightCorner)
{
    TempFolder folder("wm_text");
    WriteJpeg(folder.File("a.jpg"), 600, 400);
    std::unique_ptr<CTestList> list(MakeList(folder, {folder.File("a.jpg")}));
    Host host;
    CDialogBatchWatermark tool;
    tool.m_Prop_OutputFolderName = CString(folder.File("out").c_str());
    tool.m_WMFontColor = 0x0000FF; // red
    tool.m_WMFluctuation = 0;
    tool.m_WMTransparencyText = 0;
    tool.m_WMSourceFlag = CDialogBatchWatermark::SourceText;
    tool.m_WMPositionFlag = CDialogBatchWatermark::BottomRight;
    tool.SetFileList(list.get());
    ASSERT_TRUE(tool.Create(CDialogBatchWatermark::IDD, host.Wnd()));
    tool.SetDlgItemText(IDC_WM_TEXT, "IIII");
    ASSERT_NE((CRgbBuffer*)NULL, tool.GetTextMark());
    Messages messages;
    DoneCloser closer;
    Click(&tool, IDC_BATCH_START);
    EXPECT_EQ(1, closer.Closed());
    CRgbBuffer out;
    ASSERT_TRUE(out.LoadRgbBuffer(folder.File("out\\Watermark\\a.jpg").c_str()));
    // Count strongly red pixels: only inside the mark's box at the corner.
    CSize mark = tool.GetTextMark()->GetImageSize();
    int inside = 0, outside = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 600; ++x)
        {
            const BYTE* p = out.m_Buffer + 3 * (y * 600 + x);
            if (p[0] > 200 && p[1] < 60 && p[2] < 60)
                (x >= 600 - mark.cx && y >= 400 - mark.cy ? inside : outside)++;
        }
    EXPECT_GT(inside, 100);
    EXPECT_EQ(0, outside);
    tool.DestroyWindow();
}
