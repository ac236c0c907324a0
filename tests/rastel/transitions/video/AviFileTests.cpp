// The AVI writer: videos read back by the native ffprobe and ffmpeg, the
// default name and rate, set-up failures and the compressor dialog, a video
// that replaces a file only once it is finished, and one that fails on a full
// disk (told once, nothing kept).
#include <gtest/gtest.h>

#include "AviFile.h"
#include "TransitionManager.h"
#include "VideoTestSupport.h"

using namespace VideoTest;

namespace
{
const char* const FfprobeStreams =
    "/usr/bin/ffprobe -v error -select_streams v:0 -count_frames -show_entries "
    "stream=codec_name,width,height,r_frame_rate,nb_read_frames -of default=noprint_wrappers=1 ";

std::map<std::string, std::string> Probe(const TempFolder& folder, const std::string& video)
{
    std::string output;
    int code = RunNative(FfprobeStreams + ("'" + UnixPath(video) + "'"), folder.File("probe.txt"), &output);
    EXPECT_EQ(0, code) << output;
    return ParseKeyValues(output);
}

// All frames of the video as packed RGB, decoded by ffmpeg one for one.
std::vector<BYTE> DecodeFrames(const TempFolder& folder, const std::string& video)
{
    std::string raw = folder.File("frames.rgb");
    std::string output;
    int code = RunNative("/usr/bin/ffmpeg -v error -i '" + UnixPath(video) +
                             "' -vsync passthrough -f rawvideo -pix_fmt rgb24 -y '" + UnixPath(raw) + "'",
                         folder.File("decode.txt"), &output);
    EXPECT_EQ(0, code) << output;
    std::vector<BYTE> frames = ReadWholeFile(raw);
    DeleteFileA(raw.c_str());
    return frames;
}

int AppendPicture(CAviFile& writer, const CRgbBuffer& picture)
{
    HBITMAP bitmap = picture.CreateBitmapFromRGB();
    int result = writer.AppendNewFrame(bitmap);
    DeleteObject(bitmap);
    return result;
}

struct VideoJob
{
    CAviFile* writer;
    int appended;
    int keepIndex;
    std::vector<BYTE> kept;
};

int AppendTransitionFrame(void* user, CRgbBuffer* frame)
{
    VideoJob* job = (VideoJob*)user;
    if (job->appended == job->keepIndex)
        job->kept.assign(frame->m_Buffer, frame->m_Buffer + (size_t)frame->m_Width * frame->m_Height * 3);
    int result = AppendPicture(*job->writer, *frame);
    job->appended += result;
    return result;
}

// Names in `folder` (not "." and ".."), hidden ones included.
std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0)
            names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string UnixFolder(const std::string& path)
{
    std::string unix = UnixPath(path);
    while (!unix.empty() && unix.back() == '/')
        unix.pop_back();
    return unix;
}

int g_ChooserCalls = 0;
BOOL VFWAPI CancelChooser(HWND, UINT, LPVOID, LPVOID, PCOMPVARS, LPSTR)
{
    g_ChooserCalls++;
    return FALSE;
}

struct ChooserScope
{
    explicit ChooserScope(CAviFile::COMPRESSORCHOOSER chooser)
    {
        g_ChooserCalls = 0;
        CAviFile::SetCompressorChooser(chooser);
    }
    ~ChooserScope() { CAviFile::SetCompressorChooser(0); }
};
} // namespace

TEST(AviVideo, TransitionAndStillFramesReadBackAsWritten)
{
    TempFolder folder("pixmere-avi-video");
    std::string video = folder.File("movie.avi");
    CRgbBuffer first(64, 48), second(64, 48);
    PaintPicture(first, 1);
    PaintPicture(second, 4);

    VideoJob job = {new CAviFile(video.c_str(), 15), 0, 60, {}};
    CTransitionManager manager;
    ASSERT_EQ(1, manager.Run(&first, &second, 1u << 8, AppendTransitionFrame, &job, 2.0, 0));
    ASSERT_EQ(101, job.appended);
    for (int i = 0; i < 15; i++)
        ASSERT_EQ(1, AppendPicture(*job.writer, second));
    delete job.writer;

    std::map<std::string, std::string> stream = Probe(folder, video);
    EXPECT_EQ("mjpeg", stream["codec_name"]);
    EXPECT_EQ("64", stream["width"]);
    EXPECT_EQ("48", stream["height"]);
    EXPECT_EQ("15/1", stream["r_frame_rate"]);
    EXPECT_EQ("116", stream["nb_read_frames"]);

    const size_t frameBytes = 64 * 48 * 3;
    std::vector<BYTE> frames = DecodeFrames(folder, video);
    ASSERT_EQ(116 * frameBytes, frames.size());
    EXPECT_GT(Psnr(frames.data() + 115 * frameBytes, second.m_Buffer, frameBytes), 30.0);
    // Frame 60, mid-transition, has a sharp edge that chroma subsampling
    // softens; it still matches what was appended there far better than the
    // still picture, so the frames are in order.
    double asAppended = Psnr(frames.data() + 60 * frameBytes, job.kept.data(), frameBytes);
    double asStill = Psnr(frames.data() + 60 * frameBytes, second.m_Buffer, frameBytes);
    printf("  frame 60: %.1f dB against the appended frame, %.1f dB against the still\n", asAppended, asStill);
    EXPECT_GT(asAppended, 25.0);
    EXPECT_GT(asAppended, asStill + 5.0);
}

