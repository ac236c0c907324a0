// Helpers of the batch tool tests: pictures on disk, a list over them, the
// message boxes answered by the test, a host window for the tool windows and
// a watcher that closes the progress window once it says it is done.
#pragma once

#include <windows.h>
#include <memory>
#include <string>
#include <vector>

#include "AfxMessageBox.h"
#include "CatalogueFileList.h"
#include "FileBytes.h"
#include "NativeTool.h"
#include "TempFolder.h"
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "batch/DialogBatchJob.h"

namespace batch_test
{
using test_support::TempFolder;

// A smooth colour picture of w x h written as a JPEG at `path`.
inline void WriteJpeg(const std::string& path, int w, int h, int seed = 0)
{
    CRgbBuffer picture(w, h);
    picture.m_GrayScale = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            BYTE* p = picture.m_Buffer + 3 * ((size_t)y * w + x);
            p[0] = (BYTE)(60 + 150 * x / w);
            p[1] = (BYTE)((seed * 70 + 180 * y / h) % 256);
            p[2] = (BYTE)(200 - 100 * (x + y) / (w + h));
        }
    CJpgFile(path.c_str(), 90, false).Save(&picture);
}

// Size of a picture file as the codecs read it (0 x 0 when unreadable).
inline CSize PictureSize(const std::string& path)
{
    CRgbBuffer picture;
    picture.LoadRgbBuffer(path.c_str());
    return picture.IsImage() ? picture.GetImageSize() : CSize(0, 0);
}

// Number of colour components of a baseline or progressive JPEG (0 when
// no frame header is found).
inline int JpegComponents(const std::string& path)
{
    std::string bytes = test_support::FileBytes(path);
    for (size_t i = 2; i + 9 < bytes.size(); ++i)
        if ((BYTE)bytes[i] == 0xFF && ((BYTE)bytes[i + 1] == 0xC0 || (BYTE)bytes[i + 1] == 0xC2))
            return (BYTE)bytes[i + 9];
    return 0;
}

// A list of the given files, all selected unless listed in `unselected`.
inline CTestList* MakeList(const TempFolder& folder, const std::vector<std::string>& files,
                           const std::vector<int>& unselected = {})
{
    CTestList* list = new CTestList(folder.File("catalogue.db"));
    for (size_t i = 0; i < files.size(); ++i)
    {
        CFileInfo* entry = list->InsertFile(files[i].c_str());
        if (entry)
            entry->Select(true);
    }
    for (int index : unselected)
        static_cast<CFileInfo*>(list->GetAt(list->FindIndex(index)))->Select(false);
    return list;
}

// Message boxes of the tools: recorded, answered from a queue (OK when empty).
struct Messages
{
    struct Seen
    {
        std::string text;
        UINT type;
    };
    static std::vector<Seen>& All()
    {
        static std::vector<Seen> seen;
        return seen;
    }
    static std::vector<int>& Answers()
    {
        static std::vector<int> answers;
        return answers;
    }
    static int Answer(const char* text, UINT type)
    {
        All().push_back({text, type});
        if (Answers().empty())
            return IDOK;
        int answer = Answers().front();
        Answers().erase(Answers().begin());
        return answer;
    }
    Messages(std::vector<int> answers = {})
    {
        All().clear();
        Answers() = answers;
        AfxSetMessageBoxHook(Answer);
    }
    ~Messages() { AfxSetMessageBoxHook(NULL); }
};

// A visible top-level window for the tool windows to live in.
class Host
{
public:
    Host()
    {
        m_hWnd = CreateWindowExA(0, "STATIC", "batch host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 330,
                                 700, NULL, NULL, GetModuleHandleA(NULL), NULL);
    }
    ~Host() { DestroyWindow(m_hWnd); }
    CWnd* Wnd() const { return CWnd::FromHandle(m_hWnd); }
    HWND m_hWnd;
};

