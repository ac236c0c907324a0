// CPictureTypes: the picture file types the suite reads, in one table.
// CFileInfo's Is...File tests match paths against it, and the programs' open
// dialogs take their filter from it, so a type is added in one place.
#pragma once

#include "Framework.h"
#include "RastelApi.h"

class RASTEL_API CPictureTypes
{
public:
    enum Type
    {
        Jpeg, // .jpg .jpeg .jpe .jfif
        Gif,  // .gif
        Tiff, // .tif .tiff
        Bmp,  // .bmp .dib
        Png,  // .png
        Wmf,  // .emf .wmf
        Cur,  // .cur
        Ico,  // .ico
        Webp, // .webp
        Heif, // .heic .heif
        Jxl,  // .jxl
        Avif, // .avif
        Ttf,  // .ttf: rendered as a type sample, not a picture of the catalogue
        TypeCount
    };

    // Nonzero when the path ends with one of the type's extensions (with its
    // dot), compared case-insensitively and multibyte-aware.
    static BOOL Matches(const CString& path, Type type);

    // The open-dialog filter of every picture type, "JPG(*.jpg;...)|*.jpg;...|
    // ...|AVIF(*.avif)|*.avif||" (fonts are not offered).
    static CString GetOpenFilter();
};
