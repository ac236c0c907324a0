// CDialogBatchRotateFlip: writes each selected picture turned by 90, 180 or
// 270 degrees or mirrored, into the sub-folder "RotateFlip". JPEG sources
// are turned without loss where their size allows it.
#pragma once

#include "DialogBatchJob.h"

class CRgbBuffer;

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
    // Decodes the source (unless `loaded` holds it already), turns it as set
    // and saves it at quality 100 with its metadata; false when not written.
    bool DecodeTurnAndSave(const CString& name, const CString& target, CRgbBuffer* loaded);
    BOOL OnInitDialog() override;
    void StoreSettings() override;
};
