/* Holds the tests' Wine session open for a whole test run. scripts/ctest.sh
   starts it before ctest, with its output sent nowhere, and ends it after.
   Without it, each test program starts Wine's services and desktop process
   itself; these inherit the program's output pipe and stay up until the
   session ends some 20 seconds after the program, and ctest waits for the
   pipe to close. A message-only window attaches this process to the desktop
   (bringing the desktop process up) and shows nothing. When it is up, the
   keeper creates the file named by its argument. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevious, LPSTR pszCommandLine, int nShow)
{
    HWND hWnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, hInstance, NULL);
    if (hWnd == NULL)
        return 1;
    if (pszCommandLine != NULL && pszCommandLine[0] != 0)
    {
        HANDLE hReady = CreateFileA(pszCommandLine, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, NULL);
        if (hReady != INVALID_HANDLE_VALUE)
            CloseHandle(hReady);
    }
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
