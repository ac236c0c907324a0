// MakeSamples FOLDER [writer...]: writes the sample pictures into FOLDER
// (created when missing), by every registered writer or only the named ones.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <map>
#include <string>
#include "SampleWriters.h"

static std::map<std::string, SampleWriterFn>& Writers()
{
    static std::map<std::string, SampleWriterFn> writers;
    return writers;
}

SampleWriterRegistration::SampleWriterRegistration(const char* name, SampleWriterFn writer)
{
    Writers()[name] = writer;
}

static void CreateFolderPath(const char* folder)
{
    char path[MAX_PATH];
    lstrcpynA(path, folder, MAX_PATH);
    for (char* p = path + 1; *p; ++p)
    {
        if (*p != '\\' && *p != '/')
            continue;
        char c = *p;
        *p = 0;
        CreateDirectoryA(path, NULL);
        *p = c;
    }
    CreateDirectoryA(path, NULL);
}

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        fprintf(stderr, "usage: MakeSamples FOLDER [writer...]\n");
        return 2;
    }
    CreateFolderPath(argv[1]);
    int total = 0;
    for (auto& entry : Writers())
    {
        bool wanted = argc == 2;
        for (int i = 2; i < argc; ++i)
            wanted = wanted || entry.first == argv[i];
        if (!wanted)
            continue;
        int written = entry.second(argv[1]);
        if (written < 0)
        {
            fprintf(stderr, "MakeSamples: writer %s failed\n", entry.first.c_str());
            return 1;
        }
        printf("%-12s %d files\n", entry.first.c_str(), written);
        total += written;
    }
    printf("%d sample files in %s\n", total, argv[1]);
    return 0;
}
