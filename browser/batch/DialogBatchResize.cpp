// CDialogBatchResize: its controls, settings and the per-picture step.
#include "DialogBatchResize.h"
#include "FileInfo.h"
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "DialogBatchJobIndicator.h"

CDialogBatchResize::CDialogBatchResize(CWnd* pParent)
    : CDialogBatchJob(IDD, pParent), m_Prop_bOriginal("m_Prop_bOriginal", 0, 0, 1),
      m_Prop_QualityOriginal("m_Prop_QualityOriginal", 75, 5, 100), m_Prop_b800x600("m_Prop_b800x600", 0, 0, 1),
      m_Prop_Quality800x600("m_Prop_Quality800x600", 75, 5, 100), m_Prop_b640x480("m_Prop_b640x480", 0, 0, 1),
      m_Prop_Quality640x480("m_Prop_Quality640x480", 75, 5, 100), m_Prop_bCustom1("m_Prop_bCustom1", 0, 0, 1),
      m_Prop_QualityCustom1("m_Prop_QualityCustom1", 75, 5, 100), m_Prop_Width1("m_Prop_Width1", 400, 12, 6400),
      m_Prop_Height1("m_Prop_Height1", 300, 9, 4800), m_Prop_bCustom2("m_Prop_bCustom2", 0, 0, 1),
      m_Prop_QualityCustom2("m_Prop_QualityCustom2", 75, 5, 100), m_Prop_Width2("m_Prop_Width2", 160, 12, 6400),
      m_Prop_Height2("m_Prop_Height2", 120, 9, 4800)
{
}

void CDialogBatchResize::GetRows(OutputRow rows[OutputCount])
{
    rows[0] = {&m_Prop_bOriginal, &m_Prop_QualityOriginal, IDC_RESIZE_ORIGINAL, IDC_RESIZE_QUALITY_ORIGINAL,
               IDC_RESIZE_SPIN_ORIGINAL};
    rows[1] = {&m_Prop_b800x600, &m_Prop_Quality800x600, IDC_RESIZE_800X600, IDC_RESIZE_QUALITY_800X600,
               IDC_RESIZE_SPIN_800X600};
    rows[2] = {&m_Prop_b640x480, &m_Prop_Quality640x480, IDC_RESIZE_640X480, IDC_RESIZE_QUALITY_640X480,
               IDC_RESIZE_SPIN_640X480};
    rows[3] = {&m_Prop_bCustom1, &m_Prop_QualityCustom1, IDC_RESIZE_CUSTOM1, IDC_RESIZE_QUALITY_CUSTOM1,
               IDC_RESIZE_SPIN_CUSTOM1};
    rows[4] = {&m_Prop_bCustom2, &m_Prop_QualityCustom2, IDC_RESIZE_CUSTOM2, IDC_RESIZE_QUALITY_CUSTOM2,
               IDC_RESIZE_SPIN_CUSTOM2};
}

BOOL CDialogBatchResize::OnInitDialog()
{
    CDialogBatchJob::OnInitDialog();
    OutputRow rows[OutputCount];
    GetRows(rows);
    for (const OutputRow& row : rows)
    {
        CheckDlgButton(row.checkId, *row.on ? BST_CHECKED : BST_UNCHECKED);
        SendDlgItemMessage(row.spinId, UDM_SETBUDDY, (WPARAM)::GetDlgItem(m_hWnd, row.qualityId));
        SendDlgItemMessage(row.spinId, UDM_SETRANGE32, row.quality->GetMinimum(), row.quality->GetMaximum());
        SendDlgItemMessage(row.spinId, UDM_SETPOS32, 0, (int)*row.quality);
        SetDlgItemInt(row.qualityId, (int)*row.quality, FALSE);
    }
    SetDlgItemInt(IDC_RESIZE_WIDTH1, m_Prop_Width1, FALSE);
    SetDlgItemInt(IDC_RESIZE_HEIGHT1, m_Prop_Height1, FALSE);
    SetDlgItemInt(IDC_RESIZE_WIDTH2, m_Prop_Width2, FALSE);
    SetDlgItemInt(IDC_RESIZE_HEIGHT2, m_Prop_Height2, FALSE);
    return TRUE;
}

