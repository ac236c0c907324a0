// PaneLinks: what the tool windows of the left pane ask of the rest of their
// browser window (the thumbnail view of the same frame, the start file of the
// window's thread) and of the user (message boxes). Every pane goes through
// these few functions, so the panes depend on the view's interface in one
// place only, and tests can answer the questions without a modal box.
#pragma once

#include "Framework.h"
#include "CWnd.h"

namespace PaneLinks
{
// The thumbnail view of the browser window that holds `pane` (null when the
// pane is not inside a browser frame).
CWnd* GetBrowserView(CWnd* pane);

// The view shows the folder (or the folder of a file) at once.
void ShowFolder(CWnd* pane, const CString& path);
// The view is asked to show the folder by a posted message, so that a tree
// notification returns before the folder loads.
void PostShowFolder(CWnd* pane, const CString& path);
void ShowAlbum(CWnd* pane, unsigned number);
// Empties the view (saving what it showed) and repaints it.
void ClearView(CWnd* pane);
// Shows the view's folder or album again.
void RefreshView(CWnd* pane);
// Hands a file-drop list (CF_HDROP memory) to the view, which adds the files
// to the album it shows (or copies them into its folder).
void PasteFiles(CWnd* pane, HGLOBAL hDrop);
// The view drops its background tiles (they are made again from the colours
// pane) and repaints.
void BackgroundChanged(CWnd* pane);

// The path the window's thread was started with, empty when none.
CString GetStartFile();

// A 16 x 16 icon kept as an .ico file in the program's raw-data
// resources (the caller destroys it).
HICON LoadSmallIcon(UINT id);
}
