// CArchiveStream: buffered sequential reading or writing of a file in the class
// library's archive encoding: 32-bit little-endian integers and strings with a
// length prefix (one byte below 255; 0xFF and a 16-bit length below 0xFFFE;
// else 0xFF, 0xFFFF and a 32-bit length), text without a terminator.
//
// Reading never allocates more than the bytes left in the file: a string whose
// prefix claims more ends reading like the end of the file does.
// Writing goes to a temporary file beside the target; Commit() flushes it to
// disk and only then moves it over the target, so a failed or abandoned write
// leaves the previous target untouched and no temporary file behind. The
// temporary file is hidden while it is written; the written file ends hidden
// (a catalogue) or with the attributes of the file it replaces (a photo).
// Nothing here throws; failures are results.
#pragma once

#include "Framework.h"
#include "RastelApi.h"

class RASTEL_API CArchiveStream
{
public:
    enum { BufferSize = 4096 };

    // The attributes the written file ends with.
    enum WrittenAttributes
    {
        HiddenFile,      // hidden alone, as the catalogue files are
        LikeTargetFile   // those of the file replaced (normal for a new file)
    };

    CArchiveStream();
    // Closes the file; an uncommitted write is abandoned.
    ~CArchiveStream();

    // Opens an existing file for reading (others may read, write or delete it
    // meanwhile). FALSE when it cannot be opened.
    BOOL OpenForReading(const char* path);
    // Starts writing a new content for `target` into a temporary file in the
    // target's folder. FALSE when that file cannot be created.
    BOOL OpenForWriting(const char* target, WrittenAttributes attributes = HiddenFile);

    // Reading: FALSE at the end of the file, on a read error, and when fewer
    // bytes remain than the value needs; the value is then unchanged.
    BOOL ReadInt32(LONG& value);
    BOOL ReadString(CString& text);

    // Writing: errors are remembered; Commit() then fails.
    void WriteInt32(LONG value);
    void WriteString(const CString& text);
    void WriteBytes(const void* data, DWORD count);
    // True once a write failed: a writer can stop early, Commit() will fail.
    bool HasFailed() const { return m_bFailed; }

    // Flushes, writes the file through to disk, closes it and replaces the
    // target by it. On any failure the temporary file is deleted and FALSE
    // returned; the target is then as it was before.
    BOOL Commit();
    // Drops an unfinished write (or closes a file being read).
    void Close();

    // The length prefix of a string of `length` bytes; returns its size (1, 3 or 7).
    static int EncodeLengthPrefix(DWORD length, BYTE prefix[7]);

    // Last Win32 error seen by Commit (0 after success); for diagnostics.
    DWORD GetLastCommitError() const { return m_dwCommitError; }

private:
    CArchiveStream(const CArchiveStream&) = delete;
    CArchiveStream& operator=(const CArchiveStream&) = delete;

    BOOL FillBuffer();
    BOOL ReadBytes(void* data, DWORD count);
    BOOL FlushBuffer();

    HANDLE m_hFile;
    bool m_bWriting;
    bool m_bFailed;
    BYTE m_buffer[BufferSize];
    DWORD m_dwBufferUsed;    // writing: bytes waiting; reading: bytes held
    DWORD m_dwBufferPos;     // reading: next byte to hand out
    ULONGLONG m_ullRemaining; // reading: bytes of the file not yet in the buffer
    CString m_Target;
    CString m_TempPath;
    WrittenAttributes m_Attributes;
    DWORD m_dwCommitError;
};
