// Buffered archive reading and writing, and the replace-on-commit save.
#include "ArchiveStream.h"
#include "FileInfo.h"

#include <string.h>

CArchiveStream::CArchiveStream()
    : m_hFile(INVALID_HANDLE_VALUE), m_bWriting(false), m_bFailed(false),
      m_dwBufferUsed(0), m_dwBufferPos(0), m_ullRemaining(0), m_Attributes(HiddenFile),
      m_dwCommitError(0)
{
}

CArchiveStream::~CArchiveStream()
{
    Close();
}

BOOL CArchiveStream::OpenForReading(const char* path)
{
    Close();
    if (!path || !*path)
        return FALSE;
    m_hFile = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size) || size.QuadPart < 0)
    {
        Close();
        return FALSE;
    }
    m_bWriting = false;
    m_bFailed = false;
    m_ullRemaining = (ULONGLONG)size.QuadPart;
    m_dwBufferUsed = m_dwBufferPos = 0;
    return TRUE;
}

BOOL CArchiveStream::OpenForWriting(const char* target, WrittenAttributes attributes)
{
    Close();
    if (!target || !*target)
        return FALSE;
    CString folder = CFileInfo::GetPathFromFullPath(target);
    if (folder.IsEmpty())
        folder = ".";
    char temp[MAX_PATH + 1];
    // GetTempFileName creates the file itself, so its name is ours alone.
    if (!GetTempFileNameA(folder, "pxm", 0, temp))
        return FALSE;
    // Hidden from the start, so that a file left by a process that died
    // while saving does not show up among the user's files.
    SetFileAttributesA(temp, FILE_ATTRIBUTE_HIDDEN);
    m_hFile = CreateFileA(temp, GENERIC_WRITE, 0, NULL, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (m_hFile == INVALID_HANDLE_VALUE)
    {
        DeleteFileA(temp);
        return FALSE;
    }
    m_bWriting = true;
    m_bFailed = false;
    m_dwBufferUsed = 0;
    m_Target = target;
    m_TempPath = temp;
    m_Attributes = attributes;
    m_dwCommitError = 0;
    return TRUE;
}

void CArchiveStream::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
    if (m_bWriting && !m_TempPath.IsEmpty())
        DeleteFileA(m_TempPath);
    m_TempPath.Empty();
    m_Target.Empty();
    m_bWriting = false;
    m_dwBufferUsed = m_dwBufferPos = 0;
    m_ullRemaining = 0;
}

// ---- Reading ---------------------------------------------------------------

BOOL CArchiveStream::FillBuffer()
{
    if (m_ullRemaining == 0 || m_bFailed)
        return FALSE;
    DWORD want = m_ullRemaining < BufferSize ? (DWORD)m_ullRemaining : (DWORD)BufferSize;
    DWORD got = 0;
    if (!ReadFile(m_hFile, m_buffer, want, &got, NULL) || got == 0)
    {
        m_bFailed = true;
        return FALSE;
    }
    m_dwBufferUsed = got;
    m_dwBufferPos = 0;
    m_ullRemaining -= got;
    return TRUE;
}

BOOL CArchiveStream::ReadBytes(void* data, DWORD count)
{
    BYTE* out = static_cast<BYTE*>(data);
    while (count > 0)
    {
        if (m_dwBufferPos == m_dwBufferUsed && !FillBuffer())
            return FALSE;
        DWORD chunk = m_dwBufferUsed - m_dwBufferPos;
        if (chunk > count)
            chunk = count;
        memcpy(out, m_buffer + m_dwBufferPos, chunk);
        m_dwBufferPos += chunk;
        out += chunk;
        count -= chunk;
    }
    return TRUE;
}

BOOL CArchiveStream::ReadInt32(LONG& value)
{
    if (m_hFile == INVALID_HANDLE_VALUE || m_bWriting)
        return FALSE;
    BYTE b[4];
    if ((ULONGLONG)(m_dwBufferUsed - m_dwBufferPos) + m_ullRemaining < 4 || !ReadBytes(b, 4))
        return FALSE;
    value = (LONG)((DWORD)b[0] | ((DWORD)b[1] << 8) | ((DWORD)b[2] << 16) | ((DWORD)b[3] << 24));
    return TRUE;
}

