// CTCImageList: an image list of 32-bit-colour images with a mask colour,
// made from one bitmap resource (found through the resource chain).
#pragma once

#include "Framework.h"
#include "CImageList.h"
#include "RastelApi.h"

class RASTEL_API CTCImageList : public CImageList
{
public:
    // No size: squares of the bitmap's height; one size: squares of that
    // size. No mask colour: white. 1 on success, 0 when the list or the
    // bitmap cannot be made.
    int CreateTC(UINT nBitmapID);
    int CreateTC(UINT nBitmapID, int size);
    int CreateTC(UINT nBitmapID, int width, int height);
    int CreateTC(UINT nBitmapID, COLORREF mask);
    int CreateTC(UINT nBitmapID, int size, COLORREF mask);
    int CreateTC(UINT nBitmapID, int width, int height, COLORREF mask);
};
