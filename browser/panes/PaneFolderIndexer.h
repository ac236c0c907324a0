// CPaneFolderIndexer: the folder indexer of the indexed-folders pane. It can
// be told to stop: a scan that is stopped walks no further and leaves the
// registry file as it was, so closing the pane in the middle of a scan never
// leaves a half-made list behind.
#pragma once

#include "FolderListManager.h"

class CPaneFolderIndexer : public CFolderListManager
{
public:
    CPaneFolderIndexer() : m_bStop(0) {}

    // Asked from another thread; the scan sees it at the next folder.
    void Stop() { InterlockedExchange(&m_bStop, 1); }
    BOOL IsStopped() const { return m_bStop != 0; }
    void Restart() { InterlockedExchange(&m_bStop, 0); }

    void Save() override
    {
        if (!IsStopped())
            CFolderListManager::Save();
    }

protected:
    // A registry in another file (tests).
    explicit CPaneFolderIndexer(CString registryPath) : CFolderListManager(registryPath), m_bStop(0) {}

    int RegisterFolder(const char* folder) override
    {
        return IsStopped() ? 1 : CFolderListManager::RegisterFolder(folder);
    }

private:
    volatile LONG m_bStop;
};
