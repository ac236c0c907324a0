// CSplitterWnd: a static splitter: a fixed grid of panes (usually views)
// separated by bars the user drags with the mouse. Every column but the
// last keeps its ideal width, the last takes the rest (rows likewise).
// Pane (row, col) has the control id AFX_IDW_PANE_FIRST + row * 16 + col.
#pragma once

#include "CWnd.h"
#include "AfxRes.h"

struct CCreateContext;

class FRAMEWORK_API CSplitterWnd : public CWnd
{
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    virtual void RecalcLayout();
    void SetActivePane(int row, int col, CWnd* pWnd = NULL);
    CWnd* GetActivePane(int* pRow = NULL, int* pCol = NULL);

    int m_cxSplitter; // width of a bar
    int m_cySplitter;

protected:
    struct Info
    {
        int nIdealSize;
        int nMinSize;
        int nCurSize;
    };
    int m_nRows, m_nCols;
    Info* m_pColInfo;
    Info* m_pRowInfo;
    int m_trackCol; // bar being dragged (after this column / row), or -1
    int m_trackRow;
    CPoint m_trackStart;
    int m_trackStartSize;

    // The bar under a client point: sets col or row (the other stays -1).
    BOOL HitBar(CPoint point, int& col, int& row) const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()
};
