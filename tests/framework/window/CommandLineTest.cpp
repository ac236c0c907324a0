// Command-line parsing: the first plain argument is the file name, quotes
// group blanks, flags are skipped.
#include <gtest/gtest.h>
#include "CCommandLineInfo.h"

namespace
{
CCommandLineInfo Parse(const char* line)
{
    CCommandLineInfo info;
    info.ParseCommandLine(line);
    return info;
}
}

TEST(CommandLine, NoArgumentsMeansANewDocument)
{
    CCommandLineInfo info = Parse("Pixmere.exe");
    EXPECT_EQ(info.m_nShellCommand, (int)CCommandLineInfo::FileNew);
    EXPECT_TRUE(info.m_strFileName.IsEmpty());
    EXPECT_TRUE(Parse("").m_strFileName.IsEmpty());
}

TEST(CommandLine, QuotedPathWithBlanksIsOneFileName)
{
    CCommandLineInfo info = Parse("\"C:\\Program Files\\Pixmere.exe\" \"D:\\My Pictures\\a b.jpg\"");
    EXPECT_STREQ(info.m_strFileName, "D:\\My Pictures\\a b.jpg");
    EXPECT_EQ(info.m_nShellCommand, (int)CCommandLineInfo::FileOpen);
}

TEST(CommandLine, FirstPlainArgumentWinsAndFlagsAreSkipped)
{
    CCommandLineInfo info = Parse("Viewer.exe /Embedding -x C:\\one.jpg C:\\two.jpg");
    EXPECT_STREQ(info.m_strFileName, "C:\\one.jpg");
    EXPECT_TRUE(info.m_bRunEmbedded);
}

TEST(CommandLine, BackslashesBeforeQuotesFollowTheRuntimeRules)
{
    // A trailing folder separator inside quotes stays a separator: \\" is one
    // backslash and the end of the quote.
    EXPECT_STREQ(Parse("p.exe \"C:\\Pictures\\\\\"").m_strFileName, "C:\\Pictures\\");
    EXPECT_STREQ(Parse("p.exe a\\\"b").m_strFileName, "a\"b");
    EXPECT_STREQ(Parse("p.exe \"unterminated quote").m_strFileName, "unterminated quote");
}
