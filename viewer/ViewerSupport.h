// The suite's window classes the viewer builds on: the frame base and the
// true-colour tool bar of rastel, its About box, and the shell's context
// menu of FolderPane. While one of them is not yet part of the tree the
// viewer builds on the class library's plain classes and leaves that
// feature out.
#pragma once

#include "Framework.h"
#include "CFrameWnd.h"
#include "CToolBar.h"

#if __has_include("BaseFrameWindow.h")
#include "BaseFrameWindow.h"
#define VIEWER_HAS_BASE_FRAME 1
#define CViewerFrameBase CBaseFrameWindow
#else
#define VIEWER_HAS_BASE_FRAME 0
#define CViewerFrameBase CFrameWnd
#endif

#if __has_include("TCToolBar.h")
#include "TCToolBar.h"
#define VIEWER_HAS_TC_TOOLBAR 1
typedef CTCToolBar CViewerToolBar;
#else
#define VIEWER_HAS_TC_TOOLBAR 0
typedef CToolBar CViewerToolBar;
#endif

#if __has_include("AboutDlg.h")
#include "AboutDlg.h"
#define VIEWER_HAS_ABOUT 1
#else
#define VIEWER_HAS_ABOUT 0
#endif

#if __has_include("ShellContextMenu.h") && VIEWER_HAS_BASE_FRAME
#include "ShellContextMenu.h"
#define VIEWER_HAS_SHELL_MENU 1
#else
#define VIEWER_HAS_SHELL_MENU 0
#endif
