// The extension object: selection intake, the sub-menu and its commands.
#include "ShellExtension.h"
#include "ContexoCommands.h"
#include "ContexoModule.h"
#include "PictureName.h"

#include <shellapi.h>
#include <string.h>

// The shell offers names up to this size; a longer one could only be passed on
// cut short, which would name some other file.
static const UINT DROPPED_NAME_SIZE = MAX_PATH;
static const DWORD MODULE_PATH_SIZE = 2 * MAX_PATH;
static const char SUBMENU_TEXT[] = "Pixmere";

CShellExtension::CShellExtension()
    : m_nRefCount(0), m_pDataObject(NULL)
{
    CContexoModule::ObjectCreated();
}

CShellExtension::~CShellExtension()
{
    if (m_pDataObject != NULL)
        m_pDataObject->Release();
    CContexoModule::ObjectDestroyed();
}

STDMETHODIMP CShellExtension::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IShellExtInit) || IsEqualIID(riid, IID_IUnknown))
        *ppv = static_cast<IShellExtInit*>(this);
    else if (IsEqualIID(riid, IID_IContextMenu))
        *ppv = static_cast<IContextMenu*>(this);
    else
    {
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CShellExtension::AddRef()
{
    return InterlockedIncrement(&m_nRefCount);
}

STDMETHODIMP_(ULONG) CShellExtension::Release()
{
    LONG nCount = InterlockedDecrement(&m_nRefCount);
    if (nCount == 0)
        delete this;
    return nCount;
}

STDMETHODIMP CShellExtension::Initialize(PCIDLIST_ABSOLUTE, IDataObject* pDataObject, HKEY)
{
    if (m_pDataObject != NULL)
    {
        m_pDataObject->Release();
        m_pDataObject = NULL;
    }
    m_Pictures.RemoveAll();
    if (pDataObject == NULL)
        return E_FAIL;

    m_pDataObject = pDataObject;
    m_pDataObject->AddRef();

    FORMATETC format = { CF_HDROP, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    STGMEDIUM medium = {};
    if (FAILED(m_pDataObject->GetData(&format, &medium)))
        return E_FAIL;
    HRESULT hr = E_FAIL;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != NULL)
        hr = ReadPictures(static_cast<HDROP>(medium.hGlobal));
    ReleaseStgMedium(&medium);
    return hr;
}

// The dropped name `i` as UTF-8 into szName (DROPPED_NAME_SIZE wide
// characters at most, up to three bytes each); FALSE when it is too long.
// The shell's process has no UTF-8 code page: the ANSI names would turn
// every character outside it into '?'.
static BOOL DroppedName(HDROP hDrop, UINT i, char* szName, int nNameSize)
{
    if (DragQueryFileW(hDrop, i, NULL, 0) >= DROPPED_NAME_SIZE)
        return FALSE;
    WCHAR szWide[DROPPED_NAME_SIZE];
    memset(szWide, 0, sizeof(szWide));
    DragQueryFileW(hDrop, i, szWide, DROPPED_NAME_SIZE);
    return WideCharToMultiByte(CP_UTF8, 0, szWide, -1, szName, nNameSize, NULL, NULL) > 0;
}

// Two passes over the dropped names: count the pictures, then keep them in the
// shell's order in a list of exactly that size.
HRESULT CShellExtension::ReadPictures(HDROP hDrop)
{
    UINT nFiles = DragQueryFileW(hDrop, 0xFFFFFFFF, NULL, 0);
    char szName[3 * DROPPED_NAME_SIZE];

    int nPictures = 0;
    for (UINT i = 0; i < nFiles; i++)
        if (DroppedName(hDrop, i, szName, sizeof(szName)) && IsPictureFileName(szName))
            nPictures++;
    if (nPictures == 0)
        return S_OK;

    if (!m_Pictures.Allocate(nPictures))
        return E_OUTOFMEMORY;
    for (UINT i = 0; i < nFiles; i++)
    {
        if (DroppedName(hDrop, i, szName, sizeof(szName)) && IsPictureFileName(szName) &&
            !m_Pictures.Add(szName))
        {
            m_Pictures.RemoveAll();
            return E_OUTOFMEMORY;
        }
    }
    return S_OK;
}

STDMETHODIMP CShellExtension::QueryContextMenu(HMENU hMenu, UINT nIndex, UINT nFirstCommand,
                                               UINT nLastCommand, UINT nFlags)
{
    if (m_Pictures.IsEmpty())
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
    // Default-only and no-verbs requests take nothing, unless the shell also
    // asks for verbs or builds the Explorer's own menu.
    if ((nFlags & 0x000F) != 0 && (nFlags & (CMF_VERBSONLY | CMF_EXPLORE)) == 0)
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
    // Identifiers past the range the shell offers belong to someone else.
    if (static_cast<ULONGLONG>(nFirstCommand) + CONTEXO_COMMAND_COUNT - 1 > nLastCommand)
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);

    HMENU hPopup = CreatePopupMenu();
    if (hPopup == NULL)
        return E_FAIL;
    for (UINT i = 0; i < CONTEXO_COMMAND_COUNT; i++)
    {
        if (!InsertMenuA(hPopup, i, MF_BYPOSITION | MF_STRING, nFirstCommand + i,
                         GetContexoCommand(i)->pszMenuText))
        {
            DestroyMenu(hPopup);
            return E_FAIL;
        }
    }
    if (!InsertMenuA(hMenu, nIndex, MF_BYPOSITION | MF_POPUP | MF_STRING,
                     reinterpret_cast<UINT_PTR>(hPopup), SUBMENU_TEXT))
    {
        DestroyMenu(hPopup);
        return E_FAIL;
    }
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, CONTEXO_COMMAND_COUNT);
}

