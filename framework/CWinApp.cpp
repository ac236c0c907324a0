// CWinApp: application object, profile in the registry, wait cursor.
#include "CWinApp.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CCommandLineInfo.h"
#include "CFileDialog.h"
#include "CWnd.h"
#include "AfxRes.h"
#include "ResourceChain.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

namespace
{
CWinApp* s_app;
}

CWinApp* AfxGetApp() { return s_app; }
LPCSTR AfxGetAppName() { return s_app ? s_app->m_pszAppName : ""; }
HINSTANCE AfxGetInstanceHandle() { return GetModuleHandleA(NULL); }

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : NULL;
}

void AfxEnableControlContainer() {}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_hPrevInstance = hPrevInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_hThread = NULL;
    pApp->m_nThreadID = GetCurrentThreadId();
    AfxSetThread(pApp);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&controls);
    int code;
    if (!pApp->InitInstance())
    {
        if (pApp->m_pMainWnd && pApp->m_pMainWnd->m_hWnd)
            pApp->m_pMainWnd->DestroyWindow();
        code = pApp->ExitInstance();
    }
    else
        code = pApp->Run();
    AfxSetThread(NULL);
    return code;
}

CWinApp::CWinApp(LPCSTR appName)
    : m_pszAppName(NULL), m_pszRegistryKey(NULL), m_pszProfileName(NULL), m_hInstance(GetModuleHandleA(NULL)),
      m_nWaitCursorCount(0), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL), m_hPrevInstance(NULL),
      m_hcurWaitCursorRestore(NULL)
{
    m_bAutoDelete = FALSE; // a global object, never deleted by the framework
    if (appName)
        m_appName = appName;
    else
    {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(NULL, path, MAX_PATH);
        CString name(path);
        name = name.Mid(name.ReverseFind('\\') + 1);
        int dot = name.ReverseFind('.');
        m_appName = dot > 0 ? name.Left(dot) : name;
    }
    m_pszAppName = m_appName;
    m_profileName = m_appName + ".INI";
    m_pszProfileName = m_profileName;
    s_app = this;
}

CWinApp::~CWinApp()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
        delete (CDocTemplate*)m_templateList.GetNext(pos);
    m_templateList.RemoveAll();
    if (s_app == this)
        s_app = NULL;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return m_msgCur.message == WM_QUIT ? (int)m_msgCur.wParam : 0; }

