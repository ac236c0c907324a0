// Helpers for the catalogue and settings tests: a private temporary folder,
// whole-file reads and writes, picture stand-ins, and an application object
// with its own registry key that is removed again afterwards.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>

#include "Framework.h"
#include "NativeTool.h"

namespace catalogue_test
{
// Deletes a folder and everything below it, clearing attributes first.
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

// A fresh folder of its own under the temporary folder, removed with its
// content when the object goes (path without a trailing backslash).
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
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

inline bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

inline bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bytes.clear();
    char chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof(chunk), file)) > 0)
        bytes.append(chunk, got);
    fclose(file);
    return true;
}

inline std::string FileBytes(const std::string& path)
{
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

inline bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Pictures are recognised by their name alone; the content does not matter.
inline std::string MakePicture(const std::string& path)
{
    WriteFileBytes(path, "not really a picture");
    return path;
}

// Names of the files in a folder matching a pattern such as "*.tmp".
inline std::vector<std::string> FilesMatching(const std::string& folder, const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

inline bool UnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != NULL;
}

// True when the file's stored attributes are FILE_ATTRIBUTE_HIDDEN alone.
// Wine reports FILE_ATTRIBUTE_ARCHIVE for every regular file whatever was set,
// and keeps the attributes that were set in the extended attribute
// user.DOSATTRIB of the Unix file ("0x2" for hidden alone); that value is read
// natively as the oracle.
inline bool HasOnlyHiddenAttribute(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (!UnderWine())
        return attributes == FILE_ATTRIBUTE_HIDDEN;
    if (attributes != (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE))
        return false;
    std::string unixPath = native_tool::UnixPath(path);
    return !unixPath.empty() &&
           native_tool::RunShell("python3 -c \"import os,sys; sys.exit(0 if os.getxattr(sys.argv[1], "
                                 "'user.DOSATTRIB') == b'0x2' else 1)\" " +
                                 native_tool::ShellQuote(unixPath)) == 0;
}

// The record stream's archive string, written here independently of the code
// under test.
inline std::string ArchiveString(const std::string& text)
{
    std::string out;
    size_t n = text.size();
    if (n < 0xFF)
        out += (char)n;
    else if (n < 0xFFFE)
    {
        out += (char)0xFF;
        out += (char)(n & 0xFF);
        out += (char)(n >> 8);
    }
    else
    {
        out += "\xFF\xFF\xFF";
        for (int i = 0; i < 4; i++)
            out += (char)(n >> (8 * i));
    }
    return out + text;
}

inline std::string Int32(long value)
{
    std::string out;
    unsigned long v = (unsigned long)value;
    for (int i = 0; i < 4; i++)
        out += (char)(v >> (8 * i));
    return out;
}

inline std::string Record(const std::string& name, const std::string& description, long transition,
                          long showTime)
{
    return ArchiveString(name) + ArchiveString(description) + Int32(transition) + Int32(showTime);
}

// An application object with a test title and company key; the company key
// and everything below it is deleted when the object goes.
class TestApp : public CWinApp
{
public:
    TestApp(const char* title, const char* company) : CWinApp(title), m_company(company)
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str());
        SetRegistryKey(company);
    }
    ~TestApp() { RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str()); }

    std::string KeyPath() const { return "Software\\" + m_company; }
    std::string SettingsKey(const char* title) const
    {
        return KeyPath() + "\\" + title + "\\Settings";
    }

private:
    std::string m_company;
};

// Direct registry reads, independent of the application object.
inline bool RegString(const std::string& key, const char* name, std::string& value)
{
    DWORD size = 0, type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY, &type, NULL, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    std::vector<char> buffer(size + 1);
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY, &type, buffer.data(), &size) != ERROR_SUCCESS)
        return false;
    value.assign(buffer.data(), size && buffer[size - 1] == 0 ? size - 1 : size);
    return true;
}

inline bool RegDword(const std::string& key, const char* name, DWORD& value)
{
    DWORD size = sizeof(value), type = 0;
    return RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY, &type, &value, &size) == ERROR_SUCCESS &&
           type == REG_DWORD;
}

inline void SetRegString(const std::string& key, const char* name, const char* value)
{
    HKEY k;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &k, NULL) == ERROR_SUCCESS)
    {
        RegSetValueExA(k, name, 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
        RegCloseKey(k);
    }
}

inline void SetRegDword(const std::string& key, const char* name, DWORD value)
{
    HKEY k;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &k, NULL) == ERROR_SUCCESS)
    {
        RegSetValueExA(k, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
        RegCloseKey(k);
    }
}
} // namespace catalogue_test
