// FormatsBench [width height]: decoding speed of the WebP, HEIF and JPEG XL
// codecs against the native decoders, in the same run. One camera-size photo
// (4032 x 3024 by default) is encoded by each native encoder; each file is
// then decoded here at full size (the codec front end) and at thumbnail size
// (the browser's full pass: the reduced load and the best fit into the
// cache's 360 x 480), and by the native decoder, at full size and in its own
// scaled mode where it has one. The native figures have the tool's start-up
// taken off (measured on a 16 x 16 file made by the same encoder). The last
// column is the generator's quick first pass, for files that carry a
// preview (a HEIF thumbnail item). A format whose encoder is not installed
// is listed as skipped; adding one is one line of the table below.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "BenchFolder.h"
#include "RgbBuffer.h"
#include "ThumbnailSource.h"
#include "ThumbBenchPhotos.h"
#include "../tests/support/NativeTool.h"

namespace
{
const int Runs = 5; // each figure is the best of this many runs (the machine is shared)

// One encoded file and its native peers. In the commands {in} is the source
// PNG, {out} the file to write, {t} the size of a thumbnail item (320, or 8
// for the tiny file), {file} the file to decode, {w} x {h} the thumbnail's
// size and {scratch} a scratch folder (all Unix paths). The
// native decoders write nothing where they can, else the cheapest format.
struct Format
{
    const char* name;
    const char* extension;
    const char* encoder;      // the program whose presence decides whether the row runs
    const char* encode;
    const char* decodeFull;
    const char* decodeThumb;  // the tool's scaled decode, or its full decode
};

const Format Formats[] = {
    { "WebP lossy q80", ".webp", "cwebp", "cwebp -quiet -q 80 {in} -o {out}", "dwebp -quiet {file}",
      "dwebp -quiet {file} -resize {w} {h}" },
    { "WebP lossless", ".webp", "cwebp", "cwebp -quiet -lossless -z 1 {in} -o {out}", "dwebp -quiet {file}",
      "dwebp -quiet {file} -resize {w} {h}" },
    // heif-convert has no scaled mode; it writes Y4M (no RGB conversion).
    { "HEIC q50", ".heic", "heif-enc", "heif-enc -q 50 {in} -o {out}", "heif-convert --quiet {file} {scratch}/n.y4m",
      "heif-convert --quiet {file} {scratch}/n.y4m" },
    { "HEIC q50 + thumbnail", ".heic", "heif-enc", "heif-enc -q 50 -t {t} {in} -o {out}",
      "heif-convert --quiet {file} {scratch}/n.y4m", "heif-convert --quiet {file} {scratch}/n.y4m" },
    // djxl runs on one thread, as our decoder does.
    { "JPEG XL d1", ".jxl", "cjxl", "cjxl --quiet -d 1 {in} {out}", "djxl {file} --num_threads=1",
      "djxl {file} --num_threads=1 --downsampling=8" },
    { "JPEG XL d1 progressive", ".jxl", "cjxl", "cjxl --quiet -d 1 -p {in} {out}", "djxl {file} --num_threads=1",
      "djxl {file} --num_threads=1 --downsampling=8" },
    { "JPEG XL lossless", ".jxl", "cjxl", "cjxl --quiet -d 0 -e 1 {in} {out}", "djxl {file} --num_threads=1",
      "djxl {file} --num_threads=1 --downsampling=8" },
    // avifdec on one thread, with dav1d as ours; it writes Y4M as well.
    { "AVIF", ".avif", "avifenc", "avifenc -s 8 --min 20 --max 30 {in} {out}",
      "avifdec -j 1 -c dav1d {file} {scratch}/n.y4m", "avifdec -j 1 -c dav1d {file} {scratch}/n.y4m" },
};

double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return (double)c.QuadPart / f.QuadPart;
}

std::string Replace(std::string text, const std::string& key, const std::string& value)
{
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
        text.replace(at, key.size(), value);
    return text;
}

std::string Q(const std::string& windowsPath)
{
    return native_tool::ShellQuote(native_tool::UnixPath(windowsPath));
}

bool WritePpm(const std::string& path, const CRgbBuffer& picture)
{
    char header[64];
    snprintf(header, sizeof(header), "P6\n%d %d\n255\n", picture.GetWidth(), picture.GetHeight());
    std::string bytes = header;
    bytes.append((const char*)picture.GetBuffer(), (size_t)picture.GetWidth() * picture.GetHeight() * 3);
    return thumb_bench::WriteAll(path, bytes);
}

