// CDialogAviCreator: renders the selected pictures into an AVI video. Each
// picture is centred on a black canvas of the video size, reached by a
// transition from the previous canvas (black before the first) and then held
// for frame rate x seconds still frames. Runs as a batch job under the
// progress window; ESC ends the video after the current frame, and the frames
// so far are the video. The video is finished as the job ends: one whose
// writing failed is kept nowhere (the writer tells the user) and the progress
// window's end text counts it as a file that could not be written.
#pragma once

#include "DialogBatchJob.h"

class CAviFile;

class CDialogAviCreator : public CDialogBatchJob
{
public:
    enum { IDD = IDD_BATCH_AVI_CREATOR, VgaWidth = 640, VgaHeight = 480 };

    CDialogAviCreator(CWnd* pParent = NULL);
    ~CDialogAviCreator() override;

    int ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator) override;

    // Writes the video of `list`'s selection to `path` (steps after the file
    // was chosen); false when nothing was selected.
    bool CreateVideo(CFileInfoList* list, const CString& path);
    // The two ends of a video: the writer at the current settings, then the
    // file finished. Between them RunJob (or the progress window) adds the
    // pictures.
    void BeginVideo(const CString& path);
    void EndVideo();
    // The video size of the current settings.
    CSize VideoSize() const;

    CIntProperty<int> m_Prop_VideoSizeIndex;
    CIntProperty<int> m_Prop_CustomWidth;
    CIntProperty<int> m_Prop_CustomHeight;
    CIntProperty<int> m_Prop_Seconds;
    CIntProperty<int> m_Prop_FrameRate;
    CStringProperty m_Prop_AviFileName;
    // The browser's colour setting: 1 converts every picture from its
    // embedded profile, so the video (which has none) is in sRGB.
    CIntProperty<int> m_bColorManagement;

protected:
    BOOL OnInitDialog() override;
    void StoreSettings() override;
    // Finishes the video while the progress window still shows.
    void EndJob() override;
    // The save dialog; false when the user cancels.
    virtual bool AskVideoFileName(CString& path);

    afx_msg void OnCreateVideo();
    afx_msg void OnTransitions();
    afx_msg void OnSizeChoice();
    DECLARE_MESSAGE_MAP()

private:
    // The transition's frame callback: appends the frame to the video.
    static int AppendTransitionFrame(void* creator, CRgbBuffer* frame);
    void EnableCustomSize();
    // The frame as a bitmap of the video size. Every frame goes through the
    // same DIB section (made for the first one), because making and freeing
    // a section costs several times more than encoding the frame. Null when
    // no bitmap can be made.
    HBITMAP FrameBitmap(const CRgbBuffer* frame);
    void FreeFrameBitmap();

    // Job state while a video is made.
    CAviFile* m_pAviFile;
    CRgbBuffer* m_pPrevious; // the previous canvas, owned
    CDialogBatchJobIndicator* m_pIndicator;
    CSize m_VideoSize;
    HBITMAP m_hFrameBitmap;
    BYTE* m_pFrameBits;
};
