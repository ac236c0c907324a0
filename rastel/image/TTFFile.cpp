// The type sample of TrueType files: one line of 60-point "Arial Black",
// centred at the top of a white 640 x 480 picture and cut with an ellipsis.
#include "TTFFile.h"
#include "BitmapFactory.h"
#include "CGdiObject.h"
#include "RgbBuffer.h"

CTTFFile::CTTFFile(CString fileName)
    : CImageFile(fileName)
{
}

CTTFFile::CTTFFile(const CTTFFile& other)
    : CImageFile(other)
{
}

int CTTFFile::Load(CRgbBuffer* buffer)
{
    if (buffer == NULL)
        return 0;
    // The sample does not depend on the file, but a file that cannot be
    // opened is no picture.
    HANDLE file = CreateFileA(m_FileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    CloseHandle(file);

    const int width = 640, height = 480;
    HBITMAP bitmap = CBitmapFactory::CreateDIBitmap(width, height, RGB(255, 255, 255));
    if (bitmap == NULL)
        return 0;
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    if (dc == NULL)
    {
        DeleteObject(bitmap);
        return 0;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    CFont font;
    font.CreatePointFont(600, "Arial Black");
    HGDIOBJ oldFont = font.GetSafeHandle() ? SelectObject(dc, font.GetSafeHandle()) : NULL;
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    RECT rect = { 0, 0, width, height };
    // Without DT_SINGLELINE, DT_VCENTER has no effect: the line stands at the top.
    static const char kSample[] = "The quick brown fox jumps over the lazy dog. 1234567890";
    DrawTextA(dc, kSample, -1, &rect, DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
    GdiFlush();
    if (oldFont != NULL)
        SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);

    CRgbBuffer* sample = CBitmapFactory::CreateRgbFromDIBitmap(bitmap);
    DeleteObject(bitmap);
    if (sample == NULL)
        return 0;
    *buffer = *sample;
    delete sample;
    return 1;
}

int CTTFFile::Save(CRgbBuffer*)
{
    return 0;
}
