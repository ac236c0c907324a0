// CLeftView: the left pane of a browser window (pane (0,0) of the frame's
// splitter). It stacks nine tool windows, each under a caption bar that folds
// and unfolds it; the first three can be resized with a splitter bar below
// them. Which tool windows are open and how high they are is kept in the
// settings, written at every layout, so the next window opens the same way.
#pragma once

#include <memory>

#include "Framework.h"
#include "CScrollView.h"
#include "CPtrList.h"
#include "IntProperty.h"
#include "panes/ToolWindowItem.h"
#include "panes/DialogExplorer.h"
#include "panes/AlbumDialog.h"
#include "panes/IndexedFoldersDialog.h"
#include "panes/DialogColors.h"
#include "batch/DialogBatchResize.h"
#include "batch/DialogBatchRotateFlip.h"
#include "batch/DialogBatchWatermark.h"
#include "batch/DialogBatchGrayScale.h"
#include "batch/DialogAviCreator.h"

class CLeftView : public CScrollView
{
    DECLARE_DYNCREATE(CLeftView)
public:
    enum
    {
        CaptionHeight = 26,
        SplitterHeight = 6,
        MinToolWindowHeight = 50,
        SecondLayoutTimer = 1
    };

    CLeftView();
    ~CLeftView() override;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    // Appends a tool window (already created as a child of the view) below
    // the last one, with its caption bar and, when resizable, a splitter.
    // A non-resizable window, or one whose height setting is 0, takes its
    // current (template) height into the setting.
    void AddToolWindow(CWnd* pToolWindow, const char* caption, CIntProperty<int>* pShow,
                       CIntProperty<int>* pHeight, BOOL bResizable);
    // Stacks captions, open tool windows and their splitters from the top,
    // takes a moved splitter's position as the new height (never less than
    // 50 pixels), writes every open setting and height, sets the scroll size.
    void LayoutToolWindows();

    int GetToolWindowCount() const { return m_Items.GetCount(); }
    TOOL_WINDOW_ITEM* GetToolWindowItem(int index) const;

    // The background tiles of the thumbnail view come from the colours pane.
    CDialogColors& GetColors() { return m_DialogColors; }
    CAlbumDialog& GetAlbums() { return m_AlbumDialog; }

    enum
    {
        PaneCount = 9
    };
    // The open setting and the height setting of each pane, in the order of
    // the pane table (top to bottom).
    std::unique_ptr<CIntProperty<int>> m_Open[PaneCount], m_Height[PaneCount];

    CDialogExplorer m_DialogExplorer;
    CAlbumDialog m_AlbumDialog;
    CIndexedFoldersDialog m_IndexedFoldersDialog;
    CDialogBatchResize m_DialogBatchResize;
    CDialogBatchRotateFlip m_DialogBatchRotateFlip;
    CDialogBatchWatermark m_DialogBatchWatermark;
    CDialogBatchGrayScale m_DialogBatchGrayScale;
    CDialogAviCreator m_DialogAviCreator;
    CDialogColors m_DialogColors;

protected:
    CPtrList m_Items; // of TOOL_WINDOW_ITEM*
    BOOL m_bInLayout, m_bLayoutAgain;

    void LayoutOnce();
    // A child's window rectangle in view client coordinates.
    CRect ChildRect(CWnd* pChild) const;
    // Destroys and deletes every item with its caption and splitter.
    void DeleteItems();

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
