// Finds the thumbnail view's list for the batch tools: the view of the
// calling thread's browser frame (each browser window has its own thread).
#include "BrowserFileList.h"
#include "Framework.h"
#include "BrowserFrame.h"
#include "BrowserView.h"

CFileInfoList* BrowserFileList()
{
    CBrowserFrame* frame = DYNAMIC_DOWNCAST(CBrowserFrame, AfxGetMainWnd());
    CBrowserView* view = frame ? frame->GetBrowserView() : NULL;
    return view ? view->GetFileList() : NULL;
}
