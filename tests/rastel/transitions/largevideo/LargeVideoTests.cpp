// A video that would grow past 2 GB: the writer stops before the limit with
// its message, and the file it leaves is complete and readable. Large noisy
// frames make few, big JPEG frames; the repeated frame is encoded only once.
#include <gtest/gtest.h>

#include "AviFile.h"
#include "../video/VideoTestSupport.h"

using namespace VideoTest;

TEST(AviLargeVideo, StopsCleanlyBeforeTwoGigabytes)
{
    TempFolder folder("pixmere-avi-large");
    std::string video = folder.File("large.avi");
    const int width = 4096, height = 2048;
    CRgbBuffer noise(width, height);
    unsigned state = 7;
    for (size_t i = 0; i < (size_t)width * height * 3; i++)
    {
        state = state * 1664525u + 1013904223u;
        noise.m_Buffer[i] = (BYTE)(state >> 24);
    }
    HBITMAP bitmap = noise.CreateBitmapFromRGB();
    ASSERT_NE(nullptr, bitmap);

    DialogWatcher watcher;
    int written = 0, refused = 0;
    {
        CAviFile writer(video.c_str(), 25);
        for (int i = 0; i < 4000 && refused < 3; i++)
        {
            if (writer.AppendNewFrame(bitmap))
            {
                ASSERT_EQ(0, refused) << "a frame was written after the limit";
                written++;
            }
            else
                refused++;
        }
    }
    DeleteObject(bitmap);
    Sleep(200);
    std::vector<DialogWatcher::Seen> dialogs = watcher.Dialogs();
    for (const DialogWatcher::Seen& seen : dialogs)
        printf("  dialog \"%s\": \"%s\"\n", seen.caption.c_str(), seen.text.c_str());
    printf("  %d frames written, %d refused\n", written, refused);
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_EQ("Error Occured While Rendering the Movie", dialogs[0].text);

    long long size = FileSize(video);
    long long frameBytes = size / (written ? written : 1);
    printf("  %d frames of about %lld bytes, file %lld bytes\n", written, frameBytes, size);
    EXPECT_GT(written, 10);
    EXPECT_LT(size, 0x80000000LL);
    EXPECT_GT(size, CAviFile::MaxFileBytes - 2 * frameBytes);

    std::string output;
    ASSERT_EQ(0, RunNative("/usr/bin/ffprobe -v error -select_streams v:0 -count_packets -show_entries "
                           "stream=codec_name,width,height,nb_read_packets -of default=noprint_wrappers=1 '" +
                               UnixPath(video) + "'",
                           folder.File("probe.txt"), &output))
        << output;
    std::map<std::string, std::string> stream = ParseKeyValues(output);
    EXPECT_EQ("mjpeg", stream["codec_name"]);
    EXPECT_EQ("4096", stream["width"]);
    EXPECT_EQ(std::to_string(written), stream["nb_read_packets"]) << output;

    // The last frame decodes after a seek through the index.
    std::string raw = folder.File("last.rgb");
    char seek[32];
    sprintf(seek, "%.3f", (written - 1) / 25.0);
    ASSERT_EQ(0, RunNative("/usr/bin/ffmpeg -v error -ss " + std::string(seek) + " -i '" + UnixPath(video) +
                               "' -frames:v 1 -f rawvideo -pix_fmt rgb24 -y '" + UnixPath(raw) + "'",
                           folder.File("decode.txt"), &output))
        << output;
    EXPECT_EQ(FileSize(raw), (long long)width * height * 3);
    DeleteFileA(raw.c_str());
    DeleteFileA(video.c_str());
}
