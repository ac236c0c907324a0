// ThumbBench: the browser's thumbnail generator on camera-like photos (12 to
// 24 megapixels, half of them progressive, with EXIF thumbnails) and on a
// folder of 1000 small pictures, through the real CThumbnailManager: cold
// (no cache) cost per photo, warm thumbnails per second, time to the first
// 20 visible thumbnails and to all. In the same run the native vipsthumbnail
// makes the same thumbnails in one process; the ratio ours/vips is printed.
// Last, the fidelity of the cache copies: PSNR against ImageMagick's area
// average of the same photo at the same size, for the reduced-scale decode
// that the generator uses and for the full-size decode.
//   ThumbBench [photos=40] [small=1000]
#include <windows.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <string>
#include <vector>
#include "ThumbBenchPhotos.h"
#include "ThumbnailCache.h"
#include "ThumbnailManager.h"

using namespace thumb_bench;

namespace
{
double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return (double)c.QuadPart / f.QuadPart;
}

// The cells' thread keeps its windows alive by reading their messages.
void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

DWORD WINAPI RunGenerator(LPVOID manager)
{
    return ((CThumbnailManager*)manager)->InitInstance();
}

// A shown window over the screen, full of visible cells of 20 x 16, as
// many as asked, in rows within the screen that the workers' in-sight test
// reads (under a Wine desktop started without a display that is 1024 x 768,
// whatever the display's size). The window itself is made once and kept:
// Wine under Xvfb fails on destroying a second shown top-level window of a
// console program.
struct Cells
{
    std::vector<HWND> cells;
    explicit Cells(int count)
    {
        static const CRect screen = CThumbnailManager::VirtualScreenRect(GetSystemMetrics);
        static HWND view = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, screen.left,
                                           screen.top, screen.Width(), screen.Height(), NULL, NULL, NULL, NULL);
        const int width = 20, height = 16, columns = std::max(1, screen.Width() / width);
        for (int i = 0; i < count; ++i)
            cells.push_back(CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, (i % columns) * width,
                                            (i / columns) * height, width, height, view, NULL, NULL, NULL));
    }
    ~Cells()
    {
        for (HWND cell : cells)
            DestroyWindow(cell);
        PumpMessages();
    }
};

bool Has(CThumbnailManager& manager, const std::string& path)
{
    CThumbnailInfo info = manager.Thumbnails().Take(path.c_str());
    if (!info.m_hBitmap)
        return false;
    manager.Thumbnails().Set(path.c_str(), info);
    return true;
}

struct Run
{
    double first20 = -1; // seconds until the first 20 cells have a bitmap
    double all = -1;     // seconds until every task is made
};

// Requests every picture as cells paint (the last painted first in line,
// as a view paints its cells from the last to the first), then runs the
// generator with `workers` until it has made `expectedServed` tasks.
Run Generate(const std::vector<std::string>& paths, int workers, LONG expectedServed)
{
    Cells cells((int)paths.size());
    CThumbnailManager* manager = new CThumbnailManager;
    manager->SetWorkerCount(workers);
    for (int i = (int)paths.size() - 1; i >= 0; --i)
        manager->GetThumbnail(paths[i].c_str(), CRect(0, 0, 120, 90), cells.cells[i], FALSE);
    CThreadBase::IncrementThreadCounter(); // the generator runs while a window is counted
    Run run;
    double start = Now();
    HANDLE thread = CreateThread(NULL, 0, &RunGenerator, manager, 0, NULL);
    // A cell counts as shown from its first bitmap on (the full pass of a
    // JPEG replaces its EXIF preview).
    std::vector<bool> shown(std::min<size_t>(20, paths.size()), false);
    size_t shownCount = 0;
    while (manager->GetServedCount() < expectedServed && Now() - start < 60)
    {
        for (size_t i = 0; i < shown.size() && run.first20 < 0; ++i)
            if (!shown[i] && Has(*manager, paths[i]))
            {
                shown[i] = true;
                if (++shownCount == shown.size())
                    run.first20 = Now() - start;
            }
        // No messages are read meanwhile: painting a thousand invalidated
        // cells would delay the polls, not the generator.
        Sleep(1);
    }
    run.all = Now() - start;
    if (manager->GetServedCount() < expectedServed)
        printf("  (stopped waiting: %ld of %ld tasks served, %d still queued)\n", manager->GetServedCount(),
               expectedServed, manager->GetTaskCount());
    if (run.first20 < 0)
        run.first20 = run.all;
    manager->Shutdown();
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CThreadBase::DecrementThreadCounter();
    delete manager;
    return run;
}

void ForgetCache(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
    {
        CString upper(path.c_str());
        upper.MakeUpper();
        DeleteFileA(ThumbnailCache::FileName(upper));
    }
}

