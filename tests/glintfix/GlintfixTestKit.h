// Helpers of the red-eye editor's tests: pictures written on the spot, a
// running editor started with a command line of the test's choosing,
// answers in place of the user, and a command-state probe.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "Framework.h"
#include "CCmdUI.h"
#include "CMDIFrameWnd.h"
#include "JpgFile.h"
#include "RgbBuffer.h"
#include "TempFolder.h"
#include "WindowTestKit.h"
#include "GlintfixApp.h"
#include "GlintfixDoc.h"
#include "AfxMessageBox.h"
#include "GlintfixView.h"
#include "MainFrm.h"
#include "Tracker.h"
#include "TrackerBar.h"
#include "resource.h"

namespace glintfix_test
{
using test_support::TempFolder;

// A picture of one colour, w x h.
inline CRgbBuffer Filled(int width, int height, BYTE r, BYTE g, BYTE b)
{
    CRgbBuffer picture;
    picture.AllocateImage(width, height);
    picture.m_GrayScale = 0;
    for (int i = 0; i < width * height; ++i)
    {
        picture.m_Buffer[3 * i] = r;
        picture.m_Buffer[3 * i + 1] = g;
        picture.m_Buffer[3 * i + 2] = b;
    }
    return picture;
}

// A 24-bit BMP of the picture (exact pixels, unlike JPEG).
inline void WriteBmp(const std::string& path, const CRgbBuffer& picture)
{
    int width = picture.m_Width, height = picture.m_Height;
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
            const BYTE* p = picture.m_Buffer + 3 * (y * width + x);
            row[3 * x] = p[2];
            row[3 * x + 1] = p[1];
            row[3 * x + 2] = p[0];
        }
        fwrite(row.data(), 1, stride, f);
    }
    fclose(f);
}

inline std::vector<BYTE> ReadFile(const std::string& path)
{
    std::vector<BYTE> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    BYTE chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof(chunk), f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    fclose(f);
    return bytes;
}

inline bool SamePixels(const CRgbBuffer& a, const CRgbBuffer& b)
{
    return a.m_Width == b.m_Width && a.m_Height == b.m_Height &&
           memcmp(a.m_Buffer, b.m_Buffer, (size_t)a.m_Width * a.m_Height * 3) == 0;
}

// Records what an update handler sets.
class StateProbe : public CCmdUI
{
public:
    explicit StateProbe(UINT id) { m_nID = id; }
    bool enabled = true;
    void Enable(BOOL bOn = TRUE) override
    {
        enabled = bOn != FALSE;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

// Answers every question with `answer` and remembers what was asked.
class ScriptedUser
{
public:
    explicit ScriptedUser(int answer)
    {
        s_answer = answer;
        s_questions.clear();
        s_types.clear();
        m_previous = AfxSetMessageBoxHook(&Answer);
    }
    ~ScriptedUser() { AfxSetMessageBoxHook(m_previous); }
    void SetAnswer(int answer) { s_answer = answer; }
    const std::vector<std::string>& Questions() const { return s_questions; }
    const std::vector<UINT>& Types() const { return s_types; }

private:
    static int Answer(const char* text, UINT type)
    {
        s_questions.push_back(text);
        s_types.push_back(type);
        return s_answer;
    }
    static inline int s_answer = IDOK;
    static inline std::vector<std::string> s_questions;
    static inline std::vector<UINT> s_types;
    AFX_MESSAGEBOX_HOOK m_previous;
};

inline void ClearGlintfixSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quenwick\\Glintfix"); }

inline DWORD ReadGlintfixSetting(const char* name, DWORD missing = 0xDEADBEEF)
{
    DWORD value = missing, size = sizeof(value);
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Quenwick\\Glintfix\\Settings", name, RRF_RT_REG_DWORD, NULL, &value,
                 &size);
    return value;
}

// An editor started like the program with its own command line; its
// windows go when the object goes (changes are thrown away unasked).
class RunningGlintfix
{
public:
    explicit RunningGlintfix(const std::string& commandLine)
    {
        CGlintfixApp* app = GetGlintfixApp();
        app->StartGlintfix(commandLine.c_str());
        m_frame = dynamic_cast<CMainFrame*>(app->m_pMainWnd);
        m_hFrame = m_frame ? m_frame->m_hWnd : NULL;
        Pump(100);
    }
    ~RunningGlintfix()
    {
        CGlintfixApp* app = GetGlintfixApp();
        // A test may have closed the editor itself (and the frame object with it).
        if (m_hFrame && ::IsWindow(m_hFrame))
        {
            for (CGlintfixDoc* doc = Doc(); doc; doc = Doc())
            {
                doc->SetModifiedFlag(FALSE);
                doc->OnCloseDocument();
            }
            m_frame->DestroyWindow();
        }
        app->m_pMainWnd = NULL;
        Pump(20);
    }
    CMainFrame* Frame() const { return m_frame; }
    HWND FrameHandle() const { return m_hFrame; }
    CGlintfixView* View() const
    {
        CMDIChildWnd* child = m_frame ? m_frame->MDIGetActive() : NULL;
        return child ? dynamic_cast<CGlintfixView*>(child->GetActiveView()) : NULL;
    }
    CGlintfixDoc* Doc() const { return View() ? View()->GetDoc() : NULL; }
    int ChildCount() const
    {
        int count = 0;
        for (HWND h = ::GetWindow(m_frame->m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
            count += ::GetWindow(h, GW_OWNER) == NULL ? 1 : 0;
        return count;
    }

    // Sends a command the way a menu or an accelerator does.
    void Command(UINT id) { m_frame->SendMessage(WM_COMMAND, id, 0); }
    // The "Glintfix" button of the tracker bar, clicked.
    void ClickGlintfixButton()
    {
        HWND button = ::GetDlgItem(m_frame->m_wndTrackerBar.m_hWnd, IDC_GLINTFIX);
        ASSERT_TRUE(button != NULL);
        ::SendMessageA(button, BM_CLICK, 0, 0);
    }
    bool Enabled(UINT id)
    {
        StateProbe probe(id);
        probe.DoUpdate(m_frame, FALSE);
        return probe.enabled;
    }
    void Click(int x, int y)
    {
        View()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, wintest::Pack(x, y));
        View()->SendMessage(WM_LBUTTONUP, 0, wintest::Pack(x, y));
    }
    CPoint TrackerPoint() const
    {
        CTracker* tracker = CTracker::Find(View());
        return tracker ? tracker->m_Point : CPoint(-1, -1);
    }
    // Sizes the active child so that its view's client area is w x h.
    void SetViewClientSize(int w, int h)
    {
        CFrameWnd* child = View()->GetParentFrame();
        for (int i = 0; i < 3; ++i)
        {
            CRect client, window;
            View()->GetClientRect(&client);
            child->GetWindowRect(&window);
            child->SetWindowPos(NULL, 0, 0, window.Width() + w - client.Width(), window.Height() + h - client.Height(),
                                SWP_NOMOVE | SWP_NOZORDER);
            Pump(20);
        }
    }
    void Pump(DWORD ms) { wintest::Pump(*AfxGetApp(), ms); }

private:
    CMainFrame* m_frame = NULL;
    HWND m_hFrame = NULL;
};

inline std::string Quoted(const std::string& path) { return "Glintfix.exe \"" + path + "\""; }
}
