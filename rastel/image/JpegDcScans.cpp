// JpegDcScans::Keep: walks the markers of a JPEG file and copies every
// segment except the AC scans with their entropy-coded data.
#include "JpegDcScans.h"

namespace
{
const unsigned char kSoi = 0xD8, kEoi = 0xD9, kSos = 0xDA, kTem = 0x01;

bool IsRestart(unsigned char marker)
{
    return marker >= 0xD0 && marker <= 0xD7;
}

// The position of the marker that ends the entropy-coded data starting at
// `at`: stuffed zeros and restart markers belong to the data.
size_t EndOfScanData(const unsigned char* data, size_t length, size_t at)
{
    while (at + 1 < length)
    {
        if (data[at] != 0xFF)
        {
            ++at;
            continue;
        }
        unsigned char next = data[at + 1];
        if (next == 0x00 || IsRestart(next))
            at += 2;
        else if (next == 0xFF)
            ++at; // fill byte
        else
            return at;
    }
    return length;
}
} // namespace

bool JpegDcScans::Keep(const unsigned char* data, size_t length, const bool (&dcOnly)[256],
                       std::vector<unsigned char>& out)
{
    out.clear();
    if (!data || length < 4 || data[0] != 0xFF || data[1] != kSoi)
        return false;
    out.reserve(length / 4);
    out.insert(out.end(), data, data + 2);
    size_t at = 2;
    while (at + 1 < length)
    {
        if (data[at] != 0xFF)
            return false;
        unsigned char marker = data[at + 1];
        if (marker == 0xFF)
        {
            ++at; // fill byte before a marker
            continue;
        }
        if (marker == kEoi)
        {
            out.insert(out.end(), data + at, data + at + 2);
            return true;
        }
        if (marker == kSoi || marker == kTem || IsRestart(marker) || marker == 0x00)
            return false; // not where a segment belongs
        if (at + 4 > length)
            return false;
        size_t segment = ((size_t)data[at + 2] << 8) | data[at + 3];
        if (segment < 2 || at + 2 + segment > length)
            return false;
        size_t end = at + 2 + segment;
        if (marker != kSos)
        {
            out.insert(out.end(), data + at, data + end);
            at = end;
            continue;
        }
        // SOS: length, component count, two bytes a component, then Ss.
        size_t components = segment >= 3 ? data[at + 4] : 0;
        if (components == 0 || segment < 6 + 2 * components)
            return false;
        unsigned char spectralStart = data[at + 4 + 1 + 2 * components];
        unsigned char firstComponent = data[at + 5];
        size_t scanEnd = EndOfScanData(data, length, end);
        // AC scans hold one component each.
        bool dropped = spectralStart != 0 && components == 1 && dcOnly[firstComponent];
        if (!dropped)
            out.insert(out.end(), data + at, data + scanEnd);
        at = scanEnd;
    }
    // The data ran out before EOI: the decoder ends it as it would end the
    // whole file.
    out.push_back(0xFF);
    out.push_back(kEoi);
    return true;
}
