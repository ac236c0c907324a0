// CViewerView: the viewer's scroll view. It owns the picture list (a folder
// or an album) and shows its current picture by the display mode (best fit,
// fit to window, actual size, zoomed); it steps through the list with
// transitions, plays the slide show, rotates and flips in memory, and holds
// the window tools: panning, the magnifier, full screen and the context menu
// with the shell's own commands for the current file. Its read-ahead worker
// decodes the picture a step will show next, and the whole picture of one
// shown from a reduced decode.
#pragma once

#include "Framework.h"
#include "CScrollView.h"
#include "CMenu.h"
#include "IntProperty.h"
#include "ShellContextMenu.h"
#include "ViewerRules.h"
#include "ViewerPictures.h"
#include "ReadAhead.h"

// Posted by the read-ahead worker when a picture is ready.
#define WM_VIEWER_PICTURE_READY (WM_APP + 31)

class CFileInfoList;
class CRgbBuffer;

class CViewerView : public CScrollView
{
    DECLARE_DYNCREATE(CViewerView)
public:
    CViewerView();
    ~CViewerView() override;

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;

    // ---- State (read by the frame and by tests) ----
    CFileInfoList* m_pFileList;
    CRgbBuffer* m_pOriginal;
    CRgbBuffer* m_pDisplay;
    bool m_bActualSize;
    bool m_bFitToWindow;
    int m_ZoomLevel;
    bool m_bSlideShow;
    CIntProperty<int> m_DisplayTime;
    // 1: pictures are shown converted from their embedded colour profile.
    CIntProperty<int> m_bColorManagement;
    int m_MagnifierPower;
    int m_MagnifierSize;
    CRgbBuffer* m_pMagnified;
    CRect m_MagnifierRect;
    CPoint m_DragPoint;
    bool m_bFullScreen;
    DWORD m_SavedStyle;
    DWORD m_SavedExStyle;
    HMENU m_SavedMenu;
    CShellContextMenu m_ShellMenu;
    // Transition frames painted since the view was made.
    int m_TransitionFrames;

    // ---- The shown picture as loaded ----
    // m_pOriginal is of this file, whose own (upright) size is m_FullSize.
    CString m_ShownPath;
    CSize m_FullSize;
    // m_pOriginal is the whole picture (or the largest decode the memory
    // budget allows), not only a reduced decode for the window.
    bool m_bWholePicture;
    // The reduction a whole decode of the picture needs to fit the memory
    // budget (1: none); the title tells it.
    int m_BudgetScale;
    long long m_MemoryBudget;
    // m_pDisplay was made by m_DisplayFit from m_pOriginal as loaded (not
    // zoomed, turned or flipped): it may be kept for a step back.
    bool m_bDisplayByFit;
    ViewerPictures::Fit m_DisplayFit;
    bool m_bPictureChanged;
    // m_pOriginal is a quick first look, smaller than the window needs.
    bool m_bPreviewShown;
    // ... and that first look is the file's EXIF thumbnail.
    bool m_bThumbnailShown;
    // A picture just opened is painted before the read-ahead worker starts,
    // so that it has the processor to itself for its first paint.
    bool m_bReadAheadHeld;
    // The last step went back: read ahead the previous picture.
    bool m_bSteppedBack;
    CReadAhead m_ReadAhead;

    void SetMemoryBudget(long long bytes);
    // The fit the display mode makes for the client area now.
    ViewerPictures::Fit CurrentFit() const;

    ViewerRules::State GetState() const;
    CString GetCurrentFileName();

