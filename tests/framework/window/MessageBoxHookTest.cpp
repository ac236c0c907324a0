// AfxSetMessageBoxHook: every AfxMessageBox goes to the installed hook.
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

#include "AfxMessageBox.h"

namespace
{
std::string g_text;
UINT g_type = 0;

int AnswerNo(LPCSTR text, UINT type)
{
    g_text = text;
    g_type = type;
    return IDNO;
}

int AnswerYes(LPCSTR, UINT)
{
    return IDYES;
}

// Cancels any real message box the watched thread shows, so a box that was
// not hooked ends the test with IDCANCEL instead of waiting for a user.
struct BoxCanceller
{
    DWORD thread = GetCurrentThreadId();
    HANDLE stop = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE worker = NULL;
    BoxCanceller() { worker = CreateThread(NULL, 0, &Run, this, 0, NULL); }
    ~BoxCanceller()
    {
        SetEvent(stop);
        WaitForSingleObject(worker, 10000);
        CloseHandle(worker);
        CloseHandle(stop);
    }
    static BOOL CALLBACK Cancel(HWND wnd, LPARAM)
    {
        char name[16] = {};
        GetClassNameA(wnd, name, sizeof name);
        if (lstrcmpA(name, "#32770") == 0)
            PostMessageA(wnd, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    static DWORD WINAPI Run(void* arg)
    {
        BoxCanceller* self = static_cast<BoxCanceller*>(arg);
        while (WaitForSingleObject(self->stop, 500) == WAIT_TIMEOUT)
            EnumThreadWindows(self->thread, &Cancel, 0);
        return 0;
    }
};
} // namespace

TEST(MessageBoxHook, AnswersInPlaceOfTheBoxWithTheCallersTextAndType)
{
    BoxCanceller canceller;
    AFX_MESSAGEBOX_HOOK before = AfxSetMessageBoxHook(&AnswerNo);
    int answer = AfxMessageBox("Replace the file?", MB_YESNOCANCEL);
    EXPECT_EQ(IDNO, answer);
    EXPECT_EQ("Replace the file?", g_text);
    EXPECT_EQ((UINT)MB_YESNOCANCEL, g_type) << "the hook sees the caller's type, not the icon added for the box";

    // A second hook replaces the first and hands it back.
    EXPECT_EQ(&AnswerNo, AfxSetMessageBoxHook(&AnswerYes));
    EXPECT_EQ(IDYES, AfxMessageBox("Again?", MB_YESNOCANCEL));
    EXPECT_EQ(&AnswerYes, AfxSetMessageBoxHook(before));
}
