// The thumbnail disk cache: naming, loading and writing the copies.
#include "ThumbnailCache.h"
#include "RgbBuffer.h"
#include "JpgFile.h"
#include "SHA1.h"

#include <direct.h>
#include <stdio.h>

namespace
{
const int CacheQuality = 70;

CString ProgramFolder()
{
    char module[MAX_PATH + 1] = "";
    DWORD length = GetModuleFileNameA(NULL, module, MAX_PATH);
    module[length < MAX_PATH ? length : MAX_PATH] = 0;
    char* slash = strrchr(module, '\\');
    if (slash)
        *slash = 0;
    return CString(module);
}
} // namespace

namespace ThumbnailCache
{
CString Folder()
{
    return ProgramFolder() + "\\cache";
}

CString FileName(const CString& path)
{
    CString folder = Folder();
    _mkdir(folder); // already there most of the time

    CSHA1 sha;
    sha.Update((unsigned char*)(LPCSTR)path, (unsigned int)path.GetLength());
    sha.Final();
    unsigned char digest[20];
    sha.GetHash(digest);
    char name[41];
    for (int i = 0; i < 20; ++i)
        sprintf(name + 2 * i, "%02x", digest[i]);
    return folder + "\\" + name + ".jpg";
}

BOOL Load(const CString& cachePath, ULONGLONG pictureModified, const CSize& cell, CRgbBuffer& image)
{
    // One look at the copy tells whether it is there and how old it is.
    WIN32_FILE_ATTRIBUTE_DATA copy;
    if (!GetFileAttributesExA(cachePath, GetFileExInfoStandard, &copy) ||
        (copy.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    ULONGLONG written = ((ULONGLONG)copy.ftLastWriteTime.dwHighDateTime << 32) | copy.ftLastWriteTime.dwLowDateTime;
    if (written < pictureModified)
    {
        DeleteFileA(cachePath);
        return FALSE;
    }
    // The copy is 360 x 480 at most and a cell far smaller: decoding it at
    // a reduced scale saves most of the decoding and the scaling after it.
    CJpgFile reader(cachePath, 100, false);
    return reader.LoadReduced(&image, cell.cx, cell.cy, NULL);
}

void Write(const CString& cachePath, CRgbBuffer& image)
{
    // The codec writes a temporary file and moves it into place only when
    // it is whole, so a worker serving another cell of the same picture
    // never loads a half-written file, and a failed write leaves no file.
    CJpgFile(cachePath, CacheQuality, false).Save(&image);
}

int RemoveStaleTemporaries(const CString& folder, DWORD olderThanSeconds)
{
    // A copy being written goes under "pxm*.tmp" until it is whole; one
    // left by a process that ended while writing would stay for ever.
    // Another browser may be writing one right now: only old ones go.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG limit = ((ULONGLONG)now.dwHighDateTime << 32 | now.dwLowDateTime) -
                      (ULONGLONG)olderThanSeconds * 10000000ULL;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder + "\\pxm*.tmp", &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int removed = 0;
    do
    {
        ULONGLONG written = (ULONGLONG)found.ftLastWriteTime.dwHighDateTime << 32 | found.ftLastWriteTime.dwLowDateTime;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && written < limit &&
            DeleteFileA(folder + "\\" + found.cFileName))
            ++removed;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return removed;
}
} // namespace ThumbnailCache
