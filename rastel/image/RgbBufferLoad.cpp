// CRgbBuffer::LoadRgbBuffer: the codec front end, which picks the codec by
// the file's extension and lets it decode into this buffer.
#include "RgbBuffer.h"
#include "FileInfo.h"
#include "ImageFile.h"
#include "BmpFile.h"
#include "IconFile.h"
#include "CurFile.h"
#include "JpgFile.h"
#include "TiffFile.h"
#include "TTFFile.h"
#include "GifFile.h"
#include "PngFile.h"
#include "WmfFile.h"
#include "WebpFile.h"
#include "AvifFile.h"
#include "HeifFile.h"
#include "JxlFile.h"
#include "SuiteLock.h"

// Shows the application's wait cursor for as long as it lives. The
// application counts wait-cursor requests in a plain integer, and several
// threads load pictures at once (the browser's window threads, and any
// background thread that asks for the cursor), so the count changes under
// the suite lock; the lock is not held while the picture is decoded.
namespace
{
thread_local bool t_ShowWaitCursor = true;

class CWaitCursorScope
{
public:
    CWaitCursorScope() : m_App(t_ShowWaitCursor ? AfxGetApp() : NULL)
    {
        if (!m_App)
            return;
        CSuiteLock lock;
        m_App->BeginWaitCursor();
    }
    ~CWaitCursorScope()
    {
        if (!m_App)
            return;
        CSuiteLock lock;
        m_App->EndWaitCursor();
    }

private:
    CWinApp* m_App;
};

CImageFile* CreateCodec(const CString& path, bool thumbnailOnly)
{
    // The quality field is not used by loading.
    if (CFileInfo::IsJPGFile(path))
        return new CJpgFile(path, 100, thumbnailOnly);
    if (CFileInfo::IsBMPFile(path))
        return new CBmpFile(path);
    if (CFileInfo::IsICOFile(path))
        return new CIconFile(path);
    if (CFileInfo::IsCURFile(path))
        return new CCurFile(path);
    if (CFileInfo::IsTiffFile(path))
        return new CTiffFile(path);
    if (CFileInfo::IsTTFFile(path))
        return new CTTFFile(path);
    if (CFileInfo::IsGifFile(path))
        return new CGifFile(path);
    if (CFileInfo::IsPngFile(path))
        return new CPngFile(path);
    if (CFileInfo::IsWmfFile(path))
        return new CWmfFile(path);
    if (CFileInfo::IsWebpFile(path))
        return new CWebpFile(path);
    if (CFileInfo::IsHeifFile(path))
        return new CHeifFile(path);
    if (CFileInfo::IsJxlFile(path))
        return new CJxlFile(path);
    if (CFileInfo::IsAvifFile(path))
        return new CAvifFile(path);
    return NULL;
}
} // namespace

void CRgbBuffer::ShowWaitCursorOnThisThread(bool show)
{
    t_ShowWaitCursor = show;
}

BOOL CRgbBuffer::LoadRgbBuffer(const CString& path, bool thumbnailOnly)
{
    CWaitCursorScope wait;
    CleanUp();
    CImageFile* codec = CreateCodec(path, thumbnailOnly);
    if (!codec)
        return 0;
    codec->Load(this);
    delete codec;
    // A failed load leaves nothing behind, not even a background colour.
    if (!IsImage())
        CleanUp();
    return IsImage();
}
