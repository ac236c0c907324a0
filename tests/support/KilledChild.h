// Runs part of a test program again in a child process and kills it part-way,
// for tests of writers that must leave a whole file behind whatever moment
// they are stopped at.
#pragma once

#include <windows.h>
#include <string>

namespace killed_child
{
// Starts this program running only the tests of `filter`, with the
// environment variable `variable` set to `value`; waits (up to 20 s) for the
// child to create the file `ready`, lets it work `workMs` more and kills it.
// False when the child could not be started or never made `ready`.
inline bool RunAndKill(const char* filter, const char* variable, const std::string& value,
                       const std::string& ready, DWORD workMs)
{
    char program[MAX_PATH];
    GetModuleFileNameA(NULL, program, MAX_PATH);
    std::string command = std::string("\"") + program + "\" --gtest_filter=" + filter;
    DeleteFileA(ready.c_str());
    SetEnvironmentVariableA(variable, value.c_str());
    STARTUPINFOA startup = { sizeof(startup) };
    PROCESS_INFORMATION child = {};
    BOOL started = CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL,
                                  &startup, &child);
    SetEnvironmentVariableA(variable, NULL);
    if (!started)
        return false;
    bool madeReady = false;
    for (int wait = 0; wait < 400 && !madeReady; wait++)
    {
        madeReady = GetFileAttributesA(ready.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!madeReady)
            Sleep(50);
    }
    Sleep(workMs);
    TerminateProcess(child.hProcess, 1);
    WaitForSingleObject(child.hProcess, 10000);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return madeReady;
}
}
