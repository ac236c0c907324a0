// CSHA1 against the standard's test vectors and the native sha1sum.
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>

#include "SHA1.h"
#include "FileBytes.h"
#include "NativeTool.h"
#include "TempFolder.h"

namespace
{
std::string Hex(CSHA1& sha)
{
    char text[128] = "";
    sha.ReportHash(text, CSHA1::REPORT_HEX);
    return text;
}

std::string Digest(const std::string& message)
{
    CSHA1 sha;
    sha.Update((unsigned char*)message.data(), (unsigned int)message.size());
    sha.Final();
    return Hex(sha);
}

// "da39a3ee..." -> "DA 39 A3 EE ..."
std::string Spaced(const char* compact)
{
    std::string out;
    for (size_t i = 0; compact[i]; i += 2)
    {
        if (i)
            out += ' ';
        out += (char)toupper(compact[i]);
        out += (char)toupper(compact[i + 1]);
    }
    return out;
}
}

TEST(SHA1Vectors, EmptyMessage)
{
    CSHA1 sha;
    sha.Final();
    EXPECT_EQ(Hex(sha), Spaced("da39a3ee5e6b4b0d3255bfef95601890afd80709"));
    EXPECT_EQ(Hex(sha).size(), 59u); // 20 pairs, 19 single spaces, none trailing
}

TEST(SHA1Vectors, AbcInOneOrThreeCalls)
{
    EXPECT_EQ(Digest("abc"), Spaced("a9993e364706816aba3e25717850c26c9cd0d89d"));
    CSHA1 sha;
    unsigned char letters[] = "abc";
    for (int i = 0; i < 3; ++i)
        sha.Update(letters + i, 1);
    sha.Final();
    EXPECT_EQ(Hex(sha), Spaced("a9993e364706816aba3e25717850c26c9cd0d89d"));
}

