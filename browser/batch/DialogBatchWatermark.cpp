// CDialogBatchWatermark: controls, marks and previews, placements and the
// per-picture step of the watermark tool.
#include "DialogBatchWatermark.h"
#include "AfxMessageBox.h"
#include "CCommonDialogs.h"
#include "ResourceChain.h"
#include "FileInfo.h"
#include "PictureTypes.h"
#include "RgbBuffer.h"
#include "BitmapFactory.h"
#include "DialogBatchJobIndicator.h"

BEGIN_MESSAGE_MAP(CDialogBatchWatermark, CDialogBatchJob)
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_WM_FONT, OnFont)
    ON_BN_CLICKED(IDC_WM_COLOR, OnColor)
    ON_BN_CLICKED(IDC_WM_SELECT_FILE, OnSelectFile)
    ON_EN_CHANGE(IDC_WM_TEXT, OnTextChange)
    ON_EN_CHANGE(IDC_WM_FLUCTUATION, OnTextChange)
END_MESSAGE_MAP()

namespace
{
HBITMAP LoadDefaultPreview()
{
    LPCSTR name = MAKEINTRESOURCEA(IDB_BATCH_WATERMARK_DEFAULT);
    HMODULE module = AfxFindResourceHandle(name, (LPCSTR)RT_BITMAP);
    return module ? (HBITMAP)LoadImageA(module, name, IMAGE_BITMAP, 0, 0, 0) : NULL;
}

struct SpinEdit
{
    int editId, spinId;
};
}

CDialogBatchWatermark::CDialogBatchWatermark(CWnd* pParent)
    : CDialogBatchJob(IDD, pParent), m_WMText("m_WMText", "Watermark"), m_WMFontName("m_WMFontName", "Arial Black"),
      m_WMFontSize("m_WMFontSize", -48, -300, 0), m_bWMBold("m_bWMBold", 1, 0, 1), m_bWMItalic("m_bWMItalic", 0, 0, 1),
      m_WMFontColor("m_WMFontColor", 0x00FFFF, 0, 0xFFFFFF),
      m_WMTransparencyText("m_WMTransparencyText", 75, 0, 100),
      m_WMTransparencyPicture("m_WMTransparencyPicture", 75, 0, 100), m_WMFluctuation("m_WMFluctuation", 0, 0, 255),
      m_WMSourceFlag("m_WMSourceFlag", 0, 0, 2), m_WMPositionFlag("m_WMPositionFlag", 0, 0, 6),
      m_WMxCustom("m_WMxCustom", 10, 0, 100000), m_WMyCustom("m_WMyCustom", 10, 0, 100000),
      m_WMPictureFileName("m_WMPictureFileName", ""), m_pTextMark(NULL), m_pPictureMark(NULL),
      m_DefaultText(LoadDefaultPreview()), m_DefaultPicture(LoadDefaultPreview()), m_ShownText(NULL),
      m_ShownPicture(NULL), m_bReady(false)
{
}

CDialogBatchWatermark::~CDialogBatchWatermark()
{
    delete m_pTextMark;
    delete m_pPictureMark;
    HBITMAP bitmaps[4] = {m_DefaultText, m_DefaultPicture, m_ShownText, m_ShownPicture};
    for (HBITMAP bitmap : bitmaps)
        if (bitmap)
            DeleteObject(bitmap);
}

void CDialogBatchWatermark::MakeFont()
{
    m_Font.DeleteObject();
    CString face = m_WMFontName;
    m_Font.CreateFont(m_WMFontSize, 0, 0, 0, m_bWMBold ? FW_BOLD : FW_NORMAL, (BYTE)(m_bWMItalic ? 1 : 0), 0, 0, 1,
                      0, 0, 2, 0, face);
}

