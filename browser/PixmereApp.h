// CPixmereApp: the browser's application object. It starts the process-wide
// services and the thumbnail generator, opens the first browser window on
// its own thread, then only waits until the last browser window has closed;
// its InitInstance returns 0 so that the process ends there.
#pragma once

#include "Framework.h"

class CPixmereApp : public CWinApp
{
public:
    CPixmereApp();

    BOOL InitInstance() override;

protected:
    afx_msg void OnAppAbout();
    afx_msg void OnNewWindow();
    afx_msg void OnWebSite();
    DECLARE_MESSAGE_MAP()
};
