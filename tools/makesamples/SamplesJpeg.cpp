// Sample writers of JPEG photos: camera-like files of a few megapixels with a
// real EXIF block holding a JPEG thumbnail (Intel and Motorola byte order,
// the thumbnail tags in the second directory after an EXIF sub-directory as
// cameras write them), a progressive file, a grayscale file, one without
// EXIF and a portrait stored turned with EXIF orientation 6. The scene is
// procedural with fine detail, so the files compress like photographs and
// not like flat colour.
#include <windows.h>
#include <math.h>
#include <setjmp.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include <jpeglib.h>
#include "SampleFile.h"
#include "SampleNoise.h"
#include "SampleWriters.h"

namespace
{
typedef std::vector<unsigned char> Bytes;

struct Picture
{
    int width = 0, height = 0;
    Bytes rgb;
};

// ---- The scene ------------------------------------------------------------

double Fractal(double x, double y, uint32_t seed)
{
    return 0.5 * Noise(x, y, 192, seed) + 0.25 * Noise(x, y, 48, seed + 1) +
           0.15 * Noise(x, y, 12, seed + 2) + 0.1 * Noise(x, y, 3, seed + 3);
}

BYTE Clamp(double v)
{
    return (BYTE)(v < 0 ? 0 : (v > 255 ? 255 : v + 0.5));
}

// Sky with clouds, a sun, two ranges of textured hills, a lake with ripples
// and a fence of thin posts in front; sizes scale with the picture.
Picture MakeScene(int width, int height, uint32_t seed)
{
    Picture p;
    p.width = width;
    p.height = height;
    p.rgb.resize((size_t)width * height * 3);
    double s = width / 1000.0; // scene units per pixel
    double sunX = width * 0.72, sunY = height * 0.22, sunR = height * 0.07;
    BYTE* out = p.rgb.data();
    for (int y = 0; y < height; ++y)
    {
        double v = (double)y / height;
        for (int x = 0; x < width; ++x, out += 3)
        {
            double u = (double)x / width;
            double farHills = 0.45 + 0.08 * sin(u * 7 + seed) + 0.05 * Noise(x, 0, (int)(90 * s) + 1, seed);
            double nearHills = 0.6 + 0.06 * sin(u * 3.3 + 1 + seed) + 0.04 * Noise(x, 7, (int)(40 * s) + 1, seed + 9);
            double r, g, b;
            if (v < farHills)
            {
                double cloud = Fractal(x / s, y / s * 2, seed + 20);
                cloud = cloud > 0.55 ? (cloud - 0.55) * 2.2 : 0;
                r = 90 + 100 * v + 150 * cloud;
                g = 140 + 80 * v + 110 * cloud;
                b = 230 - 30 * v + 25 * cloud;
                double dx = x - sunX, dy = y - sunY, d = sqrt(dx * dx + dy * dy);
                if (d < sunR)
                    r = 255, g = 240, b = 190;
                else if (d < sunR * 3)
                {
                    double glow = (sunR * 3 - d) / (sunR * 2);
                    r += 60 * glow, g += 50 * glow, b += 20 * glow;
                }
            }
            else if (v < nearHills)
            {
                double t = Fractal(x / s, y / s, seed + 30);
                r = 70 + 60 * t, g = 95 + 70 * t, b = 80 + 40 * t;
            }
            else if (v < 0.8)
            {
                double t = Fractal(x / s * 1.5, y / s * 1.5, seed + 40);
                double leaf = Noise(x, y, 2, seed + 50);
                r = 40 + 70 * t + 30 * leaf, g = 90 + 90 * t + 40 * leaf, b = 30 + 30 * t;
            }
            else
            {
                double ripple = sin(y * 0.9 / s + 3 * Noise(x, y, (int)(20 * s) + 1, seed + 60));
                double t = Fractal(x / s, y / s * 4, seed + 70);
                r = 40 + 30 * t + 12 * ripple, g = 80 + 40 * t + 12 * ripple, b = 120 + 60 * t + 15 * ripple;
            }
            // The fence: thin dark posts with a rail, drawn over the meadow.
            int post = (int)(60 * s) + 1;
            if (v > 0.68 && v < 0.86 && x % post < (int)(4 * s) + 1)
                r = 70, g = 50, b = 35;
            if ((v > 0.71 && v < 0.715) || (v > 0.78 && v < 0.785))
                r = 90, g = 65, b = 45;
            double grain = ((Hash(x, y, seed + 99) & 0xFF) - 128) / 40.0;
            out[0] = Clamp(r + grain);
            out[1] = Clamp(g + grain);
            out[2] = Clamp(b + grain);
        }
    }
    return p;
}

// A box-filtered copy that fits into maxW x maxH, keeping the aspect ratio.
Picture Shrink(const Picture& source, int maxW, int maxH)
{
    double scale = std::min((double)maxW / source.width, (double)maxH / source.height);
    Picture p;
    p.width = std::max(1, (int)(source.width * scale));
    p.height = std::max(1, (int)(source.height * scale));
    p.rgb.resize((size_t)p.width * p.height * 3);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
        {
            int x0 = x * source.width / p.width, x1 = (x + 1) * source.width / p.width;
            int y0 = y * source.height / p.height, y1 = (y + 1) * source.height / p.height;
            for (int c = 0; c < 3; ++c)
            {
                long sum = 0;
                for (int sy = y0; sy < y1; ++sy)
                    for (int sx = x0; sx < x1; ++sx)
                        sum += source.rgb[((size_t)sy * source.width + sx) * 3 + c];
                p.rgb[((size_t)y * p.width + x) * 3 + c] = (BYTE)(sum / ((x1 - x0) * (y1 - y0)));
            }
        }
    return p;
}

// ---- EXIF -------------------------------------------------------------------

class TiffWriter
{
public:
    explicit TiffWriter(bool motorola) : m_Motorola(motorola) {}
    Bytes bytes;
    void U16(size_t at, unsigned v)
    {
        Grow(at + 2);
        for (int i = 0; i < 2; ++i)
            bytes[at + i] = (unsigned char)(v >> (8 * (m_Motorola ? 1 - i : i)));
    }
    void U32(size_t at, uint32_t v)
    {
        Grow(at + 4);
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = (unsigned char)(v >> (8 * (m_Motorola ? 3 - i : i)));
    }
    void Raw(size_t at, const void* data, size_t size)
    {
        Grow(at + size);
        memcpy(&bytes[at], data, size);
    }
    void Grow(size_t size)
    {
        if (bytes.size() < size)
            bytes.resize(size, 0);
    }

private:
    bool m_Motorola;
};

// Builds one directory at `at` with its entries; values that do not fit in
// the entry go to the data area at *data (advanced, kept even).
class DirectoryWriter
{
public:
    DirectoryWriter(TiffWriter& w, size_t at, unsigned count, size_t* data)
        : m_W(w), m_At(at), m_Count(count), m_Data(data)
    {
        w.U16(at, count);
    }
    size_t NextWord() const { return m_At + 2 + 12 * m_Count; }
    void Short(unsigned tag, unsigned value)
    {
        Head(tag, 3, 1);
        m_W.U16(Value(), value);
        m_Index++;
    }
    void Long(unsigned tag, uint32_t value)
    {
        Head(tag, 4, 1);
        m_W.U32(Value(), value);
        m_Index++;
    }
    size_t LongSlot(unsigned tag) // the value is filled in later
    {
        Head(tag, 4, 1);
        size_t slot = Value();
        m_Index++;
        return slot;
    }
    void Text(unsigned tag, const char* text, unsigned type = 2)
    {
        size_t n = strlen(text) + (type == 2 ? 1 : 0);
        Head(tag, type, (uint32_t)n);
        Put(text, n);
    }
    void Rational(unsigned tag, uint32_t num, uint32_t den)
    {
        Head(tag, 5, 1);
        m_W.U32(Value(), (uint32_t)*m_Data);
        m_W.U32(*m_Data, num);
        m_W.U32(*m_Data + 4, den);
        *m_Data += 8;
        m_Index++;
    }

private:
    void Head(unsigned tag, unsigned type, uint32_t count)
    {
        size_t e = m_At + 2 + 12 * m_Index;
        m_W.U16(e, tag);
        m_W.U16(e + 2, type);
        m_W.U32(e + 4, count);
        m_W.U32(e + 8, 0);
    }
    size_t Value() const { return m_At + 2 + 12 * m_Index + 8; }
    void Put(const char* data, size_t n)
    {
        if (n <= 4)
            m_W.Raw(Value(), data, n);
        else
        {
            m_W.U32(Value(), (uint32_t)*m_Data);
            m_W.Raw(*m_Data, data, n);
            *m_Data += (n + 1) & ~(size_t)1;
        }
        m_Index++;
    }
    TiffWriter& m_W;
    size_t m_At;
    unsigned m_Count, m_Index = 0;
    size_t* m_Data;
};

// The block of an APP1 segment after "Exif\0\0": IFD0 -> IFD1 (thumbnail),
// with the EXIF sub-directory and its interoperability directory.
Bytes ExifBlock(bool motorola, const Picture& photo, const Bytes& thumbnail, const char* model,
                int orientation = 1)
{
    TiffWriter w(motorola);
    w.Raw(0, motorola ? "MM" : "II", 2);
    w.U16(2, 42);
    w.U32(4, 8);
    size_t data = 8 + 2 + 12 * 8 + 4;
    DirectoryWriter ifd0(w, 8, 8, &data);
    ifd0.Text(0x010F, "Quenwick Optics");
    ifd0.Text(0x0110, model);
    ifd0.Short(0x0112, orientation);
    ifd0.Rational(0x011A, 72, 1);
    ifd0.Rational(0x011B, 72, 1);
    ifd0.Short(0x0128, 2);
    ifd0.Text(0x0132, "2024:05:01 10:30:00");
    size_t exifPointer = ifd0.LongSlot(0x8769);
    size_t ifd1Pointer = ifd0.NextWord();

    size_t exifAt = data;
    data = exifAt + 2 + 12 * 8 + 4;
    DirectoryWriter exif(w, exifAt, 8, &data);
    w.U32(exifPointer, (uint32_t)exifAt);
    exif.Rational(0x829A, 1, 250);
    exif.Rational(0x829D, 28, 10);
    exif.Short(0x8827, 200);
    exif.Text(0x9000, "0230", 7);
    exif.Text(0x9003, "2024:05:01 10:30:00");
    exif.Long(0xA002, (uint32_t)photo.width);
    exif.Long(0xA003, (uint32_t)photo.height);
    size_t interopPointer = exif.LongSlot(0xA005);
    w.U32(exif.NextWord(), 0);

    size_t interopAt = data;
    data = interopAt + 2 + 12 * 2 + 4;
    DirectoryWriter interop(w, interopAt, 2, &data);
    w.U32(interopPointer, (uint32_t)interopAt);
    interop.Text(0x0001, "R98");
    interop.Text(0x0002, "0100", 7);
    w.U32(interop.NextWord(), 0);

    size_t ifd1At = data;
    data = ifd1At + 2 + 12 * 6 + 4;
    DirectoryWriter ifd1(w, ifd1At, 6, &data);
    w.U32(ifd1Pointer, (uint32_t)ifd1At);
    ifd1.Short(0x0103, 6);
    ifd1.Rational(0x011A, 72, 1);
    ifd1.Rational(0x011B, 72, 1);
    ifd1.Short(0x0128, 2);
    size_t thumbAt = data;
    ifd1.Long(0x0201, (uint32_t)thumbAt);
    ifd1.Long(0x0202, (uint32_t)thumbnail.size());
    w.U32(ifd1.NextWord(), 0);
    w.Raw(thumbAt, thumbnail.data(), thumbnail.size());
    return w.bytes;
}

// ---- Encoding ---------------------------------------------------------------

struct ErrorJump
{
    jpeg_error_mgr pub;
    jmp_buf jump;
};

void JumpOnError(j_common_ptr cinfo)
{
    longjmp(((ErrorJump*)cinfo->err)->jump, 1);
}

struct EncodeOptions
{
    int quality = 90;
    bool progressive = false;
    bool grey = false;
    const Bytes* exif = NULL; // the block after "Exif\0\0", or none
};

// The APP1 payload: the EXIF identifier and the block.
Bytes ExifSegment(const Bytes& block)
{
    Bytes segment = { 'E', 'x', 'i', 'f', 0, 0 };
    segment.insert(segment.end(), block.begin(), block.end());
    return segment;
}

// Encodes into a malloc'ed block (*out, *size); false on a library error.
// Holds no C++ objects with destructors, because of the jump; app1 is the
// ready APP1 payload or null.
bool EncodeRaw(const Picture& p, const EncodeOptions& o, const Bytes* app1, unsigned char** out,
               unsigned long* size)
{
    jpeg_compress_struct cinfo;
    ErrorJump err;
    unsigned char* volatile grey = NULL;
    memset(&cinfo, 0, sizeof(cinfo));
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = JumpOnError;
    if (setjmp(err.jump))
    {
        jpeg_destroy_compress(&cinfo);
        free(grey);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, size);
    cinfo.image_width = p.width;
    cinfo.image_height = p.height;
    cinfo.input_components = o.grey ? 1 : 3;
    cinfo.in_color_space = o.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, o.quality, TRUE);
    if (o.progressive)
        jpeg_simple_progression(&cinfo);
    if (app1)
        cinfo.write_JFIF_header = FALSE; // cameras write APP1 first, no JFIF
    jpeg_start_compress(&cinfo, TRUE);
    if (app1)
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, app1->data(), (unsigned)app1->size());
    if (o.grey)
        grey = (unsigned char*)malloc(p.width);
    while (cinfo.next_scanline < cinfo.image_height)
    {
        JSAMPROW row = (JSAMPROW)&p.rgb[(size_t)cinfo.next_scanline * p.width * 3];
        if (grey)
        {
            for (int x = 0; x < p.width; ++x)
                grey[x] = (unsigned char)((row[3 * x] * 77 + row[3 * x + 1] * 150 + row[3 * x + 2] * 29) >> 8);
            row = grey;
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    free(grey);
    return true;
}

bool Encode(const Picture& p, const EncodeOptions& o, Bytes& jpeg)
{
    unsigned char* out = NULL;
    unsigned long size = 0;
    Bytes app1;
    if (o.exif)
        app1 = ExifSegment(*o.exif);
    bool ok = EncodeRaw(p, o, o.exif ? &app1 : NULL, &out, &size);
    if (ok)
        jpeg.assign(out, out + size);
    free(out);
    return ok;
}

// The picture turned a quarter counter-clockwise: how a camera held upright
// for a portrait stores it (landscape pixels, EXIF orientation 6).
Picture TurnCounterClockwise(const Picture& upright)
{
    Picture p;
    p.width = upright.height;
    p.height = upright.width;
    p.rgb.resize(upright.rgb.size());
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            memcpy(&p.rgb[((size_t)y * p.width + x) * 3],
                   &upright.rgb[((size_t)x * upright.width + (upright.width - 1 - y)) * 3], 3);
    return p;
}

struct PhotoSample
{
    const char* name;
    const char* model;
    int width, height;
    uint32_t seed;
    int exif; // 0 none, 1 Intel, 2 Motorola
    bool progressive, grey;
    // 6: the scene is a portrait (width x height upright), stored turned
    // with its thumbnail as a camera does.
    int orientation = 1;
};

const PhotoSample s_Photos[] = {
    { "photo_intel.jpg", "QX-5 Intel", 2592, 1944, 1, 1, false, false },
    { "photo_motorola.jpg", "QX-6 Motorola", 3000, 2000, 2, 2, false, false },
    { "photo_progressive.jpg", "QX-3 Progressive", 2048, 1536, 3, 1, true, false },
    { "photo_grey.jpg", "QX-3 Mono", 2048, 1536, 4, 2, false, true },
    { "photo_plain.jpg", "", 2400, 1600, 5, 0, false, false },
    { "photo_portrait_turned.jpg", "QX-7 Portrait", 1536, 2048, 6, 1, false, false, 6 },
};

int WriteJpegSamples(const char* folder)
{
    int written = 0;
    for (const PhotoSample& s : s_Photos)
    {
        Picture photo = MakeScene(s.width, s.height, s.seed);
        if (s.orientation == 6)
            photo = TurnCounterClockwise(photo);
        Bytes block;
        EncodeOptions options;
        options.quality = 90;
        options.progressive = s.progressive;
        options.grey = s.grey;
        if (s.exif)
        {
            EncodeOptions thumbOptions;
            thumbOptions.quality = 85;
            thumbOptions.grey = s.grey;
            Bytes thumbnail;
            if (!Encode(Shrink(photo, 160, 120), thumbOptions, thumbnail))
                return -1;
            block = ExifBlock(s.exif == 2, photo, thumbnail, s.model, s.orientation);
            options.exif = &block;
        }
        Bytes jpeg;
        if (!Encode(photo, options, jpeg) ||
            !WriteSampleFile(std::string(folder) + "\\" + s.name, jpeg))
            return -1;
        ++written;
    }
    return written;
}
} // namespace

PIXMERE_SAMPLE_WRITER(jpeg, WriteJpegSamples);
