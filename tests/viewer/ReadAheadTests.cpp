// Reading ahead: which pictures the worker decodes, in which order, how
// many it holds, and what a list, size or mode change drops; large photos
// shown first from a reduced decode, and the memory budget.
#include "ViewerTestKit.h"
#include <memory>
#include "ViewerPictures.h"
#include "ReadAhead.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "JpgFile.h"
#include "NativeTool.h"

using namespace viewer_test;

namespace
{
const DWORD kIdleGuard = 20000; // only a guard against a hang, never a measure

// The list's file names in their order.
std::vector<std::string> ListOrder(CViewerView* view)
{
    std::vector<std::string> names;
    for (POSITION pos = view->m_pFileList->GetHeadPosition(); pos;)
        names.push_back((LPCSTR) static_cast<CFileInfo*>(view->m_pFileList->GetNext(pos))->GetName());
    return names;
}

std::vector<std::string> ReadyPaths(CViewerView* view)
{
    std::vector<std::string> paths;
    for (const CReadAhead::Info& info : view->m_ReadAhead.Ready())
        paths.push_back((LPCSTR)info.path);
    return paths;
}

bool Holds(const std::vector<std::string>& paths, const std::string& path)
{
    for (const std::string& p : paths)
        if (_stricmp(p.c_str(), path.c_str()) == 0)
            return true;
    return false;
}

// Lets the worker finish and the view take what it posted.
void Settle(CViewerView* view)
{
    ASSERT_TRUE(view->m_ReadAhead.WaitUntilIdle(kIdleGuard));
    Pump(30);
}

void WriteSixPictures(TempFolder& folder)
{
    for (int i = 0; i < 6; ++i)
        WriteBmp(folder / (std::to_string(i) + ".bmp"), 40, 30, RGB(40 * i, 0, 200));
}

// A JPEG of width x height with a gradient, so that scales differ.
void WriteJpeg(const std::string& path, int width, int height)
{
    CRgbBuffer picture(width, height);
    picture.m_GrayScale = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            BYTE* p = picture.m_Buffer + 3 * (y * width + x);
            p[0] = (BYTE)(x * 255 / width);
            p[1] = (BYTE)(y * 255 / height);
            p[2] = 128;
        }
    ASSERT_TRUE(CJpgFile(path.c_str(), 90).Save(&picture));
}
}

TEST(ViewerReadAhead, TheNextPictureIsReadAheadAndAfterAStepBackThePrevious)
{
    ClearViewerSettings();
    TempFolder folder("viewer_readorder");
    WriteSixPictures(folder);
    RunningViewer viewer(folder.Path());
    CViewerView* view = viewer.View();
    std::vector<std::string> names = ListOrder(view);
    ASSERT_EQ(6u, names.size());
    ASSERT_EQ(names[0], (LPCSTR)viewer.CurrentFile());
    Settle(view);
    std::vector<std::string> ready = ReadyPaths(view);
    ASSERT_EQ(1u, ready.size());
    EXPECT_TRUE(Holds(ready, names[1]));

    // Back from the head to the tail: now the one before the tail comes.
    viewer.Command(ID_PREVIOUS_PICTURE);
    ASSERT_EQ(names[5], (LPCSTR)viewer.CurrentFile());
    Settle(view);
    ready = ReadyPaths(view);
    EXPECT_TRUE(Holds(ready, names[4]));
    EXPECT_TRUE(Holds(ready, names[0])) << "the picture left is kept for a step back";
    EXPECT_FALSE(Holds(ready, names[5])) << "the shown picture is not held twice";
    // Forward again: the next one is the head, and it is still there.
    viewer.Command(ID_NEXT_PICTURE);
    Settle(view);
    EXPECT_TRUE(Holds(ReadyPaths(view), names[1]));
}

TEST(ViewerReadAhead, AtMostThreePicturesAreHeldWhileStepping)
{
    ClearViewerSettings();
    TempFolder folder("viewer_readbound");
    WriteSixPictures(folder);
    RunningViewer viewer(folder.Path());
    CViewerView* view = viewer.View();
    std::vector<std::string> names = ListOrder(view);
    Settle(view);
    for (int step = 1; step <= 4; ++step)
    {
        viewer.Command(ID_NEXT_PICTURE);
        ASSERT_EQ(names[step], (LPCSTR)viewer.CurrentFile());
        // The step took the read-ahead picture.
        EXPECT_FALSE(Holds(ReadyPaths(view), names[step])) << "step " << step;
        Settle(view);
        std::vector<std::string> ready = ReadyPaths(view);
        EXPECT_LE(ready.size(), 3u) << "step " << step;
        EXPECT_TRUE(Holds(ready, names[step + 1])) << "step " << step;
        EXPECT_TRUE(Holds(ready, names[step - 1])) << "step " << step;
    }
    // And what it showed is the picture of the file.
    ASSERT_TRUE(view->m_pDisplay->IsImage());
    EXPECT_EQ(160, view->m_pDisplay->m_Buffer[3 * (20 * 40 + 30)] + 0);
}

