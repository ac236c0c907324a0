// CDialogBatchResize: writes up to five resized JPEG copies of each selected
// picture: its own size ("Original"), fitted into 800 x 600, 640 x 480 and
// two custom boxes, each with its own quality and sub-folder.
#pragma once

#include "DialogBatchJob.h"

class CDialogBatchResize : public CDialogBatchJob
{
public:
    enum { IDD = IDD_BATCH_RESIZE, OutputCount = 5 };

    CDialogBatchResize(CWnd* pParent = NULL);

    int ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator) override;

    // The sub-folder of an output box: "\Original" for the unscaled output,
    // else "<folder>\<width>x<height>".
    static CString OutputFolder(const CString& outputFolder, bool original, int width, int height);
    // The size of a picture of `picture` size fitted into the box as
    // CRgbBuffer::CreateRectFitRGB fits it (aspect kept, enlarged when smaller).
    static CSize FittedSize(CSize picture, int boxWidth, int boxHeight);
    // A new buffer of exactly width x height resampled from `source`.
    static CRgbBuffer* ResampleTo(const CRgbBuffer& source, int width, int height);

    CIntProperty<int> m_Prop_bOriginal;
    CIntProperty<int> m_Prop_QualityOriginal;
    CIntProperty<int> m_Prop_b800x600;
    CIntProperty<int> m_Prop_Quality800x600;
    CIntProperty<int> m_Prop_b640x480;
    CIntProperty<int> m_Prop_Quality640x480;
    CIntProperty<int> m_Prop_bCustom1;
    CIntProperty<int> m_Prop_QualityCustom1;
    CIntProperty<unsigned> m_Prop_Width1;
    CIntProperty<unsigned> m_Prop_Height1;
    CIntProperty<int> m_Prop_bCustom2;
    CIntProperty<int> m_Prop_QualityCustom2;
    CIntProperty<unsigned> m_Prop_Width2;
    CIntProperty<unsigned> m_Prop_Height2;

protected:
    BOOL OnInitDialog() override;
    void StoreSettings() override;

private:
    // One of the five outputs with its controls.
    struct OutputRow
    {
        CIntProperty<int>* on;
        CIntProperty<int>* quality;
        int checkId, qualityId, spinId;
    };
    void GetRows(OutputRow rows[OutputCount]);
    // One output box as the job uses it.
    struct Box
    {
        int on, quality, width, height;
    };
    // The source picture: for reduced outputs only, a JPEG is decoded just
    // large enough for the largest checked box. pictureSize gets the
    // picture's own (upright) size, whatever size it was decoded at.
    static CRgbBuffer* LoadSource(const CString& path, bool fullSize, const Box boxes[OutputCount],
                                  CSize& pictureSize);
};
