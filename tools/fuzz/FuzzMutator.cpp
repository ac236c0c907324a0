// Mutation steps: bit flips, interesting values in both byte orders,
// arithmetic, structure-aware growth of sizes, counts and offsets,
// truncation, chunk duplication, removal and swapping, and splicing with
// another seed. One to four steps are stacked per case.
#include "FuzzMutator.h"

#include <stdio.h>
#include <utility>

namespace
{
const uint32_t kInteresting8[] = { 0, 1, 2, 0x7F, 0x80, 0xFE, 0xFF, 0x10, 0x20, 0x40, 0x3F };
const uint32_t kInteresting16[] = { 0, 1, 2, 0x7F, 0x80, 0xFF, 0x100, 0x3FFF, 0x4000, 0x7FFF,
                                    0x8000, 0xFFFE, 0xFFFF, 0x1000, 0x0FFF };
const uint32_t kInteresting32[] = { 0,          1,          0x7F,       0xFF,       0xFFFF,
                                    0x10000,    0x7FFF,     0x8000,     0x3FFFFFFF, 0x40000000,
                                    0x7FFFFFFE, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF,
                                    0x00100000, 0x01000000, 0x0FFFFFFF };

template <size_t N> uint32_t Pick(CFuzzRandom& r, const uint32_t (&values)[N])
{
    return values[r.Below(N)];
}

uint32_t MaxOf(int size)
{
    return size == 1 ? 0xFF : size == 2 ? 0xFFFF : 0xFFFFFFFF;
}

void Append(std::string& description, const char* format, unsigned long long a,
            unsigned long long b = 0)
{
    char text[96];
    snprintf(text, sizeof(text), format, a, b);
    description += text;
}
} // namespace

CFuzzMutator::CFuzzMutator(FuzzLayout layout, const std::vector<FuzzSeed>& seeds,
                           const char* parser, bool preferFocus)
    : m_Layout(layout), m_Seeds(seeds), m_Salt(HashText(parser)), m_PreferFocus(preferFocus)
{
}

const FuzzSeed& CFuzzMutator::OtherSeed(CFuzzRandom& random) const
{
    return m_Seeds[random.Below(m_Seeds.size())];
}

size_t CFuzzMutator::PickOffset(CFuzzRandom& random, const Bytes& data,
                                const FuzzStructure& s) const
{
    // Most point mutations land near a known field, the rest anywhere.
    if (!s.fields.empty() && !random.OneIn(3))
    {
        const FuzzField* f = PickField(random, s);
        size_t at = f->offset + random.Below(8);
        if (at < data.size())
            return at;
    }
    return random.Below(data.size());
}

const FuzzField* CFuzzMutator::PickField(CFuzzRandom& random, const FuzzStructure& s) const
{
    if (s.fields.empty())
        return NULL;
    if (m_PreferFocus && !random.OneIn(5))
    {
        // A few tries for a field in the focused part.
        for (int i = 0; i < 8; ++i)
        {
            const FuzzField& f = s.fields[random.Below(s.fields.size())];
            if (f.focus)
                return &f;
        }
    }
    return &s.fields[random.Below(s.fields.size())];
}

