// Test entry point: the thread is a single-threaded apartment, as the shell's
// is when it calls a context-menu extension (ShellExecute needs one too).
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

int main(int argc, char** argv)
{
    OleInitialize(NULL);
    testing::InitGoogleTest(&argc, argv);
    int nResult = RUN_ALL_TESTS();
    OleUninitialize();
    return nResult;
}
