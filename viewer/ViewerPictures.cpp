// Loading pictures for the viewer: reduced decodes for the window, whole
// decodes within the memory budget, and display pictures by mode.
#include "ViewerPictures.h"
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "FileInfo.h"
#include "ExifOrientation.h"
#include "ColourTransform.h"

#include <mutex>
#include <vector>

namespace
{
std::mutex g_ColourLock;
bool g_bColourManaged = true;
std::string g_DisplayProfile;
} // namespace

namespace ViewerPictures
{
void SetColourTarget(bool manage, const std::string& display)
{
    std::lock_guard<std::mutex> hold(g_ColourLock);
    g_bColourManaged = manage;
    g_DisplayProfile = display;
}

bool IsColourManaged()
{
    std::lock_guard<std::mutex> hold(g_ColourLock);
    return g_bColourManaged;
}

void ToScreenColours(CRgbBuffer& picture)
{
    std::string display;
    {
        std::lock_guard<std::mutex> hold(g_ColourLock);
        if (!g_bColourManaged)
            return;
        display = g_DisplayProfile;
    }
    CColourTransform::ToProfile(&picture, display);
}

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

bool ReadJpegFrame(const CString& path, CSize& uprightSize, bool& progressive)
{
    uprightSize = CSize(0, 0);
    progressive = false;
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    bool found = false;
    if (fgetc(file) == 0xFF && fgetc(file) == 0xD8)
    {
        // Segments up to the frame header; every one but the markers
        // without data has a two-byte length.
        for (;;)
        {
            int c = fgetc(file);
            if (c != 0xFF)
                break;
            int marker;
            do
                marker = fgetc(file);
            while (marker == 0xFF);
            if (marker == EOF || marker == 0xD9 || marker == 0xDA)
                break;
            if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
                continue;
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            {
                // SOF2, SOF6, SOF10 and SOF14 are the progressive frames.
                progressive = (marker & 3) == 2;
                // Length (2), precision (1), height (2), width (2).
                unsigned char header[7];
                if (fread(header, 1, sizeof(header), file) == sizeof(header))
                {
                    uprightSize = CSize((header[5] << 8) | header[6], (header[3] << 8) | header[4]);
                    found = uprightSize.cx > 0 && uprightSize.cy > 0;
                }
                break;
            }
            int high = fgetc(file);
            int low = fgetc(file);
            if (high == EOF || low == EOF || ((high << 8) | low) < 2 || fseek(file, ((high << 8) | low) - 2, SEEK_CUR) != 0)
                break;
        }
    }
    if (found && CExifOrientation::SwapsSides(CExifOrientation::FromJpegFile(file)))
        uprightSize = CSize(uprightSize.cy, uprightSize.cx);
    fclose(file);
    return found;
}

bool IsProgressiveJpeg(const CString& path)
{
    CSize size;
    bool progressive;
    return ReadJpegFrame(path, size, progressive) && progressive;
}

bool LoadPreview(const CString& path, CSize client, CRgbBuffer& picture, CSize& fullSize, bool& preview)
{
    preview = false;
    if (!CFileInfo::IsJPGFile(path) || client.cx <= 0 || client.cy <= 0 || !IsProgressiveJpeg(path))
        return false;
    // A 1 x 1 box makes the decoder take its smallest scale, from the DC
    // scans alone.
    CJpgFile reader(path, 100, false);
    if (!reader.LoadReduced(&picture, 1, 1, &fullSize))
    {
        picture.CleanUp();
        return false;
    }
    // What a decode for the window would give: the whole picture when it
    // fits, else at least its best fit.
    if (fullSize.cx <= client.cx && fullSize.cy <= client.cy)
        preview = picture.GetImageSize() != fullSize;
    else
    {
        double sx = (double)client.cx / fullSize.cx;
        double sy = (double)client.cy / fullSize.cy;
        double s = sx < sy ? sx : sy;
        preview = picture.GetWidth() < (int)(fullSize.cx * s) || picture.GetHeight() < (int)(fullSize.cy * s);
    }
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

CRgbBuffer* StretchPreview(const CRgbBuffer& small, CSize size)
{
    int sw = small.GetWidth(), sh = small.GetHeight();
    int dw = size.cx > 0 ? size.cx : 1, dh = size.cy > 0 ? size.cy : 1;
    CRgbBuffer* result = new CRgbBuffer(dw, dh);
    result->m_GrayScale = 0;
    if (!small.IsImage() || !result->IsImage())
        return result;
    // Source positions of the pixel centres in 1/256 of a pixel.
    std::vector<int> x0(dw), x1(dw), fx(dw);
    for (int x = 0; x < dw; ++x)
    {
        long long p = ((2LL * x + 1) * sw * 256) / (2LL * dw) - 128;
        if (p < 0)
            p = 0;
        int i = (int)(p >> 8);
        x0[x] = 3 * (i < sw - 1 ? i : sw - 1);
        x1[x] = 3 * (i + 1 < sw - 1 ? i + 1 : sw - 1);
        fx[x] = (int)(p & 255);
    }
    // Every source row stretched across once, then each output row
    // blended from the two rows around it.
    std::vector<unsigned short> rows((size_t)3 * dw * sh);
    for (int r = 0; r < sh; ++r)
    {
        const BYTE* in = small.m_Buffer + (size_t)3 * sw * r;
        unsigned short* wide = &rows[(size_t)3 * dw * r];
        for (int x = 0; x < dw; ++x)
        {
            int a = 256 - fx[x], b = fx[x];
            for (int k = 0; k < 3; ++k)
                *wide++ = (unsigned short)((in[x0[x] + k] * a + in[x1[x] + k] * b + 128) >> 8);
        }
    }
    BYTE* out = result->m_Buffer;
    for (int y = 0; y < dh; ++y)
    {
        long long p = ((2LL * y + 1) * sh * 256) / (2LL * dh) - 128;
        if (p < 0)
            p = 0;
        int i = (int)(p >> 8);
        int fy = (int)(p & 255);
        const unsigned short* upper = &rows[(size_t)3 * dw * (i < sh - 1 ? i : sh - 1)];
        const unsigned short* lower = &rows[(size_t)3 * dw * (i + 1 < sh - 1 ? i + 1 : sh - 1)];
        for (int n = 0; n < 3 * dw; ++n)
            *out++ = (BYTE)((upper[n] * (256 - fy) + lower[n] * fy + 128) >> 8);
    }
    return result;
}

CRgbBuffer* MakeDisplay(const CRgbBuffer* original, const Fit& fit, CSize fullSize)
{
    CRgbBuffer* display = NULL;
    if (original && original->IsImage())
    {
        CRect target(0, 0, fit.client.cx > 0 ? fit.client.cx : 1, fit.client.cy > 0 ? fit.client.cy : 1);
        if (fit.mode == ActualSize)
            display = new CRgbBuffer(*original);
        else if (fullSize.cx > original->GetWidth() && fullSize.cy > original->GetHeight())
        {
            // A first look shown at the size the whole picture gets: its
            // best fit (shrunk to the client when larger, else its own
            // size), or fitted to the window.
            double sx = (double)target.Width() / fullSize.cx;
            double sy = (double)target.Height() / fullSize.cy;
            double s = sx < sy ? sx : sy;
            if (fit.mode == BestFit && s > 1)
                s = 1;
            int w = (int)(fullSize.cx * s), h = (int)(fullSize.cy * s);
            display = StretchPreview(*original, CSize(w > 0 ? w : 1, h > 0 ? h : 1));
        }
        else if (fit.mode == FitToWindow)
            display = original->CreateRectFitRGB(target);
        else
            display = original->CreateBestFitRGB(target);
    }
    if (!display)
        display = new CRgbBuffer;
    display->m_BackgroundColor = RGB(0, 0, 0);
    return display;
}
}
