// The browser shows tagged photos in sRGB and writes what it makes of them
// in their own colours: the disk cache's copy and the video's frames equal
// ImageMagick's conversion to sRGB, m_bColorManagement 0 leaves the pixels
// as decoded, and a batch output keeps the source's profile byte for byte.
#include <gtest/gtest.h>
#include "BatchTestKit.h"
#include "ColourOracle.h"
#include "ThumbnailTestKit.h"
#include "TransitionManager.h"
#include "TransitionSettings.h"
#include "batch/DialogAviCreator.h"
#include "batch/DialogBatchResize.h"

using colour_oracle::MeanDifference;
using test_support::TempFolder;
using thumbnail_test::Area;
using thumbnail_test::CacheFileOf;
using thumbnail_test::CellWindows;

namespace
{
// The disk cache's copy of a photo, made by one full pass of a generator
// whose colour setting is `manage`.
bool CacheCopy(const std::string& photo, int manage, CRgbBuffer& copy)
{
    std::string cache = CacheFileOf(photo);
    DeleteFileA(cache.c_str());
    CellWindows cells(1);
    CThumbnailManager manager;
    manager.m_bColorManagement = manage;
    manager.GetThumbnail(photo.c_str(), Area(100, 100), cells[0], FALSE);
    // The preview pass (the photo has no EXIF thumbnail: it is the full
    // pass), and the full pass when a preview was shown.
    for (int pass = 0; pass < 4 && manager.GetTaskCount() > 0; ++pass)
        manager.ServeNextTask();
    manager.m_bColorManagement = 1;
    bool loaded = copy.LoadRgbBuffer(cache.c_str()) != FALSE;
    DeleteFileA(cache.c_str());
    return loaded;
}

// ImageMagick's sRGB picture of the photo fitted as we fit it.
std::unique_ptr<CRgbBuffer> NativeFitted(const std::string& photo, const CRect& box)
{
    CRgbBuffer native;
    if (!colour_oracle::NativeSrgb(photo, native))
        return NULL;
    return std::unique_ptr<CRgbBuffer>(native.CreateBestFitRGB(box));
}
} // namespace

TEST(ColourManagement, CacheCopyOfATaggedPhotoIsImageMagicksSrgbConversion)
{
    TempFolder folder("colour_cache");
    for (const char* icc : { colour_oracle::AdobeRgb, colour_oracle::WideGamut })
    {
        SCOPED_TRACE(icc);
        std::string photo = folder.File("tagged.jpg");
        ASSERT_TRUE(colour_oracle::MakeTaggedPhoto(photo, 800, 600, icc));
        std::unique_ptr<CRgbBuffer> expected = NativeFitted(photo, CRect(0, 0, 360, 480));
        ASSERT_TRUE(expected != NULL);
        CRgbBuffer managed, unmanaged;
        ASSERT_TRUE(CacheCopy(photo, 1, managed));
        ASSERT_TRUE(CacheCopy(photo, 0, unmanaged));
        EXPECT_TRUE(managed.m_IccProfile.empty());
        // The copy is a quality-70 JPEG of a reduced decode: half a level
        // more than the conversion itself.
        EXPECT_LE(MeanDifference(managed, *expected), 2.5);
        // Without colour management the copy keeps the file's own numbers.
        EXPECT_GT(MeanDifference(unmanaged, *expected), 4.0);
    }
}

TEST(ColourManagement, VideoFramesOfATaggedPhotoAreInSrgb)
{
    TempFolder folder("colour_video");
    std::string photo = folder.File("tagged.jpg");
    ASSERT_TRUE(colour_oracle::MakeTaggedPhoto(photo, 800, 600, colour_oracle::AdobeRgb));
    std::unique_ptr<CRgbBuffer> expected = NativeFitted(photo, CRect(0, 0, 640, 480));
    ASSERT_TRUE(expected != NULL);
    ASSERT_EQ(CSize(640, 480), expected->GetImageSize());
    CTransitionSettings settings("Movie");
    settings.m_Transition = 1u << TRANSITION_SHUTTER_ADVANCED;
    settings.m_Fluctuation = 0;
    for (int manage : { 1, 0 })
    {
        std::unique_ptr<CTestList> list(batch_test::MakeList(folder, { photo }));
        batch_test::Messages messages;
        CDialogAviCreator creator;
        creator.m_bColorManagement = manage;
        creator.m_Prop_VideoSizeIndex = 0;
        creator.m_Prop_FrameRate = 10;
        creator.m_Prop_Seconds = 1;
        std::string video = folder.File("tagged.avi");
        {
            batch_test::DoneCloser closer;
            ASSERT_TRUE(creator.CreateVideo(list.get(), video.c_str()));
        }
        creator.m_bColorManagement = 1;
        // The last frame is a still of the picture. Every frame is taken:
        // a seek from the end can land past the last key frame and give none.
        std::string raw = folder.File("frames.rgb");
        ASSERT_EQ(0, native_tool::RunShell("/usr/bin/ffmpeg -v error -i " + colour_oracle::Unix(video) +
                                           " -f rawvideo -pix_fmt rgb24 -y " + colour_oracle::Unix(raw)));
        const size_t frameBytes = (size_t)640 * 480 * 3;
        std::string frames = test_support::FileBytes(raw);
        ASSERT_GE(frames.size(), frameBytes);
        ASSERT_EQ(0u, frames.size() % frameBytes);
        std::string bytes = frames.substr(frames.size() - frameBytes);
        CRgbBuffer frame(640, 480);
        memcpy(frame.GetBuffer(), bytes.data(), bytes.size());
        if (manage)
            EXPECT_LE(MeanDifference(frame, *expected), 2.0);
        else
            EXPECT_GT(MeanDifference(frame, *expected), 4.0);
        DeleteFileA(video.c_str());
    }
}

TEST(ColourManagement, BatchResizeKeepsTheSourceProfileByteForByte)
{
    TempFolder folder("colour_batch");
    std::string photo = folder.File("tagged.jpg");
    ASSERT_TRUE(colour_oracle::MakeTaggedPhoto(photo, 1000, 750, colour_oracle::WideGamut));
    std::string profile = colour_oracle::UnixFileBytes(colour_oracle::WideGamut);
    ASSERT_EQ(profile, colour_oracle::EmbeddedProfile(photo));
    std::unique_ptr<CTestList> list(batch_test::MakeList(folder, { photo }));
    batch_test::Messages messages;
    CDialogBatchResize tool;
    tool.m_Prop_OutputFolderName = CString(folder.File("out").c_str());
    tool.m_Prop_bOriginal = 0;
    tool.m_Prop_b800x600 = 1;
    tool.m_Prop_b640x480 = 0;
    tool.m_Prop_bCustom1 = 0;
    tool.m_Prop_bCustom2 = 0;
    {
        batch_test::DoneCloser closer;
        ASSERT_TRUE(tool.RunBatch(list.get()));
    }
    std::string output = folder.File("out\\800x600\\tagged.jpg");
    EXPECT_EQ(profile, colour_oracle::EmbeddedProfile(output));
    // The output holds the source's own numbers, not sRGB ones.
    CRgbBuffer source, resized;
    ASSERT_TRUE(source.LoadRgbBuffer(photo.c_str()));
    ASSERT_TRUE(resized.LoadRgbBuffer(output.c_str()));
    std::unique_ptr<CRgbBuffer> fitted(source.CreateBestFitRGB(CRect(0, 0, 800, 600)));
    EXPECT_LE(MeanDifference(resized, *fitted), 2.0);
}
