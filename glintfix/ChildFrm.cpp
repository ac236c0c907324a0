// CChildFrame: the plain child frame of a picture.
#include "ChildFrm.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

CChildFrame::CChildFrame() {}

CChildFrame::~CChildFrame() {}
