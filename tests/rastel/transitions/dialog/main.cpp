// The chooser tests run with an application object of their own, whose
// settings live under a registry key that the tests empty and remove.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include "Framework.h"
#include "CWinThread.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    static CWinApp app("ChooserTests");
    app.m_hInstance = GetModuleHandleA(NULL);
    AfxSetThread(&app);
    app.SetRegistryKey("Quenwick");
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    int result = RUN_ALL_TESTS();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quenwick\\ChooserTests");
    AfxSetThread(NULL);
    return result;
}
