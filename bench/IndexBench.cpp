// Folder indexing speed: builds a tree of 20,000 folders holding 100,000
// files under the temporary folder, walks it with the indexer (without and
// with a progress control), and times the registry's sorted insertion on its
// own. Only the generated tree is walked: no drive of the machine is searched.
//
//   IndexBench.exe [folders] [files]
#include "BenchFolder.h"
#include "CStatic.h"
#include "CWnd.h"
#include "FolderListManager.h"

#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace
{
double Now()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return (double)counter.QuadPart / (double)frequency.QuadPart;
}

// Walks one folder tree instead of the machine's drives, counting folders.
class BenchIndexer : public CFolderListManager
{
public:
    explicit BenchIndexer(const std::string& registry) : CFolderListManager(registry.c_str()), m_nVisited(0) {}

    int Walk(const std::string& root, CStatic* progress)
    {
        m_Root = root;
        m_nVisited = 0;
        return RefreshFolderList(progress);
    }
    int Visited() const { return m_nVisited; }

protected:
    // One pseudo drive whose search starts at the tree's root.
    DWORD GetDriveMask() override { return 1; }
    UINT GetDriveKind(const char*) override { return DRIVE_FIXED; }
    int RegisterFolder(const char* folder) override
    {
        m_nVisited++;
        if (strcmp(folder, "A:") == 0)
            return CFolderListManager::RegisterFolder(m_Root.c_str());
        return CFolderListManager::RegisterFolder(folder);
    }

private:
    std::string m_Root;
    int m_nVisited;
};

bool Touch(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// 20 top folders, the rest spread below them; every leaf folder gets
// files / leaves files (the first ones one more, so the total is exact). Three leaves in four hold a picture, placed last in
// creation order so that the walk tests the other names first; the rest hold
// only documents. Returns the number of folders that hold a picture.
int BuildTree(const std::string& root, int folders, int files)
{
    const int tops = 20;
    int leaves = folders - tops;
    int perLeaf = files / leaves, extra = files % leaves;
    const char* others[] = {"notes.txt", "photo.jpeg.txt", "clip.avi", "readme.doc", "font.ttf", "data.bin"};
    int pictures = 0;
    CreateDirectoryA(root.c_str(), NULL);
    for (int t = 0; t < tops; t++)
        CreateDirectoryA((root + "\\Top" + std::to_string(t)).c_str(), NULL);
    for (int leaf = 0; leaf < leaves; leaf++)
    {
        std::string folder = root + "\\Top" + std::to_string(leaf % tops) + "\\Folder" + std::to_string(leaf);
        CreateDirectoryA(folder.c_str(), NULL);
        bool withPicture = leaf % 4 != 3;
        int count = perLeaf + (leaf < extra ? 1 : 0);
        for (int f = 0; f < count; f++)
        {
            bool last = f == count - 1;
            std::string name = withPicture && last ? "IMG_" + std::to_string(leaf) + ".JPG"
                                                   : std::to_string(f) + "_" + others[f % 6];
            Touch(folder + "\\" + name);
        }
        pictures += withPicture ? 1 : 0;
    }
    return pictures;
}

void TimeInsertions(int count)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; i++)
        paths.push_back("C:\\Pictures\\Year" + std::to_string(i % 37) + "\\Event " + std::to_string(i * 7919 % count));
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    std::vector<std::string> shuffled = paths;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(12345));

    struct Order { const char* name; const std::vector<std::string>* list; } orders[] = {
        {"random order", &shuffled}, {"sorted order", &paths}};
    for (const Order& order : orders)
    {
        BenchIndexer registry("");
        double start = Now();
        for (const std::string& path : *order.list)
            registry.RegisterFile(path.c_str());
        double seconds = Now() - start;
        double again = Now();
        for (const std::string& path : *order.list)
            registry.RegisterFile(path.c_str());
        double repeat = Now() - again;
        printf("registry: %d insertions in %s: %.3f s, %.2f us each; re-registering (found): %.2f us each\n",
               (int)order.list->size(), order.name, seconds, seconds * 1e6 / order.list->size(),
               repeat * 1e6 / order.list->size());
    }
}
}

int main(int argc, char** argv)
{
    int folders = argc > 1 ? atoi(argv[1]) : 20000;
    int files = argc > 2 ? atoi(argv[2]) : 100000;
    if (folders < 21 || files < folders)
    {
        fprintf(stderr, "usage: IndexBench [folders > 20] [files >= folders]\n");
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string work = std::string(temp) + "IndexBench_" + std::to_string(GetCurrentProcessId());
    std::string root = work + "\\tree";
    CreateDirectoryA(work.c_str(), NULL);

    double start = Now();
    int pictureFolders = BuildTree(root, folders, files);
    printf("tree: %d folders, %d files, %d picture folders, made in %.1f s\n", folders, files, pictureFolders,
           Now() - start);

    BenchIndexer indexer(work + "\\files.db");
    for (int pass = 1; pass <= 2; pass++)
    {
        start = Now();
        indexer.Walk(root, NULL);
        double seconds = Now() - start;
        printf("walk %d without progress: %d folders in %.2f s = %.0f folders/s, %d registered%s\n", pass,
               indexer.Visited() - 1, seconds, (indexer.Visited() - 1) / seconds, indexer.GetFileCount(),
               indexer.GetFileCount() == pictureFolders ? "" : " (MISMATCH)");
    }

    // The same walk showing its progress in a visible static control.
    CWnd window;
    if (window.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_BTNFACE + 1)), "IndexBench",
                        WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 600, 160, NULL, NULL) &&
        CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 4, 4, 580, 120, window.m_hWnd, (HMENU)1228, NULL, NULL))
    {
        window.UpdateWindow();
        start = Now();
        indexer.Walk(root, (CStatic*)window.GetDlgItem(1228));
        double seconds = Now() - start;
        printf("walk with progress text: %d folders in %.2f s = %.0f folders/s\n", indexer.Visited() - 1, seconds,
               (indexer.Visited() - 1) / seconds);
        window.DestroyWindow();
    }
    else
        printf("walk with progress text: skipped (no window could be made)\n");

    start = Now();
    indexer.SetModified(true);
    indexer.Save();
    printf("registry: saving %d entries: %.1f ms\n", indexer.GetFileCount(), (Now() - start) * 1000);
    TimeInsertions(folders);

    RemoveFolder(work);
    return 0;
}
