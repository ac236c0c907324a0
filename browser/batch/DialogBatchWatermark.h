// CDialogBatchWatermark: blends a text mark, a picture mark or both into each
// selected picture at one of seven placements and writes the result into the
// sub-folder "Watermark". The look of the text (font, colour, colour
// fluctuation) is stored as soon as the user changes it; the two previews
// show the marks, or a default picture while a mark is missing.
#pragma once

#include <vector>
#include "DialogBatchJob.h"
#include "CGdiObject.h"

class CDialogBatchWatermark : public CDialogBatchJob
{
public:
    enum { IDD = IDD_BATCH_WATERMARK };
    enum { SourceText, SourcePicture, SourceBoth };
    enum { Centered, Tile, BottomRight, BottomLeft, BottomCentered, AllCorners, Custom };

    CDialogBatchWatermark(CWnd* pParent = NULL);
    ~CDialogBatchWatermark() override;

    int ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator) override;

    // Top-left corners of a w x h mark on a W x H picture for a placement.
    static std::vector<CPoint> MarkPositions(int placement, int W, int H, int w, int h, int xCustom,
                                             int yCustom);
    // Blends `mark` into `picture` at every position of the current placement.
    void ApplyMark(CRgbBuffer* picture, CRgbBuffer* mark, int transparency);

    // Re-reads the text edit and the fluctuation, renders the text mark and
    // shows it; loads the picture file into the picture mark and shows it.
    void RefreshTextPreview();
    void RefreshPicturePreview();
    CRgbBuffer* GetTextMark() const { return m_pTextMark; }
    CRgbBuffer* GetPictureMark() const { return m_pPictureMark; }

    CStringProperty m_WMText;
    CStringProperty m_WMFontName;
    CIntProperty<int> m_WMFontSize;
    CIntProperty<int> m_bWMBold;
    CIntProperty<int> m_bWMItalic;
    CIntProperty<unsigned> m_WMFontColor;
    CIntProperty<unsigned> m_WMTransparencyText;
    CIntProperty<unsigned> m_WMTransparencyPicture;
    CIntProperty<unsigned> m_WMFluctuation;
    CIntProperty<int> m_WMSourceFlag;
    CIntProperty<int> m_WMPositionFlag;
    CIntProperty<unsigned> m_WMxCustom;
    CIntProperty<unsigned> m_WMyCustom;
    CStringProperty m_WMPictureFileName;

protected:
    BOOL OnInitDialog() override;
    void StoreSettings() override;
    bool CheckBeforeRun() override;

    afx_msg void OnDestroy();
    afx_msg void OnFont();
    afx_msg void OnColor();
    afx_msg void OnSelectFile();
    afx_msg void OnTextChange();
    DECLARE_MESSAGE_MAP()

private:
    void MakeFont();
    void RenderTextMark(const CString& text);
    // Shows `mark` (reduced to the control when larger) or the default picture.
    void ShowPreview(int id, CRgbBuffer* mark, HBITMAP& shown, HBITMAP fallback);

    CRgbBuffer* m_pTextMark;
    CRgbBuffer* m_pPictureMark;
    CFont m_Font;
    HBITMAP m_DefaultText;    // default preview of the text mark (bitmap 248)
    HBITMAP m_DefaultPicture; // and its copy for the picture mark
    HBITMAP m_ShownText;      // bitmaps made for the previews, owned
    HBITMAP m_ShownPicture;
    bool m_bReady;
};
