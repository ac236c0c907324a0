// CThumbnailWindow's painting: the thumbnail over the view's gradient, two
// bevels, the caption strip and the selection frames.
#include "ThumbnailWindow.h"
#include "CPaintDC.h"
#include "FileInfo.h"
#include "RgbBuffer.h"
#include "ThumbnailManager.h"

CRect CThumbnailWindow::PictureArea() const
{
    CRect client;
    GetClientRect(&client);
    return m_Look.PictureArea(client);
}

void CThumbnailWindow::RequestThumbnail()
{
    CRect area = PictureArea();
    if (g_pThumbnailManager && m_pFileInfo && area.Width() > 0 && area.Height() > 0)
        g_pThumbnailManager->GetThumbnail(m_pFileInfo->GetName(), area, m_hWnd, m_Look.fit);
}

void CThumbnailWindow::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    BOOL showName = m_Look.showName, showDescription = m_Look.showDescription;
    CRect area = m_Look.PictureArea(client);
    // The map draws under its own lock: no worker deletes the bitmap while
    // it is drawn.
    auto draw = [&](HBITMAP bitmap) { CRgbBuffer::DrawByBitBlt(&dc, area, bitmap, m_hBackground, 0); };
    if (g_pThumbnailManager && m_pFileInfo && area.Width() > 0 && area.Height() > 0)
        g_pThumbnailManager->GetThumbnail(m_pFileInfo->GetName(), area, m_hWnd, m_Look.fit, draw);
    else
        draw(NULL);

    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SelectStockObject(BLACK_PEN);
    CRect bevel = area;
    dc.Draw3dRect(&bevel, 0xFFFFFF, 0x202020);
    bevel.DeflateRect(1, 1);
    dc.Draw3dRect(&bevel, 0xCDCDCD, 0x525252);

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
