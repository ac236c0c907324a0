// CStubDocument: the browser's empty document.
#include "StubDocument.h"

IMPLEMENT_DYNCREATE(CStubDocument, CDocument)

CStubDocument::CStubDocument() {}

CStubDocument::~CStubDocument() {}
