// The video creator: frames of one picture (transition then stills) read
// back with ffprobe, a portrait picture between black bars read back with
// ffmpeg, the limits of the typed settings, and videos whose writing fails
// (a full disk, a locked file under the chosen name): told, counted in the end
// text, nothing kept and no temporary file left.
#include <gtest/gtest.h>
#include "BatchTestKit.h"
#include "TransitionManager.h"
#include "TransitionSettings.h"
#include "batch/DialogAviCreator.h"

using namespace batch_test;

namespace
{
// Runs a native command line with its output in a file; returns the output.
std::string RunNative(const TempFolder& folder, const std::string& command)
{
    std::string out = folder.File("native.txt");
    int code = native_tool::RunShell(command + " > " + native_tool::ShellQuote(native_tool::UnixPath(out)) + " 2>&1");
    std::string text = test_support::FileBytes(out);
    EXPECT_EQ(0, code) << text;
    DeleteFileA(out.c_str());
    return text;
}

// All frames as packed RGB.
std::string DecodeFrames(const TempFolder& folder, const std::string& video)
{
    std::string raw = folder.File("frames.rgb");
    RunNative(folder, "/usr/bin/ffmpeg -v error -i " + native_tool::ShellQuote(native_tool::UnixPath(video)) +
                          " -vsync passthrough -f rawvideo -pix_fmt rgb24 -y " +
                          native_tool::ShellQuote(native_tool::UnixPath(raw)));
    return test_support::FileBytes(raw);
}

// A video creator at VGA with fixed "Shutter advanced" transitions (101 frames).
void SetUpCreator(CDialogAviCreator& creator)
{
    creator.m_Prop_VideoSizeIndex = 0;
    creator.m_Prop_FrameRate = 15;
    creator.m_Prop_Seconds = 2;
    CTransitionSettings settings("Movie");
    settings.m_Transition = 1u << TRANSITION_SHUTTER_ADVANCED;
    settings.m_Fluctuation = 0;
}

int Level(const std::string& frames, size_t frame, int x, int y, int channel)
{
    return (BYTE)frames[frame * 640 * 480 * 3 + ((size_t)y * 640 + x) * 3 + channel];
}
}

TEST(VideoCreator, OnePictureGivesItsTransitionThenFrameRateTimesSecondsStills)
{
    TempFolder folder("video_one");
    WriteJpeg(folder.File("a.jpg"), 800, 600);
    std::unique_ptr<CTestList> list(MakeList(folder, {folder.File("a.jpg")}));
    Messages messages;
    CDialogAviCreator creator;
    SetUpCreator(creator);
    std::string video = folder.File("one.avi");
    {
        DoneCloser closer;
        ASSERT_TRUE(creator.CreateVideo(list.get(), video.c_str()));
        EXPECT_EQ(1, closer.Closed());
    }
    std::string probe = RunNative(folder, "/usr/bin/ffprobe -v error -select_streams v:0 -count_frames "
                                          "-show_entries stream=width,height,r_frame_rate,nb_read_frames "
                                          "-of default=noprint_wrappers=1 " +
                                              native_tool::ShellQuote(native_tool::UnixPath(video)));
    EXPECT_NE(std::string::npos, probe.find("width=640")) << probe;
    EXPECT_NE(std::string::npos, probe.find("height=480")) << probe;
    EXPECT_NE(std::string::npos, probe.find("r_frame_rate=15/1")) << probe;
    EXPECT_NE(std::string::npos, probe.find("nb_read_frames=131")) << probe; // 101 + 15 x 2

    std::string frames = DecodeFrames(folder, video);
    ASSERT_EQ((size_t)131 * 640 * 480 * 3, frames.size());
    // The transition starts from black; the stills are all alike.
    EXPECT_LT(Level(frames, 0, 600, 20, 0), 20);
    EXPECT_EQ(frames.substr(101 * 640 * 480 * 3, 640 * 480 * 3), frames.substr(130 * 640 * 480 * 3));
    EXPECT_NEAR(60 + 150 * 320 / 640, Level(frames, 130, 320, 240, 0), 12);
}

