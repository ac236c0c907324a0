// Self-registration through regsvr32 in the test prefix: every key and value it
// writes, and that unregistration leaves none of them behind.
#include "ContexoCopy.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <olectl.h>

namespace {

const char CLASS_KEY[] = "CLSID\\{4C17BBF3-767C-4DFE-B4FD-BFD54EA50F95}";
const char SERVER_KEY[] = "CLSID\\{4C17BBF3-767C-4DFE-B4FD-BFD54EA50F95}\\InProcServer32";
const char HANDLER_KEY[] = "*\\shellex\\ContextMenuHandlers\\Pixmere";
const char APPROVED_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

struct CStringValue
{
    bool bFound = false;
    DWORD nType = 0;
    DWORD nSize = 0;
    std::string text;
};

CStringValue ReadValue(HKEY hRoot, const char* pszKey, const char* pszName)
{
    CStringValue value;
    HKEY hKey = NULL;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return value;
    char szData[1024];
    DWORD nSize = sizeof(szData);
    if (RegQueryValueExA(hKey, pszName, NULL, &value.nType, reinterpret_cast<BYTE*>(szData), &nSize)
        == ERROR_SUCCESS)
    {
        value.bFound = true;
        value.nSize = nSize;
        value.text.assign(szData, strnlen(szData, nSize));
    }
    RegCloseKey(hKey);
    return value;
}

bool KeyExists(HKEY hRoot, const char* pszKey)
{
    HKEY hKey = NULL;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

// Runs a program of the prefix and returns its exit code, or -1.
int RunProgram(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return -1;
    DWORD nExit = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &nExit);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(nExit);
}

// A string value as registration writes it: REG_SZ, terminator counted.
void ExpectString(HKEY hRoot, const char* pszKey, const char* pszName, const std::string& expected)
{
    CStringValue value = ReadValue(hRoot, pszKey, pszName);
    ASSERT_TRUE(value.bFound) << pszKey << " : " << (pszName ? pszName : "(default)");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.nType) << pszKey;
    EXPECT_EQ(expected.size() + 1, value.nSize) << pszKey;
    EXPECT_EQ(expected, value.text) << pszKey;
}

void ExpectNothingRegistered()
{
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, SERVER_KEY));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, CLASS_KEY));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, HANDLER_KEY));
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, APPROVED_KEY, CONTEXO_CLSID_TEXT).bFound);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, (std::string(APPROVED_KEY) + "\\Pixmere").c_str()));
}

class RegistrationTest : public testing::Test
{
protected:
    CTempFolder m_Folder{"register"};
    std::string m_Dll;

    void SetUp() override
    {
        // A folder with a blank in its name, as "Program Files" has.
        m_Dll = m_Folder.Folder("Pixmere Suite") + "\\Contexo.dll";
        ASSERT_TRUE(CopyFileA(BuiltBinary("Contexo.dll").c_str(), m_Dll.c_str(), FALSE));
        // A run that died half-way may have left a registration behind.
        if (KeyExists(HKEY_CLASSES_ROOT, CLASS_KEY))
            RunProgram("regsvr32.exe /s /u \"" + m_Dll + "\"");
    }
    void TearDown() override
    {
        if (KeyExists(HKEY_CLASSES_ROOT, CLASS_KEY))
            RunProgram("regsvr32.exe /s /u \"" + m_Dll + "\"");
    }
};

TEST_F(RegistrationTest, Regsvr32WritesEveryKeyAndValue)
{
    ASSERT_EQ(0, RunProgram("regsvr32.exe /s \"" + m_Dll + "\""));
    ExpectString(HKEY_CLASSES_ROOT, CLASS_KEY, NULL, "Pixmere");
    ExpectString(HKEY_CLASSES_ROOT, SERVER_KEY, NULL, m_Dll);
    ExpectString(HKEY_CLASSES_ROOT, SERVER_KEY, "ThreadingModel", "Apartment");
    ExpectString(HKEY_CLASSES_ROOT, HANDLER_KEY, NULL, CONTEXO_CLSID_TEXT);
    ExpectString(HKEY_LOCAL_MACHINE, APPROVED_KEY, CONTEXO_CLSID_TEXT, "Pixmere");
    // Registering again rewrites the same values.
    ASSERT_EQ(0, RunProgram("regsvr32.exe /s \"" + m_Dll + "\""));
    ExpectString(HKEY_CLASSES_ROOT, SERVER_KEY, NULL, m_Dll);
}