TEST(AviVideo, DefaultsWriteOutputAviAtTwentyFourFramesASecond)
{
    TempFolder folder("pixmere-avi-defaults");
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    CRgbBuffer picture(40, 30);
    PaintPicture(picture, 2);
    {
        CAviFile writer;
        for (int i = 0; i < 5; i++)
            EXPECT_EQ(1, AppendPicture(writer, picture));
    }
    SetCurrentDirectoryA(previous);
    std::map<std::string, std::string> stream = Probe(folder, folder.File("Output.avi"));
    EXPECT_EQ("24/1", stream["r_frame_rate"]);
    EXPECT_EQ("5", stream["nb_read_frames"]);
    EXPECT_EQ("40", stream["width"]);
}

TEST(AviVideo, NothingAppendedCreatesNoFile)
{
    TempFolder folder("pixmere-avi-empty");
    std::string video = folder.File("never.avi");
    delete new CAviFile(video.c_str(), 15);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(video.c_str()));
}

TEST(AviVideo, ThirtyTwoBitFramesAreEncodedToo)
{
    TempFolder folder("pixmere-avi-32");
    std::string video = folder.File("deep.avi");
    HBITMAP bitmap = CreateSectionBitmap(32, 16, 32);
    ASSERT_NE(nullptr, bitmap);
    {
        CAviFile writer(video.c_str(), 10);
        EXPECT_EQ(1, writer.AppendNewFrame(bitmap));
        EXPECT_EQ(1, writer.AppendNewFrame(bitmap));
    }
    DeleteObject(bitmap);
    std::map<std::string, std::string> stream = Probe(folder, video);
    EXPECT_EQ("mjpeg", stream["codec_name"]);
    EXPECT_EQ("2", stream["nb_read_frames"]);
}

TEST(AviVideo, FrameOfAnotherSizeIsRefusedAndWritingGoesOn)
{
    TempFolder folder("pixmere-avi-sizes");
    std::string video = folder.File("mixed.avi");
    CRgbBuffer picture(64, 48), other(96, 96);
    PaintPicture(picture, 3);
    PaintPicture(other, 5);
    {
        CAviFile writer(video.c_str(), 12);
        EXPECT_EQ(1, AppendPicture(writer, picture));
        EXPECT_EQ(0, AppendPicture(writer, other));
        EXPECT_EQ(1, AppendPicture(writer, picture));
    }
    std::map<std::string, std::string> stream = Probe(folder, video);
    EXPECT_EQ("2", stream["nb_read_frames"]);
    EXPECT_EQ("64", stream["width"]);
}

TEST(AviVideoFailures, CancelledChooserFailsEveryAppendWithoutAMessage)
{
    TempFolder folder("pixmere-avi-cancel");
    std::string video = folder.File("cancelled.avi");
    ChooserScope chooser(CancelChooser);
    DialogWatcher watcher;
    // 16-bit frames: no installed compressor and not the writer's own encoder.
    HBITMAP bitmap = CreateSectionBitmap(64, 48, 16);
    ASSERT_NE(nullptr, bitmap);
    {
        CAviFile writer(video.c_str(), 15);
        EXPECT_EQ(0, writer.AppendNewFrame(bitmap));
        EXPECT_EQ(0, writer.AppendNewFrame(bitmap));
        EXPECT_EQ(0, writer.AppendNewFrame(bitmap));
    }
    DeleteObject(bitmap);
    EXPECT_EQ(1, g_ChooserCalls);
    Sleep(200);
    EXPECT_EQ(0u, watcher.Dialogs().size());
}

TEST(AviVideoFailures, PlatformChooserIsShownOnceAndCanBeCancelled)
{
    TempFolder folder("pixmere-avi-dialog");
    std::string video = folder.File("dialog.avi");
    DialogWatcher watcher;
    HBITMAP bitmap = CreateSectionBitmap(64, 48, 16);
    ASSERT_NE(nullptr, bitmap);
    {
        CAviFile writer(video.c_str(), 15);
        EXPECT_EQ(0, writer.AppendNewFrame(bitmap));
        EXPECT_EQ(0, writer.AppendNewFrame(bitmap));
    }
    DeleteObject(bitmap);
    Sleep(200);
    std::vector<DialogWatcher::Seen> dialogs = watcher.Dialogs();
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_NE("Error", dialogs[0].caption);
}

