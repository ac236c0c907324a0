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
//   append returns 0 at once. A frame that cannot be read or encoded (or is
//   of another size) is refused alone and writing goes on; a frame the disk
//   refuses ends the video as failed.
// - The file stays below 2 GB, so that every player reads it: the frame that
//   would pass the limit is refused with the same message, and the frames
//   written before it form a complete, playable video.
// - The video is written under a temporary name in the target's folder and
//   put under its own name by Close (or the destructor) once it is complete
//   and reads back whole, so the target never holds half a video. A video
//   whose writing failed (a write refused by the disk, a file that cannot be
//   finished or renamed) is told with the same message, once, and nothing of
//   it is kept: the target stays as it was and no temporary file remains.
// - A writer that was given no frame creates no file. Nothing throws.
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

    // Finishes the video and puts it under its name. True when the frames
    // written are now the file (or no frame was given, so there is no file);
    // false when the video failed, the user was told and nothing was kept
    // (a cancelled compressor choice is no failure). Later appends fail.
    bool Close();
    // True once the video has failed and will not be kept.
    bool HasFailed() const { return m_bFailed; }

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
    // The video cannot be kept: tells the user once, releases everything
    // and deletes the temporary file.
    HRESULT VideoFailed();
    void Tell();
    // The file closed at the 2 GB limit: what was written stays the video.
    HRESULT LimitReached();
    bool OpenTemporaryFile();
    void DeleteTemporaryFile();
    // Reopens the closed temporary file: true when it holds every frame written.
    bool ReadsBackWhole();
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
    // The file being written, in the target's folder; empty when none.
    char m_szTempName[MAX_PATH];
    bool m_bFailed;
    bool m_bTold;
};