STDMETHODIMP CShellExtension::GetCommandString(UINT_PTR nCommand, UINT nType, UINT*,
                                               CHAR* pszBuffer, UINT nBufferSize)
{
    if (nType != GCS_VERBA && nType != GCS_HELPTEXTA)
        return S_OK;
    if (pszBuffer == NULL || nBufferSize == 0)
        return S_OK;

    const CContexoCommand* pCommand = GetContexoCommand(nCommand);
    const char* pszText = CONTEXO_UNKNOWN_COMMAND_TEXT;
    if (pCommand != NULL)
        pszText = nType == GCS_VERBA ? pCommand->pszVerb : pCommand->pszHelpText;

    // The text is cut to fit and always terminated inside the caller's buffer.
    size_t nLength = strlen(pszText);
    if (nLength > nBufferSize - 1)
        nLength = nBufferSize - 1;
    memcpy(pszBuffer, pszText, nLength);
    pszBuffer[nLength] = '\0';
    return S_OK;
}

STDMETHODIMP CShellExtension::InvokeCommand(CMINVOKECOMMANDINFO* pInfo)
{
    if (pInfo == NULL)
        return E_INVALIDARG;
    if (!IS_INTRESOURCE(pInfo->lpVerb))
        return S_OK;
    const CContexoCommand* pCommand = GetContexoCommand(LOWORD(reinterpret_cast<UINT_PTR>(pInfo->lpVerb)));
    if (pCommand == NULL || m_Pictures.IsEmpty())
        return S_OK;

    // The programs lie in the extension's own folder. Names go wide: the
    // programs read their command line as UTF-8, the shell's code page is
    // another.
    WCHAR szProgram[MODULE_PATH_SIZE];
    DWORD nLength = GetModuleFileNameW(CContexoModule::m_hInstance, szProgram, MODULE_PATH_SIZE);
    if (nLength == 0 || nLength >= MODULE_PATH_SIZE)
        return S_OK;
    WCHAR* pszLastSeparator = wcsrchr(szProgram, L'\\');
    if (pszLastSeparator == NULL)
        return S_OK;
    *pszLastSeparator = L'\0';
    size_t nFolder = wcslen(szProgram);
    int nName = MultiByteToWideChar(CP_UTF8, 0, pCommand->pszProgram, -1, szProgram + nFolder,
                                    (int)(MODULE_PATH_SIZE - nFolder));
    if (nName <= 0)
        return S_OK;

    WCHAR szParameters[DROPPED_NAME_SIZE + 3];
    szParameters[0] = L'"';
    int nPicture = MultiByteToWideChar(CP_UTF8, 0, m_Pictures.GetAt(0), -1, szParameters + 1,
                                       (int)DROPPED_NAME_SIZE);
    if (nPicture <= 0)
        return S_OK;
    wcscat(szParameters, L"\"");

    // A missing program fails silently: the menu has nothing to report it to.
    ShellExecuteW(NULL, NULL, szProgram, szParameters, NULL, SW_SHOWNORMAL);
    return S_OK;
}
