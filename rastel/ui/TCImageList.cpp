// CTCImageList: true-colour masked image lists from bitmap resources.
#include "TCImageList.h"

namespace
{
HBITMAP LoadTrueColourBitmap(UINT nBitmapID)
{
    LPCSTR name = MAKEINTRESOURCEA(nBitmapID);
    HMODULE module = AfxFindResourceHandle(name, (LPCSTR)RT_BITMAP);
    return module ? (HBITMAP)LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION) : NULL;
}

int BitmapHeight(UINT nBitmapID)
{
    HBITMAP bitmap = LoadTrueColourBitmap(nBitmapID);
    if (!bitmap)
        return 0;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    DeleteObject(bitmap);
    return info.bmHeight;
}
}

int CTCImageList::CreateTC(UINT nBitmapID, int width, int height, COLORREF mask)
{
    if (width <= 0 || height <= 0 || !Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 0))
        return 0;
    HBITMAP bitmap = LoadTrueColourBitmap(nBitmapID);
    if (!bitmap)
    {
        DeleteImageList();
        return 0;
    }
    ImageList_AddMasked(m_hImageList, bitmap, mask);
    DeleteObject(bitmap);
    return 1;
}

int CTCImageList::CreateTC(UINT nBitmapID) { return CreateTC(nBitmapID, (COLORREF)0xFFFFFF); }

int CTCImageList::CreateTC(UINT nBitmapID, int size) { return CreateTC(nBitmapID, size, size, 0xFFFFFF); }

int CTCImageList::CreateTC(UINT nBitmapID, int width, int height) { return CreateTC(nBitmapID, width, height, 0xFFFFFF); }

int CTCImageList::CreateTC(UINT nBitmapID, COLORREF mask)
{
    int height = BitmapHeight(nBitmapID);
    return CreateTC(nBitmapID, height, height, mask);
}

int CTCImageList::CreateTC(UINT nBitmapID, int size, COLORREF mask) { return CreateTC(nBitmapID, size, size, mask); }
