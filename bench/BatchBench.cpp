// BatchBench: speed of the browser's batch Resize and video creator.
// - Resize: camera-size JPEGs (4000 x 3000, written here) into 800 x 600 at
//   quality 75 through the Resize tool's own per-picture step, against
//   ImageMagick's convert with its JPEG size hint on the same photos in the
//   same run; per-photo time of each and the ratio ours / ImageMagick.
// - Video: one picture after another through the video creator (transition
//   and still frames, Motion-JPEG encoding included) at 640 x 480 and
//   1024 x 768; frames written per second.
// The tool classes come from the browser's object library.
#include "BenchClock.h"
#include "BenchFolder.h"
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "TransitionSettings.h"
#include "../tests/support/NativeTool.h"

#include "batch/DialogBatchJob.h"
#include "batch/DialogBatchJobIndicator.h"
#include "batch/DialogBatchResize.h"
#include "batch/DialogAviCreator.h"

namespace
{
const int Photos = 4;
const int Runs = 3; // each figure is the best of this many runs (the machine is shared)

class CBenchList : public CFileInfoList
{
protected:
    CString GetFileName() override { return "Z:\\nonexistent\\bench.db"; }
};

// A photo-like picture: smooth light with fine noise (as sensors give).
void WritePhoto(const std::string& path, int w, int h, int seed)
{
    CRgbBuffer picture(w, h);
    picture.m_GrayScale = 0;
    unsigned noise = 12345u + seed;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            noise = noise * 1103515245u + 12345u;
            int n = (int)((noise >> 16) & 15) - 8;
            BYTE* p = picture.m_Buffer + 3 * ((size_t)y * w + x);
            int r = 40 + 180 * x / w + n, g = 30 + (seed * 50 + 190 * y / h) % 200 + n,
                b = 200 - 120 * (x + y) / (w + h) + n;
            p[0] = (BYTE)(r < 0 ? 0 : r > 255 ? 255 : r);
            p[1] = (BYTE)(g < 0 ? 0 : g > 255 ? 255 : g);
            p[2] = (BYTE)(b < 0 ? 0 : b > 255 ? 255 : b);
        }
    CJpgFile(path.c_str(), 92, false).Save(&picture);
}

// Best per-photo time of ImageMagick over `Runs` runs, or -1.
double ImageMagickPerPhoto(const std::string& temp, const std::vector<std::string>& files)
{
    std::string result = temp + "\\im_times.txt";
    std::string out = native_tool::UnixPath(temp + "\\im_out.jpg");
    std::string script = "out=" + native_tool::ShellQuote(native_tool::UnixPath(result)) + "\n: > \"$out\"\n";
    for (int run = 0; run < Runs; ++run)
    {
        script += "a=$(date +%s%N)\n";
        for (const std::string& file : files)
            script += "/usr/bin/convert -define jpeg:size=800x600 " +
                      native_tool::ShellQuote(native_tool::UnixPath(file)) + " -resize 800x600 -quality 75 " +
                      native_tool::ShellQuote(out) + "\n";
        script += "b=$(date +%s%N); echo $((b - a)) >> \"$out\"\n";
    }
    if (native_tool::RunShell(script, 300000) != 0)
        return -1;
    FILE* file = fopen(result.c_str(), "r");
    if (!file)
        return -1;
    double best = -1;
    long long ns;
    while (fscanf(file, "%lld", &ns) == 1)
        if (best < 0 || ns * 1e-9 < best)
            best = ns * 1e-9;
    fclose(file);
    DeleteFileA(result.c_str());
    return best < 0 ? -1 : best / files.size();
}