// The best time in seconds of `Runs` runs of each command, or -1 where one
// failed; the shell writes its figures into a file that is read back.
std::vector<double> NativeBestTimes(const std::string& temp, const std::vector<std::string>& commands)
{
    std::vector<double> times(commands.size(), -1);
    std::string result = temp + "\\native_times.txt";
    DeleteFileA(result.c_str());
    std::string text = "out=" + Q(result) + "\n: > \"$out\"\n";
    for (const std::string& command : commands)
        text += "for i in $(seq " + std::to_string(Runs) + "); do\n"
                "  a=$(date +%s%N); if " + command + " >/dev/null 2>&1; then b=$(date +%s%N); "
                "echo $((b - a)) >> \"$out\"; else echo -1 >> \"$out\"; fi\n"
                "done\n";
    native_tool::RunShell(text, 1800000);
    FILE* in = fopen(result.c_str(), "rb");
    if (!in)
        return times;
    for (size_t i = 0; i < commands.size(); ++i)
    {
        bool failed = false;
        for (int r = 0; r < Runs; ++r)
        {
            long long ns = -1;
            if (fscanf(in, "%lld", &ns) != 1 || ns < 0)
                failed = true;
            else if (times[i] < 0 || ns / 1e9 < times[i])
                times[i] = ns / 1e9;
        }
        if (failed)
            times[i] = -1;
    }
    fclose(in);
    return times;
}

// The browser's full pass of the thumbnail generator: the picture as the
// generator loads it (reduced where the codec can), fitted into the cache's
// box.
CRgbBuffer* BrowserThumbnail(const std::string& path)
{
    CRgbBuffer picture;
    CSize fullSize;
    if (!CThumbnailSource::LoadReduced(path.c_str(), &picture, 360, 480, &fullSize))
        return NULL;
    return picture.CreateBestFitRGB(CRect(0, 0, 360, 480));
}

struct Row
{
    const Format* format;
    std::string file, tiny;
    long long bytes = 0;
    int width = 0, height = 0, thumbWidth = 0, thumbHeight = 0;
    double full = -1, thumb = -1, preview = -1; // preview: the generator's first pass, where the file has one
};

void MeasureOurs(Row& row)
{
    for (int r = 0; r < Runs; ++r)
    {
        CRgbBuffer picture;
        double start = Now();
        bool loaded = picture.LoadRgbBuffer(row.file.c_str(), false) != 0;
        double t = Now() - start;
        if (!loaded)
            return;
        row.width = picture.GetWidth();
        row.height = picture.GetHeight();
        if (row.full < 0 || t < row.full)
            row.full = t;
    }
    for (int r = 0; r < Runs; ++r)
    {
        double start = Now();
        CRgbBuffer* thumbnail = BrowserThumbnail(row.file);
        double t = Now() - start;
        if (!thumbnail)
            return;
        row.thumbWidth = thumbnail->GetWidth();
        row.thumbHeight = thumbnail->GetHeight();
        delete thumbnail;
        if (row.thumb < 0 || t < row.thumb)
            row.thumb = t;
    }
    for (int r = 0; r < Runs; ++r)
    {
        CRgbBuffer preview;
        double start = Now();
        bool loaded = CThumbnailSource::LoadPreview(row.file.c_str(), &preview) != 0;
        double t = Now() - start;
        if (!loaded)
            return;
        if (row.preview < 0 || t < row.preview)
            row.preview = t;
    }
}

std::string Figure(double seconds)
{
    char text[32];
    if (seconds < 0)
        return "n/a";
    snprintf(text, sizeof(text), "%.1f", seconds * 1e3);
    return text;
}

std::string Ratio(double ours, double native)
{
    char text[32];
    if (ours < 0 || native <= 0)
        return "n/a";
    snprintf(text, sizeof(text), "%.2f", ours / native);
    return text;
}
} // namespace

