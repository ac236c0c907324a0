// JpegBench [FOLDER]: speed of the JPEG codec and the thumbnail fitting on
// the sample photos (photo*.jpg in FOLDER; without one, MakeSamples from the
// same folder as this program writes them into a temporary folder). For each
// photo it prints full-size decode speed, thumbnail-mode load time,
// CreateBestFitRGB to 360 x 480 speed and quality-70 save speed, and the same
// decode by the native djpeg measured in the same run, with the ratio.
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "BenchClock.h"
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "../tests/support/NativeTool.h"

namespace
{
const int Runs = 10; // each figure is the best of this many runs (the machine is shared)

std::string ProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

bool RunAndWait(std::string commandLine)
{
    STARTUPINFOA startup = { sizeof(startup) };
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code == 0;
}

// Best time in seconds of `Runs` native djpeg decodes of each file, or -1;
// the script writes its figures into a file that is read back.
std::vector<double> NativeDecodeTimes(const std::string& temp, const std::vector<std::string>& files)
{
    std::vector<double> times(files.size(), -1);
    std::string result = temp + "\\djpeg_bench.txt";
    DeleteFileA(result.c_str());
    std::string unixResult = native_tool::UnixPath(result);
    if (unixResult.empty())
        return times;
    std::string text = "out=" + native_tool::ShellQuote(unixResult) + "\n: > \"$out\"\n";
    for (const std::string& file : files)
    {
        text += "for i in $(seq " + std::to_string(Runs) + "); do\n"
                "  a=$(date +%s%N); djpeg -outfile /dev/null " + native_tool::ShellQuote(native_tool::UnixPath(file)) +
                " || echo fail >> \"$out\"\n"
                "  b=$(date +%s%N); echo $((b - a)) >> \"$out\"\n"
                "done\n";
    }
    native_tool::RunShell(text, 300000);
    FILE* in = fopen(result.c_str(), "rb");
    if (in)
    {
        for (size_t i = 0; i < files.size(); ++i)
            for (int r = 0; r < Runs; ++r)
            {
                long long ns = 0;
                if (fscanf(in, "%lld", &ns) == 1 && (times[i] < 0 || ns / 1e9 < times[i]))
                    times[i] = ns / 1e9;
            }
        fclose(in);
    }
    DeleteFileA(result.c_str());
    return times;
}

struct Figures
{
    std::string name;
    int width = 0, height = 0;
    double decode = -1, thumbnail = -1, fit = -1, save = -1, native = -1;
    int thumbWidth = 0, thumbHeight = 0;
};

Figures Measure(const std::string& path, const std::string& name, const std::string& temp)
{
    Figures f;
    f.name = name;
    for (int r = 0; r < Runs; ++r)
    {
        CRgbBuffer picture;
        double start = Now();
        CJpgFile(path.c_str(), 100, false).Load(&picture);
        double t = Now() - start;
        if (f.decode < 0 || t < f.decode)
            f.decode = t;
        f.width = picture.GetWidth();
        f.height = picture.GetHeight();
    }
    for (int r = 0; r < Runs; ++r)
    {
        CRgbBuffer thumbnail;
        double start = Now();
        CJpgFile(path.c_str(), 100, true).Load(&thumbnail);
        double t = Now() - start;
        if (f.thumbnail < 0 || t < f.thumbnail)
            f.thumbnail = t;
        f.thumbWidth = thumbnail.GetWidth();
        f.thumbHeight = thumbnail.GetHeight();
    }
    CRgbBuffer picture;
    CJpgFile(path.c_str(), 100, false).Load(&picture);
    std::string out = temp + "\\bench_save.jpg";
    for (int r = 0; r < Runs; ++r)
    {
        double start = Now();
        CRgbBuffer* fitted = picture.CreateBestFitRGB(CRect(0, 0, 360, 480));
        double t = Now() - start;
        delete fitted;
        if (f.fit < 0 || t < f.fit)
            f.fit = t;
        start = Now();
        CJpgFile(out.c_str(), 70, false).Save(&picture);
        t = Now() - start;
        if (f.save < 0 || t < f.save)
            f.save = t;
    }
    DeleteFileA(out.c_str());
    return f;
}
} // namespace

