// CClipBoardData: the drop-files object of the registered paths.
#include "ClipBoardData.h"
#include <shlobj.h>

CClipBoardData::CClipBoardData() : CMemoryMappedDB("", 2048) {}

CClipBoardData::~CClipBoardData() {}

int CClipBoardData::RegisterFile(const char* path)
{
    int before = GetFileCount();
    int result = CMemoryMappedDB::RegisterFile(path);
    if (result && GetFileCount() > before)
        m_order.AddTail(CString(path));
    return result;
}

int CClipBoardData::UnRegisterFileIfNotExist(int index)
{
    if (index < 0 || index >= GetFileCount())
        return CMemoryMappedDB::UnRegisterFileIfNotExist(index);
    CString path = GetFile(index);
    int before = GetFileCount();
    int result = CMemoryMappedDB::UnRegisterFileIfNotExist(index);
    if (GetFileCount() < before)
    {
        for (POSITION pos = m_order.GetHeadPosition(); pos;)
        {
            POSITION at = pos;
            if (m_order.GetNext(pos).CompareNoCase(path) == 0)
            {
                m_order.RemoveAt(at);
                break;
            }
        }
    }
    return result;
}

HGLOBAL CClipBoardData::CreateGlobalObject()
{
    long long names = 0;
    for (POSITION pos = m_order.GetHeadPosition(); pos;)
        names += m_order.GetNext(pos).GetLength() + 1;
    long long total = (long long)sizeof(DROPFILES) + names + 1;
    if (total > 0x7FFFFFFF)
        return NULL;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, (SIZE_T)total);
    if (!block)
        return NULL;
    BYTE* data = (BYTE*)GlobalLock(block);
    if (!data)
    {
        GlobalFree(block);
        return NULL;
    }
    DROPFILES* header = (DROPFILES*)data;
    header->pFiles = sizeof(DROPFILES);
    header->pt.x = header->pt.y = 0;
    header->fNC = FALSE;
    header->fWide = FALSE;
    char* out = (char*)data + sizeof(DROPFILES);
    for (POSITION pos = m_order.GetHeadPosition(); pos;)
    {
        const CString& path = m_order.GetNext(pos);
        memcpy(out, (LPCSTR)path, path.GetLength() + 1);
        out += path.GetLength() + 1;
    }
    *out = 0;
    GlobalUnlock(block);
    return block;
}