void CFuzzMutator::ApplyOne(CFuzzRandom& random, Bytes& data, std::string& description) const
{
    FuzzStructure s;
    AnalyseLayout(m_Layout, data, s);
    if (data.empty())
    {
        data.push_back((unsigned char)random.Next());
        description += " byte";
        return;
    }
    int step = (int)random.Below(100);
    if (step < 10)
    {
        int bits = 1 + (int)random.Below(4);
        for (int i = 0; i < bits; ++i)
        {
            size_t at = PickOffset(random, data, s);
            data[at] ^= (unsigned char)(1 << random.Below(8));
        }
        Append(description, " flip%llu", bits);
    }
    else if (step < 28)
    {
        // Interesting values, 1, 2 or 4 bytes, either byte order.
        size_t at = PickOffset(random, data, s);
        int size = 1 << random.Below(3);
        bool bigEndian = random.OneIn(2);
        uint32_t v = size == 1 ? Pick(random, kInteresting8)
                               : size == 2 ? Pick(random, kInteresting16) : Pick(random, kInteresting32);
        WriteField(data, at, size, bigEndian, v);
        Append(description, " set%llu@%llu", size * 8, at);
    }
    else if (step < 36)
    {
        size_t at = PickOffset(random, data, s);
        int size = 1 << random.Below(3);
        bool bigEndian = random.OneIn(2);
        int delta = 1 + (int)random.Below(35);
        uint32_t v = ReadField(data, at, size, bigEndian);
        WriteField(data, at, size, bigEndian, random.OneIn(2) ? v + delta : v - delta);
        Append(description, " arith%llu@%llu", size * 8, at);
    }
    else if (step < 60 && !s.fields.empty())
    {
        // Grow or break a size, count or offset field.
        const FuzzField* f = PickField(random, s);
        uint32_t v = ReadField(data, f->offset, f->size, f->bigEndian);
        uint32_t max = MaxOf(f->size);
        uint32_t n;
        switch (random.Below(12))
        {
        case 0: n = v * 2; break;
        case 1: n = v * 16; break;
        case 2: n = v * 256; break;
        case 3: n = v + (uint32_t)data.size(); break;
        case 4: n = 0; break;
        case 5: n = v - 1; break;
        case 6: n = v + 1; break;
        case 7: n = max; break;
        case 8: n = max - 1; break;
        case 9: n = max / 2 + 1; break;
        case 10: n = v + 0x1000; break;
        default: n = (uint32_t)random.Next(); break;
        }
        WriteField(data, f->offset, f->size, f->bigEndian, n & max);
        Append(description, " field%llu@%llu", f->size * 8, f->offset);
    }
    else if (step < 65)
    {
        size_t keep = random.OneIn(2) ? random.Below(data.size())
                                      : data.size() - 1 - random.Below(data.size() < 64 ? data.size() : 64);
        data.resize(keep);
        Append(description, " cut@%llu", keep);
    }
    else if (step < 73 && !s.chunks.empty())
    {
        const FuzzChunk& c = s.chunks[random.Below(s.chunks.size())];
        Bytes copy(data.begin() + c.offset, data.begin() + c.offset + c.length);
        int times = random.OneIn(4) ? 2 + (int)random.Below(30) : 1;
        for (int i = 0; i < times && data.size() + copy.size() <= MaxOutputBytes; ++i)
            data.insert(data.begin() + c.offset + c.length, copy.begin(), copy.end());
        Append(description, " dup%llu@%llu", times, c.offset);
    }
    else if (step < 80 && !s.chunks.empty())
    {
        const FuzzChunk& c = s.chunks[random.Below(s.chunks.size())];
        data.erase(data.begin() + c.offset, data.begin() + c.offset + c.length);
        Append(description, " drop@%llu", c.offset);
    }
    else if (step < 83 && s.chunks.size() >= 2)
    {
        size_t i = random.Below(s.chunks.size()), j = random.Below(s.chunks.size());
        FuzzChunk a = s.chunks[i], b = s.chunks[j];
        if (a.offset > b.offset)
            std::swap(a, b);
        // Chunks may overlap (an icon's entries and images): swap only apart ones.
        if (a.offset + a.length <= b.offset)
        {
            Bytes out(data.begin(), data.begin() + a.offset);
            out.insert(out.end(), data.begin() + b.offset, data.begin() + b.offset + b.length);
            out.insert(out.end(), data.begin() + a.offset + a.length, data.begin() + b.offset);
            out.insert(out.end(), data.begin() + a.offset, data.begin() + a.offset + a.length);
            out.insert(out.end(), data.begin() + b.offset + b.length, data.end());
            data.swap(out);
            Append(description, " swap@%llu,%llu", a.offset, b.offset);
        }
    }
    else if (step < 90)
    {
        // Splice: this file's head with another seed's tail, at chunk
        // boundaries when both have them, or one chunk of the other inserted.
        const FuzzSeed& other = OtherSeed(random);
        FuzzStructure os;
        AnalyseLayout(m_Layout, other.data, os);
        if (!os.chunks.empty() && random.OneIn(2))
        {
            const FuzzChunk& c = os.chunks[random.Below(os.chunks.size())];
            size_t at = s.chunks.empty() ? random.Below(data.size())
                                         : s.chunks[random.Below(s.chunks.size())].offset;
            data.insert(data.begin() + at, other.data.begin() + c.offset,
                        other.data.begin() + c.offset + c.length);
            Append(description, " graft@%llu", at);
        }
        else if (!other.data.empty())
        {
            size_t head = random.Below(data.size());
            size_t from = random.Below(other.data.size());
            if (!s.chunks.empty() && !os.chunks.empty())
            {
                head = s.chunks[random.Below(s.chunks.size())].offset;
                from = os.chunks[random.Below(os.chunks.size())].offset;
            }
            data.resize(head);
            data.insert(data.end(), other.data.begin() + from, other.data.end());
            Append(description, " splice@%llu,%llu", head, from);
        }
    }
    else if (step < 95)
    {
        // Block operations: overwrite with random bytes, delete, or repeat.
        size_t at = random.Below(data.size());
        size_t length = 1 + random.Below(data.size() - at < 256 ? data.size() - at : 256);
        switch (random.Below(3))
        {
        case 0:
            for (size_t i = 0; i < length; ++i)
                data[at + i] = (unsigned char)random.Next();
            break;
        case 1:
            data.erase(data.begin() + at, data.begin() + at + length);
            break;
        default:
        {
            Bytes block(data.begin() + at, data.begin() + at + length);
            data.insert(data.begin() + at, block.begin(), block.end());
            break;
        }
        }
        Append(description, " block@%llu+%llu", at, length);
    }
    else
    {
        size_t at = random.Below(data.size() + 1);
        size_t length = 1 + random.Below(random.OneIn(8) ? 65536 : 64);
        unsigned char value = random.OneIn(2) ? 0 : (unsigned char)random.Next();
        data.insert(data.begin() + at, length, value);
        Append(description, " run%llu@%llu", length, at);
    }
}

Bytes CFuzzMutator::Mutate(uint64_t number, std::string& description) const
{
    CFuzzRandom random(m_Salt ^ (number * 0xD1B54A32D192ED03ULL));
    const FuzzSeed& seed = m_Seeds[random.Below(m_Seeds.size())];
    Bytes data = seed.data;
    description = seed.name + ":";
    int steps = 1 << random.Below(3); // 1, 2 or 4
    for (int i = 0; i < steps; ++i)
    {
        ApplyOne(random, data, description);
        if (data.size() > MaxOutputBytes)
            data.resize(MaxOutputBytes);
    }
    // Mostly keep checksums right, so that the parser goes past them.
    if (!random.OneIn(8))
        FixChecksums(m_Layout, data);
    return data;
}
