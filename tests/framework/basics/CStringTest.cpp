// CString: formatting, multibyte-aware comparison, slicing, searching,
// trimming and the buffer protocol.
#include <gtest/gtest.h>
#include "Framework.h"

TEST(CStringFormat, FormatsNumbersAndStrings)
{
    CString s;
    s.Format("%s\\Album_%d.alb", "C:\\Albums", 12);
    EXPECT_STREQ(s, "C:\\Albums\\Album_12.alb");
    s.Format("%08X|%-4s|%5.2f", 0xBEEFu, "ab", 3.14159);
    EXPECT_STREQ(s, "0000BEEF|ab  | 3.14");
}

TEST(CStringFormat, LongOutputIsNotTruncated)
{
    CString big('x', 5000);
    CString s;
    s.Format("[%s]", (LPCSTR)big);
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(s[0], '[');
    EXPECT_EQ(s[5001], ']');
}

TEST(CStringFormat, FormattingFromItselfIsSafe)
{
    CString s("abc");
    s.Format("%s-%s", (LPCSTR)s, (LPCSTR)s);
    EXPECT_STREQ(s, "abc-abc");
}

TEST(CStringCompare, NoCaseIgnoresAsciiCase)
{
    EXPECT_EQ(CString("C:\\Pictures\\IMG.JpEg").CompareNoCase("c:\\pictures\\img.JPEG"), 0);
    EXPECT_LT(CString("a").CompareNoCase("B"), 0);
    EXPECT_GT(CString("b").Compare("B"), 0);
    EXPECT_TRUE(CString("x") == "x");
    EXPECT_TRUE(CString("x") != CString("X"));
    EXPECT_TRUE(CString("a") < CString("b"));
}

TEST(CStringCompare, Utf8TextComparesByteExact)
{
    // The manifest makes the ANSI code page UTF-8; the text must survive.
    const char* name = "\xC3\xA9t\xC3\xA9_\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.jpg";
    CString s(name);
    EXPECT_EQ(s.GetLength(), (int)strlen(name));
    EXPECT_EQ(s.Compare(name), 0);
    EXPECT_EQ(s.CompareNoCase(name), 0);
    EXPECT_EQ(s.ReverseFind('.'), s.GetLength() - 4);
    EXPECT_STREQ(s.Right(4), ".jpg");
}

TEST(CStringSlices, MidLeftRightClampToTheText)
{
    CString s("C:\\a\\b.jpg");
    EXPECT_STREQ(s.Left(4), "C:\\a");
    EXPECT_STREQ(s.Mid(5), "b.jpg");
    EXPECT_STREQ(s.Mid(5, 1), "b");
    EXPECT_STREQ(s.Right(3), "jpg");
    EXPECT_STREQ(s.Left(100), "C:\\a\\b.jpg");
    EXPECT_STREQ(s.Right(100), "C:\\a\\b.jpg");
    EXPECT_STREQ(s.Mid(100), "");
    EXPECT_STREQ(s.Left(-1), "");
    EXPECT_STREQ(s.Mid(3, 100), "a\\b.jpg");
}

TEST(CStringSearch, FindAndReverseFind)
{
    CString s("a.b.c");
    EXPECT_EQ(s.Find('.'), 1);
    EXPECT_EQ(s.Find('.', 2), 3);
    EXPECT_EQ(s.Find('.', 4), -1);
    EXPECT_EQ(s.Find("b.c"), 2);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(s.ReverseFind('.'), 3);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(s.FindOneOf("cb"), 2);
    EXPECT_EQ(CString().Find('a'), -1);
}

TEST(CStringEdit, CaseTrimReplace)
{
    CString s("  Photo.JPG \t");
    s.TrimLeft();
    EXPECT_STREQ(s, "Photo.JPG \t");
    s.TrimRight();
    EXPECT_STREQ(s, "Photo.JPG");
    s.MakeUpper();
    EXPECT_STREQ(s, "PHOTO.JPG");
    s.MakeLower();
    EXPECT_STREQ(s, "photo.jpg");
    CString q("\"C:\\pics\\a.jpg\"");
    q.TrimLeft('"');
    q.TrimRight('"');
    EXPECT_STREQ(q, "C:\\pics\\a.jpg");
    EXPECT_EQ(q.Replace("\\", "/"), 2);
    EXPECT_STREQ(q, "C:/pics/a.jpg");
    EXPECT_EQ(q.Remove('/'), 2);
    EXPECT_STREQ(q, "C:picsa.jpg");
    q.Insert(2, "\\");
    EXPECT_STREQ(q, "C:\\picsa.jpg");
    q.Delete(0, 3);
    EXPECT_STREQ(q, "picsa.jpg");
}

TEST(CStringConcat, OperatorsBuildNewStrings)
{
    CString a("C:"), b("pics");
    CString path = a + "\\" + b + '\\' + CString("x.jpg");
    EXPECT_STREQ(path, "C:\\pics\\x.jpg");
    CString self("ab");
    self += self;
    EXPECT_STREQ(self, "abab");
    EXPECT_STREQ(CString('-', 3), "---");
}

TEST(CStringBuffer, GetBufferReleaseBuffer)
{
    CString s;
    char* p = s.GetBuffer(MAX_PATH);
    strcpy(p, "written");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 7);
    EXPECT_STREQ(s, "written");
    p = s.GetBuffer(0);
    p[3] = 0;
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "wri");
    s.GetBuffer(10);
    s.ReleaseBuffer(2);
    EXPECT_STREQ(s, "wr");
    EXPECT_EQ(s.GetLength(), 2);
}

TEST(CStringBuffer, EmptyStringsAreUsable)
{
    CString e;
    EXPECT_TRUE(e.IsEmpty());
    EXPECT_STREQ(e, "");
    CString n((LPCSTR)NULL);
    EXPECT_TRUE(n.IsEmpty());
    e = "x";
    e.Empty();
    EXPECT_EQ(e.GetLength(), 0);
    EXPECT_STREQ(e + e, "");
}
