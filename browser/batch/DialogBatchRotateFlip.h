// CDialogBatchRotateFlip: writes each selected picture turned by 90, 180 or
// 270 degrees or mirrored, into the sub-folder "RotateFlip".
#pragma once

#include "DialogBatchJob.h"

class CDialogBatchRotateFlip : public CDialogBatchJob
{
public:
    enum { IDD = IDD_BATCH_ROTATE_FLIP };
    // Values of m_Prop_JobFlag, in the order of the radio buttons.
    enum { Rotate90, Rotate180, Rotate270, FlipHorizontal, FlipVertical };

    CDialogBatchRotateFlip(CWnd* pParent = NULL);

    int ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator) override;

    CIntProperty<int> m_Prop_JobFlag;

protected:
    BOOL OnInitDialog() override;
    void StoreSettings() override;
};
