// The fading effects that blend every byte in equal steps: transparent,
// through a colour level, and through grey stages.
#include "TransitionManager.h"
#include "TransitionMath.h"

#include <stdlib.h>
#include <string.h>

using namespace TransitionMath;

namespace
{
// A byte array of the working canvas' size, freed with the scope.
class CByteSnapshot
{
public:
    explicit CByteSnapshot(size_t size) : m_Bytes((BYTE*)malloc(size ? size : 1)) {}
    ~CByteSnapshot() { free(m_Bytes); }
    CByteSnapshot(const CByteSnapshot&) = delete;
    CByteSnapshot& operator=(const CByteSnapshot&) = delete;
    BYTE* m_Bytes;
};

int ShiftOf(int frames)
{
    return frames == 32 ? 5 : 6;
}

// Grey of each pixel, written to all three of its bytes.
void WeightedGrey(const BYTE* pixels, BYTE* grey, int count)
{
    for (int p = 0; p < count; p++, pixels += 3, grey += 3)
    {
        BYTE g = (BYTE)((306 * pixels[0] + 601 * pixels[1] + 117 * pixels[2]) >> 10);
        grey[0] = grey[1] = grey[2] = g;
    }
}

void MeanGrey(const BYTE* pixels, BYTE* grey, int count)
{
    for (int p = 0; p < count; p++, pixels += 3, grey += 3)
    {
        BYTE g = (BYTE)((pixels[0] + pixels[1] + pixels[2]) / 3);
        grey[0] = grey[1] = grey[2] = g;
    }
}
} // namespace

int CTransitionManager::BlendPhase(const BYTE* start, const BYTE* goal, int frames)
{
    const size_t size = (size_t)m_pFrom->m_Width * m_pFrom->m_Height * 3;
    short* diff = (short*)malloc(size ? size * sizeof(short) : 1);
    if (!diff)
        return 0;
    for (size_t j = 0; j < size; j++)
        diff[j] = (short)(goal[j] - start[j]);

    // Frame i sets start + floor(i * diff / frames); frames is 32 or 64, so the
    // division is an arithmetic shift and every product fits in 16 bits.
    const int shift = ShiftOf(frames);
    BYTE* out = m_pFrom->m_Buffer;
    int result = 1;
    for (int i = 0; i < frames; i++)
    {
        const short step = (short)i;
        for (size_t j = 0; j < size; j++)
            out[j] = (BYTE)(start[j] + ((short)(step * diff[j]) >> shift));
        if (!Deliver(m_pFrom))
        {
            result = 0;
            break;
        }
    }
    free(diff);
    return result;
}

int CTransitionManager::DoFadingTransparentTransition()
{
    const size_t size = (size_t)m_pFrom->m_Width * m_pFrom->m_Height * 3;
    CByteSnapshot copy(size);
    if (!copy.m_Bytes)
        return 0;
    memcpy(copy.m_Bytes, m_pFrom->m_Buffer, size);
    return BlendPhase(copy.m_Bytes, m_pTo->m_Buffer, 64);
}

int CTransitionManager::DoFadingColorTransition()
{
    const size_t size = (size_t)m_pFrom->m_Width * m_pFrom->m_Height * 3;
    const BYTE level = (BYTE)(TruncInt(m_EffectParameter) & 0xFF);
    CByteSnapshot copy(size), uniform(size);
    if (!copy.m_Bytes || !uniform.m_Bytes)
        return 0;
    memcpy(copy.m_Bytes, m_pFrom->m_Buffer, size);
    memset(uniform.m_Bytes, level, size);
    if (!BlendPhase(copy.m_Bytes, uniform.m_Bytes, 64))
        return 0;
    return BlendPhase(uniform.m_Bytes, m_pTo->m_Buffer, 64);
}

int CTransitionManager::DoFadingGrayscaleTransition()
{
    const int count = m_pFrom->m_Width * m_pFrom->m_Height;
    const size_t size = (size_t)count * 3;
    CByteSnapshot copy(size), grey(size);
    if (!copy.m_Bytes || !grey.m_Bytes)
        return 0;

    memcpy(copy.m_Bytes, m_pFrom->m_Buffer, size);
    WeightedGrey(copy.m_Bytes, grey.m_Bytes, count);
    if (!BlendPhase(copy.m_Bytes, grey.m_Bytes, 32))
        return 0;

    memcpy(copy.m_Bytes, m_pFrom->m_Buffer, size);
    MeanGrey(m_pTo->m_Buffer, grey.m_Bytes, count);
    if (!BlendPhase(copy.m_Bytes, grey.m_Bytes, 64))
        return 0;

    memcpy(copy.m_Bytes, m_pFrom->m_Buffer, size);
    return BlendPhase(copy.m_Bytes, m_pTo->m_Buffer, 32);
}
