// CFileInfo's static helpers: picture types by extension (CPictureTypes), file and folder
// tests, and splitting and building paths. None of them reads a file's content.
#include "FileInfo.h"
#include "PictureTypes.h"

#include <mbstring.h>
#include <sys/stat.h>
#include <sys/types.h>

BOOL CFileInfo::IsJPGFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Jpeg);
}

BOOL CFileInfo::IsBMPFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Bmp);
}

BOOL CFileInfo::IsICOFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Ico);
}

BOOL CFileInfo::IsCURFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Cur);
}

BOOL CFileInfo::IsTiffFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Tiff);
}

BOOL CFileInfo::IsTTFFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Ttf);
}

BOOL CFileInfo::IsGifFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Gif);
}

BOOL CFileInfo::IsPngFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Png);
}

BOOL CFileInfo::IsWmfFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Wmf);
}

BOOL CFileInfo::IsWebpFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Webp);
}

BOOL CFileInfo::IsHeifFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Heif);
}

BOOL CFileInfo::IsJxlFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Jxl);
}

BOOL CFileInfo::IsAvifFile(const CString& path)
{
    return CPictureTypes::Matches(path, CPictureTypes::Avif);
}

BOOL CFileInfo::IsImageFile(const CString& path)
{
    return IsJPGFile(path) || IsICOFile(path) || IsBMPFile(path) || IsTiffFile(path) ||
           IsGifFile(path) || IsPngFile(path) || IsWmfFile(path) || IsCURFile(path) ||
           IsWebpFile(path) || IsHeifFile(path) || IsJxlFile(path) || IsAvifFile(path);
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