BOOL CDialogBatchWatermark::OnInitDialog()
{
    CDialogBatchJob::OnInitDialog();
    CheckRadioButton(IDC_WM_SOURCE_TEXT, IDC_WM_SOURCE_BOTH, IDC_WM_SOURCE_TEXT + m_WMSourceFlag);
    const int placements[7] = {IDC_WM_CENTERED,    IDC_WM_TILE,        IDC_WM_BOTTOM_RIGHT, IDC_WM_BOTTOM_LEFT,
                               IDC_WM_BOTTOM_CENTERED, IDC_WM_ALL_CORNERS, IDC_WM_CUSTOM};
    for (int i = 0; i < 7; ++i)
        CheckDlgButton(placements[i], i == m_WMPositionFlag ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(IDC_WM_X, m_WMxCustom, FALSE);
    SetDlgItemInt(IDC_WM_Y, m_WMyCustom, FALSE);

    const SpinEdit spins[3] = {{IDC_WM_TRANSPARENCY_TEXT, IDC_WM_SPIN_TRANSPARENCY_TEXT},
                               {IDC_WM_TRANSPARENCY_PICTURE, IDC_WM_SPIN_TRANSPARENCY_PICTURE},
                               {IDC_WM_FLUCTUATION, IDC_WM_SPIN_FLUCTUATION}};
    const CIntProperty<unsigned>* values[3] = {&m_WMTransparencyText, &m_WMTransparencyPicture, &m_WMFluctuation};
    for (int i = 0; i < 3; ++i)
    {
        SendDlgItemMessage(spins[i].spinId, UDM_SETBUDDY, (WPARAM)::GetDlgItem(m_hWnd, spins[i].editId));
        SendDlgItemMessage(spins[i].spinId, UDM_SETRANGE32, values[i]->GetMinimum(), values[i]->GetMaximum());
        SendDlgItemMessage(spins[i].spinId, UDM_SETPOS32, 0, (int)*values[i]);
        SetDlgItemInt(spins[i].editId, *values[i], FALSE);
    }

    MakeFont();
    SetDlgItemText(IDC_WM_TEXT, (CString)m_WMText);
    m_bReady = true;
    RefreshTextPreview();
    RefreshPicturePreview();
    return TRUE;
}

void CDialogBatchWatermark::OnDestroy()
{
    m_bReady = false;
    CDialogBatchJob::OnDestroy();
}

void CDialogBatchWatermark::StoreSettings()
{
    if (!m_hWnd)
        return;
    m_WMxCustom = (unsigned)ReadClampedInt(IDC_WM_X, 0, 100000, m_WMxCustom);
    m_WMyCustom = (unsigned)ReadClampedInt(IDC_WM_Y, 0, 100000, m_WMyCustom);
    m_WMTransparencyText = (unsigned)ReadClampedInt(IDC_WM_TRANSPARENCY_TEXT, 0, 100, m_WMTransparencyText);
    SendDlgItemMessage(IDC_WM_SPIN_TRANSPARENCY_TEXT, UDM_SETPOS32, 0, (int)m_WMTransparencyText);
    m_WMTransparencyPicture =
        (unsigned)ReadClampedInt(IDC_WM_TRANSPARENCY_PICTURE, 0, 100, m_WMTransparencyPicture);
    SendDlgItemMessage(IDC_WM_SPIN_TRANSPARENCY_PICTURE, UDM_SETPOS32, 0, (int)m_WMTransparencyPicture);
    const int placements[7] = {IDC_WM_CENTERED,    IDC_WM_TILE,        IDC_WM_BOTTOM_RIGHT, IDC_WM_BOTTOM_LEFT,
                               IDC_WM_BOTTOM_CENTERED, IDC_WM_ALL_CORNERS, IDC_WM_CUSTOM};
    for (int i = 0; i < 7; ++i)
        if (IsDlgButtonChecked(placements[i]) == BST_CHECKED)
            m_WMPositionFlag = i;
    int source = GetCheckedRadioButton(IDC_WM_SOURCE_TEXT, IDC_WM_SOURCE_BOTH);
    if (source)
        m_WMSourceFlag = source - IDC_WM_SOURCE_TEXT;
}

bool CDialogBatchWatermark::CheckBeforeRun()
{
    int source = m_WMSourceFlag;
    if (source != SourcePicture && !m_pTextMark)
    {
        AfxMessageBox("No watermark text specified", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (source != SourceText && !m_pPictureMark)
    {
        AfxMessageBox("No watermark picture selected", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // The picture file may have changed on disk since it was chosen.
    RefreshPicturePreview();
    RefreshTextPreview();
    return true;
}

void CDialogBatchWatermark::RenderTextMark(const CString& text)
{
    delete m_pTextMark;
    m_pTextMark = NULL;
    if (!text.IsEmpty())
    {
        m_pTextMark = CBitmapFactory::CreateRgbText(text, &m_Font, m_WMFontColor, m_WMFluctuation);
        if (m_pTextMark && !m_pTextMark->IsImage())
        {
            delete m_pTextMark;
            m_pTextMark = NULL;
        }
    }
}

void CDialogBatchWatermark::RefreshTextPreview()
{
    if (!m_hWnd)
        return;
    m_WMFluctuation = (unsigned)ReadClampedInt(IDC_WM_FLUCTUATION, 0, 255, m_WMFluctuation);
    CString text;
    GetDlgItemText(IDC_WM_TEXT, text);
    text.Trim();
    if (!text.IsEmpty())
        m_WMText = text;
    RenderTextMark(text);
    ShowPreview(IDC_WM_TEXT_PREVIEW, m_pTextMark, m_ShownText, m_DefaultText);
}

void CDialogBatchWatermark::RefreshPicturePreview()
{
    delete m_pPictureMark;
    m_pPictureMark = NULL;
    CString path = m_WMPictureFileName;
    if (!path.IsEmpty())
    {
        m_pPictureMark = new CRgbBuffer;
        if (!m_pPictureMark->LoadRgbBuffer(path))
        {
            delete m_pPictureMark;
            m_pPictureMark = NULL;
        }
    }
    if (m_hWnd)
        ShowPreview(IDC_WM_PICTURE_PREVIEW, m_pPictureMark, m_ShownPicture, m_DefaultPicture);
}

void CDialogBatchWatermark::ShowPreview(int id, CRgbBuffer* mark, HBITMAP& shown, HBITMAP fallback)
{
    HWND control = ::GetDlgItem(m_hWnd, id);
    if (!control)
        return;
    HBITMAP bitmap = NULL;
    if (mark)
    {
        CRect client;
        ::GetClientRect(control, &client);
        CRgbBuffer* reduced = NULL;
        if (mark->GetWidth() > client.Width() || mark->GetHeight() > client.Height())
            reduced = mark->CreateBestFitRGB(CRect(0, 0, client.Width(), client.Height()));
        bitmap = (reduced ? reduced : mark)->CreateBitmapFromRGB();
        delete reduced;
    }
    ::SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)(bitmap ? bitmap : fallback));
    if (shown)
        DeleteObject(shown);
    shown = bitmap;
    ::InvalidateRect(control, NULL, TRUE);
}

std::vector<CPoint> CDialogBatchWatermark::MarkPositions(int placement, int W, int H, int w, int h, int xCustom,
                                                          int yCustom)
{
    std::vector<CPoint> positions;
    if (w <= 0 || h <= 0)
        return positions;
    switch (placement)
    {
    case Centered: positions.push_back(CPoint((W - w) / 2, (H - h) / 2)); break;
    case Tile:
        for (int i = 0; i < (W + w - 1) / w; ++i)
            for (int j = 0; j < (H + h - 1) / h; ++j)
                positions.push_back(CPoint(i * w, j * h));
        break;
    case BottomRight: positions.push_back(CPoint(W - w, H - h)); break;
    case BottomLeft: positions.push_back(CPoint(0, H - h)); break;
    case BottomCentered: positions.push_back(CPoint((W - w) / 2, H - h)); break;
    case AllCorners:
        positions.push_back(CPoint(W - w, H - h));
        positions.push_back(CPoint(0, H - h));
        positions.push_back(CPoint(W - w, 0));
        positions.push_back(CPoint(0, 0));
        break;
    default: positions.push_back(CPoint(xCustom, yCustom)); break;
    }
    return positions;
}

void CDialogBatchWatermark::ApplyMark(CRgbBuffer* picture, CRgbBuffer* mark, int transparency)
{
    if (!mark || !mark->IsImage())
        return;
    std::vector<CPoint> positions = MarkPositions(m_WMPositionFlag, picture->GetWidth(), picture->GetHeight(),
                                                  mark->GetWidth(), mark->GetHeight(), m_WMxCustom, m_WMyCustom);
    for (const CPoint& at : positions)
        picture->ApplyWatermark(at.x, at.y, mark, transparency);
}

int CDialogBatchWatermark::ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator)
{
    // Loaded before the output is named: a source that cannot be read gets
    // no folder, no question and no output.
    CRgbBuffer picture;
    picture.LoadRgbBuffer(file->GetName());
    indicator->SetFileBar(16);
    OutputDecision decision = OutputSkip;
    if (picture.IsImage())
    {
        CString target;
        decision = OutputPath(file, (CString)m_Prop_OutputFolderName + "\\Watermark", indicator, target);
        if (decision == OutputWrite)
        {
            indicator->SetFileBar(33);
            switch ((int)m_WMSourceFlag)
            {
            case SourceText: ApplyMark(&picture, m_pTextMark, m_WMTransparencyText); break;
            case SourcePicture: ApplyMark(&picture, m_pPictureMark, m_WMTransparencyPicture); break;
            default:
                ApplyMark(&picture, m_pPictureMark, m_WMTransparencyPicture);
                indicator->SetFileBar(50);
                ApplyMark(&picture, m_pTextMark, m_WMTransparencyText);
                break;
            }
            indicator->SetFileBar(66);
            CountOutput(SaveJpeg(&picture, target, 100, file->GetName()));
        }
    }
    indicator->SetFileBar(100);
    return decision == OutputStop ? 0 : 1;
}

void CDialogBatchWatermark::OnTextChange()
{
    if (m_bReady)
        RefreshTextPreview();
}

void CDialogBatchWatermark::OnFont()
{
    LOGFONTA font = {};
    m_Font.GetLogFont(&font);
    CFontDialog dialog(&font, CF_SCREENFONTS | CF_NOSCRIPTSEL, NULL, this);
    if (dialog.DoModal() != IDOK)
        return;
    LOGFONTA chosen;
    dialog.GetCurrentFont(&chosen);
    m_WMFontSize = chosen.lfHeight;
    m_bWMBold = chosen.lfWeight == FW_BOLD ? 1 : 0;
    m_bWMItalic = chosen.lfItalic ? 1 : 0;
    m_WMFontName = CString(chosen.lfFaceName);
    MakeFont();
    RefreshTextPreview();
}

void CDialogBatchWatermark::OnColor()
{
    CColorDialog dialog(m_WMFontColor, CC_RGBINIT | CC_FULLOPEN, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_WMFontColor = (unsigned)dialog.GetColor();
    RefreshTextPreview();
}

void CDialogBatchWatermark::OnSelectFile()
{
    CString current = m_WMPictureFileName;
    CFileDialog dialog(TRUE, "jpg", current, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, CPictureTypes::GetOpenFilter(), this);
    if (dialog.DoModal() != IDOK)
        return;
    m_WMPictureFileName = dialog.GetPathName();
    RefreshPicturePreview();
}
