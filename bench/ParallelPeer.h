// What two threads gain on this machine at this moment, to read the
// browser's speed-up against: the decoding and scaling a worker does for a
// cold picture, on plain threads with no window, list or cache; and pure
// arithmetic (SHA-1 over memory), which shows the processors' own scaling
// on a shared or virtual machine.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

#include "JpgFile.h"
#include "RgbBuffer.h"
#include "SHA1.h"

namespace parallel_peer
{
enum Work
{
    Decode,
    Arithmetic
};

struct Job
{
    const std::vector<std::string>* files;
    Work work;
    volatile LONG next;
};

inline void DecodeOne(const std::string& path)
{
    // As a worker's full pass: reduced decode into the cache box, best fit
    // into it, then into a cell, then a bitmap.
    CJpgFile reader(path.c_str(), 100, false);
    CRgbBuffer image;
    CSize full;
    if (!reader.LoadReduced(&image, 360, 480, &full))
        return;
    CRgbBuffer* fitted = image.CreateBestFitRGB(CRect(0, 0, 360, 480));
    if (!fitted)
        return;
    if (CRgbBuffer* cell = fitted->CreateBestFitRGB(CRect(0, 0, 116, 87)))
    {
        if (HBITMAP bitmap = cell->CreateBitmapFromRGB())
            DeleteObject(bitmap);
        delete cell;
    }
    delete fitted;
}

inline void HashOne()
{
    static unsigned char block[1 << 18];
    CSHA1 sha;
    for (int i = 0; i < 8; ++i)
        sha.Update(block, sizeof(block));
    sha.Final();
}

inline DWORD WINAPI RunJob(LPVOID param)
{
    Job* job = (Job*)param;
    for (;;)
    {
        LONG k = InterlockedIncrement(&job->next) - 1;
        if (k >= (LONG)job->files->size())
            return 0;
        if (job->work == Decode)
            DecodeOne((*job->files)[k]);
        else
            HashOne();
    }
}

// Seconds for the whole list on `threads` threads.
inline double Seconds(const std::vector<std::string>& files, Work work, int threads)
{
    Job job = {&files, work, 0};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    std::vector<HANDLE> running;
    for (int i = 0; i < threads; ++i)
        if (HANDLE thread = CreateThread(NULL, 0, &RunJob, &job, 0, NULL))
            running.push_back(thread);
    WaitForMultipleObjects((DWORD)running.size(), running.data(), TRUE, INFINITE);
    for (HANDLE thread : running)
        CloseHandle(thread);
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

// Items a second on `threads` threads over items a second on one, two runs
// each, alternated as the machine's load changes.
inline double SpeedUp(const std::vector<std::string>& files, Work work, int threads, double* rateOne = NULL,
                      double* rateAll = NULL)
{
    double one = 0, all = 0;
    for (int run = 0; run < 2; ++run)
    {
        one += Seconds(files, work, 1);
        all += Seconds(files, work, threads);
    }
    if (rateOne)
        *rateOne = one > 0 ? 2 * files.size() / one : 0;
    if (rateAll)
        *rateAll = all > 0 ? 2 * files.size() / all : 0;
    return all > 0 ? one / all : 0;
}
} // namespace parallel_peer
