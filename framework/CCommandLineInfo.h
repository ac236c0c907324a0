// CCommandLineInfo: what ParseCommandLine takes from the program's command
// line: the first plain argument is the file name (quotes removed); flags
// start with '/' or '-'.
#pragma once

#include "CString.h"
#include "FrameworkApi.h"

class FRAMEWORK_API CCommandLineInfo
{
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

    CCommandLineInfo();
    virtual ~CCommandLineInfo() {}

    // Called once per argument after the program name.
    virtual void ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL bLast);
    // Splits a whole command line (program name first) into arguments.
    void ParseCommandLine(LPCSTR commandLine);

    CString m_strFileName;
    int m_nShellCommand;
    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
};
