// RotateBench: the Rotate/Flip job turning 40 camera-size JPEGs (4032 x 3024,
// whole blocks, written here) by 90 degrees: losslessly as the job does now,
// against the decode, turn and quality-100 encode it did before, and against
// the native jpegtran -perfect in the same run. Per-photo time of each and
// the outputs' total size against the sources'.
// The tool class comes from the browser's object library.
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
#include "../tests/support/NativeTool.h"

#include "batch/DialogBatchJob.h"
#include "batch/DialogBatchJobIndicator.h"
#include "batch/DialogBatchRotateFlip.h"

namespace
{
const int Photos = 40;
const int Width = 4032, Height = 3024;

class CBenchList : public CFileInfoList
{
protected:
    CString GetFileName() override { return "Z:\\nonexistent\\bench.db"; }
};

// The job as it was: every picture decoded, turned and encoded again.
class CReencodingRotateFlip : public CDialogBatchRotateFlip
{
public:
    int ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator) override
    {
        CRgbBuffer source;
        source.LoadRgbBuffer(file->GetName());
        CString target;
        if (source.IsImage() &&
            OutputPath(file, (CString)m_Prop_OutputFolderName + "\\RotateFlip", indicator, target) == OutputWrite)
            CountOutput(DecodeTurnAndSave(file->GetName(), target, &source));
        return 1;
    }
};

// A photo-like picture: smooth light with fine noise (as sensors give).
void WritePhoto(const std::string& path, int seed)
{
    CRgbBuffer picture(Width, Height);
    picture.m_GrayScale = 0;
    unsigned noise = 12345u + seed;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
        {
            noise = noise * 1103515245u + 12345u;
            int n = (int)((noise >> 16) & 15) - 8;
            BYTE* p = picture.m_Buffer + 3 * ((size_t)y * Width + x);
            int r = 40 + 180 * x / Width + n, g = 30 + (seed * 50 + 190 * y / Height) % 200 + n,
                b = 200 - 120 * (x + y) / (Width + Height) + n;
            p[0] = (BYTE)(r < 0 ? 0 : r > 255 ? 255 : r);
            p[1] = (BYTE)(g < 0 ? 0 : g > 255 ? 255 : g);
            p[2] = (BYTE)(b < 0 ? 0 : b > 255 ? 255 : b);
        }
    CJpgFile(path.c_str(), 92, false).Save(&picture);
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

struct Figures
{
    double perPhoto = -1; // seconds
    long long bytes = 0;  // of all outputs
    int written = 0;
};

// Runs the tool over the list into temp\out; the outputs' figures.
Figures RunTool(CDialogBatchRotateFlip& tool, CBenchList& list, const std::vector<std::string>& files,
                const std::string& temp)
{
    std::string out = temp + "\\out";
    RemoveFolder(out);
    tool.m_Prop_OutputFolderName = CString(out.c_str());
    tool.m_Prop_JobFlag = CDialogBatchRotateFlip::Rotate90;
    CDialogBatchJobIndicator indicator(&tool);
    double start = Now();
    tool.RunJob(&list, &indicator);
    Figures figures;
    figures.perPhoto = (Now() - start) / files.size();
    for (const std::string& file : files)
    {
        std::string output = out + "\\RotateFlip" + file.substr(file.rfind('\\'));
        long long size = FileSize(output);
        if (size > 0)
        {
            figures.bytes += size;
            ++figures.written;
        }
    }
    RemoveFolder(out);
    return figures;
}

// The native jpegtran over the same photos.
Figures RunJpegtran(const std::vector<std::string>& files, const std::string& temp)
{
    Figures figures;
    std::string result = temp + "\\jpegtran.txt";
    std::string out = native_tool::UnixPath(temp + "\\jpegtran_out.jpg");
    std::string script = "r=" + native_tool::ShellQuote(native_tool::UnixPath(result)) + "\n: > \"$r\"\n" +
                         "a=$(date +%s%N)\n";
    std::string sizes;
    for (const std::string& file : files)
    {
        script += "jpegtran -perfect -copy all -rotate 90 -outfile " + native_tool::ShellQuote(out) + " " +
                  native_tool::ShellQuote(native_tool::UnixPath(file)) + " || exit 1\n";
        script += "stat -c %s " + native_tool::ShellQuote(out) + " >> \"$r.sizes\"\n";
    }
    script += "b=$(date +%s%N); echo $((b - a)) > \"$r\"; cat \"$r.sizes\" >> \"$r\"; rm -f \"$r.sizes\"\n";
    if (native_tool::RunShell(script, 600000) != 0)
        return figures;
    FILE* file = fopen(result.c_str(), "r");
    if (!file)
        return figures;
    long long ns = 0, size = 0;
    if (fscanf(file, "%lld", &ns) == 1)
    {
        // The stat calls are in the time too; they cost a few ms each.
        figures.perPhoto = ns * 1e-9 / files.size();
        while (fscanf(file, "%lld", &size) == 1)
        {
            figures.bytes += size;
            ++figures.written;
        }
    }
    fclose(file);
    DeleteFileA(result.c_str());
    DeleteFileA((temp + "\\jpegtran_out.jpg").c_str());
    return figures;
}

// CJpgFile::TransformLossless alone on each photo, without the job around it.
Figures RunTransform(const std::vector<std::string>& files, const std::string& temp)
{
    Figures figures;
    std::string out = temp + "\\transform_out.jpg";
    double start = Now();
    for (const std::string& file : files)
        if (CJpgFile::TransformLossless(file.c_str(), out.c_str(), CJpgFile::TurnRotate90))
        {
            figures.bytes += FileSize(out);
            ++figures.written;
        }
    figures.perPhoto = (Now() - start) / files.size();
    DeleteFileA(out.c_str());
    return figures;
}

void Print(const char* name, const Figures& figures, long long sourceBytes)
{
    if (figures.perPhoto < 0 || figures.written == 0)
    {
        printf("  %-22s could not run\n", name);
        return;
    }
    printf("  %-22s %8.1f ms/photo  outputs %3d, size %6.3f of the sources'\n", name, figures.perPhoto * 1000,
           figures.written, (double)figures.bytes / sourceBytes);
}
} // namespace

