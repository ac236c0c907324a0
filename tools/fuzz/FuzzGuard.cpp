// Watchdog, memory poll and crash filter of the fuzzing worker.
#include "FuzzGuard.h"

#include <psapi.h>
#include <stdio.h>
#include <string.h>

namespace
{
char g_Parser[64];
char g_Input[MAX_PATH];
char g_Findings[MAX_PATH];
char g_Extension[16];
HANDLE g_State = INVALID_HANDLE_VALUE;
DWORD g_TimeoutMs = 5000;
SIZE_T g_MemoryCap = 0;
volatile LONG64 g_Case = -1;
volatile ULONGLONG g_CaseStart = 0; // 0: between cases
volatile ULONGLONG g_CaseCpuStart = 0;
HANDLE g_MainThread = NULL;
volatile SIZE_T g_PeakWorkingSet = 0;
std::string g_Description;
CRITICAL_SECTION g_FindingLock;

// Copies the input and writes the description, then ends the process.
void RecordAndExit(const char* kind, const char* details, UINT exitCode)
{
    EnterCriticalSection(&g_FindingLock); // one finding per process
    char base[MAX_PATH * 2];
    snprintf(base, sizeof(base), "%s\\%s-%08lld-%s", g_Findings, g_Parser, (long long)g_Case, kind);
    char copy[MAX_PATH * 2];
    snprintf(copy, sizeof(copy), "%s%s", base, g_Extension);
    CopyFileA(g_Input, copy, FALSE);
    char textPath[MAX_PATH * 2];
    snprintf(textPath, sizeof(textPath), "%s.txt", base);
    HANDLE text = CreateFileA(textPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (text != INVALID_HANDLE_VALUE)
    {
        char line[1024];
        int n = snprintf(line, sizeof(line), "parser %s\r\ncase %lld\r\nkind %s\r\n%s\r\nmutation %.700s\r\n",
                         g_Parser, (long long)g_Case, kind, details, g_Description.c_str());
        DWORD written;
        WriteFile(text, line, n > 0 && n < (int)sizeof(line) ? n : (int)strlen(line), &written, NULL);
        FlushFileBuffers(text);
        CloseHandle(text);
    }
    printf("finding %s %s case %lld: %s\n", g_Parser, kind, (long long)g_Case, details);
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), exitCode);
}

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    char module[MAX_PATH] = "unknown module";
    HMODULE handle = NULL;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           (LPCSTR)record->ExceptionAddress, &handle))
        GetModuleFileNameA(handle, module, MAX_PATH);
    char details[MAX_PATH + 160];
    snprintf(details, sizeof(details), "exception 0x%08lX at %p (+0x%llX) in %s",
             (unsigned long)record->ExceptionCode, record->ExceptionAddress,
             handle ? (unsigned long long)((const char*)record->ExceptionAddress - (const char*)handle) : 0ULL,
             module);
    RecordAndExit("crash", details, FuzzExitCrash);
    return EXCEPTION_EXECUTE_HANDLER;
}

// CPU time of the thread that runs the cases, in milliseconds.
ULONGLONG MainThreadCpuMs()
{
    FILETIME created, exited, kernel, user;
    if (!g_MainThread || !GetThreadTimes(g_MainThread, &created, &exited, &kernel, &user))
        return 0;
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (k.QuadPart + u.QuadPart) / 10000;
}

// A case hangs when it has used the time limit in CPU time, or has run
// twelve times the limit on the clock (a wait that never ends). CPU time
// keeps a busy machine, where the fuzzer gets a fraction of a core, from
// counting slow cases as hangs.
bool CaseOverTime(char* details, size_t size)
{
    ULONGLONG start = g_CaseStart;
    if (start == 0)
        return false;
    ULONGLONG wall = GetTickCount64() - start;
    if (wall <= g_TimeoutMs)
        return false;
    ULONGLONG cpu = MainThreadCpuMs() - g_CaseCpuStart;
    if (start != g_CaseStart || (cpu <= g_TimeoutMs && wall <= 12ULL * g_TimeoutMs))
        return false;
    snprintf(details, size, "still running after %llu ms (%llu ms of CPU time)", wall, cpu);
    return true;
}

DWORD WINAPI Watchdog(void*)
{
    for (;;)
    {
        Sleep(25);
        PROCESS_MEMORY_COUNTERS counters;
        counters.cb = sizeof(counters);
        if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        {
            SIZE_T used = counters.WorkingSetSize;
            if (used > g_PeakWorkingSet)
                g_PeakWorkingSet = used;
            if (g_MemoryCap && used > g_MemoryCap)
            {
                char details[128];
                snprintf(details, sizeof(details), "working set %llu MB over the cap of %llu MB",
                         (unsigned long long)(used >> 20), (unsigned long long)(g_MemoryCap >> 20));
                RecordAndExit("memory", details, FuzzExitMemory);
            }
        }
        char details[128];
        if (CaseOverTime(details, sizeof(details)))
            RecordAndExit("hang", details, FuzzExitHang);
    }
}
} // namespace

bool CFuzzGuard::Start(const char* parser, const char* input, const char* findings,
                       const char* stateFile, DWORD timeoutMs, SIZE_T memoryCapBytes)
{
    lstrcpynA(g_Parser, parser, sizeof(g_Parser));
    lstrcpynA(g_Input, input, sizeof(g_Input));
    lstrcpynA(g_Findings, findings, sizeof(g_Findings));
    const char* dot = strrchr(input, '.');
    lstrcpynA(g_Extension, dot ? dot : "", sizeof(g_Extension));
    g_TimeoutMs = timeoutMs;
    g_MemoryCap = memoryCapBytes;
    InitializeCriticalSection(&g_FindingLock);
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &g_MainThread,
                    THREAD_QUERY_INFORMATION, FALSE, 0);
    CreateDirectoryA(findings, NULL);
    g_State = CreateFileA(stateFile, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, NULL);
    if (g_State == INVALID_HANDLE_VALUE)
        return false;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(CrashFilter);
    HANDLE thread = CreateThread(NULL, 64 * 1024, Watchdog, NULL, 0, NULL);
    if (!thread)
        return false;
    SetThreadPriority(thread, THREAD_PRIORITY_ABOVE_NORMAL);
    CloseHandle(thread);
    return true;
}

void CFuzzGuard::BeginCase(uint64_t number, const std::string& description)
{
    g_Description = description;
    g_Case = (LONG64)number;
    // The driver reads this when the process ends without recording a
    // finding itself (killed from outside, or a crash the filter missed).
    char text[24];
    int n = snprintf(text, sizeof(text), "%020llu", (unsigned long long)number);
    DWORD written;
    SetFilePointer(g_State, 0, NULL, FILE_BEGIN);
    WriteFile(g_State, text, n, &written, NULL);
    g_CaseCpuStart = MainThreadCpuMs();
    g_CaseStart = GetTickCount64();
}

void CFuzzGuard::EndCase()
{
    g_CaseStart = 0;
}

SIZE_T CFuzzGuard::PeakWorkingSet()
{
    return g_PeakWorkingSet;
}
