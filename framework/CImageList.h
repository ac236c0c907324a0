// CImageList: a common-controls image list. The object destroys its list
// when destroyed unless it was detached (or handed to a control that keeps it).
#pragma once

#include <windows.h>
#include <commctrl.h>
#include "CPoint.h"
#include "FrameworkApi.h"
#include "AfxSafeThis.h"

class CBitmap;
class CDC;

class FRAMEWORK_API CImageList
{
public:
    CImageList() : m_hImageList(NULL) {}
    virtual ~CImageList() { DeleteImageList(); }

    HIMAGELIST m_hImageList;
    operator HIMAGELIST() const { return AfxOpaqueThis(this) ? m_hImageList : NULL; }
    HIMAGELIST GetSafeHandle() const { return AfxOpaqueThis(this) ? m_hImageList : NULL; }

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
    { return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow)); }
    // A masked list from a bitmap resource found through the resource chain.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }

private:
    CImageList(const CImageList&);
    CImageList& operator=(const CImageList&);
};
