// Helpers for the catalogue and settings tests: the shared temporary folder
// and whole-file helpers under their catalogue_test names, picture stand-ins,
// and an application object with its own registry key that is removed again
// afterwards.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "Framework.h"
#include "NativeTool.h"
#include "TempFolder.h"

namespace catalogue_test
{
using test_support::Exists;
using test_support::FileBytes;
using test_support::ReadFileBytes;
using test_support::RemoveTree;
using test_support::TempFolder;
using test_support::WriteFileBytes;

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
