// CClipBoardData: a list of file paths, kept in memory only, that turns
// itself into a shell drop-files object (CF_HDROP) for the clipboard and for
// drag and drop. A path equal to one registered before (letter case ignored)
// is not added again; the object lists the paths in registration order.
#pragma once

#include "Framework.h"
#include "CStringList.h"
#include "MemoryMappedDB.h"
#include "RastelApi.h"

class RASTEL_API CClipBoardData : public CMemoryMappedDB
{
public:
    CClipBoardData();
    ~CClipBoardData() override;

    int RegisterFile(const char* path) override;
    int UnRegisterFileIfNotExist(int index) override;

    // A movable shared global block: the 20-byte DROPFILES header (file list
    // at offset 20, drop point 0,0, not non-client, ANSI names), the paths
    // each zero-terminated, and a final zero. The caller owns it; NULL when
    // memory runs out.
    HGLOBAL CreateGlobalObject();

private:
    CStringList m_order;
};
