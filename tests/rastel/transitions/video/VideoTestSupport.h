// Helpers of the video writer tests: the native ffprobe and ffmpeg started
// from the Wine test through the shared native-tool runner, a watcher that
// answers the dialogs the writer opens, and bitmaps to append.
#pragma once

#include <windows.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "NativeTool.h"
#include "RgbBuffer.h"
#include "TempFolder.h"

namespace VideoTest
{
using native_tool::UnixPath;
using test_support::TempFolder;

// Runs a native shell command line, its output sent to outputFile (a Windows
// path) and handed back in output; returns the command's exit code, or -1
// when it did not run.
inline int RunNative(const std::string& command, const std::string& outputFile, std::string* output)
{
    std::string unixOutput = UnixPath(outputFile);
    int code = -1;
    if (!unixOutput.empty())
        code = native_tool::RunShell(command + " > " + native_tool::ShellQuote(unixOutput) + " 2>&1", 600000);
    if (code == -1)
        printf("cannot run %s\n", command.c_str());
    if (output)
        *output = test_support::FileBytes(outputFile);
    DeleteFileA(outputFile.c_str());
    return code;
}

// "key=value" lines of ffprobe's default writer.
inline std::map<std::string, std::string> ParseKeyValues(const std::string& text)
{
    std::map<std::string, std::string> values;
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
        start = end + 1;
    }
    return values;
}

inline std::vector<BYTE> ReadWholeFile(const std::string& path)
{
    std::string bytes = test_support::FileBytes(path);
    return std::vector<BYTE>(bytes.begin(), bytes.end());
}

inline long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// Answers every dialog box of this process while it lives: message boxes
// captioned "Error" with OK, any other dialog with Cancel; records what it saw.
class DialogWatcher
{
public:
    struct Seen
    {
        std::string caption;
        std::string text;
    };

    DialogWatcher() : m_Stop(CreateEventA(NULL, TRUE, FALSE, NULL))
    {
        InitializeCriticalSection(&m_Lock);
        m_Thread = CreateThread(NULL, 0, Watch, this, 0, NULL);
    }
    ~DialogWatcher()
    {
        SetEvent(m_Stop);
        WaitForSingleObject(m_Thread, INFINITE);
        CloseHandle(m_Thread);
        CloseHandle(m_Stop);
        DeleteCriticalSection(&m_Lock);
    }
    std::vector<Seen> Dialogs()
    {
        EnterCriticalSection(&m_Lock);
        std::vector<Seen> copy = m_Seen;
        LeaveCriticalSection(&m_Lock);
        return copy;
    }

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM param)
    {
        DialogWatcher* self = (DialogWatcher*)param;
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[64];
        if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
            !GetClassNameA(window, className, sizeof(className)) || strcmp(className, "#32770") != 0)
            return TRUE;
        for (HWND answered : self->m_Answered)
            if (answered == window)
                return TRUE;
        Seen seen;
        char text[512] = "";
        GetWindowTextA(window, text, sizeof(text));
        seen.caption = text;
        text[0] = 0;
        GetDlgItemTextA(window, 0xFFFF, text, sizeof(text)); // a message box's text
        seen.text = text;
        EnterCriticalSection(&self->m_Lock);
        self->m_Seen.push_back(seen);
        LeaveCriticalSection(&self->m_Lock);
        self->m_Answered.push_back(window);
        PostMessageA(window, WM_COMMAND, seen.caption == "Error" ? IDOK : IDCANCEL, 0);
        return TRUE;
    }
    static DWORD WINAPI Watch(LPVOID param)
    {
        DialogWatcher* self = (DialogWatcher*)param;
        while (WaitForSingleObject(self->m_Stop, 50) == WAIT_TIMEOUT)
            EnumWindows(Visit, (LPARAM)self);
        return 0;
    }

    HANDLE m_Stop;
    HANDLE m_Thread;
    CRITICAL_SECTION m_Lock;
    std::vector<Seen> m_Seen;
    std::vector<HWND> m_Answered;
};

// A smooth test picture: gradients with a disc placed by the seed; odd and
// even seeds have opposite green gradients.
inline void PaintPicture(CRgbBuffer& picture, int seed)
{
    int w = picture.m_Width, h = picture.m_Height;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
        {
            BYTE* p = picture.m_Buffer + 3 * (y * w + x);
            int dx = x - (w / 4 + seed * 7) % w, dy = y - h / 2;
            bool disc = dx * dx + dy * dy < (h / 4) * (h / 4);
            p[0] = (BYTE)(disc ? 230 : 40 + x * 150 / w);
            p[1] = (BYTE)(disc ? 60 : seed % 2 ? 30 + y * 180 / h : 220 - y * 180 / h);
            p[2] = (BYTE)(disc ? 90 : 200 - (x + y) * 100 / (w + h));
        }
}

// A DIB section of another bit count, for the formats the writer's own
// encoder does not take.
inline HBITMAP CreateSectionBitmap(int width, int height, int bitCount)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = (WORD)bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    return CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
}

inline double Psnr(const BYTE* a, const BYTE* b, size_t count)
{
    double sum = 0;
    for (size_t i = 0; i < count; i++)
    {
        double d = (double)a[i] - b[i];
        sum += d * d;
    }
    if (sum == 0)
        return 99.0;
    return 10.0 * log10(255.0 * 255.0 / (sum / count));
}
} // namespace VideoTest
