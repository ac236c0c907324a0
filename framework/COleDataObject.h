// COleDataObject: the receiving side of a data transfer (a drop or the OLE
// clipboard). GetGlobalData returns a copy the caller owns and frees.
#pragma once

#include <windows.h>
#include <ole2.h>
#include "FrameworkApi.h"

class FRAMEWORK_API COleDataObject
{
public:
    COleDataObject();
    ~COleDataObject();

    void Attach(IDataObject* lpDataObject, BOOL bAutoRelease = TRUE);
    IDataObject* Detach();
    void Release();
    BOOL AttachClipboard();
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    IDataObject* GetIDataObject(BOOL bAddRef);

private:
    IDataObject* m_lpDataObject;
    BOOL m_bAutoRelease;
    COleDataObject(const COleDataObject&);
    COleDataObject& operator=(const COleDataObject&);
};