TEST(ViewerReadAhead, AListChangeDropsEverythingReadAhead)
{
    ClearViewerSettings();
    TempFolder one("viewer_readlist1");
    TempFolder two("viewer_readlist2");
    WriteSixPictures(one);
    WriteBmp(two / "a.bmp", 30, 20, RGB(0, 200, 0));
    WriteBmp(two / "b.bmp", 30, 20, RGB(0, 0, 200));
    RunningViewer viewer(one.Path());
    CViewerView* view = viewer.View();
    viewer.Command(ID_NEXT_PICTURE);
    Settle(view);
    ASSERT_EQ(2u, ReadyPaths(view).size());
    view->OpenFile((two / "a.bmp").c_str());
    // The worker may have read the new list's next picture already, but
    // nothing of the old list is left.
    for (const std::string& path : ReadyPaths(view))
        EXPECT_TRUE(Holds(std::vector<std::string>{two / "b.bmp"}, path)) << path;
    Settle(view);
    std::vector<std::string> ready = ReadyPaths(view);
    ASSERT_EQ(1u, ready.size());
    EXPECT_TRUE(Holds(ready, two / "b.bmp"));
}

TEST(ViewerReadAhead, ASizeOrModeChangeDropsWhatNoLongerFits)
{
    ClearViewerSettings();
    TempFolder folder("viewer_readsize");
    WriteSixPictures(folder);
    RunningViewer viewer(folder.Path());
    CViewerView* view = viewer.View();
    viewer.SetClientSize(300, 200);
    viewer.Command(ID_NEXT_PICTURE);
    Settle(view);
    ASSERT_EQ(2u, view->m_ReadAhead.Ready().size());
    viewer.SetClientSize(320, 240);
    for (const CReadAhead::Info& info : view->m_ReadAhead.Ready())
        EXPECT_EQ(CSize(320, 240), info.fit.client) << (LPCSTR)info.path;
    Settle(view);
    std::vector<CReadAhead::Info> ready = view->m_ReadAhead.Ready();
    ASSERT_EQ(1u, ready.size()) << "only the next picture, read anew";
    EXPECT_EQ(CSize(320, 240), ready[0].fit.client);
    EXPECT_EQ(ViewerPictures::BestFit, ready[0].fit.mode);

    viewer.Command(ID_FIT_TO_WINDOW);
    for (const CReadAhead::Info& info : view->m_ReadAhead.Ready())
        EXPECT_EQ(ViewerPictures::FitToWindow, info.fit.mode) << (LPCSTR)info.path;
    Settle(view);
    ready = view->m_ReadAhead.Ready();
    ASSERT_EQ(1u, ready.size());
    EXPECT_EQ(ViewerPictures::FitToWindow, ready[0].fit.mode);
}

TEST(ViewerLargePictures, AReducedDecodeFillsTheWindowAndTheWholeFollows)
{
    ClearViewerSettings();
    TempFolder folder("viewer_reduced");
    std::string path = folder / "large.jpg";
    WriteJpeg(path, 1600, 1200);

    CRgbBuffer picture;
    CSize full;
    ASSERT_TRUE(ViewerPictures::LoadForWindow(path.c_str(), CSize(400, 300), picture, full));
    EXPECT_EQ(CSize(400, 300), picture.GetImageSize()); // an eighth of the pixels would not cover 400 x 300
    EXPECT_EQ(CSize(1600, 1200), full);
    ASSERT_TRUE(ViewerPictures::LoadForWindow(path.c_str(), CSize(700, 500), picture, full));
    EXPECT_EQ(CSize(800, 600), picture.GetImageSize());

    RunningViewer viewer(Quoted(path));
    CViewerView* view = viewer.View();
    viewer.SetClientSize(400, 300);
    Settle(view);
    // Once idle the whole picture replaces the reduced one, shown the same.
    EXPECT_TRUE(view->m_bWholePicture);
    EXPECT_EQ(CSize(1600, 1200), view->m_pOriginal->GetImageSize());
    EXPECT_EQ(CSize(400, 300), view->m_pDisplay->GetImageSize());
    viewer.Command(ID_ACTUAL_SIZE);
    EXPECT_EQ(CSize(1600, 1200), view->m_pDisplay->GetImageSize());
}

