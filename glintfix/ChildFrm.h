// CChildFrame: the window of one picture inside the main frame.
#pragma once

#include "Framework.h"
#include "CMDIFrameWnd.h"

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;
};
