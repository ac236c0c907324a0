// Folder listing speed: makes folders of 2,000, 10,000 and 20,000 small
// picture files under the temporary folder and times CFolder::Load on them,
// once without a catalogue (directory walk only) and once with the catalogue
// a save left (every record read, then the walk). The peer is a plain
// FindFirstFile walk of the same folder that keeps the picture names; the
// ratio says how much the list adds to merely listing the folder.
//
//   ListBench.exe [count...]
#include "BenchFolder.h"
#include "Folder.h"
#include "FileInfo.h"

#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace
{
double Now()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return (double)counter.QuadPart / (double)frequency.QuadPart;
}

std::string MakeFolder(int count)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "pixmere_listbench_" + std::to_string(count);
    CreateDirectoryA(folder.c_str(), NULL);
    static const char kJpegStart[] = "\xFF\xD8\xFF\xE0";
    for (int i = 0; i < count; i++)
    {
        char name[64];
        // Mostly JPEGs, some other pictures and some files that are none.
        const char* ext = i % 10 == 9 ? ".txt" : (i % 10 == 8 ? ".png" : ".jpg");
        sprintf(name, "\\IMG_%05d%s", i, ext);
        HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        DWORD written;
        WriteFile(file, kJpegStart, 4, &written, NULL);
        CloseHandle(file);
    }
    return folder;
}

// The peer: the folder's picture names as the search returns them.
int PlainWalk(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
    {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        std::string path = folder + "\\" + found.cFileName;
        if (CFileInfo::IsImageFile(path.c_str()))
            names.push_back(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return (int)names.size();
}

// The best of three runs of f, in seconds.
template <class F> double Best(F f)
{
    double best = 1e9;
    for (int run = 0; run < 3; run++)
    {
        double start = Now();
        f();
        double took = Now() - start;
        if (took < best)
            best = took;
    }
    return best;
}
}

int main(int argc, char** argv)
{
    std::vector<int> counts;
    for (int i = 1; i < argc; i++)
        counts.push_back(atoi(argv[i]));
    if (counts.empty())
        counts = {2000, 10000, 20000};

    printf("%8s %8s %12s %12s %12s %8s %8s\n", "files", "entries", "walk-only s", "catalogue s", "peer s",
           "ratio1", "ratio2");
    for (int count : counts)
    {
        std::string folder = MakeFolder(count);
        int entries = 0;
        double walkOnly = Best([&] {
            CFolder list(folder.c_str());
            list.Load();
            entries = list.GetCount();
        });
        {
            CFolder list(folder.c_str());
            list.Load();
            list.Save();
        }
        int reloaded = 0;
        double withCatalogue = Best([&] {
            CFolder list(folder.c_str());
            list.Load();
            reloaded = list.GetCount();
        });
        int peerNames = 0;
        double peer = Best([&] { peerNames = PlainWalk(folder); });
        printf("%8d %8d %12.4f %12.4f %12.4f %8.2f %8.2f%s\n", count, entries, walkOnly, withCatalogue, peer,
               walkOnly / peer, withCatalogue / peer,
               entries == peerNames && reloaded == peerNames ? "" : "  (entry counts differ!)");
        fflush(stdout);
        RemoveFolder(folder);
    }
    printf("ratio1 = walk-only / peer, ratio2 = with catalogue / peer\n");
    return 0;
}