void CDialogBatchResize::StoreSettings()
{
    if (!m_hWnd)
        return;
    OutputRow rows[OutputCount];
    GetRows(rows);
    for (const OutputRow& row : rows)
    {
        *row.on = IsDlgButtonChecked(row.checkId) == BST_CHECKED ? 1 : 0;
        *row.quality = ReadClampedInt(row.qualityId, row.quality->GetMinimum(), row.quality->GetMaximum(),
                                      *row.quality);
        SendDlgItemMessage(row.spinId, UDM_SETPOS32, 0, (int)*row.quality);
    }
    CIntProperty<unsigned>* sizes[4] = {&m_Prop_Width1, &m_Prop_Height1, &m_Prop_Width2, &m_Prop_Height2};
    const int sizeIds[4] = {IDC_RESIZE_WIDTH1, IDC_RESIZE_HEIGHT1, IDC_RESIZE_WIDTH2, IDC_RESIZE_HEIGHT2};
    for (int i = 0; i < 4; ++i)
    {
        *sizes[i] = (unsigned)ReadClampedInt(sizeIds[i], sizes[i]->GetMinimum(), sizes[i]->GetMaximum(), *sizes[i]);
        SetDlgItemInt(sizeIds[i], *sizes[i], FALSE);
    }
}

CString CDialogBatchResize::OutputFolder(const CString& outputFolder, bool original, int width, int height)
{
    if (original)
        return outputFolder + "\\Original";
    CString folder;
    folder.Format("%s\\%dx%d", (const char*)outputFolder, width, height);
    return folder;
}

CRgbBuffer* CDialogBatchResize::LoadSource(const CString& path, bool fullSize, const Box boxes[OutputCount])
{
    CRgbBuffer* source = new CRgbBuffer;
    if (!fullSize && CFileInfo::IsJPGFile(path))
    {
        // Only reduced copies are wanted: a JPEG decoded at the smallest DCT
        // scale that still covers every checked box saves most of the work.
        int width = 0, height = 0;
        for (int i = 1; i < OutputCount; ++i)
            if (boxes[i].on)
            {
                width = width > boxes[i].width ? width : boxes[i].width;
                height = height > boxes[i].height ? height : boxes[i].height;
            }
        CJpgFile jpeg(path);
        if (jpeg.LoadReduced(source, width, height, NULL))
            return source;
    }
    source->LoadRgbBuffer(path);
    return source;
}

int CDialogBatchResize::ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator)
{
    const Box boxes[OutputCount] = {
        {m_Prop_bOriginal, m_Prop_QualityOriginal, 0, 0},
        {m_Prop_b800x600, m_Prop_Quality800x600, 800, 600},
        {m_Prop_b640x480, m_Prop_Quality640x480, 640, 480},
        {m_Prop_bCustom1, m_Prop_QualityCustom1, (int)m_Prop_Width1, (int)m_Prop_Height1},
        {m_Prop_bCustom2, m_Prop_QualityCustom2, (int)m_Prop_Width2, (int)m_Prop_Height2},
    };
    bool any = false;
    for (const Box& box : boxes)
        any = any || box.on;
    if (!any)
        return 1;

    CString outputFolder = m_Prop_OutputFolderName;
    CRgbBuffer* source = NULL;
    bool stopped = false;
    for (int i = 0; i < OutputCount && !stopped; ++i)
    {
        if (EscapePressed())
        {
            stopped = true;
            break;
        }
        const Box& box = boxes[i];
        if (!box.on)
            continue;
        CString target;
        OutputDecision decision = OutputPath(file, OutputFolder(outputFolder, i == 0, box.width, box.height),
                                             indicator, target);
        if (decision == OutputStop)
        {
            stopped = true;
            break;
        }
        if (decision == OutputSkip)
            continue;
        if (!source)
            source = LoadSource(file->GetName(), boxes[0].on != 0, boxes);
        indicator->SetFileBar(33);
        if (!source->IsImage())
            break; // nothing to write for this picture; the batch goes on
        // The unscaled output is the picture itself (a fit into its own size
        // would only copy it).
        CRgbBuffer* fitted = i == 0 ? NULL : source->CreateRectFitRGB(CRect(0, 0, box.width, box.height));
        CountOutput(SaveJpeg(fitted ? fitted : source, target, box.quality, file->GetName()));
        indicator->SetFileBar(66);
        if (fitted && fitted != source)
            delete fitted;
        indicator->SetFileBar(100);
    }
    indicator->SetFileBar(100);
    delete source;
    return stopped ? 0 : 1;
}
