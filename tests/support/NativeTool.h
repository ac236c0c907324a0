// Runs native Linux tools (ImageMagick, sha1sum) from a test under Wine, as
// independent oracles. Wine starts a Unix program by CreateProcessA on its
// Unix path but cannot wait on the handle it returns, so the command runs in
// a shell script that writes its exit status into a marker file last, and the
// test polls for that marker.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>

namespace native_tool
{
// The Unix path of a Windows path, or "" outside Wine.
inline std::string UnixPath(const std::string& windowsPath)
{
    typedef char*(CDECL * UnixNameFn)(LPCWSTR);
    static UnixNameFn toUnix =
        (UnixNameFn)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (toUnix == NULL)
        return std::string();
    WCHAR wide[MAX_PATH * 2];
    if (MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH * 2) == 0)
        return std::string();
    char* unixName = toUnix(wide);
    if (unixName == NULL)
        return std::string();
    std::string result(unixName);
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

// A word quoted for /bin/sh.
inline std::string ShellQuote(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word)
    {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// Runs script (sh syntax) natively; returns its exit status, or -1 when it
// could not be started or did not finish within timeoutMs.
inline int RunShell(const std::string& script, DWORD timeoutMs = 120000)
{
    static LONG serial = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char base[MAX_PATH];
    snprintf(base, MAX_PATH, "%snative_%lu_%ld", temp, GetCurrentProcessId(),
             InterlockedIncrement(&serial));
    std::string scriptPath = std::string(base) + ".sh";
    std::string markerPath = std::string(base) + ".done";
    std::string unixScript = UnixPath(scriptPath);
    std::string unixMarker = UnixPath(markerPath);
    if (unixScript.empty() || unixMarker.empty())
        return -1;
    DeleteFileA(markerPath.c_str());

    std::string text = "(\n" + script + "\n) </dev/null\necho $? > " +
                       ShellQuote(unixMarker + ".part") + "\nmv " +
                       ShellQuote(unixMarker + ".part") + " " + ShellQuote(unixMarker) + "\n";
    FILE* file = fopen(scriptPath.c_str(), "wb");
    if (file == NULL)
        return -1;
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);

    std::string commandLine = "/bin/sh " + unixScript;
    // The script gets NUL for its standard handles, not ours: a Unix child
    // started with the test's own stdout sometimes left that stdout writing
    // nowhere under Wine 8, and the rest of the run's output was lost.
    SECURITY_ATTRIBUTES inherit = { sizeof(inherit), NULL, TRUE };
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, NULL);
    STARTUPINFOA startup = { sizeof(startup) };
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(NULL, &commandLine[0], NULL, NULL, nul != INVALID_HANDLE_VALUE, 0, NULL, NULL,
                                  &startup, &process);
    if (nul != INVALID_HANDLE_VALUE)
        CloseHandle(nul);
    if (!started)
    {
        DeleteFileA(scriptPath.c_str());
        return -1;
    }
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);

    int status = -1;
    for (DWORD waited = 0; waited < timeoutMs; waited += 20)
    {
        FILE* marker = fopen(markerPath.c_str(), "rb");
        if (marker != NULL)
        {
            if (fscanf(marker, "%d", &status) != 1)
                status = -1;
            fclose(marker);
            break;
        }
        Sleep(20);
    }
    DeleteFileA(markerPath.c_str());
    DeleteFileA(scriptPath.c_str());
    return status;
}
} // namespace native_tool