// Seconds the native vipsthumbnail takes for all files in one process, or -1.
double VipsSeconds(const std::string& temp, const std::vector<std::string>& paths, bool oneThread)
{
    std::string outFolder = temp + "\\vips_out";
    CreateDirectoryA(outFolder.c_str(), NULL);
    std::string list = temp + "\\vips_files.txt", result = temp + "\\vips_time.txt";
    std::string files;
    for (const std::string& path : paths)
        files += native_tool::UnixPath(path) + "\n";
    WriteAll(list, files);
    DeleteFileA(result.c_str());
    std::string script =
        std::string(oneThread ? "export VIPS_CONCURRENCY=1\n" : "") + "cd " +
        native_tool::ShellQuote(native_tool::UnixPath(outFolder)) +
        "\na=$(date +%s%N)\ntr '\\n' '\\0' < " + native_tool::ShellQuote(native_tool::UnixPath(list)) +
        " | xargs -0 vipsthumbnail -s 360x480 -o '%s_vips.jpg[Q=70]'\nb=$(date +%s%N)\necho $(( (b - a) / 1000 )) > " +
        native_tool::ShellQuote(native_tool::UnixPath(result));
    if (native_tool::RunShell(script, 600000) != 0)
        return -1;
    Bytes micro = ReadAll(result);
    return micro.empty() ? -1 : atof(micro.c_str()) / 1e6;
}

double Psnr(const CRgbBuffer& a, const CRgbBuffer& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() || !a.IsImage())
        return -1;
    double sum = 0;
    size_t n = (size_t)a.GetWidth() * a.GetHeight() * 3;
    for (size_t i = 0; i < n; ++i)
    {
        double d = (double)a.GetBuffer()[i] - b.GetBuffer()[i];
        sum += d * d;
    }
    return sum == 0 ? 99.0 : 10 * log10(255.0 * 255.0 * n / sum);
}

const CRect CacheBox(0, 0, 360, 480);

// The two decodes of the cache copy, each compared with ImageMagick's area
// average (-scale) of the same photo to its size.
void ComparePsnr(const std::string& temp, const std::vector<std::string>& photos)
{
    std::vector<CRgbBuffer*> reduced, full;
    std::string script;
    for (size_t i = 0; i < photos.size(); ++i)
    {
        CRgbBuffer decoded;
        CSize size;
        CJpgFile(photos[i].c_str(), 100, false).LoadReduced(&decoded, 360, 480, &size);
        reduced.push_back(decoded.CreateBestFitRGB(CacheBox));
        decoded.LoadRgbBuffer(photos[i].c_str(), false);
        full.push_back(decoded.CreateBestFitRGB(CacheBox));
        for (int k = 0; k < 2; ++k)
        {
            CRgbBuffer* mine = k == 0 ? reduced.back() : full.back();
            char name[64];
            snprintf(name, sizeof(name), "\\ref_%zu_%dx%d.bmp", i, mine->GetWidth(), mine->GetHeight());
            if (script.find(name + 1) != std::string::npos)
                continue;
            script += "convert " + native_tool::ShellQuote(native_tool::UnixPath(photos[i])) +
                      " -scale " + std::to_string(mine->GetWidth()) + "x" +
                      std::to_string(mine->GetHeight()) + "! BMP3:" +
                      native_tool::ShellQuote(native_tool::UnixPath(temp + name)) + "\n";
        }
    }
    native_tool::RunShell(script, 600000);
    double worstReduced = 1e9, worstFull = 1e9, sumReduced = 0, sumFull = 0;
    int worseCount = 0, compared = 0;
    for (size_t i = 0; i < photos.size(); ++i)
    {
        double p[2];
        for (int k = 0; k < 2; ++k)
        {
            CRgbBuffer* mine = k == 0 ? reduced[i] : full[i];
            char name[64];
            snprintf(name, sizeof(name), "\\ref_%zu_%dx%d.bmp", i, mine->GetWidth(), mine->GetHeight());
            CRgbBuffer reference;
            reference.LoadRgbBuffer((temp + name).c_str(), false);
            p[k] = Psnr(*mine, reference);
        }
        if (p[0] < 0 || p[1] < 0)
            continue;
        ++compared;
        printf("  photo %2zu  %4dx%-4d  reduced-scale decode %6.2f dB   full-size decode %6.2f dB\n", i,
               reduced[i]->GetWidth(), reduced[i]->GetHeight(), p[0], p[1]);
        worstReduced = std::min(worstReduced, p[0]);
        worstFull = std::min(worstFull, p[1]);
        sumReduced += p[0];
        sumFull += p[1];
        if (p[0] < p[1])
            ++worseCount;
        delete reduced[i];
        delete full[i];
    }
    if (compared == 0)
    {
        printf("PSNR: ImageMagick references missing\n");
        return;
    }
    printf("PSNR against ImageMagick's area average (%d photos): reduced-scale decode mean %.2f dB "
           "(lowest %.2f), full-size decode mean %.2f dB (lowest %.2f); reduced below full on %d photos\n",
           compared, sumReduced / compared, worstReduced, sumFull / compared, worstFull, worseCount);
}
} // namespace

