// Common dialogs over comdlg32, owned by the calling thread's main window.
#include "CCommonDialogs.h"
#include "CWnd.h"

namespace
{
HWND OwnerOf(CWnd* pParentWnd)
{
    HWND hOwner = NULL;
    CWnd::GetSafeOwner(pParentWnd, &hOwner);
    return hOwner;
}
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd)
{
    m_szFileName[0] = 0;
    if (lpszFileName)
        lstrcpynA(m_szFileName, lpszFileName, sizeof(m_szFileName));
    m_strDefExt = lpszDefExt ? lpszDefExt : "";
    m_strFilter = lpszFilter ? lpszFilter : "";
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof(m_szFileName);
}

INT_PTR CFileDialog::DoModal()
{
    // The filter's '|' separators become the NULs the dialog expects.
    CString filter = m_strFilter;
    char* buffer = filter.GetBuffer(filter.GetLength() + 2);
    int length = filter.GetLength();
    for (int i = 0; i < length; ++i)
        if (buffer[i] == '|')
            buffer[i] = 0;
    buffer[length] = 0;
    buffer[length + 1] = 0;
    m_ofn.lpstrFilter = m_strFilter.IsEmpty() ? NULL : buffer;
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? NULL : (LPCSTR)m_strDefExt;
    m_ofn.hwndOwner = OwnerOf(m_pParentWnd);
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    m_ofn.lpstrFilter = NULL;
    filter.ReleaseBuffer(length);
    return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    CString path(m_szFileName);
    return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : m_cc(), m_pParentWnd(pParentWnd)
{
    for (COLORREF& c : m_custom)
        c = RGB(255, 255, 255);
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.rgbResult = clrInit;
    m_cc.Flags = dwFlags | (clrInit ? CC_RGBINIT : 0);
    m_cc.lpCustColors = m_custom;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = OwnerOf(m_pParentWnd);
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

CFontDialog::CFontDialog(LPLOGFONTA lplfInitial, DWORD dwFlags, HDC hdcPrinter, CWnd* pParentWnd)
    : m_cf(), m_lf(), m_pParentWnd(pParentWnd)
{
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    m_cf.hDC = hdcPrinter;
    if (lplfInitial)
    {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.hwndOwner = OwnerOf(m_pParentWnd);
    return ::ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
}
