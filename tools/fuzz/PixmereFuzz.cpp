// PixmereFuzz: the suite's mutation fuzzer. The worker mutates seed files
// deterministically from a case number, writes each case to one file and
// runs the real loader on it under the guard (crash filter, watchdog,
// memory cap). tools/fuzz/fuzz.sh drives it: it restarts the worker after a
// finding and keeps the totals.
//
//   PixmereFuzz run --parser P --seeds DIR [--seeds DIR...] --work DIR
//               --first N --count M [--timeout-ms 5000] [--memcap-mb 1024]
//   PixmereFuzz make-seeds DIR      catalogue and registry seeds for DIR
//   PixmereFuzz list                the parsers
//   PixmereFuzz load --parser P FILE    runs one file (to replay a finding)
#include "FuzzGuard.h"
#include "FuzzMutator.h"
#include "FuzzTargets.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>

namespace
{
const size_t kMaxSeedBytes = 512 * 1024;

bool HasExtension(const std::string& name, const char* list)
{
    size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string ext = name.substr(dot);
    std::string all = std::string(list) + ";";
    size_t start = 0, end;
    while ((end = all.find(';', start)) != std::string::npos)
    {
        if (_stricmp(all.substr(start, end - start).c_str(), ext.c_str()) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

bool ReadWhole(const std::string& path, Bytes& data)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    data.clear();
    unsigned char block[65536];
    size_t n;
    while ((n = fread(block, 1, sizeof(block), file)) > 0 && data.size() <= kMaxSeedBytes)
        data.insert(data.end(), block, block + n);
    fclose(file);
    return data.size() <= kMaxSeedBytes;
}

bool HoldsExif(const Bytes& data)
{
    static const char tag[] = "Exif\0\0";
    return std::search(data.begin(), data.end(), tag, tag + 6) != data.end();
}

// Seeds from the folders (three levels deep), sorted by path so that case
// numbers mean the same on every run with the same folders.
void CollectSeeds(const std::string& folder, const FuzzTarget& target, int depth,
                  std::vector<FuzzSeed>& seeds)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> files, folders;
    do
    {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            folders.push_back(folder + "\\" + name);
        else if (HasExtension(name, target.seedExtensions) && found.nFileSizeHigh == 0 &&
                 found.nFileSizeLow > 0 && found.nFileSizeLow <= kMaxSeedBytes)
            files.push_back(folder + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    for (const std::string& path : files)
    {
        FuzzSeed seed;
        seed.name = path;
        if (ReadWhole(path, seed.data) && (!target.exifOnly || HoldsExif(seed.data)))
            seeds.push_back(seed);
    }
    if (depth > 0)
        for (const std::string& sub : folders)
            CollectSeeds(sub, target, depth - 1, seeds);
}

bool WriteCase(const std::string& path, const Bytes& data)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = data.empty() || WriteFile(file, data.data(), (DWORD)data.size(), &written, NULL);
    CloseHandle(file);
    return ok && written == data.size();
}

const char* Option(int argc, char** argv, const char* name, const char* fallback)
{
    for (int i = 2; i + 1 < argc; ++i)
        if (strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return fallback;
}

int Run(int argc, char** argv)
{
    const FuzzTarget* target = FindFuzzTarget(Option(argc, argv, "--parser", ""));
    const char* work = Option(argc, argv, "--work", NULL);
    if (!target || !work)
    {
        fprintf(stderr, "run: --parser and --work are needed\n");
        return FuzzExitUsage;
    }
    unsigned long long first = _strtoui64(Option(argc, argv, "--first", "0"), NULL, 10);
    unsigned long long count = _strtoui64(Option(argc, argv, "--count", "1000"), NULL, 10);
    DWORD timeoutMs = strtoul(Option(argc, argv, "--timeout-ms", "5000"), NULL, 10);
    SIZE_T capBytes = (SIZE_T)strtoul(Option(argc, argv, "--memcap-mb", "1024"), NULL, 10) << 20;

    std::vector<FuzzSeed> seeds;
    for (int i = 2; i + 1 < argc; ++i)
        if (strcmp(argv[i], "--seeds") == 0)
            CollectSeeds(argv[i + 1], *target, 3, seeds);
    if (seeds.empty())
    {
        fprintf(stderr, "run: no seeds for %s\n", target->name);
        return FuzzExitUsage;
    }

    CreateDirectoryA(work, NULL);
    std::string input = std::string(work) + "\\" + target->name + "-case" + target->extension;
    std::string findings = std::string(work) + "\\findings";
    std::string state = std::string(work) + "\\" + target->name + ".state";
    if (!CFuzzGuard::Start(target->name, input.c_str(), findings.c_str(), state.c_str(), timeoutMs, capBytes))
    {
        fprintf(stderr, "run: cannot start the guard in %s\n", work);
        return FuzzExitUsage;
    }

    CFuzzMutator mutator(target->layout, seeds, target->name, target->exifOnly);
    ULONGLONG started = GetTickCount64();
    std::string description;
    for (unsigned long long n = first; n < first + count; ++n)
    {
        Bytes data = mutator.Mutate(n, description);
        CFuzzGuard::BeginCase(n, description);
        if (!WriteCase(input, data))
        {
            fprintf(stderr, "run: cannot write %s\n", input.c_str());
            return FuzzExitUsage;
        }
        target->run(input.c_str());
        CFuzzGuard::EndCase();
    }
    double seconds = (GetTickCount64() - started) / 1000.0;
    printf("done %s first %llu cases %llu seeds %u seconds %.1f rate %.1f peak-mb %llu\n",
           target->name, first, count, (unsigned)seeds.size(), seconds,
           seconds > 0 ? count / seconds : 0.0,
           (unsigned long long)(CFuzzGuard::PeakWorkingSet() >> 20));
    return FuzzExitDone;
}

int Load(int argc, char** argv)
{
    const FuzzTarget* target = FindFuzzTarget(Option(argc, argv, "--parser", ""));
    if (!target || argc < 5)
        return FuzzExitUsage;
    ULONGLONG started = GetTickCount64();
    target->run(argv[argc - 1]);
    printf("loaded %s in %llu ms\n", argv[argc - 1], GetTickCount64() - started);
    return FuzzExitDone;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && strcmp(argv[1], "run") == 0)
        return Run(argc, argv);
    if (argc >= 2 && strcmp(argv[1], "load") == 0)
        return Load(argc, argv);
    if (argc == 3 && strcmp(argv[1], "make-seeds") == 0)
    {
        CreateDirectoryA(argv[2], NULL);
        printf("%d seeds written\n", WriteGeneratedSeeds(argv[2]));
        return FuzzExitDone;
    }
    if (argc == 2 && strcmp(argv[1], "list") == 0)
    {
        int count;
        const FuzzTarget* targets = FuzzTargets(count);
        for (int i = 0; i < count; ++i)
            printf("%s\n", targets[i].name);
        return FuzzExitDone;
    }
    fprintf(stderr, "usage: PixmereFuzz run|load|make-seeds|list (see the source)\n");
    return FuzzExitUsage;
}