TEST(VideoCreator, PortraitPictureIsCentredBetweenBlackBars)
{
    TempFolder folder("video_portrait");
    WriteJpeg(folder.File("tall.jpg"), 300, 600); // fits as 240 x 480 at x = 200
    std::unique_ptr<CTestList> list(MakeList(folder, {folder.File("tall.jpg")}));
    Messages messages;
    CDialogAviCreator creator;
    SetUpCreator(creator);
    creator.m_Prop_Seconds = 1;
    std::string video = folder.File("tall.avi");
    DoneCloser closer;
    creator.CreateVideo(list.get(), video.c_str());
    std::string frames = DecodeFrames(folder, video);
    ASSERT_EQ((size_t)116 * 640 * 480 * 3, frames.size());
    for (size_t frame : {(size_t)60, (size_t)115}) // mid-transition and still
        for (int y : {10, 240, 470})
        {
            EXPECT_LT(Level(frames, frame, 190, y, 1) + Level(frames, frame, 190, y, 2), 24) << frame;
            EXPECT_LT(Level(frames, frame, 450, y, 1) + Level(frames, frame, 450, y, 2), 24) << frame;
        }
    EXPECT_NEAR(60, Level(frames, 115, 205, 240, 0), 14);
    EXPECT_NEAR(210, Level(frames, 115, 434, 240, 0), 14);
}

TEST(VideoCreator, TypedSettingsAreLimitedBeforeTheSelectionIsChecked)
{
    Host host;
    Messages messages;
    CDialogAviCreator creator;
    creator.SetFileList(NULL);
    ASSERT_TRUE(creator.Create(CDialogAviCreator::IDD, host.Wnd()));
    creator.SetDlgItemText(IDC_AVI_SECONDS, "9");
    creator.SetDlgItemText(IDC_AVI_FRAME_RATE, "5");
    creator.CheckRadioButton(IDC_AVI_VGA, IDC_AVI_CUSTOM, IDC_AVI_CUSTOM);
    creator.SetDlgItemText(IDC_AVI_WIDTH, "5000");
    Click(&creator, IDC_AVI_CREATE);
    EXPECT_EQ(5, (int)creator.m_Prop_Seconds);
    EXPECT_EQ(10, (int)creator.m_Prop_FrameRate);
    EXPECT_EQ(5, (int)creator.GetDlgItemInt(IDC_AVI_SECONDS));
    EXPECT_EQ(10, (int)creator.SendDlgItemMessage(IDC_AVI_SPIN_FRAME_RATE, UDM_GETPOS32));
    EXPECT_EQ(CSize(1024, (int)creator.m_Prop_CustomHeight), creator.VideoSize());
    ASSERT_EQ(1u, messages.All().size());
    EXPECT_EQ("You need to select one or more files for this task", messages.All()[0].text);
    creator.DestroyWindow();
}

TEST(VideoCreatorFailures, FullDiskIsToldAndKeepsNothing)
{
    TempFolder folder("video_full");
    WriteJpeg(folder.File("a.jpg"), 800, 600);
    std::unique_ptr<CTestList> list(MakeList(folder, {folder.File("a.jpg")}));
    Messages messages;
    CDialogAviCreator creator;
    SetUpCreator(creator);
    std::string small = folder.File("small");
    std::string video = small + "\\full.avi";
    std::vector<std::string> left;
    std::vector<std::string> errors;
    std::string endText;
    {
        SmallDisk disk(small);
        if (!disk.Mounted())
            GTEST_SKIP() << "cannot mount a small file system here";
        DoneCloser closer;
        creator.CreateVideo(list.get(), video.c_str());
        errors = closer.Errors();
        endText = closer.EndText();
        left = FilesMatching(small, "*");
    }
    EXPECT_EQ(std::vector<std::string>{"Error Occured While Rendering the Movie"}, errors);
    EXPECT_EQ("Done. 1 file could not be written. Press ESC key", endText);
    EXPECT_TRUE(left.empty()) << left.size() << " files left, the first " << left[0];
}

TEST(VideoCreatorFailures, LockedFileUnderTheNameIsToldAndKeepsItsBytes)
{
    TempFolder folder("video_locked");
    WriteJpeg(folder.File("a.jpg"), 800, 600);
    std::unique_ptr<CTestList> list(MakeList(folder, {folder.File("a.jpg")}));
    Messages messages;
    CDialogAviCreator creator;
    SetUpCreator(creator);
    creator.m_Prop_Seconds = 1;
    CreateDirectoryA(folder.File("videos").c_str(), NULL);
    std::string video = folder.File("videos\\old.avi");
    test_support::WriteFileBytes(video, "an older video");
    HANDLE holder = CreateFileA(video.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    {
        DoneCloser closer;
        creator.CreateVideo(list.get(), video.c_str());
        EXPECT_EQ(std::vector<std::string>{"Error Occured While Rendering the Movie"}, closer.Errors());
        EXPECT_EQ("Done. 1 file could not be written. Press ESC key", closer.EndText());
    }
    CloseHandle(holder);
    EXPECT_EQ("an older video", test_support::FileBytes(video));
    EXPECT_EQ(std::vector<std::string>{"old.avi"}, FilesMatching(folder.File("videos"), "*"));
}
