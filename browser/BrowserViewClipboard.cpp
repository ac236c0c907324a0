// CBrowserView: copying, cutting and removing the selection, dragging it out
// to other programs and pasting files into the shown folder or album.
#include "BrowserView.h"
#include <shlobj.h>
#include "CFrameWnd.h"
#include "AfxMessageBox.h"
#include "COleDataSource.h"
#include "ClipBoardData.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "CellWindowPool.h"
#include "panes/PaneLinks.h"

namespace
{
// The selected entries' paths, starting at the current entry and wrapping
// around, as a drop-files object; null when memory runs out.
HGLOBAL MakeDropFiles(CFileInfoList* list, const std::vector<CFileInfo*>& entries, int start)
{
    CClipBoardData data;
    int n = (int)entries.size();
    start = start < 0 ? 0 : start;
    for (int step = 0; step < n; ++step)
    {
        CFileInfo* entry = entries[(start + step) % n];
        if (entry->Selected())
            data.RegisterFile(entry->GetName());
    }
    (void)list;
    return data.CreateGlobalObject();
}
}

BOOL CBrowserView::CopySelection()
{
    if (!m_pFileList)
        return FALSE;
    HGLOBAL object = MakeDropFiles(m_pFileList, m_Entries, IndexOf(m_pFileList->GetCurrentFile()));
    BOOL placed = FALSE;
    if (object && ::OpenClipboard(m_hWnd))
    {
        placed = ::EmptyClipboard() && ::SetClipboardData(CF_HDROP, object);
        ::CloseClipboard();
    }
    if (!placed)
    {
        if (object)
            ::GlobalFree(object);
        AfxMessageBox("The selected pictures could not be put on the clipboard.", MB_OK | MB_ICONEXCLAMATION);
    }
    return placed;
}

void CBrowserView::CutSelection()
{
    if (m_nAlbum == 0 || !m_pFileList)
        return;
    // Only what reached the clipboard leaves the album.
    if (CopySelection())
        RemoveSelection();
}

void CBrowserView::RemoveSelection()
{
    if (m_nAlbum == 0 || !m_pFileList)
        return;
    if (m_pCells)
        for (CFileInfo* entry : m_Entries)
            if (entry->Selected())
                m_pCells->Remove(entry);
    m_pFileList->UnregisterSelectedFiles();
    ReindexEntries();
    SaveShownList();
    // The count in the title follows the album (unless the album went).
    if (m_pFileList)
        SetFrameTitle(BrowserViewRules::ListTitle(m_strPlace, (int)m_Entries.size()));
    Layout(FALSE);
}

void CBrowserView::DragSelection()
{
    if (!m_pFileList)
        return;
    HGLOBAL object = MakeDropFiles(m_pFileList, m_Entries, IndexOf(m_pFileList->GetCurrentFile()));
    if (!object)
        return;
    COleDataSource source;
    source.CacheGlobalData(CF_HDROP, object);
    source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

std::vector<CString> CBrowserView::DropFileNames(HGLOBAL hDrop)
{
    std::vector<CString> names;
    SIZE_T size = hDrop ? ::GlobalSize(hDrop) : 0;
    const BYTE* bytes = size >= sizeof(DROPFILES) ? (const BYTE*)::GlobalLock(hDrop) : NULL;
    if (!bytes)
        return names;
    const DROPFILES* header = (const DROPFILES*)bytes;
    // Names are read only up to the end of the block, whatever it claims.
    SIZE_T at = header->pFiles;
    if (header->fWide)
    {
        while (at + sizeof(WCHAR) <= size)
        {
            const WCHAR* name = (const WCHAR*)(bytes + at);
            SIZE_T length = 0, room = (size - at) / sizeof(WCHAR);
            while (length < room && name[length])
                ++length;
            if (length == 0 || length == room)
                break;
            int needed = ::WideCharToMultiByte(CP_ACP, 0, name, (int)length, NULL, 0, NULL, NULL);
            std::vector<char> text(needed + 1, 0);
            ::WideCharToMultiByte(CP_ACP, 0, name, (int)length, text.data(), needed, NULL, NULL);
            names.push_back(CString(text.data()));
            at += (length + 1) * sizeof(WCHAR);
        }
    }
    else
    {
        while (at < size)
        {
            const char* name = (const char*)(bytes + at);
            SIZE_T length = 0, room = size - at;
            while (length < room && name[length])
                ++length;
            if (length == 0 || length == room)
                break;
            names.push_back(CString(name));
            at += length + 1;
        }
    }
    ::GlobalUnlock(hDrop);
    return names;
}

CBrowserView::PasteResult CBrowserView::CopyFilesInto(const std::vector<CString>& files, const CString& folder,
                                                      const std::function<int(const CString&)>& askOverwrite)
{
    for (const CString& source : files)
    {
        CString target = folder + "\\" + CFileInfo::GetFileFromFullPath(source);
        // A file pasted onto itself is already there.
        if (target.CompareNoCase(source) == 0)
            continue;
        if (::CopyFileA(source, target, TRUE))
            continue;
        if (::GetLastError() != ERROR_FILE_EXISTS)
            return PasteFailed;
        int answer = askOverwrite(target);
        if (answer == IDCANCEL)
            return PasteCancelled;
        if (answer == IDYES && !::CopyFileA(source, target, FALSE))
            return PasteFailed;
    }
    return PasteDone;
}

int CBrowserView::AskOverwrite(const CString& target)
{
    CString question = "The file " + target + " already exists. Overwrite ? ";
    return AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION);
}

void CBrowserView::PasteFiles(HGLOBAL hDrop)
{
    if (!m_pFileList || !hDrop)
        return;
    BeginWaitCursor();
    std::vector<CString> files = DropFileNames(hDrop);
    if (m_nAlbum != 0)
    {
        for (const CString& path : files)
            m_pFileList->InsertFile(path);
    }
    else if (!m_strFolder.IsEmpty())
    {
        PasteResult result =
            CopyFilesInto(files, m_strFolder, [this](const CString& target) { return AskOverwrite(target); });
        if (result == PasteFailed)
            AfxMessageBox("Failed to copy file(s)");
    }
    EndWaitCursor();
}
