// The thumbnail generator's passes for the formats that native encoders
// write (files made here by heif-enc and cwebp): a HEIC with a thumbnail
// item is shown from it first and refined by the full pass, one without
// goes straight to the full pass, and a WebP's reduced decode fills the
// cache copy at its best fit.
#include "ThumbnailTestKit.h"
#include "NativeTool.h"

using namespace thumbnail_test;
using test_support::TempFolder;

namespace
{
// A one-colour picture (ImageMagick colour text) encoded natively; stored
// as true colour, since heif-enc misreads one-colour palette PNG files.
std::string WriteNative(const TempFolder& folder, const std::string& name, const char* colour,
                        const std::string& encode)
{
    std::string dir = native_tool::ShellQuote(native_tool::UnixPath(folder.Path()));
    std::string script = "cd " + dir + " && convert -size 800x600 xc:'" + colour + "' PNG24:source.png && " + encode +
                         " source.png -o " + name + " >/dev/null 2>&1";
    EXPECT_EQ(native_tool::RunShell(script), 0) << script;
    return folder / name;
}
} // namespace

TEST(ThumbnailPasses, HeicShowsItsThumbnailItemFirstThenTheFullPicture)
{
    TempFolder folder("thumb_heic");
    std::string path = WriteNative(folder, "phone.heic", "#2040C0", "heif-enc -q 80 -t 64");
    std::string cache = CacheFileOf(path);
    DeleteFileA(cache.c_str());
    CellWindows cells(1);
    CThumbnailManager manager;
    EXPECT_EQ(NULL, manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE));

    // The 64 x 48 thumbnail item, enlarged to fill the area; the full pass
    // is queued and nothing is cached yet.
    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    BitmapLook preview = Look(manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE));
    EXPECT_EQ(100, preview.width);
    EXPECT_EQ(75, preview.height);
    EXPECT_TRUE(Near(0x2040C0, preview.centre));
    EXPECT_FALSE(FileExists(cache));
    ASSERT_EQ(1, manager.GetTaskCount());
    CThumbnailTask* fullPass = manager.PopTask();
    EXPECT_FALSE(fullPass->m_bJpegPreview);
    manager.AddTask(fullPass);

    EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
    BitmapLook full = Look(manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE));
    EXPECT_EQ(100, full.width);
    EXPECT_TRUE(Near(0x2040C0, full.centre));
    EXPECT_TRUE(FileExists(cache));
    EXPECT_EQ(0, manager.GetTaskCount());
    DeleteFileA(cache.c_str());
}

TEST(ThumbnailPasses, HeicWithoutThumbnailAndWebpTakeTheFullPassAtOnce)
{
    TempFolder folder("thumb_heic_plain");
    std::string heic = WriteNative(folder, "plain.heic", "#C04020", "heif-enc -q 80");
    std::string webp = WriteNative(folder, "plain.webp", "#20C040", "cwebp -quiet -q 80");
    for (const std::string& path : { heic, webp })
    {
        SCOPED_TRACE(path);
        std::string cache = CacheFileOf(path);
        DeleteFileA(cache.c_str());
        CellWindows cells(1);
        CThumbnailManager manager;
        EXPECT_EQ(NULL, manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE));
        EXPECT_EQ(CThumbnailManager::Served, manager.ServeNextTask());
        EXPECT_EQ(0, manager.GetTaskCount());
        EXPECT_EQ(100, Look(manager.GetThumbnail(path.c_str(), Area(100, 100), cells[0], FALSE)).width);
        // The cache copy is the picture's best fit into 360 x 480.
        CRgbBuffer cached;
        ASSERT_TRUE(cached.LoadRgbBuffer(cache.c_str()));
        EXPECT_EQ(360, cached.GetWidth());
        EXPECT_EQ(270, cached.GetHeight());
        EXPECT_TRUE(Near(path == heic ? 0xC04020 : 0x20C040, test_support::RgbAt(cached, 180, 135)));
        DeleteFileA(cache.c_str());
    }
}
