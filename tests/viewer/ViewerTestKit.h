// Helpers of the viewer tests: picture files written on the spot, a running
// viewer frame started with a command line of the test's choosing, message
// pumping, and a command-state probe.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "Framework.h"
#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CatalogueTestKit.h"
#include "ViewerApp.h"
#include "ViewerView.h"
#include "RgbBuffer.h"
#include "resource.h"

namespace viewer_test
{
using catalogue_test::TempFolder;

// A 24-bit BMP of one colour with a white square in its top-left quarter.
inline void WriteBmp(const std::string& path, int width, int height, COLORREF colour)
{
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_TRUE(f != NULL) << path;
    fwrite(&file, sizeof(file), 1, f);
    fwrite(&info, sizeof(info), 1, f);
    std::vector<BYTE> row(stride, 0);
    for (int y = height - 1; y >= 0; --y)
    {
        for (int x = 0; x < width; ++x)
        {
            bool mark = x < width / 4 && y < height / 4;
            row[3 * x] = mark ? 255 : GetBValue(colour);
            row[3 * x + 1] = mark ? 255 : GetGValue(colour);
            row[3 * x + 2] = mark ? 255 : GetRValue(colour);
        }
        fwrite(row.data(), 1, stride, f);
    }
    fclose(f);
}

inline void WriteGarbage(const std::string& path)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_TRUE(f != NULL);
    const char junk[] = "\xFF\xD8\xFF\xE0 this is not really a JPEG file at all";
    fwrite(junk, 1, sizeof(junk), f);
    fclose(f);
}

// Gives the thread's messages (timers, paints) their turn for a while.
inline void Pump(DWORD milliseconds)
{
    DWORD end = GetTickCount() + milliseconds;
    do
    {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while ((LONG)(end - GetTickCount()) > 0);
}

// Records what an update handler sets.
class StateProbe : public CCmdUI
{
public:
    explicit StateProbe(UINT id) { m_nID = id; }
    bool enabled = true;
    int check = -1;
    CString text;
    void Enable(BOOL bOn = TRUE) override
    {
        enabled = bOn != FALSE;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck = 1) override { check = nCheck; }
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR t) override { text = t; }
};

// The viewer's settings key, emptied so every test starts from the defaults.
inline void ClearViewerSettings()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quenwick\\Viewer");
}

inline DWORD ReadViewerSetting(const char* name, DWORD missing = 0xDEADBEEF)
{
    DWORD value = missing, size = sizeof(value);
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Quenwick\\Viewer\\Settings", name, RRF_RT_REG_DWORD, NULL, &value,
                 &size);
    return value;
}

inline void WriteViewerSetting(const char* name, DWORD value)
{
    AfxGetApp()->WriteProfileInt("Settings", name, (int)value);
}

// A viewer frame started like the program, with its own command line; it is
// destroyed when the object goes.
class RunningViewer
{
public:
    explicit RunningViewer(const std::string& commandLine)
    {
        CViewerApp* app = GetViewerApp();
        app->StartViewer(commandLine.c_str());
        m_frame = dynamic_cast<CFrameWnd*>(app->m_pMainWnd);
        m_view = m_frame ? dynamic_cast<CViewerView*>(m_frame->GetActiveView()) : NULL;
        Pump(100);
    }
    ~RunningViewer()
    {
        CViewerApp* app = GetViewerApp();
        if (m_frame && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        app->m_pMainWnd = NULL;
        Pump(20);
    }
    CFrameWnd* Frame() const { return m_frame; }
    CViewerView* View() const { return m_view; }

    // Sends a command the way a menu or an accelerator does.
    void Command(UINT id) { m_frame->SendMessage(WM_COMMAND, id, 0); }
    StateProbe Probe(UINT id)
    {
        StateProbe probe(id);
        probe.DoUpdate(m_view, FALSE);
        return probe;
    }
    // Sets the frame's outer size so that the view's client area is w x h.
    void SetClientSize(int w, int h)
    {
        for (int i = 0; i < 3; ++i)
        {
            CRect client;
            m_view->GetClientRect(&client);
            CRect window;
            m_frame->GetWindowRect(&window);
            m_frame->SetWindowPos(NULL, 0, 0, window.Width() + w - client.Width(),
                                  window.Height() + h - client.Height(), SWP_NOMOVE | SWP_NOZORDER);
            Pump(20);
        }
    }
    CString CurrentFile() { return m_view->GetCurrentFileName(); }

private:
    CFrameWnd* m_frame = NULL;
    CViewerView* m_view = NULL;
};

inline std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

inline std::string FileName(const CString& path)
{
    std::string p = (LPCSTR)path;
    size_t slash = p.rfind('\\');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}
}