    // ---- Operations behind the commands ----
    // Builds the list for a start path or album, makes the file current and
    // shows its picture.
    void OpenStart(const CString& startPath, int albumNumber);
    // Reopens the file's folder with the file current, in best fit.
    void OpenFile(const CString& path);
    void Step(bool forward);
    void ShowBestFit();
    void ShowFitToWindow();
    void ShowActualSize();
    void Zoom(bool in);
    void PlaySlideShow();
    void StopSlideShow();
    void EnterFullScreen();
    void LeaveFullScreen();
    // The magnifier's piece for a client point, enlarged: a new buffer of
    // S x 3S/4 pixels (null without a picture). Black outside the picture.
    CRgbBuffer* CreateMagnifiedPiece(CPoint client) const;
    // The context popup: "&Slideshow"'s items, a separator, then "&File",
    // "&View", "&Magnifier" and "&Help" as sub-menus. popup must be empty.
    void BuildContextMenu(CMenu& popup) const;

    static int PaintCallback(void* view, CRgbBuffer* frame);

protected:
    // The display picture of `original` by the mode (best fit, fit to
    // window or a copy in actual size); the caller owns it.
    CRgbBuffer* MakeDisplay(const CRgbBuffer* original) const;
    // Takes ownership of display, sets the scroll sizes and redraws.
    void SetDisplay(CRgbBuffer* display);
    // As above, scrolling over the display's size when scrolls is true
    // (else the scroll range is 1 x 1).
    void SetDisplay(CRgbBuffer* display, bool scrolls);
    void SetOriginal(CRgbBuffer* original);
    // Remakes the display by the mode and drops the read-ahead of others.
    void Refit();
    void LoadCurrentPicture();
    // Takes the profile of the monitor the window is on as the colours the
    // pictures are converted to, when the window has moved to another one
    // (checked at each new picture).
    void FollowDisplayProfile();
    HMONITOR m_DisplayMonitor;
    std::string m_DisplayProfile;
    void ReplaceOriginal(CRgbBuffer* changed);
    void DrawPicture(CDC* pDC, CRgbBuffer* picture);
    CSize ClientSize() const;
    void UpdateTitle();
    // Shows a picture (taking its buffers) and forgets the shown one.
    void ShowPicture(CReadyPicture* picture);
    // The shown picture as a ready one, when it may be shown again as it is.
    CReadyPicture* DetachShownPicture();
    // Replaces a reduced decode by the whole picture (display unchanged).
    void EnsureWholePicture();
    // Tells the read-ahead what comes next: the neighbour in the direction
    // of the last step, then the whole shown picture when it is reduced.
    // While the read-ahead is held it waits for ReleaseReadAhead.
    void ReadAround();
    void ReleaseReadAhead();
    CString NeighbourFile(bool forward) const;
    void DrawMagnifier();
    void StartProgram(const char* name, bool needsFile);
    void ReopenAfterShellCommand();
    bool IsCommandEnabled(UINT id) const;
    void StepByKey(bool forward);
    static bool IsCancelInputDown();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnPictureReady(WPARAM, LPARAM);

    afx_msg void OnUpdateCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateShellCommand(CCmdUI* pCmdUI);
    afx_msg void OnTransitionEffects();
    afx_msg void OnOpen();
    afx_msg void OnBrowser();
    afx_msg void OnGlintfix();
    afx_msg void OnExit();
    afx_msg void OnFullScreen();
    afx_msg void OnBestFit();
    afx_msg void OnFitToWindow();
    afx_msg void OnActualSize();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnClockwise();
    afx_msg void OnCounterClockwise();
    afx_msg void OnFlipVertical();
    afx_msg void OnFlipHorizontal();
    afx_msg void OnPreviousPicture();
    afx_msg void OnNextPicture();
    afx_msg void OnPlaySlideShow();
    afx_msg void OnStopSlideShow();
    afx_msg void OnDisplayTimeLonger();
    afx_msg void OnDisplayTimeShorter();
    afx_msg void OnMagnifierPower(UINT nID);
    afx_msg void OnMagnifierLarger();
    afx_msg void OnMagnifierSmaller();
    afx_msg void OnShellCommand(UINT nID);
    afx_msg void OnAbout();
    afx_msg void OnWebSite();
    DECLARE_MESSAGE_MAP()
};
