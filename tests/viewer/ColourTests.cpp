// The viewer's pictures of tagged photos, decoded for the window and whole
// (as the read-ahead decodes them), are in sRGB as ImageMagick converts
// them; with colour management off they are the file's numbers.
#include "ViewerTestKit.h"
#include <memory>
#include "ColourOracle.h"
#include "ReadAhead.h"
#include "ViewerPictures.h"

using colour_oracle::MeanDifference;

TEST(ViewerColour, TaggedPhotoIsShownInSrgbUnlessSwitchedOff)
{
    test_support::TempFolder folder("viewer_colour");
    std::string photo = folder.File("tagged.jpg");
    ASSERT_TRUE(colour_oracle::MakeTaggedPhoto(photo, 640, 480, colour_oracle::WideGamut));
    CRgbBuffer native, decoded;
    ASSERT_TRUE(colour_oracle::NativeSrgb(photo, native));
    ASSERT_TRUE(decoded.LoadRgbBuffer(photo.c_str(), false));
    ASSERT_TRUE(ViewerPictures::IsColourManaged()); // the setting's default

    for (bool whole : { true, false })
    {
        SCOPED_TRACE(whole ? "whole" : "for the window");
        CPictureWish wish;
        wish.m_Path = photo.c_str();
        wish.m_Fit.mode = ViewerPictures::BestFit;
        wish.m_Fit.client = CSize(800, 600); // the photo fits: a full-size decode
        wish.m_bWhole = whole;
        std::unique_ptr<CReadyPicture> managed(CReadAhead::Decode(wish, ViewerPictures::DefaultMemoryBudget));
        ASSERT_TRUE(managed->m_pOriginal->IsImage());
        EXPECT_LE(MeanDifference(*managed->m_pOriginal, native), 2.0);
        EXPECT_LE(MeanDifference(*managed->m_pDisplay, native), 2.0);

        ViewerPictures::SetColourTarget(false, std::string());
        std::unique_ptr<CReadyPicture> plain(CReadAhead::Decode(wish, ViewerPictures::DefaultMemoryBudget));
        ViewerPictures::SetColourTarget(true, std::string());
        EXPECT_EQ(0.0, MeanDifference(*plain->m_pOriginal, decoded));
    }
}
