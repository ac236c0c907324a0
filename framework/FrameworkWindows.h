// The window layer of the suite's class library, in one include. Design:
//
// * Binding: a window belongs to one thread; CWnd::CreateEx (and dialog
//   creation) binds the new window to its object through a creation hook,
//   subclassing it to AfxWndProc and entering it in the thread's handle map.
//   FromHandle gives the bound object or a temporary wrapper.
// * Dispatch: MFC-style message maps (AfxMsgMap.h): BEGIN_MESSAGE_MAP /
//   ON_WM_xxx / ON_MESSAGE / ON_COMMAND / ON_UPDATE_COMMAND_UI / ON_NOTIFY /
//   ON_CONTROL_REFLECT ... END_MESSAGE_MAP, handlers with CWnd's names and
//   signatures. Whatever no entry takes goes to the previous window
//   procedure (Default()).
// * Commands: WM_COMMAND and WM_NOTIFY are offered to the sending control
//   first (reflection), then routed through OnCmdMsg: frame -> active view
//   -> document -> frame -> application (an MDI frame asks its active child
//   first). CCmdUI sets enable/check/radio/text of menu items (when their
//   popup opens) and of bar items (when the thread is idle); a command that
//   its update handler disables is refused even from an accelerator.
// * Threads: AfxBeginThread makes a CWinThread from its run-time class; the
//   thread's loop ends when its main window is destroyed, and the object is
//   deleted in its own thread. The application object is the main thread's
//   CWinThread (a program's WinMain returns AfxWinMain(...)).
// * Resources (menus, dialogs, bitmaps, strings, tool bars) are looked up
//   through the resource chain: the program, then extension libraries
//   (rastel.dll), then framework.dll's own (AfxRes.h ids).
// * No exception leaves a window procedure; creation failures return FALSE
//   or NULL, and frames and views delete themselves when their window goes.
#pragma once

#include "Framework.h"
#include "AfxRes.h"
#include "AfxMsgMap.h"
#include "CObject.h"
#include "CCmdTarget.h"
#include "CCmdUI.h"
#include "CWnd.h"
#include "CWinThread.h"
#include "CMenu.h"
#include "CGdiObject.h"
#include "CPaintDC.h"
#include "CFrameWnd.h"
#include "CMDIFrameWnd.h"
#include "CView.h"
#include "CScrollView.h"
#include "CDocument.h"
#include "CDocTemplate.h"
#include "CCommandLineInfo.h"
#include "CDialog.h"
#include "CDataExchange.h"
#include "CControlBar.h"
#include "CToolBar.h"
#include "CStatusBar.h"
#include "CSplitterWnd.h"
#include "CButton.h"
#include "CBitmapButton.h"
#include "CStatic.h"
#include "CEdit.h"
#include "CListBox.h"
#include "CComboBox.h"
#include "CScrollBar.h"
#include "CTreeCtrl.h"
#include "CListCtrl.h"
#include "CSliderCtrl.h"
#include "CSpinButtonCtrl.h"
#include "CProgressCtrl.h"
#include "CToolBarCtrl.h"
#include "CImageList.h"
#include "CCommonDialogs.h"
#include "AfxMessageBox.h"
#include "AfxOle.h"
#include "COleDataSource.h"
#include "COleDataObject.h"
#include "COleDropTarget.h"
#include "AfxCursors.h"
