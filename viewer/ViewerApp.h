// CViewerApp: the viewer's application object. It reads the command line
// (an album number and a path, or a path alone) and makes the one frame.
#pragma once

#include "Framework.h"

class CViewerApp : public CWinApp
{
public:
    CViewerApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The picture or folder named on the command line, and the album number
    // (0 when none was named).
    CString m_StartPath;
    int m_AlbumNumber;

    // Everything of InitInstance after OLE: registry key, lock, command line,
    // frame. Tests call it with a command line of their own.
    BOOL StartViewer(const char* commandLine);

private:
    bool m_bOleInitialized;
};

// The running viewer's application object (null outside the viewer).
CViewerApp* GetViewerApp();
