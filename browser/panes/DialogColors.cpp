// CDialogColors: trackbars and style buttons into the three settings, the
// eight previews, and the tiles of the thumbnail view.
#include "DialogColors.h"
#include "BitmapFactory.h"
#include "PaneLinks.h"
#include <commctrl.h>

BEGIN_MESSAGE_MAP(CDialogColors, CDialog)
    ON_BN_CLICKED(IDC_STYLE_SQUARE, OnStyle)
    ON_BN_CLICKED(IDC_STYLE_CIRCLE, OnStyle)
    ON_BN_CLICKED(IDC_STYLE_LINEAR, OnStyle)
    ON_BN_CLICKED(IDC_STYLE_PLAIN, OnStyle)
END_MESSAGE_MAP()

namespace
{
const int ColorMinimum = 0x0A0A0A;
const int ColorMaximum = 0xF5F5F5;

// Red, green, blue trackbars of each colour.
const int Color1Bars[3] = {IDC_COLOR1_RED, IDC_COLOR1_GREEN, IDC_COLOR1_BLUE};
const int Color2Bars[3] = {IDC_COLOR2_RED, IDC_COLOR2_GREEN, IDC_COLOR2_BLUE};
const int StyleButtons[4] = {IDC_STYLE_SQUARE, IDC_STYLE_CIRCLE, IDC_STYLE_LINEAR, IDC_STYLE_PLAIN};

// The previews: style and mode of each.
struct Preview
{
    int id, style;
    BOOL folder;
};
const Preview Previews[CDialogColors::PreviewCount] = {
    {IDC_FOLDER_SQUARE, CDialogColors::StyleSquare, TRUE}, {IDC_FOLDER_CIRCLE, CDialogColors::StyleCircle, TRUE},
    {IDC_FOLDER_LINEAR, CDialogColors::StyleLinear, TRUE}, {IDC_FOLDER_PLAIN, CDialogColors::StylePlain, TRUE},
    {IDC_ALBUM_SQUARE, CDialogColors::StyleSquare, FALSE}, {IDC_ALBUM_CIRCLE, CDialogColors::StyleCircle, FALSE},
    {IDC_ALBUM_LINEAR, CDialogColors::StyleLinear, FALSE}, {IDC_ALBUM_PLAIN, CDialogColors::StylePlain, FALSE},
};

int Byte(int color, int index) { return (color >> (8 * index)) & 0xFF; }
}

CDialogColors::CDialogColors()
    : m_Color1("m_Color1", 14778372, ColorMinimum, ColorMaximum),
      m_Color2("m_Color2", 8396292, ColorMinimum, ColorMaximum), m_BackGroundIndex("m_BackGroundIndex", 0, 0, 3)
{
    for (int i = 0; i < PreviewCount; i++)
        m_hPreviews[i] = NULL;
}

CDialogColors::~CDialogColors()
{
    DeletePreviews();
}

BOOL CDialogColors::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int i = 0; i < 3; i++)
    {
        int colors[2] = {m_Color1, m_Color2};
        const int* bars[2] = {Color1Bars, Color2Bars};
        for (int c = 0; c < 2; c++)
        {
            SendDlgItemMessage(bars[c][i], TBM_SETRANGEMIN, FALSE, Byte(ColorMinimum, i));
            SendDlgItemMessage(bars[c][i], TBM_SETRANGEMAX, TRUE, Byte(ColorMaximum, i));
            SendDlgItemMessage(bars[c][i], TBM_SETPOS, TRUE, Byte(colors[c], i));
        }
    }
    CheckRadioButton(IDC_STYLE_SQUARE, IDC_STYLE_PLAIN, StyleButtons[m_BackGroundIndex]);
    Apply();
    return TRUE;
}

BOOL CDialogColors::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* header = (NMHDR*)lParam;
    if (header->code == NM_RELEASEDCAPTURE && header->idFrom >= IDC_COLOR1_RED && header->idFrom <= IDC_COLOR2_BLUE)
    {
        Apply();
        *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CDialogColors::OnStyle()
{
    Apply();
}

void CDialogColors::Apply()
{
    for (int style = 0; style < 4; style++)
        if (IsDlgButtonChecked(StyleButtons[style]))
            m_BackGroundIndex = style;
    int colors[2] = {0, 0};
    const int* bars[2] = {Color1Bars, Color2Bars};
    for (int c = 0; c < 2; c++)
        for (int i = 0; i < 3; i++)
            colors[c] |= ((int)SendDlgItemMessage(bars[c][i], TBM_GETPOS) & 0xFF) << (8 * i);
    m_Color1 = colors[0];
    m_Color2 = colors[1];
    MakePreviews();
    PaneLinks::BackgroundChanged(this);
}

HBITMAP CDialogColors::MakeTile(int width, int height, BOOL bFolderMode)
{
    return MakeStyleTile(m_BackGroundIndex, width, height, bFolderMode);
}

HBITMAP CDialogColors::MakeStyleTile(int style, int width, int height, BOOL bFolderMode)
{
    if (width <= 0 || height <= 0)
        return NULL;
    COLORREF a = bFolderMode ? (COLORREF)m_Color1 : (COLORREF)m_Color2;
    COLORREF b = bFolderMode ? (COLORREF)m_Color2 : (COLORREF)m_Color1;
    switch (style)
    {
    case StyleSquare:
        return CBitmapFactory::CreateGradientSquareFromCenterBitmap(width, height, a, b);
    case StyleCircle:
        return CBitmapFactory::CreateGradientCircleFromCenterBitmap(width, height, a, b);
    case StyleLinear:
        return CBitmapFactory::CreateCaptionBitmap("", CRect(0, 0, width, height), a, b);
    default:
        // A blend from a colour to itself: filled directly, so the tile is
        // exactly that colour (the blend's arithmetic can end one level low).
        return CBitmapFactory::CreateDIBitmap(width, height, a);
    }
}

void CDialogColors::MakePreviews()
{
    DeletePreviews();
    CWnd* first = GetDlgItem(Previews[0].id);
    if (!first)
        return;
    CRect rc;
    first->GetClientRect(&rc);
    for (int i = 0; i < PreviewCount; i++)
    {
        m_hPreviews[i] = MakeStyleTile(Previews[i].style, rc.Width(), rc.Height(), Previews[i].folder);
        // The static keeps showing the bitmap it is given; the one it showed
        // before is ours and was deleted above.
        SendDlgItemMessage(Previews[i].id, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)m_hPreviews[i]);
    }
}

void CDialogColors::DeletePreviews()
{
    for (int i = 0; i < PreviewCount; i++)
    {
        if (m_hPreviews[i])
            ::DeleteObject(m_hPreviews[i]);
        m_hPreviews[i] = NULL;
    }
}
