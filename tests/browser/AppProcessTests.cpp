// The browser process as a user meets it: Pixmere.exe started on a folder
// opens one maximised window, "New window" opens a normal one on its own
// thread, closing one window leaves the program running, and closing the
// last one ends the process even while thumbnails are still queued.
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "TempFolder.h"
#include "resource.h"

namespace
{
struct FindFrames
{
    DWORD process;
    std::vector<HWND> frames;
};

BOOL CALLBACK CollectFrame(HWND hwnd, LPARAM param)
{
    FindFrames* find = (FindFrames*)param;
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == find->process && IsWindowVisible(hwnd) && GetMenu(hwnd))
        find->frames.push_back(hwnd);
    return TRUE;
}

// The visible browser frames (top-level windows with a menu) of a process.
std::vector<HWND> Frames(DWORD process)
{
    FindFrames find = {process, {}};
    EnumWindows(CollectFrame, (LPARAM)&find);
    return find.frames;
}

// Waits until the process shows `count` frames; false after `ms`.
bool WaitForFrames(const PROCESS_INFORMATION& pi, size_t count, DWORD ms)
{
    DWORD end = GetTickCount() + ms;
    while ((LONG)(end - GetTickCount()) > 0)
    {
        if (Frames(pi.dwProcessId).size() == count)
            return true;
        if (WaitForSingleObject(pi.hProcess, 100) == WAIT_OBJECT_0)
            return false;
    }
    return false;
}

// A folder of pictures large enough that thumbnails are still queued when
// the window closes.
void WritePictures(const test_support::TempFolder& folder, int count)
{
    const int w = 400, h = 300, stride = w * 3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * h;
    info.biSize = sizeof(info);
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<BYTE> pixels(stride * h);
    for (int i = 0; i < count; ++i)
    {
        for (size_t k = 0; k < pixels.size(); ++k)
            pixels[k] = (BYTE)(k * (i + 3) / 7);
        char name[32];
        snprintf(name, sizeof(name), "picture_%03d.bmp", i);
        FILE* f = fopen(folder.File(name).c_str(), "wb");
        ASSERT_TRUE(f != NULL);
        fwrite(&file, sizeof(file), 1, f);
        fwrite(&info, sizeof(info), 1, f);
        fwrite(pixels.data(), 1, pixels.size(), f);
        fclose(f);
    }
}

class PixmereProcess
{
public:
    explicit PixmereProcess(const std::string& startFile) : m_pi()
    {
        std::string command = std::string("\"") + PIXMERE_BIN_DIR + "\\Pixmere.exe\" \"" + startFile + "\"";
        STARTUPINFOA si = {sizeof(si)};
        m_started = CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi) != 0;
    }
    ~PixmereProcess()
    {
        if (!m_started)
            return;
        if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_pi.hProcess, 1);
        CloseHandle(m_pi.hThread);
        CloseHandle(m_pi.hProcess);
    }
    bool Started() const { return m_started; }
    const PROCESS_INFORMATION& Info() const { return m_pi; }

private:
    bool m_started;
    PROCESS_INFORMATION m_pi;
};
}

TEST(PixmereProcess, SecondWindowOpensNormallyAndTheLastWindowClosedEndsTheProcess)
{
    test_support::TempFolder folder("pixmere_process");
    WritePictures(folder, 120);
    PixmereProcess pixmere(folder.Path());
    ASSERT_TRUE(pixmere.Started());
    const PROCESS_INFORMATION& pi = pixmere.Info();

    ASSERT_TRUE(WaitForFrames(pi, 1, 60000)) << "no browser window appeared";
    HWND first = Frames(pi.dwProcessId)[0];
    // The frame appears normal, then its thread maximises it.
    for (int i = 0; i < 50 && !IsZoomed(first); ++i)
        Sleep(100);
    EXPECT_TRUE(IsZoomed(first)) << "the first window opens maximised";

    PostMessageA(first, WM_COMMAND, ID_NEW_WINDOW, 0);
    ASSERT_TRUE(WaitForFrames(pi, 2, 30000)) << "New window opened no second window";
    std::vector<HWND> frames = Frames(pi.dwProcessId);
    HWND second = frames[0] == first ? frames[1] : frames[0];
    EXPECT_FALSE(IsZoomed(second)) << "later windows open normally";
    EXPECT_NE(GetWindowThreadProcessId(first, NULL), GetWindowThreadProcessId(second, NULL))
        << "each window runs on a thread of its own";

    // Closing one window leaves the program running with the other.
    PostMessageA(second, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_TRUE(WaitForFrames(pi, 1, 15000));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(pi.hProcess, 1000));

    // The last window's close ends the process, queued thumbnails or not.
    PostMessageA(first, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 30000)) << "the process did not end";
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(0u, code);
}
