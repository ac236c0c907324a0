// The extension object the shell makes for one right-click: IShellExtInit
// takes the selected files, IContextMenu adds the "Pixmere" sub-menu and starts
// the chosen program with the first selected picture.
#pragma once

#include "PictureList.h"

#include <windows.h>
#include <shlobj.h>

class CShellExtension final : public IContextMenu, public IShellExtInit
{
public:
    CShellExtension();

    // IUnknown, shared by both interfaces.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IContextMenu
    STDMETHODIMP QueryContextMenu(HMENU hMenu, UINT nIndex, UINT nFirstCommand,
                                  UINT nLastCommand, UINT nFlags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* pInfo) override;
    STDMETHODIMP GetCommandString(UINT_PTR nCommand, UINT nType, UINT* pReserved,
                                  CHAR* pszBuffer, UINT nBufferSize) override;

    // IShellExtInit
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* pDataObject,
                            HKEY hProgramKey) override;

private:
    ~CShellExtension();

    HRESULT ReadPictures(HDROP hDrop);

    LONG m_nRefCount;
    IDataObject* m_pDataObject;
    CPictureList m_Pictures;
};
