// Helpers of the thumbnail view's tests: a browser window made from the
// browser's own classes on the test's thread, folders of picture stand-ins
// (written natively when there are many), message pumping and counting the
// view's child windows.
#pragma once

#include <windows.h>
#include <string>
#include <gtest/gtest.h>

#include "Framework.h"
#include "CDocTemplate.h"
#include "CatalogueTestKit.h"
#include "NativeTool.h"
#include "BrowserFrame.h"
#include "BrowserView.h"
#include "LeftView.h"
#include "StubDocument.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "resource.h"

namespace view_test
{
using catalogue_test::TempFolder;

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
        Sleep(2);
    } while ((LONG)(end - GetTickCount()) > 0);
}

// `count` empty picture stand-ins p00000.bmp ... in folder (pictures are
// recognised by their name), written by the native shell at once.
inline void MakePicturesNatively(const std::string& folder, int count)
{
    std::string script = "cd " + native_tool::ShellQuote(native_tool::UnixPath(folder)) +
                         " && python3 -c \"[open('p%05d.bmp' % i, 'w').close() for i in range(" +
                         std::to_string(count) + ")]\"";
    ASSERT_EQ(0, native_tool::RunShell(script));
}

// The same through Win32, for a few pictures.
inline void MakePictures(const std::string& folder, int count)
{
    for (int i = 0; i < count; ++i)
    {
        char name[32];
        snprintf(name, sizeof(name), "\\p%05d.bmp", i);
        HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << name;
        CloseHandle(file);
    }
}

// A browser window made as a browser thread makes it, with the thumbnail
// width and captions given; the view's client area is set to w x h.
class BrowserWindow
{
public:
    BrowserWindow(int w, int h, int thumbSize = 120)
    {
        m_template = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CStubDocument),
                                            RUNTIME_CLASS(CBrowserFrame), RUNTIME_CLASS(CLeftView));
        m_previousMain = AfxGetThread()->m_pMainWnd;
        m_frame = dynamic_cast<CBrowserFrame*>(m_template->CreateNewFrame(NULL, NULL));
        if (!m_frame)
            return;
        AfxGetThread()->m_pMainWnd = m_frame;
        m_frame->m_nThumbXSize = thumbSize;
        m_frame->m_bPropShowFileName = 1;
        m_frame->m_bPropShowFileDescription = 0;
        m_template->InitialUpdateFrame(m_frame, NULL, TRUE);
        m_frame->ShowWindow(SW_SHOWNORMAL);
        m_view = m_frame->GetBrowserView();
        SetClientSize(w, h);
    }
    ~BrowserWindow()
    {
        if (m_frame && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        AfxGetThread()->m_pMainWnd = m_previousMain;
        delete m_template;
        Pump(10);
    }
    CBrowserFrame* Frame() const { return m_frame; }
    CBrowserView* View() const { return m_view; }

    // Sizes the frame so that the view's client area is w x h (scroll bars
    // may take their part afterwards).
    void SetClientSize(int w, int h)
    {
        for (int i = 0; i < 3 && m_view; ++i)
        {
            CRect client, window;
            m_view->GetClientRect(&client);
            m_frame->GetWindowRect(&window);
            m_frame->SetWindowPos(NULL, 0, 0, window.Width() + w - client.Width(),
                                  window.Height() + h - client.Height(), SWP_NOMOVE | SWP_NOZORDER);
            Pump(10);
        }
    }

private:
    CSingleDocTemplate* m_template = NULL;
    CBrowserFrame* m_frame = NULL;
    CBrowserView* m_view = NULL;
    CWnd* m_previousMain = NULL;
};

// Every window below `parent` (cells and their caption edits).
inline BOOL CALLBACK CountOne(HWND, LPARAM count)
{
    ++*(int*)count;
    return TRUE;
}

inline int CountDescendants(HWND parent)
{
    int count = 0;
    EnumChildWindows(parent, CountOne, (LPARAM)&count);
    return count;
}

// One browser window for the tests of a suite (making a frame with its left
// pane takes seconds under Wine); each test lets its list go at its end.
class ViewWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_window = new BrowserWindow(700, 500); }
    static void TearDownTestSuite()
    {
        delete s_window;
        s_window = NULL;
    }
    void SetUp() override
    {
        ASSERT_TRUE(View() != NULL);
        s_window->SetClientSize(700, 500);
    }
    void TearDown() override
    {
        if (View())
            View()->ClearView();
    }
    static CBrowserView* View() { return s_window ? s_window->View() : NULL; }
    static BrowserWindow* s_window;
};
using ViewWindow = ViewWindowTest;

inline CString NameOf(const CFileInfo* entry)
{
    return CFileInfo::GetFileFromFullPath(entry->GetName());
}

inline int SelectedCount(CBrowserView* view)
{
    int n = 0;
    for (CFileInfo* entry : view->GetEntries())
        n += entry->Selected();
    return n;
}
}