// Closes the progress window of this process (as ESC does) once its caption
// says the job is done ("Done. ... Press ESC key"); counts how many it closed
// and keeps the last such caption and the status text shown with it. Message boxes captioned "Error" (the video
// writer's) are answered with OK and their texts kept.
class DoneCloser
{
public:
    DoneCloser() : m_Stop(CreateEventA(NULL, TRUE, FALSE, NULL)), m_Closed(0)
    {
        InitializeCriticalSection(&m_Lock);
        m_Thread = CreateThread(NULL, 0, Watch, this, 0, NULL);
    }
    ~DoneCloser()
    {
        SetEvent(m_Stop);
        WaitForSingleObject(m_Thread, INFINITE);
        CloseHandle(m_Thread);
        CloseHandle(m_Stop);
        DeleteCriticalSection(&m_Lock);
    }
    int Closed() const { return m_Closed; }
    std::string EndText()
    {
        EnterCriticalSection(&m_Lock);
        std::string text = m_EndText;
        LeaveCriticalSection(&m_Lock);
        return text;
    }
    std::string StatusText()
    {
        EnterCriticalSection(&m_Lock);
        std::string text = m_StatusText;
        LeaveCriticalSection(&m_Lock);
        return text;
    }
    std::vector<std::string> Errors()
    {
        EnterCriticalSection(&m_Lock);
        std::vector<std::string> errors = m_Errors;
        LeaveCriticalSection(&m_Lock);
        return errors;
    }

private:
    // Reads captions with InternalGetWindowText, which sends no message: the
    // test thread may be waiting for this thread and not pumping.
    static BOOL CALLBACK Visit(HWND window, LPARAM param)
    {
        DoneCloser* self = (DoneCloser*)param;
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        WCHAR caption[128] = L"";
        if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
            !InternalGetWindowText(window, caption, 128))
            return TRUE;
        std::wstring text(caption);
        const std::wstring done = L"Done. ", end = L"Press ESC key";
        bool isDone = text.compare(0, done.size(), done) == 0 && text.size() >= end.size() &&
                      text.compare(text.size() - end.size(), end.size(), end) == 0;
        bool isError = text == L"Error";
        if (!isDone && !isError)
            return TRUE;
        for (HWND closed : self->m_ClosedWindows)
            if (closed == window)
                return TRUE;
        self->m_ClosedWindows.push_back(window);
        EnterCriticalSection(&self->m_Lock);
        if (isDone)
        {
            self->m_EndText = std::string(text.begin(), text.end());
            WCHAR status[512] = L"";
            if (HWND label = GetDlgItem(window, IDC_BATCH_STATUS))
                InternalGetWindowText(label, status, 512);
            std::wstring wide(status);
            self->m_StatusText = std::string(wide.begin(), wide.end());
        }
        else
        {
            WCHAR message[256] = L"";
            if (HWND label = GetDlgItem(window, 0xFFFF))
                InternalGetWindowText(label, message, 256);
            std::wstring wide(message);
            self->m_Errors.push_back(std::string(wide.begin(), wide.end()));
        }
        LeaveCriticalSection(&self->m_Lock);
        PostMessageA(window, WM_COMMAND, isDone ? IDCANCEL : IDOK, 0);
        if (isDone)
            InterlockedIncrement(&self->m_Closed);
        return TRUE;
    }
    static DWORD WINAPI Watch(LPVOID param)
    {
        DoneCloser* self = (DoneCloser*)param;
        while (WaitForSingleObject(self->m_Stop, 30) == WAIT_TIMEOUT)
            EnumWindows(Visit, (LPARAM)self);
        return 0;
    }
    HANDLE m_Stop;
    HANDLE m_Thread;
    LONG m_Closed;
    std::vector<HWND> m_ClosedWindows;
    CRITICAL_SECTION m_Lock;
    std::string m_EndText;
    std::string m_StatusText;
    std::vector<std::string> m_Errors;
};

// Names in `folder` matching `pattern` (hidden files included, not "." and "..").
inline std::vector<std::string> FilesMatching(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, ".."))
            names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// A native command on a Windows path: chattr +i / -i, mount of a small tmpfs.
inline std::string UnixFolder(const std::string& path)
{
    std::string unix = native_tool::UnixPath(path);
    while (!unix.empty() && unix.back() == '/')
        unix.pop_back();
    return unix;
}

// A folder (or file) made immutable, read-only even for root, while it
// lives; Made() is false where chattr is refused.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const std::string& path) : m_Unix(UnixFolder(path))
    {
        m_Made = !m_Unix.empty() && native_tool::RunShell("chattr +i " + native_tool::ShellQuote(m_Unix)) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (m_Made)
            native_tool::RunShell("chattr -i " + native_tool::ShellQuote(m_Unix));
    }
    bool Made() const { return m_Made; }

private:
    std::string m_Unix;
    bool m_Made;
};

// A 64 KiB file system mounted on `path` (made first) while it lives;
// Mounted() is false where mounting is refused.
class SmallDisk
{
public:
    explicit SmallDisk(const std::string& path)
    {
        CreateDirectoryA(path.c_str(), NULL);
        m_Unix = UnixFolder(path);
        m_Mounted = !m_Unix.empty() && native_tool::RunShell("mount -t tmpfs -o size=64k pixmere-test " +
                                                             native_tool::ShellQuote(m_Unix)) == 0;
    }
    ~SmallDisk()
    {
        if (m_Mounted)
            native_tool::RunShell("umount " + native_tool::ShellQuote(m_Unix));
    }
    bool Mounted() const { return m_Mounted; }

private:
    std::string m_Unix;
    bool m_Mounted;
};

// Clicks a button of a tool window.
inline void Click(CWnd* dialog, int id)
{
    ::SendMessageA(dialog->m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog->m_hWnd, id));
}
} // namespace batch_test