void BenchResize(const std::string& temp)
{
    std::vector<std::string> files;
    CBenchList list;
    for (int i = 0; i < Photos; ++i)
    {
        char name[64];
        snprintf(name, sizeof(name), "\\camera%d.jpg", i);
        files.push_back(temp + name);
        WritePhoto(files.back(), 4000, 3000, i);
        list.InsertFile(files.back().c_str())->Select(true);
    }
    CDialogBatchResize tool;
    tool.m_Prop_bOriginal = 0;
    tool.m_Prop_b800x600 = 1;
    tool.m_Prop_Quality800x600 = 75;
    tool.m_Prop_b640x480 = 0;
    tool.m_Prop_bCustom1 = 0;
    tool.m_Prop_bCustom2 = 0;
    CDialogBatchJobIndicator indicator(&tool);
    double best = -1;
    for (int run = 0; run < Runs; ++run)
    {
        std::string out = temp + "\\out";
        RemoveFolder(out);
        tool.m_Prop_OutputFolderName = CString(out.c_str());
        double start = Now();
        tool.RunJob(&list, &indicator);
        double elapsed = Now() - start;
        if (best < 0 || elapsed < best)
            best = elapsed;
    }
    CRgbBuffer check;
    check.LoadRgbBuffer((temp + "\\out\\800x600\\camera0.jpg").c_str());
    double ours = best / Photos;
    double peer = ImageMagickPerPhoto(temp, files);
    printf("Resize 4000x3000 JPEG -> 800x600 q75 (%d photos, output %dx%d)\n", Photos, check.GetWidth(),
           check.GetHeight());
    printf("  ours        %8.1f ms/photo\n", ours * 1000);
    if (peer > 0)
        printf("  ImageMagick %8.1f ms/photo (convert -define jpeg:size=800x600 -resize 800x600)\n"
               "  ratio ours/ImageMagick %.2f (target <= 1.0)\n",
               peer * 1000, ours / peer);
    else
        printf("  ImageMagick: could not run /usr/bin/convert\n");
    for (const std::string& file : files)
        DeleteFileA(file.c_str());
    RemoveFolder(temp + "\\out");
}

void BenchVideo(const std::string& temp, int width, int height)
{
    const int pictures = 3;
    CBenchList list;
    std::vector<std::string> files;
    for (int i = 0; i < pictures; ++i)
    {
        char name[64];
        snprintf(name, sizeof(name), "\\frame%d.jpg", i);
        files.push_back(temp + name);
        WritePhoto(files.back(), 1600, 1200, i + 3);
        list.InsertFile(files.back().c_str())->Select(true);
    }
    CTransitionSettings settings("Movie");
    settings.m_Transition = 16; // "Shutter advanced": 101 frames a picture
    CDialogAviCreator creator;
    creator.m_Prop_VideoSizeIndex = width == 640 ? 0 : 1;
    creator.m_Prop_CustomWidth = width;
    creator.m_Prop_CustomHeight = height;
    creator.m_Prop_FrameRate = 25;
    creator.m_Prop_Seconds = 2;
    CDialogBatchJobIndicator indicator(&creator);
    std::string video = temp + "\\bench.avi";
    double best = -1;
    for (int run = 0; run < Runs; ++run)
    {
        DeleteFileA(video.c_str());
        double start = Now();
        creator.BeginVideo(video.c_str());
        creator.RunJob(&list, &indicator);
        creator.EndVideo();
        double elapsed = Now() - start;
        if (best < 0 || elapsed < best)
            best = elapsed;
    }
    int frames = pictures * (101 + 25 * 2);
    printf("Video %dx%d: %d pictures, %d frames (transitions and stills, Motion-JPEG)\n", width, height, pictures,
           frames);
    printf("  %8.1f frames/s including decoding, transitions and encoding%s\n", frames / best,
           width == 1024 ? " (target >= 150)" : "");
    DeleteFileA(video.c_str());
    for (const std::string& file : files)
        DeleteFileA(file.c_str());
}
}

int main()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char folder[MAX_PATH];
    snprintf(folder, MAX_PATH, "%sbatch_bench_%lu", temp, GetCurrentProcessId());
    CreateDirectoryA(folder, NULL);
    BenchResize(folder);
    BenchVideo(folder, 640, 480);
    BenchVideo(folder, 1024, 768);
    RemoveFolder(folder);
    return 0;
}
