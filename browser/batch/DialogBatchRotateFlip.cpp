// CDialogBatchRotateFlip: the job radio and the per-picture step.
#include "DialogBatchRotateFlip.h"
#include "FileInfo.h"
#include "RgbBuffer.h"
#include "DialogBatchJobIndicator.h"

CDialogBatchRotateFlip::CDialogBatchRotateFlip(CWnd* pParent)
    : CDialogBatchJob(IDD, pParent), m_Prop_JobFlag("m_Prop_JobFlag", 0, 0, 4)
{
}

BOOL CDialogBatchRotateFlip::OnInitDialog()
{
    CDialogBatchJob::OnInitDialog();
    CheckRadioButton(IDC_ROTATE_90, IDC_FLIP_VERTICAL, IDC_ROTATE_90 + m_Prop_JobFlag);
    return TRUE;
}

void CDialogBatchRotateFlip::StoreSettings()
{
    if (!m_hWnd)
        return;
    int checked = GetCheckedRadioButton(IDC_ROTATE_90, IDC_FLIP_VERTICAL);
    if (checked)
        m_Prop_JobFlag = checked - IDC_ROTATE_90;
}

int CDialogBatchRotateFlip::ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator)
{
    // Loaded before the output is named: a source that cannot be read gets
    // no folder, no question and no output.
    CRgbBuffer source;
    source.LoadRgbBuffer(file->GetName());
    indicator->SetFileBar(33);
    OutputDecision decision = OutputSkip;
    if (source.IsImage())
    {
        CString target;
        decision = OutputPath(file, (CString)m_Prop_OutputFolderName + "\\RotateFlip", indicator, target);
        if (decision == OutputWrite)
        {
            CRgbBuffer* result = NULL;
            switch ((int)m_Prop_JobFlag)
            {
            case Rotate90: result = source.Rotate90RGB(); break;
            case Rotate180: result = source.Rotate180RGB(); break;
            case Rotate270: result = source.Rotate270RGB(); break;
            case FlipHorizontal: result = source.FlipHorzRGB(); break;
            default: result = source.FlipVertRGB(); break;
            }
            if (result)
                CountOutput(SaveJpeg(result, target, 100, file->GetName()));
            delete result;
        }
    }
    indicator->SetFileBar(66);
    indicator->SetFileBar(100);
    return decision == OutputStop ? 0 : 1;
}
