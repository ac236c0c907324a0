// The viewer tests run the viewer's own classes in this process: an
// application object of the viewer, OLE and the common controls, then the
// tests, each starting frames of its own.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <gtest/gtest.h>
#include "ViewerApp.h"
#include "CWinThread.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    static CViewerApp app;
    app.m_hInstance = GetModuleHandleA(NULL);
    AfxSetThread(&app);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(NULL);
    int result = RUN_ALL_TESTS();
    OleUninitialize();
    AfxSetThread(NULL);
    return result;
}
