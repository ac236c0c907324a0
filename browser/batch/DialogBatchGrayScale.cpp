// CDialogBatchGrayScale: the per-picture step of the grayscale tool.
#include "DialogBatchGrayScale.h"
#include "FileInfo.h"
#include "RgbBuffer.h"
#include "DialogBatchJobIndicator.h"

CDialogBatchGrayScale::CDialogBatchGrayScale(CWnd* pParent) : CDialogBatchJob(IDD, pParent)
{
}

int CDialogBatchGrayScale::ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator)
{
    // Loaded before the output is named: a source that cannot be read gets
    // no folder, no question and no output.
    CRgbBuffer* picture = new CRgbBuffer;
    picture->LoadRgbBuffer(file->GetName());
    indicator->SetFileBar(33);
    OutputDecision decision = OutputSkip;
    if (picture->IsImage())
    {
        CString target;
        decision = OutputPath(file, (CString)m_Prop_OutputFolderName + "\\GrayScale", indicator, target);
        if (decision == OutputWrite)
        {
            picture->AdjustColor(-100);
            // Grey pixels: the writer stores one channel.
            picture->m_GrayScale = 1;
            CountOutput(SaveJpeg(picture, target, 100, file->GetName()));
        }
    }
    indicator->SetFileBar(66);
    delete picture;
    indicator->SetFileBar(100);
    return decision == OutputStop ? 0 : 1;
}