TEST(SHA1Vectors, FourHundredFortyEightBitMessage)
{
    EXPECT_EQ(Digest("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              Spaced("84983e441c3bd26ebaae4aa1f95129e5e54670f1"));
}

TEST(SHA1Vectors, MillionLettersAInUnevenPieces)
{
    std::string a(1000000, 'a');
    CSHA1 sha;
    size_t fed = 0, piece = 1;
    while (fed < a.size())
    {
        size_t n = std::min(piece, a.size() - fed);
        sha.Update((unsigned char*)a.data() + fed, (unsigned int)n);
        fed += n;
        piece = piece * 3 + 7; // crosses the 64-byte block boundary at odd places
        if (piece > 5000)
            piece = 13;
    }
    sha.Final();
    EXPECT_EQ(Hex(sha), Spaced("34aa973cd4c4daa4f61eeb2bdbad27316534016f"));
}

TEST(SHA1Vectors, LengthsAroundTheBlockBoundary)
{
    // Messages of 55, 56, 63, 64, 65 and 119 bytes exercise the padding
    // into a second block; every piecewise feed must equal the one-call digest.
    const char* expected[] = {
        "c1c8bbdc22796e28c0e15163d20899b65621d65a", // 55 x 'a'
        "c2db330f6083854c99d4b5bfb6e8f29f201be699", // 56 x 'a'
        "03f09f5b158a7a8cdad920bddc29b81c18a551f5", // 63 x 'a'
        "0098ba824b5c16427bd7a1122a5a442a25ec644d", // 64 x 'a'
        "11655326c708d70319be2610e8a57d9a5b959d3b", // 65 x 'a'
        "ee971065aaa017e0632a8ca6c77bb3bf8b1dfc56", // 119 x 'a'
    };
    const int lengths[] = { 55, 56, 63, 64, 65, 119 };
    for (int k = 0; k < 6; ++k)
    {
        std::string message(lengths[k], 'a');
        EXPECT_EQ(Digest(message), Spaced(expected[k])) << lengths[k];
        for (int split = 1; split < lengths[k]; split += 9)
        {
            CSHA1 sha;
            sha.Update((unsigned char*)message.data(), split);
            sha.Update((unsigned char*)message.data() + split, lengths[k] - split);
            sha.Final();
            EXPECT_EQ(Hex(sha), Spaced(expected[k])) << lengths[k] << " split " << split;
        }
    }
}

TEST(SHA1Objects, CopyForksAPartlyFedDigest)
{
    CSHA1 first;
    first.Update((unsigned char*)"ab", 2);
    CSHA1 second;
    second = first;
    first.Update((unsigned char*)"c", 1);
    first.Final();
    second.Update((unsigned char*)"d", 1);
    second.Final();
    EXPECT_EQ(Hex(first), Digest("abc"));
    EXPECT_EQ(Hex(second), Digest("abd"));
}

TEST(SHA1Objects, ResetAfterFinalHashesAgain)
{
    CSHA1 sha;
    sha.Update((unsigned char*)"xyz", 3);
    sha.Final();
    sha.Reset();
    sha.Update((unsigned char*)"abc", 3);
    sha.Final();
    EXPECT_EQ(Hex(sha), Spaced("a9993e364706816aba3e25717850c26c9cd0d89d"));
}

TEST(SHA1Objects, GetHashGivesTheRawDigest)
{
    CSHA1 sha;
    sha.Update((unsigned char*)"abc", 3);
    sha.Final();
    unsigned char raw[20];
    sha.GetHash(raw);
    EXPECT_EQ(raw[0], 0xA9);
    EXPECT_EQ(raw[19], 0x9D);
}

TEST(SHA1Report, DecimalAppendsToTheString)
{
    CSHA1 sha;
    sha.Update((unsigned char*)"abc", 3);
    sha.Final();
    char text[128] = "x:";
    sha.ReportHash(text, CSHA1::REPORT_DIGIT);
    EXPECT_STREQ(text, "x:169 153 62 54 71 6 129 106 186 62 37 113 120 80 194 108 156 208 216 157");
}

TEST(SHA1Report, UnknownTypeOverwritesWithTheErrorText)
{
    CSHA1 sha;
    sha.Final();
    char text[128] = "previous";
    sha.ReportHash(text, 2);
    EXPECT_STREQ(text, "Error: Unknown report type!");
    sha.ReportHash(NULL, 0); // does nothing
}

TEST(SHA1File, MissingOrNullPathFails)
{
    CSHA1 sha;
    EXPECT_FALSE(sha.HashFile(NULL));
    EXPECT_FALSE(sha.HashFile((char*)"Z:\\no\\such\\folder\\file.bin"));
}

TEST(SHA1File, MatchesSha1sumAcrossTheBlockSize)
{
    test_support::TempFolder folder("sha1test");
    // 16001 bytes: two 8000-byte blocks and one byte; 0 and 8000 bytes too.
    const int sizes[] = { 16001, 8000, 0, 24123 };
    for (int size : sizes)
    {
        std::string path = folder.File("data_" + std::to_string(size) + ".bin");
        std::vector<unsigned char> bytes(size);
        unsigned int seed = 12345 + size;
        for (int i = 0; i < size; ++i)
        {
            seed = seed * 1103515245u + 12345u;
            bytes[i] = (unsigned char)(seed >> 16);
        }
        ASSERT_TRUE(test_support::WriteFileBytes(path, std::string(bytes.begin(), bytes.end())));

        CSHA1 sha;
        ASSERT_TRUE(sha.HashFile(&path[0]));
        sha.Final();
        unsigned char raw[20];
        sha.GetHash(raw);
        char ours[41];
        for (int i = 0; i < 20; ++i)
            sprintf(ours + 2 * i, "%02x", raw[i]);

        std::string out = folder.File("sum_" + std::to_string(size) + ".txt");
        std::string script = "sha1sum " + native_tool::ShellQuote(native_tool::UnixPath(path)) +
                             " > " + native_tool::ShellQuote(native_tool::UnixPath(out));
        ASSERT_EQ(native_tool::RunShell(script), 0) << "sha1sum could not be run";
        std::string text;
        ASSERT_TRUE(test_support::ReadFileBytes(out, text));
        EXPECT_EQ(text.substr(0, 40), std::string(ours)) << size;
    }
}