int main(int argc, char** argv)
{
    char tempPath[MAX_PATH];
    GetTempPathA(MAX_PATH, tempPath);
    std::string temp = std::string(tempPath) + "pixmere_jpegbench";
    CreateDirectoryA(temp.c_str(), NULL);
    std::string folder;
    if (argc > 1)
    {
        folder = argv[1];
    }
    else
    {
        folder = temp + "\\samples";
        printf("Writing the sample photos into %s\n", folder.c_str());
        if (!RunAndWait("\"" + ProgramFolder() + "\\MakeSamples.exe\" \"" + folder + "\" jpeg"))
        {
            fprintf(stderr, "JpegBench: MakeSamples failed\n");
            return 1;
        }
    }

    std::vector<std::string> names, paths;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\photo*.jpg").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            names.push_back(found.cFileName);
            paths.push_back(folder + "\\" + found.cFileName);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    if (paths.empty())
    {
        fprintf(stderr, "JpegBench: no photo*.jpg in %s\n", folder.c_str());
        return 1;
    }

    std::vector<Figures> all;
    for (size_t i = 0; i < paths.size(); ++i)
        all.push_back(Measure(paths[i], names[i], temp));
    // The native figures include starting djpeg and the shell's clock reads;
    // a 16 x 16 picture measures that overhead, which is then taken off.
    std::string tiny = temp + "\\bench_tiny.jpg";
    CRgbBuffer tinyPicture(16, 16);
    CJpgFile(tiny.c_str(), 90, false).Save(&tinyPicture);
    std::vector<std::string> nativeFiles = paths;
    nativeFiles.push_back(tiny);
    std::vector<double> native = NativeDecodeTimes(temp, nativeFiles);
    double overhead = native.back() > 0 ? native.back() : 0;
    DeleteFileA(tiny.c_str());
    printf("\nNative djpeg start-up and timing overhead: %.2f ms (taken off its figures)\n",
           overhead * 1e3);
    for (size_t i = 0; i < paths.size(); ++i)
        if (native[i] > overhead)
            native[i] -= overhead;

    printf("Best of %d runs per figure (MP = megapixels of the full picture)\n", Runs);
    printf("%-22s %11s %10s %10s %12s %11s %10s %10s %7s\n", "file", "size", "decode", "djpeg",
           "ours/djpeg", "thumbnail", "fit 360x480", "save q70", "");
    printf("%-22s %11s %10s %10s %12s %11s %10s %10s\n", "", "", "MP/s", "MP/s", "time", "ms",
           "MP/s", "MP/s");
    double sumOurs = 0, sumNative = 0;
    for (size_t i = 0; i < all.size(); ++i)
    {
        const Figures& f = all[i];
        double mp = f.width * (double)f.height / 1e6;
        char size[32], thumb[48], ratio[32], nativeSpeed[32];
        snprintf(size, sizeof(size), "%dx%d", f.width, f.height);
        if (f.thumbWidth)
            snprintf(thumb, sizeof(thumb), "%.2f (%dx%d)", f.thumbnail * 1e3, f.thumbWidth, f.thumbHeight);
        else
            snprintf(thumb, sizeof(thumb), "%.2f (none)", f.thumbnail * 1e3);
        if (native[i] > 0)
        {
            snprintf(nativeSpeed, sizeof(nativeSpeed), "%.1f", mp / native[i]);
            snprintf(ratio, sizeof(ratio), "%.2f", f.decode / native[i]);
            sumOurs += f.decode;
            sumNative += native[i];
        }
        else
        {
            snprintf(nativeSpeed, sizeof(nativeSpeed), "n/a");
            snprintf(ratio, sizeof(ratio), "n/a");
        }
        printf("%-22s %11s %10.1f %10s %12s %11s %10.0f %10.1f\n", f.name.c_str(), size,
               mp / f.decode, nativeSpeed, ratio, thumb, mp / f.fit, mp / f.save);
    }
    if (sumNative > 0)
        printf("\nTotal full decode: ours %.1f ms, native djpeg %.1f ms, ratio %.2f (target <= 1.30)\n",
               sumOurs * 1e3, sumNative * 1e3, sumOurs / sumNative);
    else
        printf("\nNative djpeg could not be run from here; no ratio.\n");
    if (argc <= 1)
    {
        // The photos this run wrote are not kept.
        for (const std::string& path : paths)
            DeleteFileA(path.c_str());
        RemoveDirectoryA(folder.c_str());
    }
    RemoveDirectoryA(temp.c_str());
    return 0;
}
