// CFolder: the pictures of one folder on disk. The order, descriptions and
// stored settings live in the folder's hidden catalogue "pixmere.db"; loading
// takes the catalogue first and then appends the folder's other pictures.
#pragma once

#include "Framework.h"
#include "RastelApi.h"
#include "FileInfoList.h"

class RASTEL_API CFolder : public CFileInfoList
{
public:
    // path: the folder, without a trailing backslash.
    explicit CFolder(CString path);
    virtual ~CFolder();

    CString GetPath() const { return m_Path; }

    // The catalogue's pictures that still exist, in their stored order, then
    // the folder's other pictures in search order; the head becomes current.
    // Never writes the catalogue. Sub-folders are not entered.
    virtual void Load();

protected:
    virtual CString GetFileName();

private:
    CString m_Path;
};
