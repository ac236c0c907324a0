// SHA-1 block transform, padding and the file and text helpers of CSHA1.
#include "SHA1.h"

#include <stdio.h>
#include <string.h>

namespace
{
inline unsigned int Rol(unsigned int value, int bits)
{
    return (value << bits) | (value >> (32 - bits));
}

// The chaining words of the standard before the first block.
const unsigned int kInitialState[5] = { 0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u,
                                        0xC3D2E1F0u };
}

CSHA1::CSHA1()
    : m_WorkBlock(m_Block)
{
    memset(m_Block, 0, sizeof(m_Block));
    memset(m_Digest, 0, sizeof(m_Digest));
    Reset();
}

CSHA1::~CSHA1()
{
    Reset();
}

CSHA1::CSHA1(const CSHA1& other)
    : m_WorkBlock(m_Block)
{
    *this = other;
}

CSHA1& CSHA1::operator=(const CSHA1& other)
{
    memcpy(m_State, other.m_State, sizeof(m_State));
    memcpy(m_Count, other.m_Count, sizeof(m_Count));
    memcpy(m_Block, other.m_Block, sizeof(m_Block));
    memcpy(m_Digest, other.m_Digest, sizeof(m_Digest));
    // The work area is always this object's own block buffer.
    m_WorkBlock = m_Block;
    return *this;
}

void CSHA1::Reset()
{
    memcpy(m_State, kInitialState, sizeof(m_State));
    m_Count[0] = m_Count[1] = 0;
}

void CSHA1::Transform(const unsigned char block[64])
{
    unsigned int w[80];
    for (int i = 0; i < 16; ++i)
        w[i] = ((unsigned int)block[4 * i] << 24) | ((unsigned int)block[4 * i + 1] << 16) |
               ((unsigned int)block[4 * i + 2] << 8) | (unsigned int)block[4 * i + 3];
    for (int i = 16; i < 80; ++i)
        w[i] = Rol(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);

    unsigned int a = m_State[0], b = m_State[1], c = m_State[2], d = m_State[3], e = m_State[4];
    for (int i = 0; i < 80; ++i)
    {
        unsigned int f, k;
        if (i < 20)
        {
            f = (b & c) | (~b & d);
            k = 0x5A827999u;
        }
        else if (i < 40)
        {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1u;
        }
        else if (i < 60)
        {
            f = (b & c) | (b & d) | (c & d);
            k = 0x8F1BBCDCu;
        }
        else
        {
            f = b ^ c ^ d;
            k = 0xCA62C1D6u;
        }
        unsigned int t = Rol(a, 5) + f + e + k + w[i];
        e = d;
        d = c;
        c = Rol(b, 30);
        b = a;
        a = t;
    }
    m_State[0] += a;
    m_State[1] += b;
    m_State[2] += c;
    m_State[3] += d;
    m_State[4] += e;
    memset(w, 0, sizeof(w));
}

void CSHA1::Update(unsigned char* data, unsigned int length)
{
    if (length == 0)
        return;
    unsigned int used = (m_Count[0] >> 3) & 63;
    unsigned int low = m_Count[0] + (length << 3);
    if (low < m_Count[0])
        ++m_Count[1];
    m_Count[0] = low;
    m_Count[1] += length >> 29;

    unsigned int i = 0;
    if (used + length > 63)
    {
        i = 64 - used;
        memcpy(m_WorkBlock + used, data, i);
        Transform(m_WorkBlock);
        for (; i + 63 < length; i += 64)
            Transform(data + i);
        used = 0;
    }
    memcpy(m_WorkBlock + used, data + i, length - i);
}

void CSHA1::Final()
{
    unsigned char length[8];
    for (int i = 0; i < 4; ++i)
    {
        length[i] = (unsigned char)(m_Count[1] >> (24 - 8 * i));
        length[4 + i] = (unsigned char)(m_Count[0] >> (24 - 8 * i));
    }
    unsigned char pad = 0x80;
    Update(&pad, 1);
    pad = 0;
    while ((m_Count[0] & 504) != 448)
        Update(&pad, 1);
    Update(length, 8); // the 8 bytes complete a block: the buffer is empty now

    for (int i = 0; i < 20; ++i)
        m_Digest[i] = (unsigned char)(m_State[i >> 2] >> (24 - 8 * (i & 3)));

    memset(m_Block, 0, sizeof(m_Block));
    memset(m_State, 0, sizeof(m_State));
    m_Count[0] = m_Count[1] = 0;
}

void CSHA1::GetHash(unsigned char* out)
{
    memcpy(out, m_Digest, 20);
}

void CSHA1::ReportHash(char* out, unsigned char type)
{
    if (out == NULL)
        return;
    if (type != REPORT_HEX && type != REPORT_DIGIT)
    {
        strcpy(out, "Error: Unknown report type!");
        return;
    }
    char piece[8];
    for (int i = 0; i < 20; ++i)
    {
        if (type == REPORT_HEX)
            sprintf(piece, i == 0 ? "%02X" : " %02X", m_Digest[i]);
        else
            sprintf(piece, i == 0 ? "%u" : " %u", m_Digest[i]);
        strcat(out, piece);
    }
}

bool CSHA1::HashFile(char* path)
{
    if (path == NULL)
        return false;
    FILE* file = fopen(path, "rb");
    if (file == NULL)
        return false;

    fseek(file, 0, SEEK_END);
    long long fileLength = _ftelli64(file);
    fseek(file, 0, SEEK_SET);
    if (fileLength < 0)
        fileLength = 0;

    const unsigned int blockSize = 8000;
    unsigned char data[blockSize];
    long long blocks = fileLength / blockSize;
    unsigned int rest = (unsigned int)(fileLength % blockSize);
    for (long long i = 0; i < blocks; ++i)
    {
        size_t got = fread(data, 1, blockSize, file);
        Update(data, (unsigned int)got);
        if (got != blockSize)
        {
            rest = 0; // the file shrank while being read: stop at its end
            break;
        }
    }
    if (rest != 0)
        Update(data, (unsigned int)fread(data, 1, rest, file));
    fclose(file);
    return true;
}
