// The browser frame's size, fit and caption rules.
#include <gtest/gtest.h>
#include "BrowserFrameRules.h"
#include "resource.h"

using namespace BrowserFrameRules;

namespace
{
const SizeRange range = ThumbSizeRange(360);
}

TEST(FrameSizeCommands, RangeAndStepsFollowTheLargestSize)
{
    EXPECT_EQ(60, range.minimum);
    EXPECT_EQ(360, range.maximum);
    EXPECT_EQ(120, range.initial);
    EXPECT_EQ(138, SizeAfterCommand(ID_ENLARGE_THUMBS, 120, range));
    EXPECT_EQ(102, SizeAfterCommand(ID_REDUCE_THUMBS, 120, range));
    EXPECT_EQ(360, SizeAfterCommand(ID_MAXIMIZE_THUMBS, 120, range));
    EXPECT_EQ(60, SizeAfterCommand(ID_MINIMIZE_THUMBS, 120, range));
}

TEST(FrameSizeCommands, EnlargeClampsAtTheMaximumAndIsThenDisabled)
{
    EXPECT_TRUE(IsSizeCommandEnabled(ID_ENLARGE_THUMBS, 350, range));
    int value = SizeAfterCommand(ID_ENLARGE_THUMBS, 350, range);
    EXPECT_EQ(360, value);
    EXPECT_FALSE(IsSizeCommandEnabled(ID_ENLARGE_THUMBS, value, range));
    EXPECT_FALSE(IsSizeCommandEnabled(ID_MAXIMIZE_THUMBS, value, range));
    EXPECT_TRUE(IsSizeCommandEnabled(ID_REDUCE_THUMBS, value, range));
    EXPECT_TRUE(IsSizeCommandEnabled(ID_MINIMIZE_THUMBS, value, range));
}

TEST(FrameSizeCommands, ReduceClampsAtTheMinimumAndIsThenDisabled)
{
    int value = SizeAfterCommand(ID_REDUCE_THUMBS, 70, range);
    EXPECT_EQ(60, value);
    EXPECT_FALSE(IsSizeCommandEnabled(ID_REDUCE_THUMBS, value, range));
    EXPECT_FALSE(IsSizeCommandEnabled(ID_MINIMIZE_THUMBS, value, range));
    EXPECT_TRUE(IsSizeCommandEnabled(ID_ENLARGE_THUMBS, value, range));
    EXPECT_FALSE(IsSizeCommand(ID_FIT_THUMBS));
}

TEST(FrameCaptions, NameAndDescriptionExcludeEachOtherButMayBothBeOff)
{
    Captions c = ToggleFileDescription(Captions{1, 0});
    EXPECT_EQ(0, c.showName);
    EXPECT_EQ(1, c.showDescription);
    c = ToggleFileName(c);
    EXPECT_EQ(1, c.showName);
    EXPECT_EQ(0, c.showDescription);
    c = ToggleFileName(c);
    EXPECT_EQ(0, c.showName);
    EXPECT_EQ(0, c.showDescription);
}
