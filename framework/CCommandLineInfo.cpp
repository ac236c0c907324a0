// CCommandLineInfo: splitting a command line the way the C runtime does
// (blanks separate, double quotes group, a backslash before a quote escapes it).
#include "CCommandLineInfo.h"
#include <vector>

CCommandLineInfo::CCommandLineInfo()
    : m_nShellCommand(FileNew), m_bShowSplash(TRUE), m_bRunEmbedded(FALSE)
{
}

void CCommandLineInfo::ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL)
{
    if (bFlag)
    {
        if (lstrcmpiA(pszParam, "Embedding") == 0)
            m_bRunEmbedded = TRUE;
        return;
    }
    if (m_strFileName.IsEmpty())
    {
        m_strFileName = pszParam;
        m_nShellCommand = FileOpen;
    }
}

void CCommandLineInfo::ParseCommandLine(LPCSTR commandLine)
{
    std::vector<CString> args;
    LPCSTR p = commandLine ? commandLine : "";
    while (*p)
    {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        CString arg;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t')))
        {
            if (*p == '\\')
            {
                int slashes = 0;
                while (*p == '\\')
                {
                    ++slashes;
                    ++p;
                }
                if (*p == '"')
                {
                    for (int i = 0; i < slashes / 2; ++i)
                        arg += '\\';
                    if (slashes % 2)
                    {
                        arg += '"';
                        ++p;
                    }
                }
                else
                    for (int i = 0; i < slashes; ++i)
                        arg += '\\';
                continue;
            }
            if (*p == '"')
            {
                quoted = !quoted;
                ++p;
                continue;
            }
            arg += *p++;
        }
        args.push_back(arg);
    }
    for (size_t i = 1; i < args.size(); ++i)
    {
        LPCSTR text = args[i];
        BOOL flag = (text[0] == '/' || text[0] == '-') && text[1];
        ParseParam(flag ? text + 1 : text, flag, i + 1 == args.size());
    }
}
