// CViewerDoc: the viewer's document. It holds nothing: the view owns the
// picture list and the pictures.
#pragma once

#include "Framework.h"
#include "CDocument.h"

class CViewerDoc : public CDocument
{
    DECLARE_DYNCREATE(CViewerDoc)
public:
    CViewerDoc();
    ~CViewerDoc() override;
};
