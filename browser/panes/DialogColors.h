// CDialogColors: the "Background" tool window. It chooses the style and the
// two colours of the tiles that the thumbnail view draws behind its cells;
// albums get the two colours swapped, so a folder and an album are told
// apart at a glance.
#pragma once

#include "Framework.h"
#include "CDialog.h"
#include "IntProperty.h"
#include "PanesResource.h"

class CDialogColors : public CDialog
{
public:
    enum { IDD = IDD_COLORS, PreviewCount = 8 };
    enum { StyleSquare = 0, StyleCircle = 1, StyleLinear = 2, StylePlain = 3 };

    CDialogColors();
    ~CDialogColors() override;

    // A new tile (the caller deletes it) of the current style: folder mode
    // fades from m_Color1 to m_Color2, album mode from m_Color2 to m_Color1;
    // the plain style is a single colour.
    HBITMAP MakeTile(int width, int height, BOOL bFolderMode);

    // Reads the controls into the settings, re-makes the previews, and has
    // the thumbnail view drop its tiles and repaint.
    void Apply();

    CIntProperty<int> m_Color1;          // 0x00BBGGRR
    CIntProperty<int> m_Color2;
    CIntProperty<int> m_BackGroundIndex; // StyleSquare .. StylePlain

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    HBITMAP m_hPreviews[PreviewCount];

    // A tile of any style, independent of the current one.
    HBITMAP MakeStyleTile(int style, int width, int height, BOOL bFolderMode);
    void MakePreviews();
    void DeletePreviews();

    afx_msg void OnStyle();
    DECLARE_MESSAGE_MAP()
};
