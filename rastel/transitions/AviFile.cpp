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
}

CAviFile::~CAviFile()
{
    ReleaseMemory();
    AVIFileExit();
}

CAviFile& CAviFile::operator=(const CAviFile& other)
{
    if (this == &other)
        return *this;
    ReleaseMemory();
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

HRESULT CAviFile::SetUpFailed()
{
    MessageBoxA(OwnerWindow(), RenderErrorText, RenderErrorCaption, MB_OK | MB_ICONERROR);
    ReleaseMemory();
    return E_FAIL;
}

HRESULT CAviFile::AppendFrameFirstTime(HBITMAP bitmap)
{
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    m_hAviDC = CreateCompatibleDC(NULL);
    if (!m_hAviDC)
        return SetUpFailed();

    DibHeader dib;
    if (!ReadBitmapFormat(m_hAviDC, bitmap, &dib))
        return SetUpFailed();
    const BITMAPINFOHEADER& format = dib.header;
    const int width = format.biWidth;
    const int height = format.biHeight < 0 ? -format.biHeight : format.biHeight;

    long long areaWidth = width > screenWidth ? width : screenWidth;
    long long areaHeight = height > screenHeight ? height : screenHeight;
    long long bufferBytes = areaWidth * areaHeight * 4;
    if (bufferBytes < ImageBytes(format) || bufferBytes > 0x7FFFFFFFLL)
        return SetUpFailed();
    m_hHeap = HeapCreate(HEAP_NO_SERIALIZE, 0, 0);
    if (!m_hHeap)
        return SetUpFailed();
    m_lpBits = HeapAlloc(m_hHeap, HEAP_ZERO_MEMORY, (SIZE_T)bufferBytes);
    if (!m_lpBits)
        return SetUpFailed();
    m_BufferBytes = (SIZE_T)bufferBytes;
    m_SourceFormat = format;

    if (!m_bNameFits || AVIFileOpenA(&m_pAviFile, m_szFileName, OF_WRITE | OF_CREATE, NULL) != AVIERR_OK)
        return SetUpFailed();

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
        return SetUpFailed();

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
                SetUpFailed();
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
            ReleaseMemory();
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
            return false;
        }
    }

    BITMAPINFOHEADER source = format;
    if (AVIStreamSetFormat(m_pAviCompressedStream, 0, &source, sizeof(source)) != AVIERR_OK)
    {
        SetUpFailed();
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
        return SetUpFailed();
    LONG bytesWritten = 0;
    HRESULT written = AVIStreamWrite(m_pAviCompressedStream, m_lSample, 1, m_lpBits,
                                     (LONG)imageBytes, 0, NULL, &bytesWritten);
    if (bytesWritten > 0 && bytesWritten <= imageBytes)
        m_FileBytes -= imageBytes - bytesWritten;
    if (FAILED(written))
        return E_FAIL;
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
        return SetUpFailed();
    if (FAILED(AVIStreamWrite(m_pAviStream, m_lSample, 1, (LPVOID)jpeg, (LONG)size, AVIIF_KEYFRAME,
                              NULL, NULL)))
        return E_FAIL;
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