int main(int argc, char** argv)
{
    int width = argc > 2 ? atoi(argv[1]) : 4032;
    int height = argc > 2 ? atoi(argv[2]) : 3024;
    if (width < 16 || height < 16 || width > 16384 || height > 16384)
    {
        fprintf(stderr, "usage: FormatsBench [width height]\n");
        return 2;
    }
    char tempPath[MAX_PATH];
    GetTempPathA(MAX_PATH, tempPath);
    std::string temp = std::string(tempPath) + "pixmere_formatsbench";
    RemoveFolder(temp);
    CreateDirectoryA(temp.c_str(), NULL);
    if (native_tool::UnixPath(temp).empty())
    {
        fprintf(stderr, "FormatsBench: runs under Wine only (it starts the native tools)\n");
        return 1;
    }

    // The photo and a tiny picture, as PNG files for the encoders.
    CRgbBuffer* photo = thumb_bench::MakePhoto(width, height, 3);
    CRgbBuffer* tiny = thumb_bench::MakePhoto(16, 16, 3);
    bool written = WritePpm(temp + "\\photo.ppm", *photo) && WritePpm(temp + "\\tiny.ppm", *tiny);
    delete photo;
    delete tiny;
    std::string prepare = "cd " + Q(temp) + " && convert photo.ppm photo.png && convert tiny.ppm tiny.png";
    if (!written || native_tool::RunShell(prepare) != 0)
    {
        fprintf(stderr, "FormatsBench: could not write the source photo\n");
        return 1;
    }

    // Each format's files, made by its native encoder.
    std::vector<Row> rows;
    for (size_t i = 0; i < sizeof(Formats) / sizeof(Formats[0]); ++i)
    {
        Row row;
        row.format = &Formats[i];
        row.file = temp + "\\photo" + std::to_string(i) + Formats[i].extension;
        row.tiny = temp + "\\tiny" + std::to_string(i) + Formats[i].extension;
        std::string photoEncode = Replace(Replace(Formats[i].encode, "{in}", Q(temp + "\\photo.png")), "{out}", Q(row.file));
        std::string tinyEncode = Replace(Replace(Formats[i].encode, "{in}", Q(temp + "\\tiny.png")), "{out}", Q(row.tiny));
        std::string encode = std::string("command -v ") + Formats[i].encoder + " && " +
                             Replace(photoEncode, "{t}", "320") + " && " + Replace(tinyEncode, "{t}", "8");
        double start = Now();
        if (native_tool::RunShell(encode + " >/dev/null 2>&1", 900000) != 0)
        {
            printf("%-24s skipped: %s is not installed or failed\n", Formats[i].name, Formats[i].encoder);
            continue;
        }
        printf("%-24s encoded in %.1f s\n", Formats[i].name, Now() - start);
        rows.push_back(row);
    }

    for (Row& row : rows)
    {
        MeasureOurs(row);
        thumb_bench::Bytes bytes = thumb_bench::ReadAll(row.file);
        row.bytes = (long long)bytes.size();
    }

    // Native decodes: full, scaled and the start-up on the tiny file.
    std::vector<std::string> commands;
    for (const Row& row : rows)
    {
        std::string scratch = native_tool::UnixPath(temp);
        std::string full = Replace(row.format->decodeFull, "{scratch}", scratch);
        std::string thumb = Replace(row.format->decodeThumb, "{scratch}", scratch);
        thumb = Replace(Replace(thumb, "{w}", std::to_string(row.thumbWidth)), "{h}", std::to_string(row.thumbHeight));
        commands.push_back(Replace(full, "{file}", Q(row.file)));
        commands.push_back(Replace(thumb, "{file}", Q(row.file)));
        commands.push_back(Replace(full, "{file}", Q(row.tiny)));
    }
    std::vector<double> native = NativeBestTimes(temp, commands);

    printf("\n%dx%d photo (%.1f MP); best of %d runs; times in ms; native start-up taken off\n", width, height,
           width * (double)height / 1e6, Runs);
    printf("%-24s %9s | %8s %8s %6s | %8s %8s %6s %9s | %7s | %7s\n", "file", "KB", "full", "native", "ratio",
           "thumb", "native", "ratio", "size", "startup", "preview");
    double worstFull = 0, worstThumb = 0;
    for (size_t i = 0; i < rows.size(); ++i)
    {
        const Row& row = rows[i];
        double startup = native[3 * i + 2] > 0 ? native[3 * i + 2] : 0;
        double full = native[3 * i] > 0 ? native[3 * i] - startup : -1;
        double thumb = native[3 * i + 1] > 0 ? native[3 * i + 1] - startup : -1;
        char size[32];
        snprintf(size, sizeof(size), "%dx%d", row.thumbWidth, row.thumbHeight);
        printf("%-24s %9lld | %8s %8s %6s | %8s %8s %6s %9s | %7s | %7s\n", row.format->name, row.bytes / 1024,
               Figure(row.full).c_str(), Figure(full).c_str(), Ratio(row.full, full).c_str(),
               Figure(row.thumb).c_str(), Figure(thumb).c_str(), Ratio(row.thumb, thumb).c_str(), size,
               Figure(startup).c_str(), Figure(row.preview).c_str());
        if (row.full > 0 && full > 0 && row.full / full > worstFull)
            worstFull = row.full / full;
        if (row.thumb > 0 && thumb > 0 && row.thumb / thumb > worstThumb)
            worstThumb = row.thumb / thumb;
    }
    printf("\nWorst ratio ours/native: full size %.2f, thumbnail size %.2f (aim <= 1.20)\n", worstFull, worstThumb);
    RemoveFolder(temp);
    return 0;
}
