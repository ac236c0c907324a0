// CAviFile: writes bitmaps as the one compressed video stream of a new AVI
// file through Video for Windows.
//
// Contract:
// - The first AppendNewFrame fixes the frame size and format and opens the
//   file; every frame must have that size and format. The caller keeps and
//   deletes the bitmaps it appends.
// - Compressor: "DIVX" when installed, else the writer's own Motion-JPEG
//   encoder (24 or 32-bit frames), else the user's choice in the platform's
//   compressor dialog.
// - A set-up failure shows "Error Occured While Rendering the Movie" once (not
//   when the user cancels the dialog), releases everything, and every later
//   append returns 0 at once. A failed write returns 0 for that frame only.
// - The file stays below 2 GB, so that every player reads it: the frame that
//   would pass the limit is refused with the same message, and the frames
//   written before it form a complete, playable video.
// - The video is complete when the writer is destroyed; a writer that was
//   given no frame creates no file. Nothing throws.
#pragma once

#include <windows.h>
#include <vfw.h>
#include "RastelApi.h"

class CMjpegEncoder;

class RASTEL_API CAviFile
{
public:
    CAviFile(const char* fileName = "Output.avi", int frameRate = 24);
    ~CAviFile();
    // Takes the other writer's file name and frame rate and starts afresh: a
    // file and its streams belong to one writer only.
    CAviFile& operator=(const CAviFile& other);
    CAviFile(const CAviFile&) = delete;

    int AppendNewFrame(HBITMAP bitmap);

    // The compressor dialog, replaceable so that tests can answer it; null
    // restores ICCompressorChoose.
    typedef BOOL(VFWAPI* COMPRESSORCHOOSER)(HWND owner, UINT flags, LPVOID input, LPVOID data,
                                            PCOMPVARS compvars, LPSTR title);
    static void SetCompressorChooser(COMPRESSORCHOOSER chooser);

    // Largest file the writer makes: below 2^31 bytes with room for the index.
    static constexpr long long MaxFileBytes = 0x7E000000LL;

private:
    HRESULT AppendFrameFirstTime(HBITMAP bitmap);
    HRESULT AppendFrameUsual(HBITMAP bitmap);
    HRESULT AppendDummy(HBITMAP bitmap);
    void ReleaseMemory();
    HRESULT SetUpFailed();
    bool SetUpCompression(const BITMAPINFOHEADER& format);
    HRESULT WriteEncodedFrame(const BITMAPINFOHEADER& format);
    bool ReserveFileBytes(long long bytes);

    HDC m_hAviDC;
    HANDLE m_hHeap;
    LPVOID m_lpBits;
    LONG m_lSample;
    char m_szFileName[256];
    PAVIFILE m_pAviFile;
    PAVISTREAM m_pAviStream;
    PAVISTREAM m_pAviCompressedStream;
    AVISTREAMINFOA m_AviStreamInfo;
    AVICOMPRESSOPTIONS m_AviCompressOptions;
    int m_FrameRate;
    int m_nAppendFuncSelector;
    HRESULT (CAviFile::*pAppendFrame[3])(HBITMAP bitmap);

    // The writer's own encoder when it compresses (then m_pAviCompressedStream
    // is null and frames go to m_pAviStream ready-compressed).
    CMjpegEncoder* m_pEncoder;
    // Format of the first frame: later frames of another size or format are
    // refused rather than read past the frame buffer.
    BITMAPINFOHEADER m_SourceFormat;
    SIZE_T m_BufferBytes;
    // Bytes the file will hold when closed, counted as frames are written.
    long long m_FileBytes;
    bool m_bNameFits;
};
