// The worker's guard: a watchdog thread that stops a case running longer
// than the time limit or a process whose working set passes the memory cap
// (Wine enforces no job-object limits, so the working set is polled), and
// an unhandled-exception filter that records a crash with its exception
// code and the module it happened in. Each finding keeps the input that
// caused it beside a text file describing it; the process then ends with
// the finding's exit code, and the driver resumes after that case.
#pragma once

#include <windows.h>
#include <stdint.h>
#include <string>

enum FuzzExit
{
    FuzzExitDone = 0,
    FuzzExitUsage = 2,
    FuzzExitCrash = 3,
    FuzzExitHang = 4,
    FuzzExitMemory = 5,
};

class CFuzzGuard
{
public:
    // input: the file each case is written to; findings: the folder that
    // keeps findings; stateFile: holds the number of the case under way.
    static bool Start(const char* parser, const char* input, const char* findings,
                      const char* stateFile, DWORD timeoutMs, SIZE_T memoryCapBytes);
    static void BeginCase(uint64_t number, const std::string& description);
    static void EndCase();
    // Largest working set seen by the watchdog, in bytes.
    static SIZE_T PeakWorkingSet();
};
