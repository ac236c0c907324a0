// Checks of embedded ICC profiles, the joining of a JPEG's profile chunks,
// and profiles built from a PNG's chromaticities.
#include "IccProfile.h"
#include "ColourEngine.h"

#include <string.h>

namespace
{
unsigned ReadBig32(const std::string& bytes, size_t offset)
{
    const unsigned char* p = (const unsigned char*)bytes.data() + offset;
    return ((unsigned)p[0] << 24) | ((unsigned)p[1] << 16) | ((unsigned)p[2] << 8) | p[3];
}

// Bytes of a JPEG chunk before the profile data: the identifier, then the
// chunk's sequence number (from 1) and the number of chunks.
const size_t JpegChunkHeader = 14;
} // namespace

bool CIccProfile::HasSoundLayout(const std::string& profile)
{
    size_t size = profile.size();
    if (size < HeaderBytes + 4 || size > MaxBytes)
        return false;
    // The declared size may be smaller than what was stored (padding) but
    // never larger; "acsp" marks a profile.
    unsigned declared = ReadBig32(profile, 0);
    if (declared < HeaderBytes + 4 || declared > size || memcmp(profile.data() + 36, "acsp", 4) != 0)
        return false;
    unsigned tags = ReadBig32(profile, HeaderBytes);
    if (tags == 0 || tags > MaxTags || HeaderBytes + 4 + 12ull * tags > declared)
        return false;
    for (unsigned i = 0; i < tags; ++i)
    {
        size_t entry = HeaderBytes + 4 + 12 * (size_t)i;
        unsigned long long offset = ReadBig32(profile, entry + 4);
        unsigned long long length = ReadBig32(profile, entry + 8);
        if (length == 0 || offset < HeaderBytes || offset + length > declared)
            return false;
    }
    return true;
}

bool CIccProfile::IsUsable(const std::string& profile)
{
    return HasSoundLayout(profile) && ColourEngine::OpensAsRgb(profile);
}

std::string CIccProfile::FromJpegChunks(const std::vector<std::string>& chunks)
{
    if (chunks.empty() || chunks.size() > 255)
        return std::string();
    std::vector<const std::string*> ordered(chunks.size(), (const std::string*)NULL);
    size_t total = 0;
    for (size_t i = 0; i < chunks.size(); ++i)
    {
        const std::string& chunk = chunks[i];
        if (chunk.size() <= JpegChunkHeader || memcmp(chunk.data(), "ICC_PROFILE", 12) != 0)
            return std::string();
        unsigned sequence = (unsigned char)chunk[12];
        unsigned count = (unsigned char)chunk[13];
        if (count != chunks.size() || sequence < 1 || sequence > count || ordered[sequence - 1])
            return std::string();
        ordered[sequence - 1] = &chunk;
        total += chunk.size() - JpegChunkHeader;
    }
    if (total > MaxBytes)
        return std::string();
    std::string profile;
    profile.reserve(total);
    for (size_t i = 0; i < ordered.size(); ++i)
        profile.append(*ordered[i], JpegChunkHeader, std::string::npos);
    return profile;
}

std::vector<std::string> CIccProfile::ToJpegChunks(const std::string& profile)
{
    // A segment holds 65533 bytes after its length word.
    const size_t PerChunk = 65533 - JpegChunkHeader;
    std::vector<std::string> chunks;
    size_t count = (profile.size() + PerChunk - 1) / PerChunk;
    if (count == 0 || count > 255)
        return chunks;
    for (size_t i = 0; i < count; ++i)
    {
        std::string chunk("ICC_PROFILE\0", 12);
        chunk += (char)(i + 1);
        chunk += (char)count;
        chunk.append(profile, i * PerChunk, PerChunk);
        chunks.push_back(chunk);
    }
    return chunks;
}

std::string CIccProfile::FromChromaticities(double whiteX, double whiteY, double redX, double redY,
                                            double greenX, double greenY, double blueX,
                                            double blueY, double fileGamma)
{
    if (!(fileGamma > 0.05 && fileGamma < 5))
        return std::string();
    return ColourEngine::MatrixProfile(whiteX, whiteY, redX, redY, greenX, greenY, blueX, blueY,
                                       1.0 / fileGamma);
}
