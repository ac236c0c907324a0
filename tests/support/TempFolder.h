// A private folder of a test under the temporary folder, removed with all it
// holds when the object goes; RemoveTree also serves tests that make their
// own folders.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>

namespace test_support
{
// Deletes a folder and everything below it, clearing attributes first so
// that read-only and hidden files go too.
inline void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

// A fresh, empty folder named after the test, the process and a serial
// number, so that tests running at once never share one (path without a
// trailing backslash).
class TempFolder
{
public:
    explicit TempFolder(const char* name)
    {
        static LONG serial = 0;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        char folder[MAX_PATH];
        snprintf(folder, MAX_PATH, "%s%s_%lu_%ld", temp, name, GetCurrentProcessId(),
                 InterlockedIncrement(&serial));
        m_path = folder;
        RemoveTree(m_path);
        CreateDirectoryA(m_path.c_str(), NULL);
    }
    ~TempFolder() { RemoveTree(m_path); }
    const std::string& Path() const { return m_path; }
    // The path of a file (or folder) name inside this folder.
    std::string File(const std::string& name) const { return m_path + "\\" + name; }
    std::string operator/(const std::string& name) const { return File(name); }

private:
    std::string m_path;
};
} // namespace test_support
