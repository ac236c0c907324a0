// Which file names count as pictures: the extension list, compared without
// regard to case on the last characters of the path.
#include "ContexoCopy.h"
#include "ExtensionHelpers.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

class PictureNameTest : public testing::TestWithParam<std::pair<const char*, bool>>
{
};

TEST_P(PictureNameTest, DecidesBySuffix)
{
    CTempFolder folder("names");
    CContexoCopy contexo(folder.Path());
    ASSERT_TRUE(contexo.IsLoaded());
    CTestDataObject data({GetParam().first});
    IContextMenu* pMenu = CreateInitializedMenu(contexo, data);
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ(GetParam().second ? 3 : 0, CountAddedCommands(pMenu, CMF_NORMAL)) << GetParam().first;
    pMenu->Release();
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureNameTest, testing::Values(
    std::make_pair("C:\\Pictures\\IMG.JpEg", true), std::make_pair("a.jfif", true),
    std::make_pair("C:\\a\\x.jpg", true), std::make_pair("x.JPE", true),
    std::make_pair("x.bmp", true), std::make_pair("x.DIB", true), std::make_pair("x.Png", true),
    std::make_pair("x.cur", true), std::make_pair("x.GIF", true), std::make_pair("logo.EMF", true),
    std::make_pair("x.wmf", true), std::make_pair("scan.tif", true), std::make_pair("scan.TIFF", true),
    std::make_pair("x.ico", true), std::make_pair(".jpg", true), std::make_pair("x.webp", true),
    std::make_pair("C:\\Phone\\IMG_2.WEBP", true), std::make_pair("IMG_0001.HEIC", true),
    std::make_pair("x.heif", true), std::make_pair("art.JXL", true),
    std::make_pair("IMG_0002.AVIF", true)));

INSTANTIATE_TEST_SUITE_P(Others, PictureNameTest, testing::Values(
    std::make_pair("font.ttf", false), std::make_pair("jpg", false), std::make_pair("pg", false),
    std::make_pair("a.txt", false), std::make_pair("photo.jpg.txt", false),
    std::make_pair("x.jpgx", false), std::make_pair("x.tiff2", false), std::make_pair("xjpeg", false),
    std::make_pair("x.avi", false), std::make_pair("x.jp", false), std::make_pair("x.web", false), std::make_pair("x.heics", false), std::make_pair("x.jxll", false), std::make_pair("x.avifs", false),
    std::make_pair("C:\\my.jpg\\folder.x", false)));

} // namespace
