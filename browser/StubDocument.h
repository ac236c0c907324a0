// CStubDocument: the empty document that the document/view framework needs
// for the browser's frames. It holds no data and is never saved; the views
// own what they show.
#pragma once

#include "Framework.h"
#include "CDocument.h"

class CStubDocument : public CDocument
{
    DECLARE_DYNCREATE(CStubDocument)
public:
    CStubDocument();
    ~CStubDocument() override;
};