TEST_F(RegistrationTest, RegisteredClassIsFoundByCom)
{
    ASSERT_EQ(0, RunProgram("regsvr32.exe /s \"" + m_Dll + "\""));
    IContextMenu* pMenu = NULL;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ContexoUnderTest, NULL, CLSCTX_INPROC_SERVER, IID_IContextMenu,
                                     reinterpret_cast<void**>(&pMenu)));
    ASSERT_NE(nullptr, pMenu);
    EXPECT_NE(nullptr, GetModuleHandleA(m_Dll.c_str()));
    char szVerb[32] = "";
    EXPECT_EQ(S_OK, pMenu->GetCommandString(2, GCS_VERBA, NULL, szVerb, sizeof(szVerb)));
    EXPECT_STREQ("Pixmere Glintfix", szVerb);
    pMenu->Release();
    // With no object left COM may unload the server at once.
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_EQ(nullptr, GetModuleHandleA(m_Dll.c_str()));
}

TEST_F(RegistrationTest, Regsvr32UnregisterLeavesNothingBehind)
{
    ASSERT_EQ(0, RunProgram("regsvr32.exe /s \"" + m_Dll + "\""));
    ASSERT_TRUE(KeyExists(HKEY_CLASSES_ROOT, SERVER_KEY));
    ASSERT_EQ(0, RunProgram("regsvr32.exe /s /u \"" + m_Dll + "\""));
    ExpectNothingRegistered();
}

TEST_F(RegistrationTest, UnregisterAlsoRemovesTheOldApprovalKey)
{
    ASSERT_EQ(0, RunProgram("regsvr32.exe /s \"" + m_Dll + "\""));
    HKEY hKey = NULL;
    std::string oldKey = std::string(APPROVED_KEY) + "\\Pixmere";
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, oldKey.c_str(), 0, NULL, 0, KEY_WRITE,
                                             NULL, &hKey, NULL));
    RegCloseKey(hKey);
    ASSERT_EQ(0, RunProgram("regsvr32.exe /s /u \"" + m_Dll + "\""));
    ExpectNothingRegistered();
}

TEST_F(RegistrationTest, UnregisteringWhatIsNotRegisteredFails)
{
    ASSERT_FALSE(KeyExists(HKEY_CLASSES_ROOT, CLASS_KEY));
    EXPECT_NE(0, RunProgram("regsvr32.exe /s /u \"" + m_Dll + "\""));
    CContexoCopy contexo(m_Folder.Folder("direct"));
    ASSERT_TRUE(contexo.IsLoaded());
    EXPECT_EQ(SELFREG_E_CLASS, contexo.UnregisterServer());
}

TEST_F(RegistrationTest, UnregisterStopsAtAClassKeyItCannotDelete)
{
    // A subkey of someone else's under the class key keeps it from going.
    CContexoCopy contexo(m_Folder.Folder("direct"));
    ASSERT_TRUE(contexo.IsLoaded());
    ASSERT_EQ(S_OK, contexo.RegisterServer());
    std::string foreign = std::string(CLASS_KEY) + "\\Foreign";
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, foreign.c_str(), 0, NULL, 0, KEY_WRITE,
                                             NULL, &hKey, NULL));
    RegCloseKey(hKey);
    EXPECT_EQ(SELFREG_E_CLASS, contexo.UnregisterServer());
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, SERVER_KEY));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, HANDLER_KEY));
    RegDeleteKeyA(HKEY_CLASSES_ROOT, foreign.c_str());
    EXPECT_EQ(S_OK, contexo.RegisterServer());
    EXPECT_EQ(S_OK, contexo.UnregisterServer());
    ExpectNothingRegistered();
}

} // namespace
