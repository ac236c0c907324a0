// The common dialogs with the class library's names: CFileDialog (open or
// save), CColorDialog and CFontDialog. DoModal returns IDOK or IDCANCEL.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include "CString.h"
#include "FrameworkApi.h"

class CWnd;

class FRAMEWORK_API CFileDialog
{
public:
    // lpszFilter: "Name|*.ext|Other|*.a;*.b||" as in the class library.
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = NULL, LPCSTR lpszFileName = NULL,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = NULL,
                CWnd* pParentWnd = NULL);
    virtual ~CFileDialog() {}
    virtual INT_PTR DoModal();

    CString GetPathName() const { return CString(m_szFileName); }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

    OPENFILENAMEA m_ofn;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    CString m_strDefExt;
    CWnd* m_pParentWnd;
    char m_szFileName[4096];
};

class FRAMEWORK_API CColorDialog
{
public:
    CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);
    virtual ~CColorDialog() {}
    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }

    CHOOSECOLORA m_cc;

protected:
    CWnd* m_pParentWnd;
    COLORREF m_custom[16];
};

class FRAMEWORK_API CFontDialog
{
public:
    CFontDialog(LPLOGFONTA lplfInitial = NULL, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS, HDC hdcPrinter = NULL,
                CWnd* pParentWnd = NULL);
    virtual ~CFontDialog() {}
    virtual INT_PTR DoModal();
    void GetCurrentFont(LPLOGFONTA lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsItalic() const { return m_lf.lfItalic; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }

    CHOOSEFONTA m_cf;
    LOGFONTA m_lf;

protected:
    CWnd* m_pParentWnd;
};
