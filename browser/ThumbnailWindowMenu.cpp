// CThumbnailWindow's context menu: the main menu's "Thumbnail" popup, with
// the shell's own menu for the file inserted at its top when exactly one
// picture is selected. Commands go to the frame, which hands the shell's ids
// to its CShellContextMenu.
#include "ThumbnailWindow.h"
#include "BrowserFrame.h"
#include "CellHost.h"
#include "CMenu.h"
#include "FileInfo.h"
#include "resource.h"

void CThumbnailWindow::ShowContextMenu()
{
    if (!m_pHost)
        return;
    m_pHost->CellClicked(this, TRUE);
    CPoint cursor;
    GetCursorPos(&cursor);

    CWinThread* thread = AfxGetThread();
    CWnd* main = thread ? thread->GetMainWnd() : NULL;
    CMenu* menu = main ? main->GetMenu() : NULL;
    CMenu* thumbnailMenu = menu ? menu->GetSubMenu(MENU_POS_THUMBNAIL) : NULL;
    if (!thumbnailMenu)
        return;

    CBrowserFrame* frame = DYNAMIC_DOWNCAST(CBrowserFrame, main);
    IMalloc* malloc = NULL;
    IShellFolder* folder = NULL;
    LPITEMIDLIST item = NULL;
    CMenu shellPopup;
    BOOL shellAdded = FALSE;
    if (frame && m_pFileInfo && m_pHost->SelectedCount() == 1 &&
        CBaseFrameWindow::GetShellVarsForFile(m_pFileInfo->GetName(), &malloc, &folder, &item))
    {
        if (shellPopup.CreatePopupMenu() && frame->m_ShellMenu.Create(folder, item))
        {
            frame->m_ShellMenu.FillMenu(&shellPopup, 0, ID_SHELL_FIRST, ID_SHELL_LAST,
                                        CMF_EXPLORE | CMF_NODEFAULT);
            frame->m_ShellMenu.SetOwner(main);
            thumbnailMenu->InsertMenu(0, MF_BYPOSITION | MF_POPUP, (UINT_PTR)shellPopup.m_hMenu,
                                      "Windows explorer menu");
            thumbnailMenu->InsertMenu(1, MF_BYPOSITION | MF_SEPARATOR);
            shellAdded = TRUE;
        }
    }

    thumbnailMenu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, main);

    if (shellAdded)
    {
        frame->m_ShellMenu.SetOwner(NULL);
        // Removed, not deleted: the popup is destroyed below, the
        // "Thumbnail" menu stays the main menu's.
        thumbnailMenu->RemoveMenu(1, MF_BYPOSITION);
        thumbnailMenu->RemoveMenu(0, MF_BYPOSITION);
    }
    if (folder)
        folder->Release();
    if (malloc)
    {
        malloc->Free(item);
        malloc->Release();
    }
    if (shellPopup.m_hMenu)
        shellPopup.DestroyMenu();
}
