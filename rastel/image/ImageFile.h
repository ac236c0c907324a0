// CImageFile: abstract base of the picture codecs. A codec object lives for
// one Load or Save of the file named m_FileName.
//
// Load decodes into a buffer that the caller has emptied and returns nonzero
// when it ran to the end; success is judged by CRgbBuffer::IsImage afterwards.
// A codec that fails leaves the buffer empty. Only CJpgFile writes: every
// other Save writes nothing and returns 0. Nothing here throws.
#pragma once

#include "Framework.h"
#include "RastelApi.h"

class CRgbBuffer;

class RASTEL_API CImageFile
{
public:
    CString m_FileName;

    CImageFile(CString fileName);
    CImageFile(const CImageFile& other);
    CImageFile& operator=(const CImageFile& other);
    virtual ~CImageFile();

    virtual int Load(CRgbBuffer* buffer) = 0;
    virtual int Save(CRgbBuffer* buffer) = 0;
};
