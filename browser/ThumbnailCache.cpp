// CThumbnailManager's disk cache: the folder "cache" beside the program
// holds a 360 x 480 best-fit JPEG of every large picture shown, named by the
// SHA-1 of its upper-cased path, so a picture is decoded at full size once.
#include "ThumbnailManager.h"
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

CString CThumbnailManager::GetCacheFolder()
{
    return ProgramFolder() + "\\cache";
}

CString CThumbnailManager::GetCacheFileName(const CString& path)
{
    CString folder = GetCacheFolder();
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

void CThumbnailManager::WriteCacheFile(const CString& cachePath, CRgbBuffer& image)
{
    // The codec writes a temporary file and moves it into place only when
    // it is whole, so a worker serving another cell of the same picture
    // never loads a half-written file, and a failed write leaves no file.
    CJpgFile(cachePath, CacheQuality, false).Save(&image);
}

int CThumbnailManager::RemoveStaleTemporaries(const CString& folder, DWORD olderThanSeconds)
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
