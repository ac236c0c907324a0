// Helpers for the shell tests: a private test folder, shell items of paths,
// a framework window to parent trees, and a message pump.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <stdio.h>
#include <string>

#include "CWnd.h"
#include "TempFolder.h"

namespace shell_test
{
using test_support::RemoveTree;

// A fresh folder under the temporary folder, named in its long form as the
// shell reports paths (hence not test_support::TempFolder), removed with its
// content.
class TempFolder
{
public:
    explicit TempFolder(const char* name)
    {
        static LONG serial = 0;
        char temp[MAX_PATH], folder[MAX_PATH], full[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        snprintf(folder, MAX_PATH, "%s%s_%lu_%ld", temp, name, GetCurrentProcessId(), InterlockedIncrement(&serial));
        // The long form, as the shell reports it.
        CreateDirectoryA(folder, NULL);
        if (!GetLongPathNameA(folder, full, MAX_PATH))
            lstrcpynA(full, folder, MAX_PATH);
        m_path = full;
    }
    ~TempFolder() { RemoveTree(m_path); }
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }
    std::string Make(const std::string& relative) const
    {
        std::string path = *this / relative;
        CreateDirectoryA(path.c_str(), NULL);
        return path;
    }
    std::string Touch(const std::string& relative) const
    {
        std::string path = *this / relative;
        FILE* file = fopen(path.c_str(), "wb");
        if (file)
        {
            fputs("test file", file);
            fclose(file);
        }
        return path;
    }

private:
    std::string m_path;
};

// The absolute item id list of a path (free with CoTaskMemFree), or NULL.
inline LPITEMIDLIST ParsePath(const std::string& path)
{
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH))
        return NULL;
    LPITEMIDLIST pidl = NULL;
    if (FAILED(SHParseDisplayName(wide, NULL, &pidl, 0, NULL)))
        return NULL;
    return pidl;
}

// The parent folder and the relative id of a path, released by the object.
class ShellObject
{
public:
    explicit ShellObject(const std::string& path) : m_pidl(ParsePath(path)), m_folder(NULL), m_relative(NULL)
    {
        if (m_pidl)
            SHBindToParent(m_pidl, IID_IShellFolder, (void**)&m_folder, &m_relative);
    }
    ~ShellObject()
    {
        if (m_folder)
            m_folder->Release();
        CoTaskMemFree(m_pidl);
    }
    IShellFolder* Folder() const { return m_folder; }
    LPCITEMIDLIST Relative() const { return m_relative; }
    LPCITEMIDLIST Absolute() const { return m_pidl; }

private:
    ShellObject(const ShellObject&) = delete;
    ShellObject& operator=(const ShellObject&) = delete;
    LPITEMIDLIST m_pidl;
    IShellFolder* m_folder;
    LPCITEMIDLIST m_relative;
};

// A visible top-level framework window, destroyed with the object.
class TestWindow : public CWnd
{
public:
    explicit TestWindow(const char* title, int width = 400, int height = 500)
    {
        CreateEx(0, AfxRegisterWndClass(0, LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)), title,
                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, width, height, NULL, NULL);
    }
    ~TestWindow() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

inline void Pump(DWORD milliseconds = 0)
{
    DWORD start = GetTickCount();
    do
    {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (milliseconds)
            Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}
} // namespace shell_test
