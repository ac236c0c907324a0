// CSHA1: SHA-1 message digest (FIPS 180-1). The thumbnail cache names its
// files by the digest of the picture's path; whole files can be hashed too.
//
// Use: Reset (the constructor does it), Update in pieces of any size, Final,
// then GetHash or ReportHash. Final wipes the working state, so the object
// must be Reset before it hashes again. Copying forks a partly fed digest.
#pragma once

#include "RastelApi.h"

class RASTEL_API CSHA1
{
public:
    enum { REPORT_HEX = 0, REPORT_DIGIT = 1 };

    CSHA1();
    ~CSHA1();

    void Reset();
    void Update(unsigned char* data, unsigned int length);
    void Final();
    void GetHash(unsigned char* out);
    // Appends the digest as text (type 0: "%02X" pairs, type 1: "%u"
    // numbers, single spaces between); an unknown type overwrites out with
    // an error text. A null out does nothing.
    void ReportHash(char* out, unsigned char type = REPORT_HEX);
    // Feeds the whole file (no Reset before, no Final after).
    bool HashFile(char* path);

    CSHA1(const CSHA1& other);
    CSHA1& operator=(const CSHA1& other);

private:
    void Transform(const unsigned char block[64]);

    unsigned int m_State[5];
    unsigned int m_Count[2]; // message length in bits, low word first
    unsigned char m_Block[64];
    unsigned char m_Digest[20];
    unsigned char* m_WorkBlock; // the block that Transform reads
};
