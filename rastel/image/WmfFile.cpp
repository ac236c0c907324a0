// Metafiles through GDI. The file is read whole and its records checked
// (CMetafileCheck) before the system sees them: an EMF is made from the
// checked copy, a WMF (plain, or placeable with its 22-byte header skipped)
// is converted from it. The picture is played into a white bitmap of the
// header's bounds, scaled down when those are larger than the playback cap,
// up to the first shape that reaches far beyond the bitmap.
#include "WmfFile.h"
#include "BitmapFactory.h"
#include "MetafileCheck.h"
#include "RgbBuffer.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <vector>

namespace
{
// Plays the records one by one and stops at the first shape that reaches
// too far (CMetafileCheck::IsWithinReach), as the checks stop at the first
// bad record. Flood fills are passed over: a fill may recurse once for each
// run of pixels it meets, which in a large bitmap goes deeper than the
// thread's stack, and a stack overflow cannot be recovered from.
int CALLBACK PlayWithinReach(HDC dc, HANDLETABLE* handles, const ENHMETARECORD* record, int count,
                             LPARAM)
{
    if (record->iType == EMR_EXTFLOODFILL)
        return 1;
    if (!CMetafileCheck::IsWithinReach(dc, record))
        return 0;
    PlayEnhMetaFileRecord(dc, handles, record, (UINT)count);
    return 1;
}

// Metafiles larger than this are refused rather than read into memory.
const long long kMaxMetafileBytes = 64LL * 1024 * 1024;
const size_t kPlaceableHeaderBytes = 22;

bool ReadWholeFile(const char* path, std::vector<BYTE>& data)
{
    FILE* file = fopen(path, "rb");
    if (file == NULL)
        return false;
    long long length = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        length = _ftelli64(file);
    bool ok = false;
    if (length > 0 && length <= kMaxMetafileBytes && fseek(file, 0, SEEK_SET) == 0)
    {
        data.resize((size_t)length);
        ok = fread(data.data(), 1, (size_t)length, file) == (size_t)length;
    }
    fclose(file);
    return ok;
}

HENHMETAFILE ConvertWindowsMetafile(const BYTE* data, size_t size)
{
    std::vector<BYTE> records;
    if (!CMetafileCheck::CheckWindowsMetafile(data, size, records))
        return NULL;
    return SetWinMetaFileBits((UINT)records.size(), records.data(), NULL, NULL);
}

HENHMETAFILE OpenCheckedMetafile(const std::vector<BYTE>& file)
{
    std::vector<BYTE> records;
    if (CMetafileCheck::CheckEnhancedMetafile(file.data(), file.size(), records))
        return SetEnhMetaFileBits((UINT)records.size(), records.data());
    HENHMETAFILE metafile = ConvertWindowsMetafile(file.data(), file.size());
    if (metafile == NULL && file.size() > kPlaceableHeaderBytes)
        metafile = ConvertWindowsMetafile(file.data() + kPlaceableHeaderBytes,
                                          file.size() - kPlaceableHeaderBytes);
    return metafile;
}

// The bitmap size for bounds of width x height: the bounds themselves, or
// the same shape scaled down to the playback cap. False for bounds that are
// empty or beyond the limit of any picture.
bool PlaybackSize(long long width, long long height, int& outWidth, int& outHeight)
{
    if (width <= 0 || height <= 0 || width > CRgbBuffer::MaxPixels || height > CRgbBuffer::MaxPixels ||
        width * height > CRgbBuffer::MaxPixels)
        return false;
    double scale = 1.0;
    if (width * height > CWmfFile::MaxPlaybackPixels)
        scale = sqrt((double)CWmfFile::MaxPlaybackPixels / ((double)width * (double)height));
    outWidth = (int)(width * scale);
    outHeight = (int)(height * scale);
    if (outWidth < 1)
        outWidth = 1;
    if (outHeight < 1)
        outHeight = 1;
    return true;
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
    std::vector<BYTE> file;
    if (!ReadWholeFile(m_FileName, file))
        return 0;
    HENHMETAFILE metafile = OpenCheckedMetafile(file);
    if (metafile == NULL)
        return 0;

    ENHMETAHEADER header = {};
    int result = 0;
    int width = 0, height = 0;
    if (GetEnhMetaFileHeader(metafile, sizeof(header), &header) != 0 &&
        PlaybackSize((long long)header.rclBounds.right - header.rclBounds.left,
                     (long long)header.rclBounds.bottom - header.rclBounds.top, width, height))
    {
        HBITMAP bitmap = CBitmapFactory::CreateDIBitmap(width, height, RGB(255, 255, 255));
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
                RECT target = { 0, 0, width, height };
                EnumEnhMetaFile(dc, metafile, &PlayWithinReach, NULL, &target);
                GdiFlush();
                SelectObject(dc, oldBitmap);
                DeleteDC(dc);
                CRgbBuffer* picture = CBitmapFactory::CreateRgbFromDIBitmap(bitmap);
                if (picture != NULL)
                {
                    buffer->TakePixels(*picture);
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
