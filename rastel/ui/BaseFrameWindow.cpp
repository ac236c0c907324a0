// CBaseFrameWindow: the frames' display settings and the shell objects of a file.
#include "BaseFrameWindow.h"
#include "FileInfo.h"
#include <mbstring.h>

IMPLEMENT_DYNCREATE(CBaseFrameWindow, CFrameWnd)

BEGIN_MESSAGE_MAP(CBaseFrameWindow, CFrameWnd)
END_MESSAGE_MAP()

CStringListProperty CBaseFrameWindow::m_DisabledFolders("m_DisabledFolders");

CBaseFrameWindow::CBaseFrameWindow()
    : m_ThumbsMaxFit("m_ThumbsMaxFit", 0, 0, 1), m_bPropShowFileName("m_bPropShowFileName", 1, 0, 1),
      m_bPropShowFileDescription("m_bPropShowFileDescription", 0, 0, 1)
{
    if (m_bPropShowFileName)
        m_bPropShowFileDescription = 0;
}

CBaseFrameWindow::~CBaseFrameWindow() {}

int CBaseFrameWindow::GetShellVarsForFile(const CString& path, IMalloc** malloc, IShellFolder** folder,
                                          LPITEMIDLIST* item)
{
    if (!malloc || !folder || !item)
        return 0;
    *malloc = NULL;
    *folder = NULL;
    *item = NULL;
    CString folderPart = CFileInfo::GetPathFromFullPath(path);
    CString filePart = CFileInfo::GetFileFromFullPath(path);
    // A drive's root keeps its separator so the shell parses it as the drive.
    if (folderPart.GetLength() == 2 && folderPart[1] == ':')
        folderPart += '\\';
    int found = 0;
    IShellFolder* desktop = NULL;
    if (SUCCEEDED(SHGetMalloc(malloc)) && *malloc && SUCCEEDED(SHGetDesktopFolder(&desktop)) && desktop)
    {
        WCHAR wide[MAX_PATH + 1] = L"";
        if (!filePart.IsEmpty() &&
            MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, folderPart, -1, wide, MAX_PATH) > 0)
        {
            LPITEMIDLIST folderIdList = NULL;
            if (SUCCEEDED(desktop->ParseDisplayName(NULL, NULL, wide, NULL, &folderIdList, NULL)) && folderIdList)
            {
                if (FAILED(desktop->BindToObject(folderIdList, NULL, IID_IShellFolder, (void**)folder)))
                    *folder = NULL;
                (*malloc)->Free(folderIdList);
            }
        }
        IEnumIDList* items = NULL;
        if (*folder && SUCCEEDED((*folder)->EnumObjects(NULL, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items)) && items)
        {
            ULONG fetched = 0;
            while (!found && items->Next(1, item, &fetched) == S_OK && fetched == 1 && *item)
            {
                WIN32_FIND_DATAA data = {};
                if (SUCCEEDED(SHGetDataFromIDListA(*folder, *item, SHGDFIL_FINDDATA, &data, sizeof(data))) &&
                    _mbsicmp((const unsigned char*)data.cFileName, (const unsigned char*)(LPCSTR)filePart) == 0)
                    found = 1;
                else
                {
                    (*malloc)->Free(*item);
                    *item = NULL;
                }
            }
            items->Release();
        }
        desktop->Release();
    }
    if (found)
        return 1;
    if (*item && *malloc)
        (*malloc)->Free(*item);
    *item = NULL;
    if (*folder)
        (*folder)->Release();
    *folder = NULL;
    if (*malloc)
        (*malloc)->Release();
    *malloc = NULL;
    return 0;
}