int main(int argc, char** argv)
{
    int photoCount = argc > 1 ? atoi(argv[1]) : 40;
    int smallCount = argc > 2 ? atoi(argv[2]) : 1000;
    char tempPath[MAX_PATH];
    GetTempPathA(MAX_PATH, tempPath);
    std::string temp = std::string(tempPath) + "pixmere_thumbbench";
    CreateDirectoryA(temp.c_str(), NULL);

    double start = Now();
    std::vector<SIZE> photoSizes = {{4000, 3000}, {4896, 3264}, {3000, 4000}, {6000, 4000}};
    std::vector<std::string> photos = MakePhotos(temp + "\\photos", "photo", photoCount, photoSizes, 92);
    std::vector<std::string> small = MakePhotos(temp + "\\small", "small", smallCount, {{640, 480}}, 85);
    printf("ThumbBench: %d photos of 12-24 MP (half progressive) and %d pictures of 640x480, "
           "all with EXIF thumbnails (ready in %.1f s)\n", photoCount, smallCount, Now() - start);

    SYSTEM_INFO system;
    GetSystemInfo(&system);
    int processors = std::min((int)system.dwNumberOfProcessors, (int)CThumbnailManager::MaxWorkers);

    // Photos: every one is served twice cold (EXIF preview, then full pass), once warm.
    ForgetCache(photos);
    Run cold = Generate(photos, 1, 2 * photoCount);
    Run warm = Generate(photos, 1, photoCount);
    ForgetCache(photos);
    Run coldAll = Generate(photos, processors, 2 * photoCount);
    double vips = VipsSeconds(temp, photos, false);
    double vipsOne = VipsSeconds(temp, photos, true);
    printf("Photos, cold, 1 worker:   %.1f ms a photo (first 20: %.2f s, all: %.2f s)\n",
           1000 * cold.all / photoCount, cold.first20, cold.all);
    printf("Photos, cold, %d workers:  %.1f ms a photo (first 20: %.2f s, all: %.2f s)\n", processors,
           1000 * coldAll.all / photoCount, coldAll.first20, coldAll.all);
    printf("Photos, warm, 1 worker:   %.0f thumbnails/s (first 20: %.3f s, all: %.3f s)\n",
           photoCount / warm.all, warm.first20, warm.all);
    printf("vipsthumbnail -s 360x480: %.1f ms a photo (its own threads), %.1f ms a photo (one thread)\n",
           1000 * vips / photoCount, 1000 * vipsOne / photoCount);
    if (vips > 0 && vipsOne > 0)
        printf("Cold ratio ours(1 worker)/vips: %.2f (vips threaded), %.2f (vips one thread); "
               "ours(%d workers)/vips threaded: %.2f\n",
               cold.all / vips, cold.all / vipsOne, processors, coldAll.all / vips);

    ForgetCache(small);
    Run smallCold = Generate(small, 1, 2 * smallCount);
    Run smallWarm = Generate(small, 1, smallCount);
    ForgetCache(small);
    Run smallColdAll = Generate(small, processors, 2 * smallCount);
    Run smallWarmAll = Generate(small, processors, smallCount);
    double smallVips = VipsSeconds(temp, small, false);
    printf("Small folder, cold, 1 worker:  first 20 in %.2f s, all %d in %.2f s (%.1f ms each)\n",
           smallCold.first20, smallCount, smallCold.all, 1000 * smallCold.all / smallCount);
    printf("Small folder, cold, %d workers: first 20 in %.2f s, all in %.2f s\n", processors,
           smallColdAll.first20, smallColdAll.all);
    printf("Small folder, warm, 1 worker:  first 20 in %.3f s, all in %.2f s (%.0f thumbnails/s)\n",
           smallWarm.first20, smallWarm.all, smallCount / smallWarm.all);
    printf("Small folder, warm, %d workers: first 20 in %.3f s, all in %.2f s (%.0f thumbnails/s)\n",
           processors, smallWarmAll.first20, smallWarmAll.all, smallCount / smallWarmAll.all);
    if (smallVips > 0)
        printf("vipsthumbnail on the small folder: %.2f s; ratio ours(1 worker, cold)/vips %.2f\n",
               smallVips, smallCold.all / smallVips);
    ForgetCache(small);
    ForgetCache(photos);

    ComparePsnr(temp, photos);
    return 0;
}
