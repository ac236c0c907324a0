// Helpers of the codec tests: a private temporary folder that is removed
// with its files, and pixel access.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>

#include "RgbBuffer.h"

class CTempFolder
{
public:
    explicit CTempFolder(const char* name)
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        char folder[MAX_PATH];
        snprintf(folder, MAX_PATH, "%s%s_%lu", temp, name, GetCurrentProcessId());
        m_Folder = folder;
        CreateDirectoryA(m_Folder.c_str(), NULL);
    }
    ~CTempFolder()
    {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((m_Folder + "\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE)
        {
            do
            {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA((m_Folder + "\\" + found.cFileName).c_str());
            } while (FindNextFileA(find, &found));
            FindClose(find);
        }
        RemoveDirectoryA(m_Folder.c_str());
    }
    std::string Path(const std::string& name) const { return m_Folder + "\\" + name; }

private:
    std::string m_Folder;
};

inline const BYTE* PixelAt(const CRgbBuffer& buffer, int x, int y)
{
    return buffer.GetBuffer() + 3 * ((size_t)y * buffer.GetWidth() + x);
}

inline COLORREF ColorAt(const CRgbBuffer& buffer, int x, int y)
{
    const BYTE* p = PixelAt(buffer, x, y);
    return RGB(p[0], p[1], p[2]);
}

// Loads path with the codec class Codec into a fresh buffer.
template <class Codec>
int LoadWith(const std::string& path, CRgbBuffer& buffer)
{
    Codec codec(path.c_str());
    return codec.Load(&buffer);
}
