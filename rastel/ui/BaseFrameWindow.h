// CBaseFrameWindow: base of the browser's and the viewer's main frames. Each
// frame carries the three display settings every frame shares through the
// profile (read, clamped and written back when the frame is constructed);
// the class carries the list of folders hidden from the indexed-folders
// pane. GetShellVarsForFile turns a file path into the shell objects the
// shell's context menu needs.
#pragma once

#include <shlobj.h>
#include "Framework.h"
#include "CFrameWnd.h"
#include "IntProperty.h"
#include "StringListProperty.h"
#include "RastelApi.h"

class RASTEL_API CBaseFrameWindow : public CFrameWnd
{
    DECLARE_DYNCREATE(CBaseFrameWindow)
public:
    CIntProperty<int> m_ThumbsMaxFit;             // 0..1, default 0
    CIntProperty<int> m_bPropShowFileName;        // 0..1, default 1
    CIntProperty<int> m_bPropShowFileDescription; // 0..1, default 0

    // Folders the user hid from the indexed-folders pane; the browser calls
    // Initialize once at start-up.
    static CStringListProperty m_DisabledFolders;

    // 1 when the file was found among its folder's items: the three outputs
    // then belong to the caller, who frees *item with *malloc, then releases
    // *folder and *malloc. 0 with nothing held otherwise. The outputs must
    // come in as null; *item is relative to *folder.
    static int GetShellVarsForFile(const CString& path, IMalloc** malloc, IShellFolder** folder,
                                   LPITEMIDLIST* item);

protected:
    // A frame that starts with captions showing the file name shows no description.
    CBaseFrameWindow();
    ~CBaseFrameWindow() override;
    DECLARE_MESSAGE_MAP()
};
