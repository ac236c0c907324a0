// Helpers of the left-pane tests: a host window for a single tool window, a
// whole browser window made from the program's document template, the
// questions of the panes answered by the test, settings removed so that a
// window starts from a fresh profile, and albums removed again afterwards.
#pragma once

#include <windows.h>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "AfxMessageBox.h"
#include "WindowTestKit.h"
#include "FrameTestKit.h"
#include "Framework.h"
#include "CFrameWnd.h"
#include "Album.h"
#include "BrowserFrame.h"
#include "LeftView.h"
#include "StubDocument.h"
#include "resource.h"
#include "panes/PaneLinks.h"

namespace pane_test
{
// Pumps the calling thread's messages for up to `ms`, or until `done`.
template <class Pred> inline bool PumpUntil(DWORD ms, Pred done)
{
    DWORD start = GetTickCount();
    for (;;)
    {
        if (done())
            return true;
        if (GetTickCount() - start > ms)
            return done();
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}
inline void Pump(DWORD ms) { PumpUntil(ms, [] { return false; }); }

// A visible top-level window to hold one tool window.
class HostWindow : public CWnd
{
public:
    HostWindow(int width = 420, int height = 360)
    {
        CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)), "PaneHost",
                 WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, width, height, NULL, NULL);
    }
    ~HostWindow() override
    {
        if (GetSafeHwnd())
            DestroyWindow();
    }
};

// A browser window (frame, left pane and thumbnail view) made on the calling
// thread as a browser thread makes it, given time for the left pane's
// second layout.
class BrowserWindow : public frame_test::RunningBrowser
{
public:
    BrowserWindow()
    {
        if (Frame())
            Frame()->SetWindowPos(NULL, 0, 0, 1000, 760, SWP_NOZORDER | SWP_NOACTIVATE);
        Pump(200);
    }
    CLeftView* Left() const { return Frame() ? Frame()->GetLeftView() : NULL; }
};

// Records the panes' questions and answers them from a queue (IDOK, or
// IDYES for a yes/no question, when the queue is empty).
class Questions
{
public:
    Questions()
    {
        Current() = this;
        AfxSetMessageBoxHook(&Questions::Answer);
    }
    ~Questions()
    {
        AfxSetMessageBoxHook(NULL);
        Current() = NULL;
    }
    std::vector<std::string> asked;
    std::deque<int> answers;

private:
    static Questions*& Current()
    {
        static Questions* current = NULL;
        return current;
    }
    static int Answer(const char* text, UINT type)
    {
        Questions* self = Current();
        self->asked.push_back(text);
        if (!self->answers.empty())
        {
            int answer = self->answers.front();
            self->answers.pop_front();
            return answer;
        }
        return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    }
};

// The program's settings key "Software\<company>\<program>\Settings".
inline std::string SettingsKey()
{
    CWinApp* app = AfxGetApp();
    return std::string("Software\\") + app->m_pszRegistryKey + "\\" + app->m_pszProfileName + "\\Settings";
}

inline void RemoveSetting(const char* name)
{
    AfxGetApp()->WriteProfileString("Settings", name, NULL);
}

inline int ReadSetting(const char* name, int fallback = -12345)
{
    return (int)AfxGetApp()->GetProfileInt("Settings", name, fallback);
}

inline void WriteSetting(const char* name, int value)
{
    AfxGetApp()->WriteProfileInt("Settings", name, value);
}

// Removes the album files of the numbers it is given when it goes.
class AlbumCleanup
{
public:
    ~AlbumCleanup()
    {
        for (unsigned number : m_numbers)
            CAlbum::DeleteAlbum(number);
    }
    unsigned Add(unsigned number)
    {
        m_numbers.push_back(number);
        return number;
    }

private:
    std::vector<unsigned> m_numbers;
};
} // namespace pane_test
