// Reading a whole file with the C runtime (64-bit length, so that a file
// of 4 GB or more is refused instead of being read in part).
#include "WholeFile.h"
#include "RgbBuffer.h"

#include <stdio.h>
#include <stdlib.h>

BYTE* CWholeFile::Read(const CString& path, long long maxBytes, size_t* size)
{
    if (!size)
        return NULL;
    *size = 0;
    FILE* file = fopen(path, "rb");
    if (file == NULL)
        return NULL;
    long long length = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        length = _ftelli64(file);
    BYTE* data = NULL;
    if (length > 0 && length <= maxBytes && fseek(file, 0, SEEK_SET) == 0)
    {
        data = (BYTE*)malloc((size_t)length);
        if (data && fread(data, 1, (size_t)length, file) != (size_t)length)
        {
            free(data);
            data = NULL;
        }
    }
    fclose(file);
    if (data)
        *size = (size_t)length;
    return data;
}

int CWholeFile::Decode(const CString& path, long long maxBytes, CRgbBuffer* buffer,
                       int (*decode)(const BYTE* data, size_t size, CRgbBuffer* buffer))
{
    if (buffer == NULL)
        return 0;
    size_t size = 0;
    BYTE* data = Read(path, maxBytes, &size);
    if (!data)
        return 0;
    int result = decode(data, size, buffer);
    free(data);
    return result;
}

int CWholeFile::DecodeReduced(const CString& path, long long maxBytes, CRgbBuffer* buffer, int boxWidth,
                              int boxHeight, CSize* fullSize, ReducedDecode decode)
{
    if (fullSize)
        *fullSize = CSize(0, 0);
    size_t size = 0;
    BYTE* data = Read(path, maxBytes, &size);
    if (!data)
    {
        if (buffer)
            buffer->CleanUp();
        return 0;
    }
    int result = decode(data, size, buffer, boxWidth, boxHeight, fullSize);
    free(data);
    return result;
}
