// Helpers of the thumbnail view's tests: a browser window made from the
// browser's own classes on the test's thread (or on a thread of its own, as
// a second browser window runs), folders of picture stand-ins (written
// natively when there are many), message pumping and counting the view's
// child windows.
#pragma once

#include <windows.h>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
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
#include "WindowTestKit.h"
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
        m_frame->ApplyLook();
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

// A second browser window with its own user-interface thread, as "New
// window" makes one. Work for its view runs on that thread (Run waits for
// it, pumping the calling thread's messages meanwhile).
class WindowOnItsThread
{
public:
    WindowOnItsThread() : m_thread([this] { Main(); })
    {
        DWORD start = GetTickCount();
        while (!m_ready && GetTickCount() - start < 30000)
            Pump(5);
    }
    ~WindowOnItsThread()
    {
        m_stop = true;
        m_thread.join();
    }
    bool Ready() const { return m_ready && !m_failed; }
    // Runs `work` with the window's view on the window's thread.
    void Run(const std::function<void(CBrowserView*)>& work)
    {
        {
            std::lock_guard<std::mutex> hold(m_mutex);
            m_work = work;
            m_done = false;
        }
        while (!m_done)
            Pump(5);
    }
    // Waits (pumping both threads) until `done`, asked on the window's thread.
    bool WaitFor(DWORD ms, const std::function<bool(CBrowserView*)>& done)
    {
        DWORD start = GetTickCount();
        for (;;)
        {
            bool now = false;
            Run([&](CBrowserView* view) { now = done(view); });
            if (now)
                return true;
            if (GetTickCount() - start > ms)
                return false;
            Pump(20);
        }
    }

private:
    void Main()
    {
        wintest::ScopedThread thread;
        {
            BrowserWindow window(700, 500);
            m_failed = window.View() == NULL;
            m_ready = true;
            while (!m_stop)
            {
                std::function<void(CBrowserView*)> work;
                {
                    std::lock_guard<std::mutex> hold(m_mutex);
                    work.swap(m_work);
                }
                if (work)
                {
                    if (window.View())
                        work(window.View());
                    m_done = true;
                }
                Pump(5);
            }
        }
    }

    std::mutex m_mutex;
    std::function<void(CBrowserView*)> m_work;
    std::atomic<bool> m_ready{false}, m_failed{false}, m_stop{false}, m_done{true};
    std::thread m_thread;
};

inline CString NameOf(const CFileInfo* entry)
{
    return CFileInfo::GetFileFromFullPath(entry->GetName());
}

// Shows descriptions in the window's cells while it lives.
struct DescriptionsShown
{
    CBrowserFrame* frame;
    int name, description;
    explicit DescriptionsShown(CBrowserFrame* f)
        : frame(f), name(f->m_bPropShowFileName), description(f->m_bPropShowFileDescription)
    {
        frame->m_bPropShowFileName = 0;
        frame->m_bPropShowFileDescription = 1;
        frame->ApplyLook();
    }
    ~DescriptionsShown()
    {
        frame->m_bPropShowFileName = name;
        frame->m_bPropShowFileDescription = description;
        frame->ApplyLook();
    }
};

inline int SelectedCount(CBrowserView* view)
{
    int n = 0;
    for (CFileInfo* entry : view->GetEntries())
        n += entry->Selected();
    return n;
}
}
