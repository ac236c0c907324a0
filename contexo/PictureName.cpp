// Picture recognition by extension.
#include "PictureName.h"

#include <string.h>

static const char* const s_PictureExtensions[] =
{
    ".jpg", ".jpe", ".jpeg", ".jfif", ".bmp", ".dib", ".png", ".cur",
    ".gif", ".emf", ".wmf", ".tif", ".tiff", ".ico", ".webp",
    ".heic", ".heif", ".jxl", ".avif",
};

BOOL IsPictureFileName(const char* pszPath)
{
    if (pszPath == NULL)
        return FALSE;
    size_t nLength = strlen(pszPath);
    for (const char* pszExtension : s_PictureExtensions)
    {
        size_t nExtension = strlen(pszExtension);
        if (nLength >= nExtension && _stricmp(pszPath + nLength - nExtension, pszExtension) == 0)
            return TRUE;
    }
    return FALSE;
}