TEST(AviVideoFailures, UncreatableFileShowsTheMessageOnce)
{
    TempFolder folder("pixmere-avi-nofolder");
    std::string video = folder.File("missing\\sub\\movie.avi");
    DialogWatcher watcher;
    CRgbBuffer picture(16, 16);
    {
        CAviFile writer(video.c_str(), 15);
        EXPECT_EQ(0, AppendPicture(writer, picture));
        EXPECT_EQ(0, AppendPicture(writer, picture));
    }
    Sleep(200);
    std::vector<DialogWatcher::Seen> dialogs = watcher.Dialogs();
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_EQ("Error", dialogs[0].caption);
    EXPECT_EQ("Error Occured While Rendering the Movie", dialogs[0].text);
}

TEST(AviVideoFailures, NameThatDoesNotFitIsRefusedWithTheMessage)
{
    TempFolder folder("pixmere-avi-longname");
    std::string video = folder.File((std::string(260, 'n') + ".avi").c_str());
    DialogWatcher watcher;
    CRgbBuffer picture(16, 16);
    {
        CAviFile writer(video.c_str(), 15);
        EXPECT_EQ(0, AppendPicture(writer, picture));
    }
    Sleep(200);
    ASSERT_EQ(1u, watcher.Dialogs().size());
    EXPECT_EQ("Error", watcher.Dialogs()[0].caption);
}

TEST(AviVideoFailures, NullBitmapIsRefusedQuietly)
{
    TempFolder folder("pixmere-avi-null");
    std::string video = folder.File("null.avi");
    CRgbBuffer picture(16, 16);
    {
        CAviFile writer(video.c_str(), 15);
        EXPECT_EQ(0, writer.AppendNewFrame(NULL));
        EXPECT_EQ(1, AppendPicture(writer, picture));
    }
    EXPECT_EQ("1", Probe(folder, video)["nb_read_frames"]);
}

TEST(AviVideo, FileUnderTheNameIsReplacedOnlyByTheFinishedVideo)
{
    TempFolder folder("pixmere-avi-replace");
    std::string video = folder.File("movie.avi");
    test_support::WriteFileBytes(video, "an older video");
    CRgbBuffer picture(64, 48);
    PaintPicture(picture, 2);
    {
        CAviFile writer(video.c_str(), 10);
        for (int i = 0; i < 7; i++)
            ASSERT_EQ(1, AppendPicture(writer, picture));
        // Half a video is never under the user's name.
        EXPECT_EQ("an older video", test_support::FileBytes(video));
        EXPECT_TRUE(writer.Close());
        EXPECT_EQ(0, AppendPicture(writer, picture));
    }
    EXPECT_EQ(std::vector<std::string>{"movie.avi"}, FolderNames(folder.Path()));
    EXPECT_EQ("7", Probe(folder, video)["nb_read_frames"]);
}

TEST(AviVideoFailures, FullDiskIsToldOnceAndKeepsNothing)
{
    TempFolder folder("pixmere-avi-full");
    std::string small = folder.File("small");
    CreateDirectoryA(small.c_str(), NULL);
    std::string mount = UnixFolder(small);
    if (mount.empty() || native_tool::RunShell("mount -t tmpfs -o size=64k pixmere-test '" + mount + "'") != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    std::string video = small + "\\full.avi";
    CRgbBuffer noise(160, 120);
    unsigned state = 3;
    for (size_t i = 0; i < (size_t)160 * 120 * 3; i++)
    {
        state = state * 1664525u + 1013904223u;
        noise.m_Buffer[i] = (BYTE)(state >> 24);
    }
    DialogWatcher watcher;
    int written = 0;
    bool closed = true;
    {
        CAviFile writer(video.c_str(), 10);
        // Noise hardly compresses: some 20 frames fill the disk.
        for (int i = 0; i < 200 && AppendPicture(writer, noise); i++)
            written++;
        closed = writer.Close();
        EXPECT_TRUE(writer.HasFailed());
    }
    Sleep(200);
    std::vector<std::string> left = FolderNames(small);
    native_tool::RunShell("umount '" + mount + "'");
    printf("  %d frames taken before the writer or its close found the disk full\n", written);
    EXPECT_FALSE(closed);
    std::vector<DialogWatcher::Seen> dialogs = watcher.Dialogs();
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_EQ("Error Occured While Rendering the Movie", dialogs[0].text);
    EXPECT_TRUE(left.empty()) << left.size() << " files left, the first " << left[0];
}
