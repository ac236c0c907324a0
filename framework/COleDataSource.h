// COleDataSource: data offered to a drop target or the OLE clipboard. Cached
// global blocks are owned by the source (freed when it is emptied or
// destroyed); each GetData hands the receiver a copy. DoDragDrop runs the
// drag loop: the drop happens where the cursor is when the left button is
// up, Esc cancels; the result is the effect the target chose, or
// DROPEFFECT_NONE.
//
// The object behind the data is reference counted: the clipboard (or a drop
// target) may keep it after the COleDataSource is gone. A heap source can be
// let go with InternalRelease, as in the class library.
#pragma once

#include <windows.h>
#include <ole2.h>
#include "CCmdTarget.h"
#include "AfxOle.h"

class FRAMEWORK_API COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;

    // Takes ownership of hGlobal (TYMED_HGLOBAL); replaces earlier data of the format.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
    void Empty();
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = NULL, void* pDropSource = NULL);
    // Puts the data on the OLE clipboard.
    void SetClipboard();
    // The IDataObject of the source, with a reference the caller releases.
    IDataObject* GetDataObject();
    void InternalRelease() { delete this; }

private:
    class DataObject;
    DataObject* m_pObject;
};
