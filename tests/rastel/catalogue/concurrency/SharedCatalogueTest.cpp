// Several threads load and save catalogues and register paths at once; the
// suite-wide lock keeps every file whole and every registration.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

#include "CatalogueFileList.h"
#include "CatalogueTestKit.h"
#include "MemoryMappedDB.h"
#include "ThreadBase.h"

namespace
{
struct Shared
{
    std::string catalogue;
    std::vector<std::string> small, large; // the two contents the writers store
    CMemoryMappedDB* registry = nullptr;
    std::string registryFile;
    volatile LONG failures = 0;
    volatile LONG loads = 0;
    volatile LONG saves = 0;
};

struct Worker
{
    Shared* shared;
    int id;
};

const int Rounds = 60;
const int PathsPerRound = 50;
HANDLE g_start;

void Fill(CTestList& list, const std::vector<std::string>& names, int tag)
{
    for (const std::string& n : names)
        if (CFileInfo* e = list.InsertFile(n.c_str()))
        {
            e->SetDescription(("writer " + std::to_string(tag)).c_str());
            e->SetTransition(tag);
        }
}

DWORD WINAPI Writer(void* arg)
{
    Worker* w = static_cast<Worker*>(arg);
    Shared* s = w->shared;
    CTestList list(s->catalogue);
    Fill(list, w->id % 2 ? s->large : s->small, w->id);
    WaitForSingleObject(g_start, INFINITE);
    for (int round = 0; round < Rounds; round++)
    {
        if (!list.Save())
            InterlockedIncrement(&s->failures);
        InterlockedIncrement(&s->saves);
        // Register paths into the shared registry between saves.
        for (int i = 0; i < PathsPerRound; i++)
        {
            char path[MAX_PATH];
            snprintf(path, sizeof(path), "C:\\Thread%d\\Folder%03d", w->id, round * PathsPerRound + i);
            s->registry->RegisterFile(path);
            s->registry->RegisterFile("C:\\Common\\Folder"); // the same path from every thread
        }
    }
    return 0;
}

DWORD WINAPI Reader(void* arg)
{
    Worker* w = static_cast<Worker*>(arg);
    Shared* s = w->shared;
    WaitForSingleObject(g_start, INFINITE);
    for (int round = 0; round < Rounds; round++)
    {
        CTestList list(s->catalogue);
        list.Load();
        std::vector<std::string> names = list.Names();
        if (names != s->small && names != s->large)
            InterlockedIncrement(&s->failures);
        // Every entry of one load comes from one writer.
        int tag = -1;
        POSITION pos = list.GetHeadPosition();
        while (pos)
        {
            CFileInfo* e = static_cast<CFileInfo*>(list.GetNext(pos));
            if (tag == -1)
                tag = e->GetTransition();
            else if (tag != e->GetTransition())
                InterlockedIncrement(&s->failures);
        }
        InterlockedIncrement(&s->loads);
        // Save the shared registry to its file under the suite-wide lock.
        CThreadBase::Lock();
        s->registry->Save();
        CThreadBase::UnLock();
    }
    return 0;
}
}

TEST(SharedCatalogue, ConcurrentLoadsSavesAndRegistrationsLoseNothing)
{
    catalogue_test::TempFolder folder("pixmere_concurrency");
    Shared shared;
    shared.catalogue = folder / "pixmere.db";
    for (int i = 0; i < 12; i++)
    {
        std::string picture = catalogue_test::MakePicture(folder / ("p" + std::to_string(i) + ".jpg"));
        if (i < 3)
            shared.small.push_back(picture);
        shared.large.push_back(picture);
    }
    shared.registryFile = folder / "files.db";
    CMemoryMappedDB registry(shared.registryFile.c_str(), 2048);
    registry.Load();
    shared.registry = &registry;
    {
        CTestList initial(shared.catalogue);
        Fill(initial, shared.small, 0);
        ASSERT_TRUE(initial.Save());
    }

    const int writers = 4, readers = 3;
    std::vector<Worker> workers;
    for (int i = 0; i < writers + readers; i++)
        workers.push_back(Worker{ &shared, i });
    g_start = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::vector<HANDLE> threads;
    for (int i = 0; i < writers + readers; i++)
        threads.push_back(CreateThread(NULL, 0, i < writers ? Writer : Reader, &workers[i], 0, NULL));
    SetEvent(g_start);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects((DWORD)threads.size(), threads.data(), TRUE, 300000));
    for (HANDLE t : threads)
        CloseHandle(t);
    CloseHandle(g_start);

    EXPECT_EQ(0, shared.failures);
    EXPECT_EQ(writers * Rounds, shared.saves);
    EXPECT_EQ(readers * Rounds, shared.loads);
    EXPECT_TRUE(catalogue_test::FilesMatching(folder.Path(), "*.tmp").empty());

    // Every registration is there exactly once, in sorted order.
    int perThread = Rounds * (PathsPerRound);
    std::vector<std::string> expected;
    for (int t = 0; t < writers; t++)
        for (int round = 0; round < Rounds; round++)
            for (int i = 0; i < PathsPerRound; i++)
            {
                char path[MAX_PATH];
                snprintf(path, sizeof(path), "C:\\Thread%d\\Folder%03d", t, round * PathsPerRound + i);
                expected.push_back(path);
            }
    ASSERT_EQ((int)expected.size(), writers * perThread);
    std::sort(expected.begin(), expected.end(), [](const std::string& x, const std::string& y) {
        return _stricmp(x.c_str(), y.c_str()) < 0;
    });
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    expected.insert(expected.begin(), "C:\\Common\\Folder");
    ASSERT_EQ((int)expected.size(), registry.GetFileCount());
    for (int i = 0; i < registry.GetFileCount(); i++)
        ASSERT_STREQ(expected[i].c_str(), registry.GetFile(i)) << i;

    // The saved registry file holds the same entries.
    registry.Save();
    CMemoryMappedDB reloaded(shared.registryFile.c_str(), 2048);
    reloaded.Load();
    ASSERT_EQ(registry.GetFileCount(), reloaded.GetFileCount());
    for (int i = 0; i < reloaded.GetFileCount(); i++)
        ASSERT_STREQ(registry.GetFile(i), reloaded.GetFile(i));
}
