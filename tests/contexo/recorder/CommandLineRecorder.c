/* Test-support program for contexo_tests: copied under the name of one of the
   suite's programs, it records how it was started. It writes its own path and
   its whole command line as two lines into "<own path>.<process id>.txt",
   under a temporary name first, so a reader never sees half a file. Both are
   written in UTF-8 from their wide forms, so names outside the ANSI code page
   arrive as they were passed. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevious, LPSTR pszCommandLine, int nShow)
{
    char szSelf[2 * MAX_PATH];
    char szTemporary[2 * MAX_PATH + 32];
    char szRecord[2 * MAX_PATH + 32];
    DWORD nLength = GetModuleFileNameA(NULL, szSelf, sizeof(szSelf));
    if (nLength == 0 || nLength >= sizeof(szSelf))
        return 1;
    snprintf(szTemporary, sizeof(szTemporary), "%s.%lu.tmp", szSelf, GetCurrentProcessId());
    snprintf(szRecord, sizeof(szRecord), "%s.%lu.txt", szSelf, GetCurrentProcessId());

    HANDLE hFile = CreateFileA(szTemporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 1;
    WCHAR szWideSelf[2 * MAX_PATH];
    if (!GetModuleFileNameW(NULL, szWideSelf, 2 * MAX_PATH))
        return 1;
    WideCharToMultiByte(CP_UTF8, 0, szWideSelf, -1, szSelf, sizeof(szSelf), NULL, NULL);
    static char szWhole[32768 * 3];
    WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, szWhole, sizeof(szWhole), NULL, NULL);
    const char* pszWhole = szWhole;
    DWORD nWritten = 0;
    WriteFile(hFile, szSelf, (DWORD)strlen(szSelf), &nWritten, NULL);
    WriteFile(hFile, "\n", 1, &nWritten, NULL);
    WriteFile(hFile, pszWhole, (DWORD)strlen(pszWhole), &nWritten, NULL);
    WriteFile(hFile, "\n", 1, &nWritten, NULL);
    CloseHandle(hFile);
    return MoveFileExA(szTemporary, szRecord, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
