// Sample writer of WebP files through libwebp's encoder: a lossy photo-like
// picture, a lossless one with alpha, one whose EXIF block says "turn a
// quarter clockwise" (stored lying on its side, shown upright), and a
// two-frame animation. The extended container, the EXIF chunk and the
// animation chunks are laid out here around the encoder's bitstreams.
#include <windows.h>
#include <stdint.h>
#include <string.h>
#include <string>
#include <vector>
#include <webp/encode.h>
#include "SampleFile.h"
#include "SampleWriters.h"

namespace
{
typedef std::vector<unsigned char> Bytes;
const int kWidth = 160, kHeight = 120;

// Red top rows, blue bottom rows and a gradient between, so a picture shown
// the wrong way round is obvious.
Bytes Picture(int width, int height, int channels, int shift)
{
    Bytes pixels((size_t)width * height * channels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            unsigned char* p = &pixels[((size_t)y * width + x) * channels];
            if (y < height / 10)
                p[0] = 255, p[1] = 0, p[2] = 0;
            else if (y >= height - height / 10)
                p[0] = 0, p[1] = 0, p[2] = 255;
            else
            {
                p[0] = (unsigned char)((x + shift) * 255 / (width + shift));
                p[1] = (unsigned char)(y * 255 / (height - 1));
                p[2] = (unsigned char)(((x / 10 + y / 10) & 1) ? 200 : 60);
            }
            if (channels == 4)
                p[3] = (unsigned char)(x * 255 / (width - 1));
        }
    return pixels;
}

void Put32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back((unsigned char)(v >> (8 * i)));
}

void Put24(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 3; ++i)
        b.push_back((unsigned char)(v >> (8 * i)));
}

void Chunk(Bytes& out, const char* name, const Bytes& payload)
{
    out.insert(out.end(), name, name + 4);
    Put32(out, (uint32_t)payload.size());
    out.insert(out.end(), payload.begin(), payload.end());
    if (payload.size() & 1)
        out.push_back(0);
}

Bytes Riff(const Bytes& chunks)
{
    Bytes out = { 'R', 'I', 'F', 'F' };
    Put32(out, (uint32_t)(4 + chunks.size()));
    out.insert(out.end(), { 'W', 'E', 'B', 'P' });
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

// The chunks of a simple file: everything after "WEBP".
Bytes BitstreamChunks(const uint8_t* file, size_t size)
{
    return size > 12 ? Bytes(file + 12, file + size) : Bytes();
}

Bytes Encoded(const Bytes& pixels, int width, int height, int channels, bool lossless)
{
    uint8_t* file = NULL;
    size_t size = 0;
    if (lossless)
        size = channels == 4 ? WebPEncodeLosslessRGBA(pixels.data(), width, height, width * 4, &file)
                             : WebPEncodeLosslessRGB(pixels.data(), width, height, width * 3, &file);
    else
        size = WebPEncodeRGB(pixels.data(), width, height, width * 3, 85, &file);
    Bytes result = file ? Bytes(file, file + size) : Bytes();
    WebPFree(file);
    return result;
}

Bytes ExtendedHeader(uint8_t flags, int width, int height)
{
    Bytes payload = { flags, 0, 0, 0 };
    Put24(payload, (uint32_t)(width - 1));
    Put24(payload, (uint32_t)(height - 1));
    Bytes out;
    Chunk(out, "VP8X", payload);
    return out;
}

// The picture stored lying on its side (turned a quarter counter-clockwise)
// with Orientation 6, which turns it back.
Bytes LyingPicture()
{
    Bytes upright = Picture(kWidth, kHeight, 3, 0);
    Bytes lying((size_t)kWidth * kHeight * 3);
    // A clockwise turn of the stored kHeight x kWidth picture shows stored
    // (v, kWidth - 1 - u) at upright (u, v).
    for (int v = 0; v < kHeight; ++v)
        for (int u = 0; u < kWidth; ++u)
        {
            int x = v, y = kWidth - 1 - u;
            memcpy(&lying[((size_t)y * kHeight + x) * 3], &upright[((size_t)v * kWidth + u) * 3], 3);
        }
    Bytes encoded = Encoded(lying, kHeight, kWidth, 3, true);
    if (encoded.empty())
        return encoded;
    Bytes exif = { 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0 };
    Bytes chunks = ExtendedHeader(0x08, kHeight, kWidth);
    Bytes body = BitstreamChunks(encoded.data(), encoded.size());
    chunks.insert(chunks.end(), body.begin(), body.end());
    Chunk(chunks, "EXIF", exif);
    return Riff(chunks);
}

// Two lossless frames, the first shown for a second; players loop forever.
Bytes Animation()
{
    Bytes chunks = ExtendedHeader(0x02, kWidth, kHeight);
    Bytes animation = { 0, 0, 0, 255, 0, 0 };
    Chunk(chunks, "ANIM", animation);
    for (int frame = 0; frame < 2; ++frame)
    {
        Bytes encoded = Encoded(Picture(kWidth, kHeight, 3, frame * 80), kWidth, kHeight, 3, true);
        if (encoded.empty())
            return encoded;
        Bytes payload;
        Put24(payload, 0);
        Put24(payload, 0);
        Put24(payload, kWidth - 1);
        Put24(payload, kHeight - 1);
        Put24(payload, 1000);
        payload.push_back(0x02); // no blending: the frame replaces the canvas
        Bytes body = BitstreamChunks(encoded.data(), encoded.size());
        payload.insert(payload.end(), body.begin(), body.end());
        Chunk(chunks, "ANMF", payload);
    }
    return Riff(chunks);
}

int WriteWebp(const char* folder)
{
    const std::string base = std::string(folder) + "\\";
    const struct
    {
        const char* name;
        Bytes bytes;
    } files[] = {
        { "webp_lossy.webp", Encoded(Picture(kWidth, kHeight, 3, 0), kWidth, kHeight, 3, false) },
        { "webp_alpha.webp", Encoded(Picture(kWidth, kHeight, 4, 0), kWidth, kHeight, 4, true) },
        { "webp_orientation_6.webp", LyingPicture() },
        { "webp_animated.webp", Animation() },
    };
    int written = 0;
    for (const auto& file : files)
    {
        if (file.bytes.empty() || !WriteSampleFile(base + file.name, file.bytes))
            return -1;
        ++written;
    }
    return written;
}
} // namespace

PIXMERE_SAMPLE_WRITER(webp, WriteWebp);
