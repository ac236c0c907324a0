// CFileInfo's static helpers: picture types by extension, file and folder
// tests, and splitting and building paths. None of them reads a file's content.
#include "FileInfo.h"

#include <mbstring.h>
#include <sys/stat.h>
#include <sys/types.h>

// True when the path ends with ext (which includes its dot), compared
// case-insensitively; a path shorter than ext never matches.
static BOOL HasExtension(const CString& path, const char* ext)
{
    int length = lstrlenA(ext);
    if (path.GetLength() < length)
        return FALSE;
    const char* tail = (LPCSTR)path + path.GetLength() - length;
    return _mbsicmp((const unsigned char*)tail, (const unsigned char*)ext) == 0;
}

BOOL CFileInfo::IsJPGFile(const CString& path)
{
    return HasExtension(path, ".JPG") || HasExtension(path, ".jpeg") ||
           HasExtension(path, ".JPE") || HasExtension(path, ".JFIF");
}

BOOL CFileInfo::IsBMPFile(const CString& path)
{
    return HasExtension(path, ".BMP") || HasExtension(path, ".DIB");
}

BOOL CFileInfo::IsICOFile(const CString& path)
{
    return HasExtension(path, ".ICO");
}

BOOL CFileInfo::IsCURFile(const CString& path)
{
    return HasExtension(path, ".CUR");
}

BOOL CFileInfo::IsTiffFile(const CString& path)
{
    return HasExtension(path, ".TIF") || HasExtension(path, ".TIFF");
}

BOOL CFileInfo::IsTTFFile(const CString& path)
{
    return HasExtension(path, ".ttf");
}

BOOL CFileInfo::IsGifFile(const CString& path)
{
    return HasExtension(path, ".GIF");
}

BOOL CFileInfo::IsPngFile(const CString& path)
{
    return HasExtension(path, ".png");
}

BOOL CFileInfo::IsWmfFile(const CString& path)
{
    return HasExtension(path, ".wmf") || HasExtension(path, ".emf");
}

BOOL CFileInfo::IsImageFile(const CString& path)
{
    return IsJPGFile(path) || IsICOFile(path) || IsBMPFile(path) || IsTiffFile(path) ||
           IsGifFile(path) || IsPngFile(path) || IsWmfFile(path) || IsCURFile(path);
}

// The 64-bit variant, so that files of 2 GB and more are still seen as files.
static BOOL StatPath(const CString& path, struct _stat64* info)
{
    return _stat64(path, info) == 0;
}

BOOL CFileInfo::FileExist(const CString& path)
{
    struct _stat64 info;
    return StatPath(path, &info) && (info.st_mode & _S_IFREG) != 0;
}

BOOL CFileInfo::FolderExist(const CString& path)
{
    struct _stat64 info;
    return StatPath(path, &info) && (info.st_mode & _S_IFDIR) != 0;
}

int CFileInfo::GetFileSize(const CString& path)
{
    struct _stat64 info;
    if (!StatPath(path, &info) || (info.st_mode & _S_IFREG) == 0)
        return 0;
    return info.st_size > 0x7FFFFFFF ? 0x7FFFFFFF : (int)info.st_size;
}

CTime CFileInfo::GetModifyTime(const CString& path)
{
    struct _stat64 info;
    if (!StatPath(path, &info))
        return CTime::GetCurrentTime();
    return CTime((time_t)info.st_mtime);
}

BOOL CFileInfo::MakeDir(CString path)
{
    // A separator at index 0 (a path like \folder) names no folder of its own.
    for (int i = path.Find('\\', 1); i >= 0; i = path.Find('\\', i + 1))
        CreateDirectoryA(path.Left(i), NULL);
    CreateDirectoryA(path, NULL);
    return FolderExist(path);
}

CString CFileInfo::AssureExtension(CString path, CString ext)
{
    int dot = path.ReverseFind('.');
    // A dot inside a folder name is no extension: append to the file name.
    if (dot < 0 || dot < path.ReverseFind('\\'))
        return path + "." + ext;
    return path.Left(dot) + "." + ext;
}

CString CFileInfo::GetPathFromFullPath(const CString& path)
{
    int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

CString CFileInfo::GetFileFromFullPath(const CString& path)
{
    int slash = path.ReverseFind('\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}
