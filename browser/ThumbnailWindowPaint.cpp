// CThumbnailWindow's painting: the thumbnail over the shared gradient, two
// bevels, the caption strip and the selection frames.
#include "ThumbnailWindow.h"
#include "BaseFrameWindow.h"
#include "BitmapFactory.h"
#include "CPaintDC.h"
#include "FileInfo.h"
#include "RgbBuffer.h"
#include "ThumbnailManager.h"

CRect CThumbnailWindow::PictureArea(BOOL& showName, BOOL& showDescription, BOOL& fit) const
{
    CRect area;
    GetClientRect(&area);
    showName = TRUE, showDescription = FALSE, fit = FALSE;
    if (CBaseFrameWindow* frame = GetSettingsFrame())
    {
        showName = frame->m_bPropShowFileName != 0;
        showDescription = frame->m_bPropShowFileDescription != 0;
        fit = frame->m_ThumbsMaxFit != 0;
    }
    if (showName || showDescription)
        area.bottom -= CaptionHeight;
    return area;
}

void CThumbnailWindow::RequestThumbnail()
{
    BOOL showName, showDescription, fit;
    CRect area = PictureArea(showName, showDescription, fit);
    if (g_pThumbnailManager && m_pFileInfo && area.Width() > 0 && area.Height() > 0)
        g_pThumbnailManager->GetThumbnail(m_pFileInfo->GetName(), area, m_hWnd, fit);
}

void CThumbnailWindow::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    BOOL showName, showDescription, fit;
    CRect area = PictureArea(showName, showDescription, fit);
    {
        // The background is shared by every cell of the process.
        CSuiteLock lock;
        if (m_CellBackground)
        {
            BITMAP info;
            if (!GetObjectA(m_CellBackground, sizeof(info), &info) ||
                info.bmWidth != area.Width() || info.bmHeight != area.Height())
            {
                DeleteObject(m_CellBackground);
                m_CellBackground = NULL;
            }
        }
        if (!m_CellBackground && area.Width() > 0 && area.Height() > 0)
            m_CellBackground = CBitmapFactory::CreateGradientCircleFromCenterBitmap(
                area.Width(), area.Height(), GradientInner, GradientOuter);

        // The map draws under its own lock: the worker cannot delete the
        // bitmap while it is drawn.
        auto draw = [&](HBITMAP bitmap) { CRgbBuffer::DrawByBitBlt(&dc, area, bitmap, m_CellBackground, 0); };
        if (g_pThumbnailManager && m_pFileInfo && area.Width() > 0 && area.Height() > 0)
            g_pThumbnailManager->GetThumbnail(m_pFileInfo->GetName(), area, m_hWnd, fit, draw);
        else
            draw(NULL);
    }

    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SelectStockObject(BLACK_PEN);
    CRect bevel = area;
    dc.Draw3dRect(&bevel, 0xFFFFFF, 0x202020);
    bevel.DeflateRect(1, 1);
    dc.Draw3dRect(&bevel, 0xCDCDCD, 0x525252);

    ShowCaptionEdit(showDescription);

    if ((showName || showDescription) && m_pFileInfo)
    {
        CRect strip(client.left, client.bottom - CaptionHeight, client.right, client.bottom);
        dc.Draw3dRect(&strip, 0xFFFFFF, 0x202020);
        strip.DeflateRect(1, 1);
        dc.Draw3dRect(&strip, 0xFFFFFF, 0x202020);
        strip.DeflateRect(1, 1);
        CString text;
        if (showDescription)
        {
            dc.FillSolidRect(&strip, DescriptionStrip);
            text = m_pFileInfo->GetDescription();
            if (m_Caption.m_hWnd)
                SetCaptionText(text);
        }
        else
        {
            dc.FillSolidRect(&strip, NameStrip);
            text = CFileInfo::GetFileFromFullPath(m_pFileInfo->GetName());
        }
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText(text, &strip, DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
    }

    if (m_pFileInfo && m_pFileInfo->Selected())
    {
        CRect frame = client;
        for (int i = 0; i < 6; ++i)
        {
            dc.Draw3dRect(&frame, SelectionTopLeft(i), SelectionBottomRight(i));
            frame.DeflateRect(1, 1);
        }
    }
}