int main()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char folder[MAX_PATH];
    snprintf(folder, MAX_PATH, "%srotate_bench_%lu", temp, GetCurrentProcessId());
    std::string dir = folder;
    RemoveFolder(dir);
    CreateDirectoryA(dir.c_str(), NULL);

    std::vector<std::string> files;
    CBenchList list;
    long long sourceBytes = 0;
    for (int i = 0; i < Photos; ++i)
    {
        char name[64];
        snprintf(name, sizeof(name), "\\camera%02d.jpg", i);
        files.push_back(dir + name);
        WritePhoto(files.back(), i);
        sourceBytes += FileSize(files.back());
        list.InsertFile(files.back().c_str())->Select(true);
    }
    printf("Rotate/Flip job, 90 degrees: %d photos %dx%d q92, %.1f MB in all\n", Photos, Width, Height,
           sourceBytes / 1048576.0);

    CDialogBatchRotateFlip lossless;
    Figures ours = RunTool(lossless, list, files, dir);
    CReencodingRotateFlip reencoding;
    Figures before = RunTool(reencoding, list, files, dir);
    Figures peer = RunJpegtran(files, dir);
    Figures alone = RunTransform(files, dir);
    Print("lossless (the job)", ours, sourceBytes);
    Print("decode+encode q100", before, sourceBytes);
    Print("jpegtran -perfect", peer, sourceBytes);
    Print("TransformLossless alone", alone, sourceBytes);
    if (ours.perPhoto > 0 && before.perPhoto > 0)
        printf("  speed-up over decode+encode %.1fx\n", before.perPhoto / ours.perPhoto);
    if (ours.perPhoto > 0 && peer.perPhoto > 0)
        printf("  ratio ours/jpegtran %.2f\n", ours.perPhoto / peer.perPhoto);

    RemoveFolder(dir);
    return 0;
}