TEST(ViewerLargePictures, ThePlayingShowNeedsNoMoreThanTheWindow)
{
    ClearViewerSettings();
    TempFolder folder("viewer_reducedshow");
    WriteJpeg(folder / "a.jpg", 1600, 1200);
    WriteJpeg(folder / "b.jpg", 1600, 1200);
    RunningViewer viewer(Quoted(folder / "a.jpg"));
    CViewerView* view = viewer.View();
    viewer.SetClientSize(400, 300);
    viewer.Command(ID_PLAY_SLIDESHOW);
    viewer.View()->SendMessage(WM_TIMER, 1, 0);
    Settle(view);
    EXPECT_FALSE(view->m_bWholePicture);
    EXPECT_EQ(CSize(400, 300), view->m_pOriginal->GetImageSize());
    // Stopping lets the whole picture come.
    viewer.Command(ID_STOP_SLIDESHOW);
    Settle(view);
    EXPECT_TRUE(view->m_bWholePicture);
    EXPECT_EQ(CSize(1600, 1200), view->m_pOriginal->GetImageSize());
}

TEST(ViewerLargePictures, AProgressivePhotoShowsFirstFromItsFirstScans)
{
    ClearViewerSettings();
    TempFolder folder("viewer_preview");
    std::string baseline = folder / "baseline.jpg";
    std::string progressive = folder / "progressive.jpg";
    WriteJpeg(baseline, 1600, 1200);
    ASSERT_EQ(0, native_tool::RunShell("jpegtran -progressive -outfile " +
                                       native_tool::ShellQuote(native_tool::UnixPath(progressive)) + " " +
                                       native_tool::ShellQuote(native_tool::UnixPath(baseline))));
    EXPECT_TRUE(ViewerPictures::IsProgressiveJpeg(progressive.c_str()));
    EXPECT_FALSE(ViewerPictures::IsProgressiveJpeg(baseline.c_str()));

    CPictureWish wish;
    wish.m_Fit.client = CSize(400, 300);
    wish.m_bPreview = true;
    wish.m_Path = progressive.c_str();
    std::unique_ptr<CReadyPicture> first(CReadAhead::Decode(wish, ViewerPictures::DefaultMemoryBudget));
    EXPECT_TRUE(first->m_bPreview);
    EXPECT_FALSE(first->m_bWhole);
    EXPECT_EQ(CSize(200, 150), first->m_pOriginal->GetImageSize());
    EXPECT_EQ(CSize(1600, 1200), first->m_FullSize);
    // Shown at the size the whole picture gets.
    EXPECT_EQ(CSize(400, 300), first->m_pDisplay->GetImageSize());
    // A baseline file gains nothing from a first look: all its scans are read
    // either way.
    wish.m_Path = baseline.c_str();
    std::unique_ptr<CReadyPicture> plain(CReadAhead::Decode(wish, ViewerPictures::DefaultMemoryBudget));
    EXPECT_FALSE(plain->m_bPreview);
    EXPECT_EQ(CSize(400, 300), plain->m_pOriginal->GetImageSize());
    // Where an eighth covers the window, it is no mere first look.
    wish.m_Path = progressive.c_str();
    wish.m_Fit.client = CSize(150, 150);
    std::unique_ptr<CReadyPicture> small(CReadAhead::Decode(wish, ViewerPictures::DefaultMemoryBudget));
    EXPECT_FALSE(small->m_bPreview);
    EXPECT_EQ(CSize(200, 150), small->m_pOriginal->GetImageSize());

    // In the window the whole picture follows the first look.
    RunningViewer viewer(Quoted(progressive));
    CViewerView* view = viewer.View();
    viewer.SetClientSize(400, 300);
    Settle(view);
    EXPECT_FALSE(view->m_bPreviewShown);
    EXPECT_TRUE(view->m_bWholePicture);
    EXPECT_EQ(CSize(1600, 1200), view->m_pOriginal->GetImageSize());
    EXPECT_EQ(CSize(400, 300), view->m_pDisplay->GetImageSize());
}

