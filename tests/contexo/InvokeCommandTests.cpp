// IContextMenu::InvokeCommand: the chosen program is started from the
// extension's own folder with the first picture's path in double quotes. The
// programs here are copies of a recorder that writes down how it was started.
#include "ContexoCopy.h"
#include "ExtensionHelpers.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <process.h>

namespace {

struct CRecord
{
    std::string program;        // the recorder's own path
    std::string commandLine;
};

// Everything after the program token (quoted or not) and the blanks after it.
std::string ParametersOf(const std::string& commandLine)
{
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"')
    {
        size_t close = commandLine.find('"', 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    }
    else
        i = commandLine.find_first_of(" \t");
    if (i == std::string::npos)
        return "";
    i = commandLine.find_first_not_of(" \t", i);
    return i == std::string::npos ? "" : commandLine.substr(i);
}

class InvokeCommandTest : public testing::Test
{
protected:
    CTempFolder m_Folder{"invoke"};
    CContexoCopy m_Contexo{m_Folder.Path()};
    std::unique_ptr<CTestDataObject> m_pData;
    IContextMenu* m_pMenu = NULL;

    void SetUp() override { ASSERT_TRUE(m_Contexo.IsLoaded()); }
    void TearDown() override
    {
        if (m_pMenu)
            m_pMenu->Release();
    }

    // The data object outlives the extension object, which holds a reference.
    void Select(const std::vector<std::string>& names, bool bWide = false)
    {
        m_pData.reset(new CTestDataObject(names, bWide));
        m_pMenu = CreateInitializedMenu(m_Contexo, *m_pData);
        ASSERT_NE(nullptr, m_pMenu);
    }

    void InstallPrograms()
    {
        for (const char* pszName : { "Pixmere.exe", "Viewer.exe", "Glintfix.exe" })
            ASSERT_TRUE(CopyFileA(BuiltBinary("contexo_recorder.exe").c_str(),
                                  m_Folder.File(pszName).c_str(), FALSE)) << pszName;
    }

    HRESULT Invoke(LPCSTR pszVerb)
    {
        CMINVOKECOMMANDINFO info = {};
        info.cbSize = sizeof(info);
        info.lpVerb = pszVerb;
        info.nShow = SW_SHOWNORMAL;
        return m_pMenu->InvokeCommand(&info);
    }

    // The records written so far by any of the started programs.
    std::vector<CRecord> Records()
    {
        std::vector<CRecord> records;
        WIN32_FIND_DATAA found;
        HANDLE hFind = FindFirstFileA(m_Folder.File("*.txt").c_str(), &found);
        if (hFind == INVALID_HANDLE_VALUE)
            return records;
        do
            records.push_back(ReadRecord(m_Folder.File(found.cFileName)));
        while (FindNextFileA(hFind, &found));
        FindClose(hFind);
        return records;
    }

    std::vector<CRecord> WaitForRecords(size_t nCount, DWORD nTimeout = 30000)
    {
        DWORD nStart = GetTickCount();
        std::vector<CRecord> records = Records();
        while (records.size() < nCount && GetTickCount() - nStart < nTimeout)
        {
            Sleep(100);
            records = Records();
        }
        return records;
    }

    static CRecord ReadRecord(const std::string& path)
    {
        CRecord record;
        HANDLE hFile = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            return record;
        char szText[4096];
        DWORD nRead = 0;
        ReadFile(hFile, szText, sizeof(szText) - 1, &nRead, NULL);
        CloseHandle(hFile);
        std::string text(szText, nRead);
        size_t firstEnd = text.find('\n');
        if (firstEnd == std::string::npos)
            return record;
        record.program = text.substr(0, firstEnd);
        size_t secondEnd = text.find('\n', firstEnd + 1);
        record.commandLine = text.substr(firstEnd + 1, secondEnd - firstEnd - 1);
        return record;
    }

};

TEST_F(InvokeCommandTest, ViewerGetsTheQuotedPathOfThePicture)
{
    InstallPrograms();
    std::string picture = m_Folder.Folder("My Pictures") + "\\b.JPG";
    Select({m_Folder.File("a.txt"), picture});
    EXPECT_EQ(S_OK, Invoke(MAKEINTRESOURCEA(1)));
    std::vector<CRecord> records = WaitForRecords(1);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(0, _stricmp(m_Folder.File("Viewer.exe").c_str(), records[0].program.c_str()))
        << records[0].program;
    EXPECT_EQ("\"" + picture + "\"", ParametersOf(records[0].commandLine)) << records[0].commandLine;
}

TEST_F(InvokeCommandTest, WideDropListPathArrivesWhole)
{
    InstallPrograms();
    std::string picture = m_Folder.Folder("Holiday 2024") + "\\beach.png";
    Select({m_Folder.File("readme.txt"), picture}, true);
    EXPECT_EQ(S_OK, Invoke(MAKEINTRESOURCEA(1)));
    std::vector<CRecord> records = WaitForRecords(1);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("\"" + picture + "\"", ParametersOf(records[0].commandLine)) << records[0].commandLine;
}

TEST_F(InvokeCommandTest, NameOutsideTheCodePageArrivesIntact)
{
    // Greek, Chinese and an emoji: none of them in a Western code page,
    // which is the shell's (this process has no UTF-8 one either).
    ASSERT_NE(CP_UTF8, GetACP());
    InstallPrograms();
    std::string picture = m_Folder.File("\xCE\xA6\xCF\x89\xCF\x84\xCE\xBF \xE5\x86\x99\xE7\x9C\x9F "
                                        "\xF0\x9F\x98\x80.jpg");
    Select({picture}, true);
    EXPECT_EQ(S_OK, Invoke(MAKEINTRESOURCEA(1)));
    std::vector<CRecord> records = WaitForRecords(1);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("\"" + picture + "\"", ParametersOf(records[0].commandLine)) << records[0].commandLine;
}

TEST_F(InvokeCommandTest, EachCommandStartsItsOwnProgram)
{
    InstallPrograms();
    std::string picture = m_Folder.File("scan.tiff");
    Select({picture});
    EXPECT_EQ(S_OK, Invoke(MAKEINTRESOURCEA(0)));
    EXPECT_EQ(S_OK, Invoke(MAKEINTRESOURCEA(2)));
    std::vector<CRecord> records = WaitForRecords(2);
    ASSERT_EQ(2u, records.size());
    bool bBrowser = false, bGlintfix = false;
    for (const CRecord& record : records)
    {
        bBrowser |= _stricmp(record.program.c_str(), m_Folder.File("Pixmere.exe").c_str()) == 0;
        bGlintfix |= _stricmp(record.program.c_str(), m_Folder.File("Glintfix.exe").c_str()) == 0;
        EXPECT_EQ("\"" + picture + "\"", ParametersOf(record.commandLine)) << record.commandLine;
    }
    EXPECT_TRUE(bBrowser);
    EXPECT_TRUE(bGlintfix);
}

TEST_F(InvokeCommandTest, OnlyTheFirstOfFivePicturesIsPassed)
{
    InstallPrograms();
    Select({m_Folder.File("notes.txt"), m_Folder.File("p1.jpg"), m_Folder.File("p2.png"),
            m_Folder.File("p3.gif"), m_Folder.File("p4.bmp"), m_Folder.File("p5.tif")});
    EXPECT_EQ(S_OK, Invoke(MAKEINTRESOURCEA(1)));
    std::vector<CRecord> records = WaitForRecords(1);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("\"" + m_Folder.File("p1.jpg") + "\"", ParametersOf(records[0].commandLine));
}

TEST_F(InvokeCommandTest, NonCommandsStartNothing)
{
    InstallPrograms();
    Select({m_Folder.File("b.JPG")});
    EXPECT_EQ(S_OK, Invoke("Pixmere Viewer"));
    EXPECT_EQ(S_OK, Invoke(MAKEINTRESOURCEA(3)));
    EXPECT_EQ(S_OK, Invoke(MAKEINTRESOURCEA(0x7FFF)));
    // One real command afterwards: its record arrives, and no other does.
    EXPECT_EQ(S_OK, Invoke(MAKEINTRESOURCEA(2)));
    ASSERT_EQ(1u, WaitForRecords(1).size());
    Sleep(2000);
    std::vector<CRecord> records = Records();
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(0, _stricmp(m_Folder.File("Glintfix.exe").c_str(), records[0].program.c_str()));
}

TEST_F(InvokeCommandTest, SelectionWithoutPicturesStartsNothing)
{
    InstallPrograms();
    Select({m_Folder.File("a.txt")});
    EXPECT_EQ(S_OK, Invoke(MAKEINTRESOURCEA(1)));
    Sleep(3000);
    EXPECT_EQ(0u, Records().size());
}

unsigned __stdcall InvokeViewerOnOwnThread(void* pArgument)
{
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    IContextMenu* pMenu = static_cast<IContextMenu*>(pArgument);
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof(info);
    info.lpVerb = MAKEINTRESOURCEA(1);
    info.nShow = SW_SHOWNORMAL;
    HRESULT hr = pMenu->InvokeCommand(&info);
    CoUninitialize();
    return static_cast<unsigned>(hr);
}

TEST_F(InvokeCommandTest, MissingProgramFailsSilently)
{
    // No programs beside the extension. A message box would block the call:
    // it runs on a thread of its own and must come back by itself.
    Select({m_Folder.File("b.JPG")});
    HANDLE hThread = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, InvokeViewerOnOwnThread, m_pMenu, 0, NULL));
    ASSERT_NE(nullptr, hThread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 30000));
    DWORD nResult = 0;
    GetExitCodeThread(hThread, &nResult);
    CloseHandle(hThread);
    EXPECT_EQ(static_cast<DWORD>(S_OK), nResult);
    EXPECT_EQ(0u, Records().size());
}

} // namespace
