// The browser tests run the browser's own classes in this process: an
// application object of the browser (never run: its InitInstance would wait
// for windows to close), OLE and the common controls, then the tests, each
// making the windows it needs.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <gtest/gtest.h>
#include "PixmereApp.h"
#include "CWinThread.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    static CPixmereApp app;
    app.m_hInstance = GetModuleHandleA(NULL);
    app.SetRegistryKey("Quenwick");
    AfxSetThread(&app);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(NULL);
    int result = RUN_ALL_TESTS();
    OleUninitialize();
    AfxSetThread(NULL);
    return result;
}
