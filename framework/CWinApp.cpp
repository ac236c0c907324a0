// CWinApp: application object, profile in the registry, wait cursor.
#include "CWinApp.h"

namespace
{
CWinApp* s_app;
}

CWinApp* AfxGetApp() { return s_app; }
LPCSTR AfxGetAppName() { return s_app ? s_app->m_pszAppName : ""; }
HINSTANCE AfxGetInstanceHandle() { return GetModuleHandleA(NULL); }

CWinApp::CWinApp(LPCSTR appName)
    : m_pszAppName(NULL), m_pszRegistryKey(NULL), m_pszProfileName(NULL), m_hInstance(GetModuleHandleA(NULL)),
      m_nWaitCursorCount(0), m_hcurWaitCursorRestore(NULL)
{
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
    if (s_app == this)
        s_app = NULL;
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

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
    m_nWaitCursorCount += code;
    if (m_nWaitCursorCount > 0)
    {
        HCURSOR previous = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
        if (code > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = previous;
    }
    else
    {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}
