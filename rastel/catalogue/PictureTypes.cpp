// The table of picture file types, and the extension test and open-dialog
// filter made from it.
#include "PictureTypes.h"

#include <mbstring.h>

namespace
{
struct PictureType
{
    const char* filterName; // NULL: not offered in open dialogs
    const char* extensions[5]; // with the dot, NULL-terminated
};

// In the order of CPictureTypes::Type, which is the open dialog's order.
const PictureType kTypes[CPictureTypes::TypeCount] = {
    {"JPG", {".jpg", ".jpeg", ".jpe", ".jfif", NULL}},
    {"GIF", {".gif", NULL}},
    {"Tagged image files", {".tif", ".tiff", NULL}},
    {"Bitmaps", {".bmp", ".dib", NULL}},
    {"PNG", {".png", NULL}},
    {"Metafiles", {".emf", ".wmf", NULL}},
    {"Cursors", {".cur", NULL}},
    {"Icons", {".ico", NULL}},
    {"WebP", {".webp", NULL}},
    {"HEIF", {".heic", ".heif", NULL}},
    {"JPEG XL", {".jxl", NULL}},
    {"AVIF", {".avif", NULL}},
    {NULL, {".ttf", NULL}},
};

// True when the path ends with ext; a path shorter than ext never matches.
bool HasExtension(const CString& path, const char* ext)
{
    int length = lstrlenA(ext);
    if (path.GetLength() < length)
        return false;
    const char* tail = (LPCSTR)path + path.GetLength() - length;
    return _mbsicmp((const unsigned char*)tail, (const unsigned char*)ext) == 0;
}
}

BOOL CPictureTypes::Matches(const CString& path, Type type)
{
    if (type < 0 || type >= TypeCount)
        return FALSE;
    for (const char* const* ext = kTypes[type].extensions; *ext; ++ext)
        if (HasExtension(path, *ext))
            return TRUE;
    return FALSE;
}

CString CPictureTypes::GetOpenFilter()
{
    CString filter;
    for (const PictureType& type : kTypes)
    {
        if (!type.filterName)
            continue;
        CString patterns;
        for (const char* const* ext = type.extensions; *ext; ++ext)
            patterns += CString(patterns.IsEmpty() ? "*" : ";*") + *ext;
        filter += CString(type.filterName) + "(" + patterns + ")|" + patterns + "|";
    }
    return filter + "|";
}
