// CBrowserView: the commands it carries out (edit commands, Viewer and
// Glintfix), their states, and the grid's context menu.
#include "BrowserView.h"
#include <shellapi.h>
#include "AfxMessageBox.h"
#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "resource.h"

namespace
{
CString ProgramFolderFile(const char* name)
{
    char module[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, module, MAX_PATH);
    return BrowserViewRules::SiblingProgram(module, name);
}
}

void CBrowserView::OpenInViewer(CFileInfo* entry)
{
    // The Viewer reads the list as the browser shows it.
    SaveShownList();
    if (!entry)
        entry = GetFirstSelected();
    CString program = ProgramFolderFile("Viewer");
    CString parameters = entry ? BrowserViewRules::ViewerParameters(m_nAlbum, entry->GetName()) : CString();
    ::ShellExecuteA(NULL, "open", program, entry ? (LPCSTR)parameters : NULL, NULL, SW_SHOWNORMAL);
}

void CBrowserView::OpenInGlintfix(CFileInfo* entry)
{
    if (!entry)
        entry = GetFirstSelected();
    CString program = ProgramFolderFile("Glintfix");
    CString parameters = entry ? BrowserViewRules::QuotedPath(entry->GetName()) : CString();
    ::ShellExecuteA(NULL, "open", program, entry ? (LPCSTR)parameters : NULL, NULL, SW_SHOWNORMAL);
}

BrowserViewRules::ViewState CBrowserView::GetState() const
{
    BrowserViewRules::ViewState s;
    s.hasList = m_pFileList != NULL;
    s.albumShown = m_pFileList && m_nAlbum != 0;
    s.entryCount = (int)m_Entries.size();
    s.selectedCount = m_pFileList ? m_pFileList->GetSelectedFileCount() : 0;
    s.clipboardHasFiles = ::IsClipboardFormatAvailable(CF_HDROP) != FALSE;
    return s;
}

void CBrowserView::OnUpdateViewCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(BrowserViewRules::IsCommandEnabled(pCmdUI->m_nID, GetState()));
}

void CBrowserView::OnSelectAll()
{
    SelectAll();
}

void CBrowserView::OnInvertSelection()
{
    InvertSelection();
}

void CBrowserView::OnCopy()
{
    CopySelection();
}

void CBrowserView::OnCut()
{
    CutSelection();
}

void CBrowserView::OnRemove()
{
    if (m_nAlbum == 0 || !m_pFileList || m_pFileList->GetSelectedFileCount() == 0)
        return;
    if (AfxMessageBox("Remove selected files from album?", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        RemoveSelection();
}

void CBrowserView::OnPaste()
{
    if (!m_pFileList || !::OpenClipboard(m_hWnd))
        return;
    bool pasted = false;
    if (::IsClipboardFormatAvailable(CF_HDROP))
    {
        HGLOBAL files = ::GetClipboardData(CF_HDROP);
        if (files)
        {
            PasteFiles(files);
            pasted = true;
        }
    }
    ::CloseClipboard();
    if (pasted)
        Refresh();
}

void CBrowserView::OnOpenViewer()
{
    OpenInViewer(NULL);
}

void CBrowserView::OnOpenGlintfix()
{
    OpenInGlintfix(NULL);
}

void CBrowserView::OnRButtonDown(UINT nFlags, CPoint point)
{
    CMenu* menu = m_pFrame && m_pFrame->m_hWnd ? m_pFrame->GetMenu() : NULL;
    HMENU edit = menu ? ::GetSubMenu(menu->m_hMenu, MENU_POS_EDIT) : NULL;
    if (edit)
    {
        POINT cursor;
        ::GetCursorPos(&cursor);
        ::TrackPopupMenu(edit, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_pFrame->m_hWnd, NULL);
    }
    CScrollView::OnRButtonDown(nFlags, point);
}
