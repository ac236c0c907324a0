// CGlintfixDoc: one picture being repaired. m_pBase is the picture as
// loaded or last saved, with rotations and flips applied; m_pWorking is
// what is shown and saved: m_pBase with the colour adjustment and the
// red-eye fixes. All changes stay in memory until a save, which always
// writes JPEG and then shows the file as written.
#pragma once

#include "Framework.h"
#include "CDocument.h"
#include "EditHistory.h"

class CRgbBuffer;

class CGlintfixDoc : public CDocument
{
    DECLARE_DYNCREATE(CGlintfixDoc)
public:
    CGlintfixDoc();
    ~CGlintfixDoc() override;

    // The hint of UpdateAllViews after a save: the pictures are the file's now.
    enum { HintReloaded = 1 };

    CRgbBuffer* m_pBase;
    CRgbBuffer* m_pWorking;
    // A red eye was removed since the last load, save or colour reset: a
    // colour adjustment, made from m_pBase, would lose it.
    bool m_bRedEyeFixed;
    // The JPEG the pictures were read from (empty for another kind of file):
    // a save copies its metadata, even when it writes over it.
    CString m_strLoadedFrom;
    // The colours the working picture was made with from m_pBase.
    int m_Colors[CEditState::kColors];
    // Every change above can be undone and redone; a save keeps the history.
    CEditHistory m_History;

    bool HasPicture() const;
    CSize GetPictureSize() const;

    // Loads the picture (a name without a picture extension gets ".jpg");
    // says "Invalid image file : " + path and fails when it does not load.
    BOOL OnOpenDocument(LPCSTR lpszPathName) override;
    // Writes m_pWorking as JPEG at the bar's quality to the path with
    // ".jpg" assured, with the metadata of m_strLoadedFrom, then reloads
    // that file into both pictures (the pixels written, when it cannot be
    // read back). A failed write is told and leaves the file on disk as it
    // was.
    BOOL OnSaveDocument(LPCSTR lpszPathName) override;
    // The document is saved under, and titled with, the path with ".jpg" assured.
    void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
    void DeleteContents() override;
    // Asks whether to save a changed picture (Yes, No, Cancel); FALSE stops the close.
    BOOL SaveModified() override;

    // m_pWorking = m_pBase altered by CreateAlteredRGB with these arguments.
    void ApplyColors(int saturation, int brightness, int contrast, int red, int green, int blue);
    // m_pWorking = a copy of m_pBase; the red-eye flag is cleared.
    void RestoreWorking();
    // Removes the red eye around a point of the picture; marks the document modified.
    void RemoveRedEye(CPoint center, int radius);
    // Each of the three above, and a rotation or flip, is one step of the
    // history; these take the last step back or do it again (false when
    // there is none) and set the modified mark and the views to match.
    bool Undo();
    bool Redo();

    // What the history puts back besides pixels.
    CEditState State() const;
    void SetState(const CEditState& state);
    // A new working picture: m_pBase with the colours of `state` (caller owns it).
    CRgbBuffer* MakeWorking(const CEditState& state) const;
    // Replaces the working picture (taken over; null leaves it as it is).
    void SetWorking(CRgbBuffer* working);

    // Reads a just-written file back into `target`; replaceable so that a
    // reload that fails can be tried.
    typedef BOOL (*Reloader)(CRgbBuffer* target, const CString& path);
    static Reloader SetReloader(Reloader reloader);

protected:
    void Turn(int transform);
    // The modified mark follows the history: clear exactly at the saved state.
    void FollowHistory();
    BOOL SaveAs();

    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    afx_msg void OnFileClose();
    afx_msg void OnRotateClockwise();
    afx_msg void OnRotateCounterClockwise();
    afx_msg void OnFlipHorizontal();
    afx_msg void OnFlipVertical();
    afx_msg void OnUpdateNeedsPicture(CCmdUI* pCmdUI);
    afx_msg void OnEditUndo();
    afx_msg void OnEditRedo();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
