// The cache of colour transforms and the conversion of whole pictures.
#include "ColourTransform.h"
#include "ColourEngine.h"
#include "IccProfile.h"
#include "RgbBuffer.h"

#include <stdint.h>
#include <stdlib.h>
#include <list>
#include <memory>
#include <mutex>

namespace
{
uint64_t Fingerprint(const std::string& bytes)
{
    // FNV-1a over the bytes, mixed with the length.
    uint64_t hash = 1469598103934665603ull ^ (uint64_t)bytes.size();
    for (size_t i = 0; i < bytes.size(); ++i)
        hash = (hash ^ (unsigned char)bytes[i]) * 1099511628211ull;
    return hash;
}

// One pair's transform, null when it could not be made or changes nothing
// worth a pass over the pixels.
class CTransform
{
public:
    explicit CTransform(void* handle) : m_Handle(handle) {}
    ~CTransform() { ColourEngine::DeleteTransform(m_Handle); }
    void* m_Handle;

private:
    CTransform(const CTransform&);
    CTransform& operator=(const CTransform&);
};

// Whether the transform moves any colour of a 16-level grid by more than
// one level.
bool MovesColours(void* handle)
{
    const int Levels = 16;
    BYTE grid[Levels * Levels * Levels * 3], out[sizeof(grid)];
    BYTE* p = grid;
    for (int r = 0; r < Levels; ++r)
        for (int g = 0; g < Levels; ++g)
            for (int b = 0; b < Levels; ++b)
            {
                *p++ = (BYTE)(r * 17);
                *p++ = (BYTE)(g * 17);
                *p++ = (BYTE)(b * 17);
            }
    ColourEngine::ApplyExactly(handle, grid, out, Levels * Levels * Levels);
    for (size_t i = 0; i < sizeof(grid); ++i)
        if (abs((int)grid[i] - (int)out[i]) > 1)
            return true;
    return false;
}

struct CEntry
{
    uint64_t m_From, m_To;
    std::shared_ptr<CTransform> m_Transform; // null: leave the pixels alone
};

std::mutex g_Lock;
std::list<CEntry> g_Cache; // most recently used first

std::shared_ptr<CTransform> Find(const std::string& from, const std::string& to)
{
    uint64_t fromKey = Fingerprint(from), toKey = Fingerprint(to);
    std::lock_guard<std::mutex> hold(g_Lock);
    for (std::list<CEntry>::iterator it = g_Cache.begin(); it != g_Cache.end(); ++it)
        if (it->m_From == fromKey && it->m_To == toKey)
        {
            g_Cache.splice(g_Cache.begin(), g_Cache, it);
            return g_Cache.front().m_Transform;
        }
    // Made under the lock: two threads meeting the same new profile make
    // it once, and making one takes a millisecond or two.
    std::shared_ptr<CTransform> made;
    bool fromUsable = from.empty() || CIccProfile::IsUsable(from);
    bool toUsable = to.empty() || CIccProfile::IsUsable(to);
    // A source profile that cannot be used counts as sRGB.
    const std::string& source = fromUsable ? from : std::string();
    if (toUsable && source != to)
    {
        void* handle = ColourEngine::CreateTransform(source, to);
        if (handle && MovesColours(handle))
            made.reset(new CTransform(handle));
        else
            ColourEngine::DeleteTransform(handle);
    }
    CEntry entry = { fromKey, toKey, made };
    g_Cache.push_front(entry);
    if (g_Cache.size() > CColourTransform::CacheSize)
        g_Cache.pop_back(); // a thread still converting with it keeps it alive
    return made;
}
} // namespace

BOOL CColourTransform::Convert(BYTE* pixels, size_t pixelCount, const std::string& from,
                               const std::string& to)
{
    if (!pixels || pixelCount == 0 || from == to)
        return FALSE;
    std::shared_ptr<CTransform> transform = Find(from, to);
    if (!transform)
        return FALSE;
    ColourEngine::Apply(transform->m_Handle, pixels, pixels, pixelCount);
    return TRUE;
}

bool CColourTransform::Changes(const std::string& from, const std::string& to)
{
    return from != to && Find(from, to) != NULL;
}

BOOL CColourTransform::ToProfile(CRgbBuffer* picture, const std::string& display)
{
    if (!picture || !picture->IsImage())
        return FALSE;
    BOOL changed = Convert(picture->GetBuffer(), (size_t)picture->NumberOfPixels(),
                           picture->m_IccProfile, display);
    if (changed)
        picture->DeleteInternalBitmap();
    picture->m_IccProfile = display;
    return changed;
}

BOOL CColourTransform::ToSrgb(CRgbBuffer* picture)
{
    return ToProfile(picture, std::string());
}

HBITMAP CColourTransform::CreateBitmapIn(const CRgbBuffer& picture, const std::string& display)
{
    if (!picture.IsImage())
        return NULL;
    if (!Changes(picture.m_IccProfile, display))
        return picture.CreateBitmapFromRGB();
    CRgbBuffer shown(picture);
    ToProfile(&shown, display);
    return shown.CreateBitmapFromRGB();
}

int CColourTransform::CachedPairs()
{
    std::lock_guard<std::mutex> hold(g_Lock);
    return (int)g_Cache.size();
}
