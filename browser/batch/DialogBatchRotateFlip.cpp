// CDialogBatchRotateFlip: the job radio and the per-picture step.
#include "DialogBatchRotateFlip.h"
#include "FileInfo.h"
#include "RgbBuffer.h"
#include "JpgFile.h"
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
    // no folder, no question and no output. A JPEG is only checked by a
    // small decode here, as it is turned by moving its compressed blocks
    // when its size allows that, without a loss; it is decoded whole,
    // turned and saved only when it does not.
    const CString name = file->GetName();
    const bool jpeg = CFileInfo::IsJPGFile(name) != FALSE;
    CRgbBuffer source;
    if (jpeg)
        CJpgFile(name).LoadReduced(&source, 1, 1, NULL);
    else
        source.LoadRgbBuffer(name);
    indicator->SetFileBar(33);
    OutputDecision decision = OutputSkip;
    if (source.IsImage())
    {
        CString target;
        decision = OutputPath(file, (CString)m_Prop_OutputFolderName + "\\RotateFlip", indicator, target);
        if (decision == OutputWrite)
        {
            if (jpeg && CJpgFile::TransformLossless(name, target, m_Prop_JobFlag))
                CountOutput(true);
            else
                CountOutput(DecodeTurnAndSave(name, target, jpeg ? NULL : &source));
        }
    }
    indicator->SetFileBar(66);
    indicator->SetFileBar(100);
    return decision == OutputStop ? 0 : 1;
}

bool CDialogBatchRotateFlip::DecodeTurnAndSave(const CString& name, const CString& target,
                                               CRgbBuffer* loaded)
{
    CRgbBuffer whole;
    if (!loaded)
    {
        whole.LoadRgbBuffer(name);
        loaded = &whole;
    }
    if (!loaded->IsImage())
        return false;
    CRgbBuffer* result = NULL;
    switch ((int)m_Prop_JobFlag)
    {
    case Rotate90: result = loaded->Rotate90RGB(); break;
    case Rotate180: result = loaded->Rotate180RGB(); break;
    case Rotate270: result = loaded->Rotate270RGB(); break;
    case FlipHorizontal: result = loaded->FlipHorzRGB(); break;
    default: result = loaded->FlipVertRGB(); break;
    }
    bool written = result && SaveJpeg(result, target, 100, name);
    delete result;
    return written;
}