int CWinApp::Run()
{
    // Without a main window there is nothing to wait for.
    if (!m_pMainWnd)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    rCmdInfo.ParseCommandLine(GetCommandLineA());
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    if (rCmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen)
        return OpenDocumentFile(rCmdInfo.m_strFileName) != NULL;
    if (rCmdInfo.m_nShellCommand == CCommandLineInfo::FileNew)
    {
        OnFileNew();
        return m_pMainWnd != NULL || m_templateList.IsEmpty();
    }
    return TRUE;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate)
        m_templateList.AddTail(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (m_templateList.IsEmpty())
        return NULL;
    return ((CDocTemplate*)m_templateList.GetHead())->OpenDocumentFile(lpszFileName);
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
        if (!((CDocTemplate*)m_templateList.GetNext(pos))->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
        ((CDocTemplate*)m_templateList.GetNext(pos))->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew()
{
    if (!m_templateList.IsEmpty())
        ((CDocTemplate*)m_templateList.GetHead())->OpenDocumentFile(NULL);
}

void CWinApp::OnFileOpen()
{
    CFileDialog dialog(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "All Files (*.*)|*.*||");
    if (dialog.DoModal() == IDOK)
        OpenDocumentFile(dialog.GetPathName());
}

void CWinApp::OnAppExit()
{
    // Closes the calling thread's main window (a browser window ends its own thread only).
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd && pMainWnd->m_hWnd)
        pMainWnd->SendMessage(WM_CLOSE);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    HMODULE module = AfxFindResourceHandle(MAKEINTRESOURCEA(nIDResource), (LPCSTR)RT_GROUP_ICON);
    return module ? ::LoadIconA(module, MAKEINTRESOURCEA(nIDResource)) : NULL;
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    HMODULE module = AfxFindResourceHandle(MAKEINTRESOURCEA(nIDResource), (LPCSTR)RT_GROUP_CURSOR);
    return module ? ::LoadCursorA(module, MAKEINTRESOURCEA(nIDResource)) : NULL;
}

void CWinApp::SetRegistryKey(LPCSTR company)
{
    m_registryKey = company ? company : "";
    m_pszRegistryKey = m_registryKey.IsEmpty() ? NULL : (LPCSTR)m_registryKey;
    m_profileName = m_appName;
    m_pszProfileName = m_profileName;
}

HKEY CWinApp::GetAppKey()
{
    if (!m_pszRegistryKey)
        return NULL;
    CString path = CString("Software\\") + m_pszRegistryKey + "\\" + m_pszAppName;
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return NULL;
    return key;
}

HKEY CWinApp::GetSectionKey(LPCSTR section)
{
    HKEY app = GetAppKey();
    if (!app)
        return NULL;
    HKEY key = NULL;
    if (RegCreateKeyExA(app, section, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        key = NULL;
    RegCloseKey(app);
    return key;
}

UINT CWinApp::GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue)
{
    if (!m_pszRegistryKey)
        return GetPrivateProfileIntA(section, entry, defaultValue, m_pszProfileName);
    HKEY key = GetSectionKey(section);
    if (!key)
        return defaultValue;
    DWORD value = 0, type = 0, size = sizeof(value);
    LONG result = RegQueryValueExA(key, entry, NULL, &type, (LPBYTE)&value, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value))
        return defaultValue;
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCSTR section, LPCSTR entry, int value)
{
    if (!m_pszRegistryKey)
    {
        char text[16];
        wsprintfA(text, "%d", value);
        return WritePrivateProfileStringA(section, entry, text, m_pszProfileName);
    }
    HKEY key = GetSectionKey(section);
    if (!key)
        return FALSE;
    DWORD data = (DWORD)value;
    LONG result = RegSetValueExA(key, entry, 0, REG_DWORD, (const BYTE*)&data, sizeof(data));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue)
{
    if (!defaultValue)
        defaultValue = "";
    if (!m_pszRegistryKey)
    {
        char text[4096];
        GetPrivateProfileStringA(section, entry, defaultValue, text, sizeof(text), m_pszProfileName);
        return CString(text);
    }
    HKEY key = GetSectionKey(section);
    if (!key)
        return CString(defaultValue);
    CString value(defaultValue);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, entry, NULL, &type, NULL, &size) == ERROR_SUCCESS && type == REG_SZ)
    {
        CString text;
        char* buffer = text.GetBuffer((int)size + 1);
        if (RegQueryValueExA(key, entry, NULL, &type, (LPBYTE)buffer, &size) == ERROR_SUCCESS)
        {
            buffer[size] = 0; // the stored value need not be terminated
            text.ReleaseBuffer();
            value = text;
        }
    }
    RegCloseKey(key);
    return value;
}

BOOL CWinApp::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value)
{
    if (!m_pszRegistryKey)
        return WritePrivateProfileStringA(section, entry, value, m_pszProfileName);
    if (!entry)
    {
        HKEY app = GetAppKey();
        if (!app)
            return FALSE;
        LONG result = RegDeleteKeyA(app, section);
        RegCloseKey(app);
        return result == ERROR_SUCCESS;
    }
    HKEY key = GetSectionKey(section);
    if (!key)
        return FALSE;
    LONG result;
    if (!value)
        result = RegDeleteValueA(key, entry);
    else
        result = RegSetValueExA(key, entry, 0, REG_SZ, (const BYTE*)value, (DWORD)lstrlenA(value) + 1);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void CWinApp::DoWaitCursor(int code)
{
    // The system's cursors are shared: looked up once, kept for good.
    static HCURSOR wait = ::LoadCursor(NULL, IDC_WAIT);
    m_nWaitCursorCount += code;
    if (m_nWaitCursorCount > 0)
    {
        HCURSOR previous = ::SetCursor(wait);
        if (code > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = previous;
    }
    else
    {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}
