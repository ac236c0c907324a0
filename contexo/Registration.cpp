// Self-registration: the class under HKEY_CLASSES_ROOT, the context-menu
// handler for every file type, and the approval entry on the NT family.
#include "ContexoModule.h"

#include <objbase.h>
#include <olectl.h>
#include <stdio.h>
#include <string.h>

static const char HANDLER_NAME[] = "Pixmere";
static const char HANDLER_KEY[] = "*\\shellex\\ContextMenuHandlers\\Pixmere";
static const char APPROVED_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
static const int CLSID_TEXT_SIZE = 64;
static const int KEY_NAME_SIZE = 256;

// The class id in its braced text form, in the ANSI code page.
static BOOL GetClsidText(char* pszText, int nSize)
{
    LPOLESTR pszWide = NULL;
    if (FAILED(StringFromIID(CLSID_Contexo, &pszWide)) || pszWide == NULL)
        return FALSE;
    int nWritten = WideCharToMultiByte(CP_ACP, 0, pszWide, -1, pszText, nSize, NULL, NULL);
    CoTaskMemFree(pszWide);
    return nWritten > 0;
}

static BOOL IsNtFamily()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// Creates the key and sets one string value in it, the terminator included;
// pszName null sets the key's default value.
static BOOL SetStringValue(HKEY hRoot, const char* pszKey, const char* pszName, const char* pszValue)
{
    HKEY hKey = NULL;
    if (RegCreateKeyExA(hRoot, pszKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL,
                        &hKey, NULL) != ERROR_SUCCESS)
        return FALSE;
    LONG nResult = RegSetValueExA(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                                  static_cast<DWORD>(strlen(pszValue) + 1));
    RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS;
}

STDAPI DllRegisterServer()
{
    char szClsid[CLSID_TEXT_SIZE];
    char szModule[2 * MAX_PATH];
    if (!GetClsidText(szClsid, sizeof(szClsid)))
        return SELFREG_E_CLASS;
    DWORD nLength = GetModuleFileNameA(CContexoModule::m_hInstance, szModule, sizeof(szModule));
    if (nLength == 0 || nLength >= sizeof(szModule))
        return SELFREG_E_CLASS;

    char szClassKey[KEY_NAME_SIZE];
    char szServerKey[KEY_NAME_SIZE];
    snprintf(szClassKey, sizeof(szClassKey), "CLSID\\%s", szClsid);
    snprintf(szServerKey, sizeof(szServerKey), "CLSID\\%s\\InProcServer32", szClsid);

    if (!SetStringValue(HKEY_CLASSES_ROOT, szClassKey, NULL, HANDLER_NAME)
        || !SetStringValue(HKEY_CLASSES_ROOT, szServerKey, NULL, szModule)
        || !SetStringValue(HKEY_CLASSES_ROOT, szServerKey, "ThreadingModel", "Apartment")
        || !SetStringValue(HKEY_CLASSES_ROOT, HANDLER_KEY, NULL, szClsid))
        return SELFREG_E_CLASS;

    if (IsNtFamily() && !SetStringValue(HKEY_LOCAL_MACHINE, APPROVED_KEY, szClsid, HANDLER_NAME))
        return SELFREG_E_CLASS;
    return S_OK;
}

STDAPI DllUnregisterServer()
{
    char szClsid[CLSID_TEXT_SIZE];
    if (!GetClsidText(szClsid, sizeof(szClsid)))
        return SELFREG_E_CLASS;

    char szClassKey[KEY_NAME_SIZE];
    char szServerKey[KEY_NAME_SIZE];
    snprintf(szClassKey, sizeof(szClassKey), "CLSID\\%s", szClsid);
    snprintf(szServerKey, sizeof(szServerKey), "CLSID\\%s\\InProcServer32", szClsid);

    if (RegDeleteKeyA(HKEY_CLASSES_ROOT, szServerKey) != ERROR_SUCCESS
        || RegDeleteKeyA(HKEY_CLASSES_ROOT, szClassKey) != ERROR_SUCCESS
        || RegDeleteKeyA(HKEY_CLASSES_ROOT, HANDLER_KEY) != ERROR_SUCCESS)
        return SELFREG_E_CLASS;

    if (IsNtFamily())
    {
        // Older installs kept a key of the handler's name in the approval list;
        // registration writes a value named by the class id. Both go.
        char szOldKey[KEY_NAME_SIZE];
        snprintf(szOldKey, sizeof(szOldKey), "%s\\%s", APPROVED_KEY, HANDLER_NAME);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, szOldKey);
        HKEY hApproved = NULL;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, APPROVED_KEY, 0, KEY_SET_VALUE, &hApproved) == ERROR_SUCCESS)
        {
            RegDeleteValueA(hApproved, szClsid);
            RegCloseKey(hApproved);
        }
    }
    return S_OK;
}
