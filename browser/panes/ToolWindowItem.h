// TOOL_WINDOW_ITEM: one tool window of the left pane with its caption bar,
// its splitter (resizable windows only) and its two settings.
#pragma once

#include "Framework.h"
#include "IntProperty.h"

class CZToolCaptionDialog;
class CSimpleSplitter;
class CWnd;

struct TOOL_WINDOW_ITEM
{
    CZToolCaptionDialog* m_pCaption; // owned
    CSimpleSplitter* m_pSplitter;    // owned; null when not resizable
    CWnd* m_pToolWindow;             // a member of the left view
    CIntProperty<int>* m_pShow;      // 1 while the tool window is open
    CIntProperty<int>* m_pHeight;    // its height in pixels
};