TEST(ViewerMemoryBudget, TheLargestScaleThatFitsIsChosen)
{
    const long long budget = 512LL * 1024 * 1024;
    EXPECT_EQ(1, ViewerPictures::ScaleForBudget(CSize(6000, 4000), budget));
    EXPECT_EQ(1, ViewerPictures::ScaleForBudget(CSize(13000, 13000), budget)); // 507 MB
    EXPECT_EQ(2, ViewerPictures::ScaleForBudget(CSize(14000, 14000), budget)); // 588 MB
    // Reduced sizes round up, as the decoder makes them.
    EXPECT_EQ(2, ViewerPictures::ScaleForBudget(CSize(101, 101), 51 * 51 * 3));
    EXPECT_EQ(4, ViewerPictures::ScaleForBudget(CSize(101, 101), 51 * 51 * 3 - 1));
    EXPECT_EQ(8, ViewerPictures::ScaleForBudget(CSize(100, 100), 13 * 13 * 3));
    EXPECT_EQ(8, ViewerPictures::ScaleForBudget(CSize(100, 100), 1)) << "nothing fits: the smallest";
}

TEST(ViewerMemoryBudget, APictureOverTheBudgetIsShownReducedAndTheTitleSaysSo)
{
    ClearViewerSettings();
    TempFolder folder("viewer_budget");
    std::string path = folder / "huge.jpg";
    WriteJpeg(path, 800, 600);
    RunningViewer viewer(Quoted(path));
    CViewerView* view = viewer.View();
    viewer.SetClientSize(300, 200);
    view->SetMemoryBudget(400 * 300 * 3);
    view->OpenFile(path.c_str());
    viewer.Command(ID_ACTUAL_SIZE);
    EXPECT_EQ(CSize(400, 300), view->m_pOriginal->GetImageSize());
    EXPECT_EQ(CSize(400, 300), view->m_pDisplay->GetImageSize());
    EXPECT_EQ(CSize(800, 600), view->m_FullSize);
    CString title;
    viewer.Frame()->GetWindowText(title);
    EXPECT_NE(-1, title.Find("1/2")) << (LPCSTR)title;

    // Within the budget it is whole, and the title is the file's name.
    view->SetMemoryBudget(800 * 600 * 3);
    view->OpenFile(path.c_str());
    viewer.Command(ID_ACTUAL_SIZE);
    EXPECT_EQ(CSize(800, 600), view->m_pOriginal->GetImageSize());
    viewer.Frame()->GetWindowText(title);
    EXPECT_EQ(-1, title.Find("1/")) << (LPCSTR)title;
    EXPECT_NE(-1, title.Find("huge.jpg")) << (LPCSTR)title;
}

namespace
{
// A decoder that blocks until the test releases it, as a whole decode of a
// large photo does for seconds.
HANDLE g_DecodeStarted = NULL;
HANDLE g_DecodeReleased = NULL;
volatile LONG g_ReleasedBeforeEnd = 0;

CReadyPicture* BlockingDecode(const CPictureWish& wish, long long)
{
    SetEvent(g_DecodeStarted);
    // The bound only keeps a failing run from hanging.
    if (WaitForSingleObject(g_DecodeReleased, kIdleGuard) == WAIT_OBJECT_0)
        InterlockedExchange(&g_ReleasedBeforeEnd, 1);
    CReadyPicture* picture = new CReadyPicture;
    picture->m_Path = wish.m_Path;
    picture->m_Fit = wish.m_Fit;
    picture->m_pOriginal = new CRgbBuffer(8, 8);
    return picture;
}
}

TEST(ViewerReadAhead, DestroyingItDoesNotWaitForTheDecodeInFlight)
{
    g_DecodeStarted = CreateEventA(NULL, TRUE, FALSE, NULL);
    g_DecodeReleased = CreateEventA(NULL, TRUE, FALSE, NULL);
    g_ReleasedBeforeEnd = 0;
    CReadAhead* readAhead = new CReadAhead;
    readAhead->SetDecoder(&BlockingDecode);
    CPictureWish wish;
    wish.m_Path = "C:\\large.jpg";
    wish.m_bWhole = true;
    readAhead->Wish({wish});
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_DecodeStarted, kIdleGuard));

    // Closing the window destroys the read-ahead while the decode runs: it
    // returns first, and the decode is released only afterwards.
    delete readAhead;
    EXPECT_EQ(1, CReadAhead::AbandonedWorkers());
    SetEvent(g_DecodeReleased);
    // The worker then ends alone, dropping its picture.
    EXPECT_TRUE(CReadAhead::WaitForAbandonedWorkers(kIdleGuard));
    EXPECT_EQ(1, g_ReleasedBeforeEnd);
    EXPECT_EQ(0, CReadAhead::AbandonedWorkers());
    CloseHandle(g_DecodeStarted);
    CloseHandle(g_DecodeReleased);
}
