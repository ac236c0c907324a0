// Byte strings, the deterministic random source and the little-/big-endian
// field access shared by the fuzzer's parts.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <string>
#include <vector>

typedef std::vector<unsigned char> Bytes;

// splitmix64: one 64-bit state, so a case is reproduced from its number alone.
class CFuzzRandom
{
public:
    explicit CFuzzRandom(uint64_t seed) : m_State(seed) {}
    uint64_t Next()
    {
        uint64_t z = (m_State += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1 (0 when n is 0).
    size_t Below(size_t n) { return n ? (size_t)(Next() % n) : 0; }
    bool OneIn(unsigned n) { return Below(n) == 0; }

private:
    uint64_t m_State;
};

inline uint64_t HashText(const char* text)
{
    uint64_t h = 1469598103934665603ULL; // FNV-1a
    for (; *text; ++text)
        h = (h ^ (unsigned char)*text) * 1099511628211ULL;
    return h;
}

inline uint32_t ReadField(const Bytes& b, size_t offset, int size, bool bigEndian)
{
    uint32_t v = 0;
    for (int i = 0; i < size && offset + i < b.size(); ++i)
    {
        uint32_t byte = b[offset + i];
        v |= bigEndian ? byte << (8 * (size - 1 - i)) : byte << (8 * i);
    }
    return v;
}

inline void WriteField(Bytes& b, size_t offset, int size, bool bigEndian, uint32_t v)
{
    for (int i = 0; i < size && offset + i < b.size(); ++i)
        b[offset + i] = (unsigned char)(bigEndian ? v >> (8 * (size - 1 - i)) : v >> (8 * i));
}
