// The AVI video writer: sets up the file, the stream and the compressor with
// the first frame, then converts and writes every frame.
#include "AviFile.h"
#include "MjpegEncoder.h"

#include <stdlib.h>
#include <string.h>

namespace
{
const char RenderErrorText[] = "Error Occured While Rendering the Movie";
const char RenderErrorCaption[] = "Error";
// What the JPEG quality of the writer's own encoder is.
const int OwnEncoderQuality = 90;
// Headers written before the frames and the index's own header.
const long long FileOverheadBytes = 65536;
// Per frame: the chunk header and the index entry.
const long long FrameOverheadBytes = 8 + 16;

CAviFile::COMPRESSORCHOOSER g_Chooser = 0;

// The platform's AVI file handler, named outright: AVIFileOpen would pick a
// handler by the extension, and the temporary file's is ".tmp".
const CLSID AviFileHandler = {0x00020000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// A header with room for the colour table or masks that GetDIBits may add.
struct DibHeader
{
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

bool ReadBitmapFormat(HDC dc, HBITMAP bitmap, DibHeader* dib)
{
    memset(dib, 0, sizeof(*dib));
    dib->header.biSize = sizeof(BITMAPINFOHEADER);
    if (!GetDIBits(dc, bitmap, 0, 0, NULL, (BITMAPINFO*)dib, DIB_RGB_COLORS))
        return false;
    dib->header.biCompression = BI_RGB;
    return dib->header.biWidth > 0 && dib->header.biHeight != 0 && dib->header.biBitCount > 0;
}

long long ImageBytes(const BITMAPINFOHEADER& header)
{
    long long height = header.biHeight < 0 ? -(long long)header.biHeight : header.biHeight;
    return (((long long)header.biWidth * header.biBitCount + 31) / 32) * 4 * height;
}

HWND OwnerWindow()
{
    return GetActiveWindow();
}
} // namespace

void CAviFile::SetCompressorChooser(COMPRESSORCHOOSER chooser)
{
    g_Chooser = chooser;
}

CAviFile::CAviFile(const char* fileName, int frameRate)
{
    AVIFileInit();
    m_hAviDC = 0;
    m_hHeap = 0;
    m_lpBits = 0;
    m_lSample = 0;
    memset(m_szFileName, 0, sizeof(m_szFileName));
    m_bNameFits = fileName && strlen(fileName) < sizeof(m_szFileName);
    if (m_bNameFits)
        strcpy(m_szFileName, fileName);
    m_pAviFile = 0;
    m_pAviStream = 0;
    m_pAviCompressedStream = 0;
    memset(&m_AviStreamInfo, 0, sizeof(m_AviStreamInfo));
    memset(&m_AviCompressOptions, 0, sizeof(m_AviCompressOptions));
    // A rate below 1 frame a second would make a file no player can time.
    m_FrameRate = frameRate > 0 ? frameRate : 1;
    pAppendFrame[0] = &CAviFile::AppendDummy;
    pAppendFrame[1] = &CAviFile::AppendFrameFirstTime;
    pAppendFrame[2] = &CAviFile::AppendFrameUsual;
    m_nAppendFuncSelector = 1;
    m_pEncoder = 0;
    m_FileBytes = 0;
    memset(&m_SourceFormat, 0, sizeof(m_SourceFormat));
    m_BufferBytes = 0;
    m_szTempName[0] = 0;
    m_bFailed = false;
    m_bTold = false;
}

CAviFile::~CAviFile()
{
    Close();
    AVIFileExit();
}

CAviFile& CAviFile::operator=(const CAviFile& other)
{
    if (this == &other)
        return *this;
    Close();
    m_bFailed = false;
    m_bTold = false;
    memcpy(m_szFileName, other.m_szFileName, sizeof(m_szFileName));
    m_bNameFits = other.m_bNameFits;
    m_FrameRate = other.m_FrameRate;
    m_lSample = 0;
    m_FileBytes = 0;
    memset(&m_AviStreamInfo, 0, sizeof(m_AviStreamInfo));
    memset(&m_AviCompressOptions, 0, sizeof(m_AviCompressOptions));
    memset(&m_SourceFormat, 0, sizeof(m_SourceFormat));
    m_nAppendFuncSelector = 1;
    return *this;
}

int CAviFile::AppendNewFrame(HBITMAP bitmap)
{
    if (!bitmap)
        return 0;
    return (this->*pAppendFrame[m_nAppendFuncSelector])(bitmap) == S_OK ? 1 : 0;
}

HRESULT CAviFile::AppendDummy(HBITMAP bitmap)
{
    return E_FAIL;
}

void CAviFile::Tell()
{
    if (m_bTold)
        return;
    m_bTold = true;
    MessageBoxA(OwnerWindow(), RenderErrorText, RenderErrorCaption, MB_OK | MB_ICONERROR);
}

HRESULT CAviFile::VideoFailed()
{
    Tell();
    ReleaseMemory();
    m_bFailed = true;
    DeleteTemporaryFile();
    return E_FAIL;
}

HRESULT CAviFile::LimitReached()
{
    Tell();
    // Releasing the file closes it with its index: the frames so far are a
    // complete video, which Close puts under its name.
    ReleaseMemory();
    return E_FAIL;
}

bool CAviFile::OpenTemporaryFile()
{
    // The target's folder (with its separator), so that the finished video
    // is renamed within one volume; the current folder for a bare name.
    char folder[MAX_PATH] = ".";
    const char* backslash = strrchr(m_szFileName, '\\');
    const char* slash = strrchr(m_szFileName, '/');
    const char* end = backslash > slash ? backslash : slash;
    if (end)
    {
        size_t length = (size_t)(end - m_szFileName) + 1;
        memcpy(folder, m_szFileName, length);
        folder[length] = 0;
    }
    // GetTempFileName creates the file itself, so its name is this writer's alone.
    if (!GetTempFileNameA(folder, "pxm", 0, m_szTempName))
    {
        m_szTempName[0] = 0;
        return false;
    }
    if (AVIFileOpenA(&m_pAviFile, m_szTempName, OF_WRITE | OF_CREATE, (LPCLSID)&AviFileHandler) != AVIERR_OK)
    {
        m_pAviFile = 0;
        DeleteTemporaryFile();
        return false;
    }
    // Hidden while it is written, so that a file left by a process that died
    // meanwhile does not show among the user's files.
    SetFileAttributesA(m_szTempName, FILE_ATTRIBUTE_HIDDEN);
    return true;
}

void CAviFile::DeleteTemporaryFile()
{
    if (!m_szTempName[0])
        return;
    SetFileAttributesA(m_szTempName, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(m_szTempName);
    m_szTempName[0] = 0;
}

namespace
{
bool ReadAt(HANDLE file, long long offset, void* data, DWORD count)
{
    LARGE_INTEGER at;
    at.QuadPart = offset;
    DWORD read = 0;
    return SetFilePointerEx(file, at, NULL, FILE_BEGIN) && ReadFile(file, data, count, &read, NULL) &&
           read == count;
}
} // namespace

bool CAviFile::ReadsBackWhole()
{
    // The file's own structure, read directly: the RIFF header, then its
    // chunks one after the other (headers, frames, index), each within the
    // file, the last the index of every frame. A write the disk refused at
    // close (the last frames, the index, the headers) breaks one of these.
    HANDLE file = CreateFileA(m_szTempName, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool whole = false;
    LARGE_INTEGER size;
    DWORD header[3];
    if (GetFileSizeEx(file, &size) && ReadAt(file, 0, header, sizeof(header)) &&
        header[0] == mmioFOURCC('R', 'I', 'F', 'F') && header[2] == mmioFOURCC('A', 'V', 'I', ' ') &&
        (long long)header[1] + 8 <= size.QuadPart)
    {
        const long long end = (long long)header[1] + 8;
        long long at = 12;
        bool indexed = false;
        DWORD chunk[2];
        while (at + 8 <= end && ReadAt(file, at, chunk, sizeof(chunk)) && at + 8 + chunk[1] <= end)
        {
            indexed = chunk[0] == mmioFOURCC('i', 'd', 'x', '1') && chunk[1] >= 16 * (DWORD)m_lSample;
            at += 8 + chunk[1] + (chunk[1] & 1);
        }
        whole = indexed && at >= end;
    }
    CloseHandle(file);
    return whole;
}

bool CAviFile::Close()
{
    ReleaseMemory();
    if (m_bFailed)
        return false;
    if (!m_szTempName[0])
        return true;
    if (m_lSample == 0)
    {
        // Set up, but no frame went in: there is no video to keep.
        DeleteTemporaryFile();
        return true;
    }
    SetFileAttributesA(m_szTempName, FILE_ATTRIBUTE_NORMAL);
    if (!ReadsBackWhole() ||
        !MoveFileExA(m_szTempName, m_szFileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        VideoFailed();
        return false;
    }
    m_szTempName[0] = 0; // it is the video now
    return true;
}

HRESULT CAviFile::AppendFrameFirstTime(HBITMAP bitmap)
{
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    m_hAviDC = CreateCompatibleDC(NULL);
    if (!m_hAviDC)
        return VideoFailed();

    DibHeader dib;
    if (!ReadBitmapFormat(m_hAviDC, bitmap, &dib))
        return VideoFailed();
    const BITMAPINFOHEADER& format = dib.header;
    const int width = format.biWidth;
    const int height = format.biHeight < 0 ? -format.biHeight : format.biHeight;

    long long areaWidth = width > screenWidth ? width : screenWidth;
    long long areaHeight = height > screenHeight ? height : screenHeight;
    long long bufferBytes = areaWidth * areaHeight * 4;
    if (bufferBytes < ImageBytes(format) || bufferBytes > 0x7FFFFFFFLL)
        return VideoFailed();
    m_hHeap = HeapCreate(HEAP_NO_SERIALIZE, 0, 0);
    if (!m_hHeap)
        return VideoFailed();
    m_lpBits = HeapAlloc(m_hHeap, HEAP_ZERO_MEMORY, (SIZE_T)bufferBytes);
    if (!m_lpBits)
        return VideoFailed();
    m_BufferBytes = (SIZE_T)bufferBytes;
    m_SourceFormat = format;

    if (!m_bNameFits || !OpenTemporaryFile())
        return VideoFailed();

    memset(&m_AviStreamInfo, 0, sizeof(m_AviStreamInfo));
    m_AviStreamInfo.fccType = streamtypeVIDEO;
    m_AviStreamInfo.dwScale = 1;
    m_AviStreamInfo.dwRate = m_FrameRate;
    long long suggested = 96 * areaWidth * areaHeight;
    m_AviStreamInfo.dwSuggestedBufferSize = suggested > 0xFFFFFFFFLL ? 0xFFFFFFFF : (DWORD)suggested;
    m_AviStreamInfo.dwQuality = 10000;
    SetRect(&m_AviStreamInfo.rcFrame, 0, 0, width, height);
    strcpy(m_AviStreamInfo.szName, "Video Stream");
    if (AVIFileCreateStreamA(m_pAviFile, &m_pAviStream, &m_AviStreamInfo) != AVIERR_OK)
        return VideoFailed();

    if (!SetUpCompression(format))
        return E_FAIL; // SetUpCompression has released everything

    m_FileBytes = FileOverheadBytes;
    m_nAppendFuncSelector = 2;
    return AppendFrameUsual(bitmap);
}

// Chooses the compressor and sets the stream format; false after a failure,
// with everything released (and the message shown where one is due).
bool CAviFile::SetUpCompression(const BITMAPINFOHEADER& format)
{
    memset(&m_AviCompressOptions, 0, sizeof(m_AviCompressOptions));
    m_AviCompressOptions.fccType = streamtypeVIDEO;
    m_AviCompressOptions.fccHandler = mmioFOURCC('D', 'I', 'V', 'X');
    m_AviCompressOptions.dwKeyFrameEvery = 15;
    m_AviCompressOptions.dwFlags = AVICOMPRESSF_KEYFRAMES | AVICOMPRESSF_VALID;
    if (AVIMakeCompressedStream(&m_pAviCompressedStream, m_pAviStream, &m_AviCompressOptions, NULL) !=
        AVIERR_OK)
    {
        m_pAviCompressedStream = 0;
        m_pEncoder = CMjpegEncoder::Create(format, OwnEncoderQuality);
        if (m_pEncoder)
        {
            m_AviCompressOptions.fccHandler = mmioFOURCC('M', 'J', 'P', 'G');
            m_AviCompressOptions.dwKeyFrameEvery = 1;
            BITMAPINFOHEADER compressed = m_pEncoder->Format();
            if (AVIStreamSetFormat(m_pAviStream, 0, &compressed, sizeof(compressed)) != AVIERR_OK)
            {
                VideoFailed();
                return false;
            }
            return true;
        }

        COMPVARS choice;
        memset(&choice, 0, sizeof(choice));
        choice.cbSize = sizeof(choice);
        choice.dwFlags = ICMF_COMPVARS_VALID;
        choice.fccHandler = mmioFOURCC('D', 'I', 'V', 'X');
        choice.lQ = 10000;
        COMPRESSORCHOOSER choose = g_Chooser ? g_Chooser : ICCompressorChoose;
        if (!choose(OwnerWindow(),
                    ICMF_CHOOSE_KEYFRAME | ICMF_CHOOSE_DATARATE | ICMF_CHOOSE_PREVIEW |
                        ICMF_CHOOSE_ALLCOMPRESSORS,
                    NULL, NULL, &choice, NULL))
        {
            // The user's choice: no video, and nothing to tell.
            ReleaseMemory();
            DeleteTemporaryFile();
            return false;
        }
        memset(&m_AviCompressOptions, 0, sizeof(m_AviCompressOptions));
        m_AviCompressOptions.fccType = streamtypeVIDEO;
        m_AviCompressOptions.fccHandler = choice.fccHandler;
        m_AviCompressOptions.dwKeyFrameEvery = choice.lKey;
        m_AviCompressOptions.dwFlags = AVICOMPRESSF_KEYFRAMES | AVICOMPRESSF_VALID;
        if (!g_Chooser)
            ICCompressorFree(&choice);
        if (AVIMakeCompressedStream(&m_pAviCompressedStream, m_pAviStream, &m_AviCompressOptions,
                                    NULL) != AVIERR_OK)
        {
            m_pAviCompressedStream = 0;
            ReleaseMemory();
            m_bFailed = true;
            DeleteTemporaryFile();
            return false;
        }
    }

    BITMAPINFOHEADER source = format;
    if (AVIStreamSetFormat(m_pAviCompressedStream, 0, &source, sizeof(source)) != AVIERR_OK)
    {
        VideoFailed();
        return false;
    }
    return true;
}

bool CAviFile::ReserveFileBytes(long long bytes)
{
    if (m_FileBytes + bytes > MaxFileBytes)
        return false;
    m_FileBytes += bytes;
    return true;
}

HRESULT CAviFile::AppendFrameUsual(HBITMAP bitmap)
{
    DibHeader dib;
    if (!ReadBitmapFormat(m_hAviDC, bitmap, &dib))
        return E_FAIL;
    BITMAPINFOHEADER& format = dib.header;
    if (format.biWidth != m_SourceFormat.biWidth || format.biHeight != m_SourceFormat.biHeight ||
        format.biBitCount != m_SourceFormat.biBitCount || ImageBytes(format) > (long long)m_BufferBytes)
        return E_FAIL;
    const int height = format.biHeight < 0 ? -format.biHeight : format.biHeight;
    if (GetDIBits(m_hAviDC, bitmap, 0, height, m_lpBits, (BITMAPINFO*)&dib, DIB_RGB_COLORS) != height)
        return E_FAIL;

    if (m_pEncoder)
        return WriteEncodedFrame(format);

    const long long imageBytes = ImageBytes(format);
    // Reserve room for a frame no smaller than the raw bits, then count what
    // the compressor actually wrote.
    const long long worstCase = imageBytes + (imageBytes & 1) + FrameOverheadBytes;
    if (!ReserveFileBytes(worstCase))
        return LimitReached();
    LONG bytesWritten = 0;
    HRESULT written = AVIStreamWrite(m_pAviCompressedStream, m_lSample, 1, m_lpBits,
                                     (LONG)imageBytes, 0, NULL, &bytesWritten);
    if (bytesWritten > 0 && bytesWritten <= imageBytes)
        m_FileBytes -= imageBytes - bytesWritten;
    // A frame the disk refused leaves a broken file: the video is lost.
    if (FAILED(written))
        return VideoFailed();
    m_lSample++;
    return S_OK;
}

HRESULT CAviFile::WriteEncodedFrame(const BITMAPINFOHEADER& format)
{
    DWORD size = 0;
    const BYTE* jpeg = m_pEncoder->Encode((const BYTE*)m_lpBits, &size);
    if (!jpeg)
        return E_FAIL;
    // The frame that would carry the file past the limit closes it instead.
    if (!ReserveFileBytes((long long)size + (size & 1) + FrameOverheadBytes))
        return LimitReached();
    if (FAILED(AVIStreamWrite(m_pAviStream, m_lSample, 1, (LPVOID)jpeg, (LONG)size, AVIIF_KEYFRAME,
                              NULL, NULL)))
        return VideoFailed();
    m_lSample++;
    return S_OK;
}

void CAviFile::ReleaseMemory()
{
    m_nAppendFuncSelector = 0;
    if (m_hAviDC)
    {
        DeleteDC(m_hAviDC);
        m_hAviDC = 0;
    }
    if (m_pAviCompressedStream)
    {
        AVIStreamRelease(m_pAviCompressedStream);
        m_pAviCompressedStream = 0;
    }
    if (m_pAviStream)
    {
        AVIStreamRelease(m_pAviStream);
        m_pAviStream = 0;
    }
    if (m_pAviFile)
    {
        AVIFileRelease(m_pAviFile);
        m_pAviFile = 0;
    }
    if (m_hHeap)
    {
        if (m_lpBits)
            HeapFree(m_hHeap, 0, m_lpBits);
        HeapDestroy(m_hHeap);
        m_hHeap = 0;
    }
    m_lpBits = 0;
    m_BufferBytes = 0;
    delete m_pEncoder;
    m_pEncoder = 0;
}
