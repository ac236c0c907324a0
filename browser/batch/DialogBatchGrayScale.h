// CDialogBatchGrayScale: writes each selected picture as a one-channel grey
// JPEG into the sub-folder "GrayScale".
#pragma once

#include "DialogBatchJob.h"

class CDialogBatchGrayScale : public CDialogBatchJob
{
public:
    enum { IDD = IDD_BATCH_GRAYSCALE };

    CDialogBatchGrayScale(CWnd* pParent = NULL);

    int ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator) override;
};
