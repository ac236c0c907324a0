// CCurFile: CUR files, loaded by the system's cursor loader at their own size.
#include "CurFile.h"
#include "IconFile.h"
#include "ImageHeaderCheck.h"
#include "RgbBuffer.h"

CCurFile::CCurFile(CString fileName) : CImageFile(fileName)
{
}

CCurFile::CCurFile(const CCurFile& other) : CImageFile(other)
{
}

int CCurFile::Save(CRgbBuffer*)
{
    return 0;
}

int CCurFile::Load(CRgbBuffer* buffer)
{
    if (!buffer)
        return 0;
    buffer->m_BackgroundColor = RGB(255, 255, 255);
    if (!CImageHeaderCheck::IsSafeIconFile(m_FileName))
        return 0;
    HCURSOR cursor = (HCURSOR)LoadImageA(NULL, m_FileName, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE);
    if (!cursor)
        return 0;
    CIconFile::ReadIconPixels((HICON)cursor, buffer, FALSE);
    DestroyCursor(cursor);
    return 1;
}
