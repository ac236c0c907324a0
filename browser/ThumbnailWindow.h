// CThumbnailWindow: the cell window of one picture in the thumbnail view. It
// never decodes anything: while it paints it asks the thumbnail generator for
// a bitmap of its picture area and draws it (under the bitmap map's lock)
// over the view's radial-gradient background, with bevels, the caption strip
// (file name or editable description) and, when its entry is selected, an
// orange frame. Clicks, drags, double clicks and descriptions go to its host
// (CCellHost); how it looks (CCellLook) is pushed to it by its view.
//
// The view owns the cell object; the cell shows an entry it does not own. A
// cell may be handed to another entry (SetFileInfo): its pending tasks go.
// The background bitmap stays the view's.
#pragma once

#include "Framework.h"
#include "CEdit.h"
#include "MoveableWindow.h"
#include "CellLook.h"

class CCellHost;
class CFileInfo;

class CThumbnailWindow : public CMoveableWindow
{
    DECLARE_DYNAMIC(CThumbnailWindow)
public:
    enum
    {
        IDC_CAPTION = 1236,
        CaptionHeight = CCellLook::CaptionHeight,
        DragTimer = 1,
        DragDelayMs = 200,
    };

    // parent: the view's window; host: what the cell's clicks go to.
    CThumbnailWindow(CWnd* parent, CCellHost* host, CFileInfo* entry);
    ~CThumbnailWindow() override;

    // The window at `place` in the view, with the given look; the
    // description's edit comes when descriptions are first shown.
    BOOL CreateCell(const CRect& place, const CCellLook& look, HBITMAP background);
    // A new look: the cell shows or hides its description's edit and
    // paints anew. `background` (the view's, of the look's picture area)
    // is drawn behind every thumbnail.
    void SetLook(const CCellLook& look, HBITMAP background);
    const CCellLook& GetLook() const { return m_Look; }
    CFileInfo* GetFileInfo() const { return m_pFileInfo; }
    // Shows another entry: the generator's pending tasks for this window
    // are removed and the cell repaints. A description being edited stays
    // with the entry it was typed for: the edit gives up the keyboard and
    // shows the new entry's description.
    void SetFileInfo(CFileInfo* entry);
    // Sets the entry's selection flag and redraws at once.
    void SetSelected(BOOL selected);
    // Asks the generator for the thumbnail that the next paint will draw
    // (nothing when the map holds it at the cell's size).
    void RequestThumbnail();

    CWnd* m_pParent;
    CCellHost* m_pHost;
    CFileInfo* m_pFileInfo;
    CEdit m_Caption;
    BOOL m_bSettingCaption; // the text shown changes; nobody typed it

    void MouseButtonDown() override;
    void MouseButtonUp() override;

    // Colours of the painting (0x00BBGGRR).
    static const COLORREF GradientInner = 0x7A7A7A, GradientOuter = 0x1C1C1C;
    static const COLORREF NameStrip = 0xA8F4F4, DescriptionStrip = 0xE0F4F4;
    // Frame i (0 = outermost) of the six drawn around a selected cell.
    static COLORREF SelectionTopLeft(int i) { return RGB(228 - 10 * i, 68 - 10 * i, 0); }
    static COLORREF SelectionBottomRight(int i) { return RGB(205 + 10 * i, 55 + 10 * i, 0); }

protected:
    // The client area less the caption strip.
    CRect PictureArea() const;
    // Shows or hides the description's edit, making it the first time it
    // is shown.
    void ShowCaptionEdit(BOOL show);
    // Shows a description in the edit without taking it as typed.
    void SetCaptionText(const CString& text);
    CRect CaptionEditPlace() const;
    void ShowContextMenu();

    CCellLook m_Look;
    HBITMAP m_hBackground; // the view's

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnCaptionChange();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