BOOL CArchiveStream::ReadString(CString& text)
{
    if (m_hFile == INVALID_HANDLE_VALUE || m_bWriting)
        return FALSE;
    BYTE first;
    if (!ReadBytes(&first, 1))
        return FALSE;
    DWORD length = first;
    if (first == 0xFF)
    {
        BYTE w[2];
        if (!ReadBytes(w, 2))
            return FALSE;
        length = (DWORD)w[0] | ((DWORD)w[1] << 8);
        if (length == 0xFFFE)
            return FALSE; // the library's marker of a wide-character string: never written here
        if (length == 0xFFFF)
        {
            BYTE d[4];
            if (!ReadBytes(d, 4))
                return FALSE;
            length = (DWORD)d[0] | ((DWORD)d[1] << 8) | ((DWORD)d[2] << 16) | ((DWORD)d[3] << 24);
        }
    }
    ULONGLONG available = (ULONGLONG)(m_dwBufferUsed - m_dwBufferPos) + m_ullRemaining;
    if (length > available || length > 0x7FFFFFF0u)
        return FALSE;
    CString result;
    if (length > 0)
    {
        char* p = result.GetBufferSetLength((int)length);
        if (!p || !ReadBytes(p, length))
            return FALSE;
        result.ReleaseBuffer((int)length);
    }
    text = result;
    return TRUE;
}

// ---- Writing ---------------------------------------------------------------

int CArchiveStream::EncodeLengthPrefix(DWORD length, BYTE prefix[7])
{
    if (length < 0xFF)
    {
        prefix[0] = (BYTE)length;
        return 1;
    }
    prefix[0] = 0xFF;
    if (length < 0xFFFE)
    {
        prefix[1] = (BYTE)(length & 0xFF);
        prefix[2] = (BYTE)(length >> 8);
        return 3;
    }
    prefix[1] = 0xFF;
    prefix[2] = 0xFF;
    for (int i = 0; i < 4; i++)
        prefix[3 + i] = (BYTE)(length >> (8 * i));
    return 7;
}

BOOL CArchiveStream::FlushBuffer()
{
    if (m_dwBufferUsed == 0)
        return !m_bFailed;
    DWORD written = 0;
    if (!m_bFailed && (!WriteFile(m_hFile, m_buffer, m_dwBufferUsed, &written, NULL) || written != m_dwBufferUsed))
    {
        m_bFailed = true;
        if (!m_dwCommitError)
            m_dwCommitError = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    }
    m_dwBufferUsed = 0;
    return !m_bFailed;
}

void CArchiveStream::WriteBytes(const void* data, DWORD count)
{
    if (m_hFile == INVALID_HANDLE_VALUE || !m_bWriting || m_bFailed)
        return;
    const BYTE* in = static_cast<const BYTE*>(data);
    while (count > 0)
    {
        if (m_dwBufferUsed == BufferSize && !FlushBuffer())
            return;
        DWORD chunk = BufferSize - m_dwBufferUsed;
        if (chunk > count)
            chunk = count;
        memcpy(m_buffer + m_dwBufferUsed, in, chunk);
        m_dwBufferUsed += chunk;
        in += chunk;
        count -= chunk;
    }
}

void CArchiveStream::WriteInt32(LONG value)
{
    DWORD v = (DWORD)value;
    BYTE b[4] = { (BYTE)v, (BYTE)(v >> 8), (BYTE)(v >> 16), (BYTE)(v >> 24) };
    WriteBytes(b, 4);
}

void CArchiveStream::WriteString(const CString& text)
{
    BYTE prefix[7];
    int n = EncodeLengthPrefix((DWORD)text.GetLength(), prefix);
    WriteBytes(prefix, n);
    WriteBytes((LPCSTR)text, (DWORD)text.GetLength());
}

BOOL CArchiveStream::Commit()
{
    if (m_hFile == INVALID_HANDLE_VALUE || !m_bWriting)
        return FALSE;
    BOOL ok = FlushBuffer();
    if (ok && !FlushFileBuffers(m_hFile))
    {
        m_dwCommitError = GetLastError();
        ok = FALSE;
    }
    if (!CloseHandle(m_hFile) && ok)
    {
        m_dwCommitError = GetLastError();
        ok = FALSE;
    }
    m_hFile = INVALID_HANDLE_VALUE;
    if (ok && m_Attributes == LikeTargetFile)
    {
        // What the user may have set on the file replaced stays; read-only
        // is not carried over (such a target is not replaced anyway).
        DWORD old = GetFileAttributesA(m_Target);
        DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        DWORD wanted = old == INVALID_FILE_ATTRIBUTES ? 0 : old & kept;
        SetFileAttributesA(m_TempPath, wanted ? wanted : FILE_ATTRIBUTE_NORMAL);
    }
    if (ok && !MoveFileExA(m_TempPath, m_Target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        m_dwCommitError = GetLastError();
        ok = FALSE;
    }
    if (ok)
    {
        m_dwCommitError = 0;
        m_TempPath.Empty(); // it is the target now
    }
    Close(); // deletes the temporary file when it was not moved
    return ok;
}
