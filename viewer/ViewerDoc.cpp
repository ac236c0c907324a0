// CViewerDoc: the empty document of the viewer.
#include "ViewerDoc.h"

IMPLEMENT_DYNCREATE(CViewerDoc, CDocument)

CViewerDoc::CViewerDoc() {}

CViewerDoc::~CViewerDoc() {}
