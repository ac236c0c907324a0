// CDialogBatchResize: its controls, settings and the per-picture step.
#include "DialogBatchResize.h"
#include "FileInfo.h"
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "DialogBatchJobIndicator.h"

#include <math.h>

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

CRgbBuffer* CDialogBatchResize::LoadSource(const CString& path, bool fullSize, const Box boxes[OutputCount],
                                           CSize& pictureSize)
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
        if (jpeg.LoadReduced(source, width, height, &pictureSize))
            return source;
    }
    source->LoadRgbBuffer(path);
    pictureSize = source->IsImage() ? source->GetImageSize() : CSize(0, 0);
    return source;
}

CSize CDialogBatchResize::FittedSize(CSize picture, int boxWidth, int boxHeight)
{
    // The arithmetic of CRgbBuffer::CreateRectFitRGB, so that a reduced
    // decode gives the size the full picture would.
    if (picture.cx <= 0 || picture.cy <= 0)
        return CSize(0, 0);
    double sx = fabs((double)boxWidth / picture.cx);
    double sy = fabs((double)boxHeight / picture.cy);
    double s = sx < sy ? sx : sy;
    return CSize((int)(picture.cx * s), (int)(picture.cy * s));
}

CRgbBuffer* CDialogBatchResize::ResampleTo(const CRgbBuffer& source, int width, int height)
{
    // Each output pixel is the mean of the source pixels its area covers
    // (at least one), rows and columns scaled apart: the reduced decode's
    // sides are rounded up on their own, so its shape is not quite the
    // picture's.
    CRgbBuffer* result = new CRgbBuffer(width < 1 ? 1 : width, height < 1 ? 1 : height);
    result->m_GrayScale = 0;
    result->m_BackgroundColor = source.m_BackgroundColor;
    if (!result->IsImage() || !source.IsImage())
        return result;
    const int sw = source.GetWidth(), sh = source.GetHeight();
    const int tw = result->GetWidth(), th = result->GetHeight();
    const BYTE* in = source.GetBuffer();
    BYTE* out = result->GetBuffer();
    for (int y = 0; y < th; ++y)
    {
        int y0 = (int)((long long)y * sh / th), y1 = (int)((long long)(y + 1) * sh / th);
        if (y1 <= y0)
            y1 = y0 + 1;
        for (int x = 0; x < tw; ++x, out += 3)
        {
            int x0 = (int)((long long)x * sw / tw), x1 = (int)((long long)(x + 1) * sw / tw);
            if (x1 <= x0)
                x1 = x0 + 1;
            unsigned sum[3] = {0, 0, 0};
            for (int v = y0; v < y1; ++v)
            {
                const BYTE* p = in + ((size_t)v * sw + x0) * 3;
                for (int u = x0; u < x1; ++u, p += 3)
                {
                    sum[0] += p[0];
                    sum[1] += p[1];
                    sum[2] += p[2];
                }
            }
            unsigned count = (unsigned)((y1 - y0) * (x1 - x0));
            for (int k = 0; k < 3; ++k)
                out[k] = (BYTE)((sum[k] + count / 2) / count);
        }
    }
    return result;
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
    CSize pictureSize(0, 0); // the picture's own size, even when decoded reduced
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
            source = LoadSource(file->GetName(), boxes[0].on != 0, boxes, pictureSize);
        indicator->SetFileBar(33);
        if (!source->IsImage())
            break; // nothing to write for this picture; the batch goes on
        // The unscaled output is the picture itself (a fit into its own size
        // would only copy it). A reduced decode is brought to the size that
        // the full picture fitted into the box has.
        CRgbBuffer* fitted = NULL;
        if (i > 0 && source->GetImageSize() == pictureSize)
            fitted = source->CreateRectFitRGB(CRect(0, 0, box.width, box.height));
        else if (i > 0)
        {
            CSize size = FittedSize(pictureSize, box.width, box.height);
            fitted = ResampleTo(*source, size.cx, size.cy);
        }
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
