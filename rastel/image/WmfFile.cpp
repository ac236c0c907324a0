// Metafiles through GDI: an EMF is opened directly; a WMF is converted, and
// a placeable WMF has its 22-byte header skipped when the plain conversion
// refuses it.
#include "WmfFile.h"
#include "BitmapFactory.h"
#include "RgbBuffer.h"

#include <stdio.h>
#include <stdlib.h>

namespace
{
// Metafiles larger than this are refused rather than read into memory.
const long long kMaxMetafileBytes = 256LL * 1024 * 1024;
const int kPlaceableHeaderBytes = 22;

HENHMETAFILE OpenWindowsMetafile(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (file == NULL)
        return NULL;
    HENHMETAFILE metafile = NULL;
    long long length = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        length = _ftelli64(file);
    if (length > 0 && length <= kMaxMetafileBytes && fseek(file, 0, SEEK_SET) == 0)
    {
        BYTE* bytes = (BYTE*)malloc((size_t)length);
        if (bytes != NULL && fread(bytes, 1, (size_t)length, file) == (size_t)length)
        {
            metafile = SetWinMetaFileBits((UINT)length, bytes, NULL, NULL);
            if (metafile == NULL && length > kPlaceableHeaderBytes)
                metafile = SetWinMetaFileBits((UINT)(length - kPlaceableHeaderBytes),
                                              bytes + kPlaceableHeaderBytes, NULL, NULL);
        }
        free(bytes);
    }
    fclose(file);
    return metafile;
}
}

CWmfFile::CWmfFile(CString fileName)
    : CImageFile(fileName)
{
}

CWmfFile::CWmfFile(const CWmfFile& other)
    : CImageFile(other)
{
}

int CWmfFile::Load(CRgbBuffer* buffer)
{
    if (buffer == NULL)
        return 0;
    HENHMETAFILE metafile = GetEnhMetaFileA(m_FileName);
    if (metafile == NULL)
        metafile = OpenWindowsMetafile(m_FileName);
    if (metafile == NULL)
        return 0;

    ENHMETAHEADER header = {};
    int result = 0;
    if (GetEnhMetaFileHeader(metafile, sizeof(header), &header) != 0)
    {
        const RECTL& bounds = header.rclBounds;
        long long width = (long long)bounds.right - bounds.left;
        long long height = (long long)bounds.bottom - bounds.top;
        HBITMAP bitmap = NULL;
        if (width > 0 && height > 0 && width <= 0x7FFFFFFF && height <= 0x7FFFFFFF)
            bitmap = CBitmapFactory::CreateDIBitmap((int)width, (int)height, RGB(255, 255, 255));
        if (bitmap != NULL)
        {
            HDC screen = GetDC(NULL);
            HDC dc = CreateCompatibleDC(screen);
            ReleaseDC(NULL, screen);
            if (dc != NULL)
            {
                HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
                SetMapMode(dc, MM_ANISOTROPIC);
                // The picture is moved to the bitmap's origin, whatever its bounds.
                RECT target = { 0, 0, (LONG)width, (LONG)height };
                PlayEnhMetaFile(dc, metafile, &target);
                GdiFlush();
                SelectObject(dc, oldBitmap);
                DeleteDC(dc);
                CRgbBuffer* picture = CBitmapFactory::CreateRgbFromDIBitmap(bitmap);
                if (picture != NULL)
                {
                    *buffer = *picture;
                    delete picture;
                    result = 1;
                }
            }
            DeleteObject(bitmap);
        }
    }
    DeleteEnhMetaFile(metafile);
    return result;
}

int CWmfFile::Save(CRgbBuffer*)
{
    return 0;
}
