// The red-eye editor's tests run its classes in this process: an application
// object of the editor, OLE and the common controls, then the tests, each
// starting a main frame of its own.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <gtest/gtest.h>
#include "GlintfixApp.h"
#include "CWinThread.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    static CGlintfixApp app;
    app.m_hInstance = GetModuleHandleA(NULL);
    AfxSetThread(&app);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(NULL);
    int result = RUN_ALL_TESTS();
    OleUninitialize();
    AfxSetThread(NULL);
    return result;
}
