// Loading pictures for the viewer: reduced decodes for the window, whole
// decodes within the memory budget, and display pictures by mode.
#include "ViewerPictures.h"
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "FileInfo.h"

namespace ViewerPictures
{
int ScaleForBudget(CSize fullSize, long long budgetBytes)
{
    for (int scale = 1; scale < 8; scale *= 2)
    {
        // The decoder rounds a reduced size up.
        long long w = ((long long)fullSize.cx + scale - 1) / scale;
        long long h = ((long long)fullSize.cy + scale - 1) / scale;
        if (w * h * 3 <= budgetBytes)
            return scale;
    }
    return 8;
}

bool LoadForWindow(const CString& path, CSize client, CRgbBuffer& picture, CSize& fullSize)
{
    picture.CleanUp();
    fullSize = CSize(0, 0);
    if (CFileInfo::IsJPGFile(path) && client.cx > 0 && client.cy > 0)
    {
        CJpgFile reader(path, 100, false);
        if (!reader.LoadReduced(&picture, client.cx, client.cy, &fullSize))
            picture.CleanUp();
        return picture.IsImage() != FALSE;
    }
    if (!picture.LoadRgbBuffer(path, false) || !picture.IsImage())
    {
        picture.CleanUp();
        return false;
    }
    fullSize = picture.GetImageSize();
    return true;
}

bool LoadWhole(const CString& path, long long budgetBytes, CRgbBuffer& picture, CSize& fullSize, int& scale)
{
    picture.CleanUp();
    scale = 1;
    if (CFileInfo::IsJPGFile(path))
    {
        if (fullSize.cx <= 0 || fullSize.cy <= 0)
        {
            // The smallest decode tells the size.
            CJpgFile probe(path, 100, false);
            CRgbBuffer tiny;
            if (!probe.LoadReduced(&tiny, 1, 1, &fullSize))
                return false;
        }
        scale = ScaleForBudget(fullSize, budgetBytes);
        if (scale > 1)
        {
            // A box of the reduced size makes the decoder choose exactly
            // that reduction.
            int w = (fullSize.cx + scale - 1) / scale;
            int h = (fullSize.cy + scale - 1) / scale;
            CJpgFile reader(path, 100, false);
            CSize size;
            if (!reader.LoadReduced(&picture, w, h, &size))
                picture.CleanUp();
            return picture.IsImage() != FALSE;
        }
    }
    if (!picture.LoadRgbBuffer(path, false) || !picture.IsImage())
    {
        picture.CleanUp();
        return false;
    }
    fullSize = picture.GetImageSize();
    return true;
}

CRgbBuffer* MakeDisplay(const CRgbBuffer* original, const Fit& fit)
{
    CRgbBuffer* display = NULL;
    if (original && original->IsImage())
    {
        if (fit.mode == ActualSize)
            display = new CRgbBuffer(*original);
        else
        {
            CRect target(0, 0, fit.client.cx > 0 ? fit.client.cx : 1, fit.client.cy > 0 ? fit.client.cy : 1);
            display = fit.mode == FitToWindow ? original->CreateRectFitRGB(target) : original->CreateBestFitRGB(target);
        }
    }
    if (!display)
        display = new CRgbBuffer;
    display->m_BackgroundColor = RGB(0, 0, 0);
    return display;
}
}
