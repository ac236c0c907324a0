// CImageFile: the codec base keeps the name of the file it reads or writes.
#include "ImageFile.h"

CImageFile::CImageFile(CString fileName) : m_FileName(fileName)
{
}

CImageFile::CImageFile(const CImageFile& other) : m_FileName(other.m_FileName)
{
}

CImageFile& CImageFile::operator=(const CImageFile& other)
{
    m_FileName = other.m_FileName;
    return *this;
}

CImageFile::~CImageFile()
{
}
