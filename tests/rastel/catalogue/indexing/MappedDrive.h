// A test folder mapped as a spare drive letter of the running Wine prefix: a
// symbolic link "x:" in the prefix's dosdevices folder, made and removed by
// the native ln and rm. Only the test's own letters are ever searched (the
// indexer's drive list is overridden), so drive Z:, which is the whole Linux
// file system, and the other drives of the shared prefix are never walked.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>

#include "NativeTool.h"

namespace indexing_test
{
// The Unix path of a Windows path, or "" outside Wine.
inline std::string UnixPath(const std::string& windowsPath)
{
    typedef char*(CDECL * UnixNameFn)(LPCWSTR);
    UnixNameFn toUnix = (UnixNameFn)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    WCHAR wide[MAX_PATH * 2];
    if (!toUnix || !MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH * 2))
        return std::string();
    char* unixName = toUnix(wide);
    if (!unixName)
        return std::string();
    std::string result(unixName);
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

// The Windows path of a Unix path, through drive Z:.
inline std::string WindowsPathOf(std::string unixPath)
{
    for (char& c : unixPath)
        if (c == '/')
            c = '\\';
    return "Z:" + unixPath;
}

// Starts a native program by its Unix path (Wine cannot wait on it: callers
// poll for its effect).
inline bool StartNative(std::string commandLine)
{
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return false;
    native_tool::CloseChildHandles(process);
    return true;
}

inline bool WaitFor(bool wanted, const std::string& path, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited <= timeoutMs; waited += 20)
    {
        if ((GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == wanted)
            return true;
        Sleep(20);
    }
    return false;
}

// Maps `folder` (a Windows path) as the first free letter from 'D' on;
// Letter() is 0 when no letter could be mapped.
class MappedDrive
{
public:
    explicit MappedDrive(const std::string& folder) : m_letter(0)
    {
        char prefix[MAX_PATH] = "";
        GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
        std::string target = UnixPath(folder);
        if (!prefix[0] || target.empty())
            return;
        // A marker of this mapping only: when it shows through the letter,
        // the letter is ours (ln refuses a name that exists).
        char marker[64];
        snprintf(marker, sizeof(marker), "mapped_%lu_%p.mark", GetCurrentProcessId(), (void*)this);
        m_marker = marker;
        std::string markerPath = folder + "\\" + m_marker;
        FILE* file = fopen(markerPath.c_str(), "wb");
        if (!file)
            return;
        fclose(file);
        DWORD existing = GetLogicalDrives();
        for (char letter = 'D'; letter <= 'Y' && !m_letter; letter++)
        {
            if (existing & (1u << (letter - 'A')))
                continue;
            std::string link = std::string(prefix) + "/dosdevices/" + (char)(letter - 'A' + 'a') + ":";
            if (GetFileAttributesA(WindowsPathOf(link).c_str()) != INVALID_FILE_ATTRIBUTES)
                continue;
            if (!StartNative("/bin/ln -s \"" + target + "\" \"" + link + "\""))
                break;
            if (WaitFor(true, std::string(1, letter) + ":\\" + m_marker, 15000))
            {
                m_letter = letter;
                m_link = link;
            }
        }
        DeleteFileA(markerPath.c_str());
        m_markerPath = markerPath;
    }

    ~MappedDrive()
    {
        if (!m_letter)
            return;
        // Recreate the marker so the removal can be seen through the letter.
        FILE* file = fopen(m_markerPath.c_str(), "wb");
        if (file)
            fclose(file);
        if (StartNative("/bin/rm -f \"" + m_link + "\""))
            WaitFor(false, std::string(1, m_letter) + ":\\" + m_marker, 15000);
        DeleteFileA(m_markerPath.c_str());
    }

    char Letter() const { return m_letter; }
    // "P:" for the letter P.
    std::string Name() const { return std::string(1, m_letter) + ":"; }

private:
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;

    char m_letter;
    std::string m_link;
    std::string m_marker;
    std::string m_markerPath;
};
} // namespace indexing_test
