// The sorted path registry: insertion by binary search, removal, the in-place
// quicksort, the load through a file mapping and the save through a
// temporary file that replaces the registry only when it was written whole.
#include "MemoryMappedDB.h"
#include "ArchiveStream.h"
#include "FileInfo.h"
#include "SuiteLock.h"

#include <direct.h>
#include <limits.h>
#include <new>
#include <string.h>

namespace
{
const int MinimumGrowth = 2048;
// Free bytes kept in the buffer and free slots kept in the index array
// before each insertion.
const int ReservedBytes = 2048;
const int ReservedSlots = 4;
const int MaxPathLength = 260;
}

CMemoryMappedDB::CMemoryMappedDB(CString path, int growth)
    : m_nGrowth(growth < MinimumGrowth ? MinimumGrowth : growth),
      m_pBuffer(NULL), m_pEnd(NULL), m_Path(path), m_nCount(0),
      m_pIndexes(NULL), m_nCapacity(0), m_nSize(0), m_bModified(false)
{
}

CMemoryMappedDB::~CMemoryMappedDB()
{
    delete[] m_pBuffer;
    delete[] m_pIndexes;
}

void CMemoryMappedDB::DeleteDataBase()
{
    delete[] m_pBuffer;
    delete[] m_pIndexes;
    m_pBuffer = m_pEnd = NULL;
    m_pIndexes = NULL;
    m_nSize = m_nCount = m_nCapacity = 0;
}

// ---- Growth -----------------------------------------------------------------

bool CMemoryMappedDB::ResizeBuffer()
{
    CSuiteLock lock;
    long long newSize = (long long)m_nSize + m_nGrowth;
    if (newSize > INT_MAX)
        return false;
    char* grown = new (std::nothrow) char[(size_t)newSize];
    if (!grown)
        return false;
    ptrdiff_t used = m_pBuffer ? m_pEnd - m_pBuffer : 0;
    if (m_pBuffer)
        memcpy(grown, m_pBuffer, m_nSize);
    memset(grown + m_nSize, 0, (size_t)(newSize - m_nSize));
    delete[] m_pBuffer;
    m_pBuffer = grown;
    m_pEnd = grown + used;
    m_nSize = (int)newSize;
    return true;
}

bool CMemoryMappedDB::ResizeIndexes()
{
    CSuiteLock lock;
    long long newCapacity = (long long)m_nCapacity + m_nGrowth / 32;
    if (newCapacity > INT_MAX / (long long)sizeof(int))
        return false;
    int* grown = new (std::nothrow) int[(size_t)newCapacity];
    if (!grown)
        return false;
    if (m_pIndexes)
        memcpy(grown, m_pIndexes, sizeof(int) * m_nCapacity);
    delete[] m_pIndexes;
    m_pIndexes = grown;
    m_nCapacity = (int)newCapacity;
    return true;
}

// ---- Searching ------------------------------------------------------------

int CMemoryMappedDB::GetFileIndex(const char* path)
{
    if (!m_pIndexes || m_nCount == 0)
        return -1;
    return GetFileIndex(path, 0, m_nCount - 1);
}

// Binary search that also compares both ends of the range.
int CMemoryMappedDB::GetFileIndex(const char* path, int first, int last)
{
    while (_stricmp(path, Entry(first)) != 0)
    {
        if (_stricmp(path, Entry(last)) == 0)
            return last;
        int mid = (first + last) / 2;
        if (mid == first || mid == last)
            return -1;
        int c = _stricmp(path, Entry(mid));
        if (c == 0)
            return mid;
        if (c > 0)
            first = mid;
        else
            last = mid;
    }
    return first;
}

int CMemoryMappedDB::GetInsertingPosition(const char* path)
{
    if (!m_pIndexes || m_nCount == 0)
        return 0;
    return GetInsertingPosition(path, 0, m_nCount - 1);
}

// The index of the first entry in first..last that compares greater than the
// path, or last + 1 when none does.
int CMemoryMappedDB::GetInsertingPosition(const char* path, int first, int last)
{
    if (_stricmp(path, Entry(first)) < 0)
        return first;
    if (_stricmp(path, Entry(last)) >= 0)
        return last + 1;
    // Here entry(first) <= path < entry(last).
    for (;;)
    {
        int mid = (first + last) / 2;
        if (mid == first || mid == last)
            return last;
        if (_stricmp(path, Entry(mid)) >= 0)
            first = mid;
        else
            last = mid;
    }
}

// ---- Changes ----------------------------------------------------------------

int CMemoryMappedDB::RegisterFile(const char* path)
{
    if (!path)
        return 0;
    size_t length = strlen(path);
    if (length > MaxPathLength)
        return 0; // a longer string would end the entry list at the next load
    CSuiteLock lock;
    if (GetFileIndex(path) >= 0)
        return 1;
    int position = GetInsertingPosition(path);
    if ((!m_pBuffer || m_nSize - (m_pEnd - m_pBuffer) < ReservedBytes) && !ResizeBuffer())
        return 0;
    if (m_nCount >= m_nCapacity - ReservedSlots && !ResizeIndexes())
        return 0;
    m_bModified = true;
    memcpy(m_pEnd, path, length + 1);
    memmove(m_pIndexes + position + 1, m_pIndexes + position, sizeof(int) * (m_nCount - position));
    m_pIndexes[position] = (int)(m_pEnd - m_pBuffer);
    m_nCount++;
    m_pEnd += length + 1;
    return 1;
}

void CMemoryMappedDB::RemoveSlot(int index)
{
    memmove(m_pIndexes + index, m_pIndexes + index + 1, sizeof(int) * (m_nCount - index - 1));
    m_nCount--;
    m_bModified = true;
}

void CMemoryMappedDB::UnRegisterFile(CString path)
{
    CSuiteLock lock;
    int index = GetFileIndex(path);
    if (index >= 0)
        RemoveSlot(index);
}

int CMemoryMappedDB::UnRegisterFileIfNotExist(int index)
{
    CSuiteLock lock;
    if (index >= 0 && index < m_nCount && !CFileInfo::FileExist(Entry(index)))
        RemoveSlot(index);
    return 1;
}

void CMemoryMappedDB::UnregisterDeadFiles()
{
    // After a removal the next entry has moved into this index: look at it
    // before going on, so that no dead entry is passed over.
    int index = 0;
    while (index < GetFileCount())
    {
        int before = GetFileCount();
        UnRegisterFileIfNotExist(index);
        if (GetFileCount() == before)
            index++;
    }
}

int CMemoryMappedDB::GetFileCount()
{
    CSuiteLock lock;
    return m_nCount;
}

const char* CMemoryMappedDB::GetFile(int index)
{
    CSuiteLock lock;
    return Entry(index);
}

// ---- Sorting ------------------------------------------------------------------

void CMemoryMappedDB::Sort()
{
    CSuiteLock lock;
    if (m_pIndexes && m_nCount > 0)
        QSort(0, m_nCount - 1);
}

// Quicksort of the index slots first..last; the second half is sorted by
// iteration instead of a second recursive call. Every exchange marks the
// registry modified.
void CMemoryMappedDB::QSort(int first, int last)
{
    for (;;)
    {
        const char* pivot = Entry((first + last) / 2);
        int i = first, j = last;
        do
        {
            while (_stricmp(Entry(i), pivot) < 0)
                i++;
            while (_stricmp(Entry(j), pivot) > 0)
                j--;
            if (i > j)
                break;
            int t = m_pIndexes[i];
            m_pIndexes[i] = m_pIndexes[j];
            m_pIndexes[j] = t;
            m_bModified = true;
            i++;
            j--;
        } while (i < j);
        if (first < j && j < last)
            QSort(first, j);
        if (!(first < i && i < last))
            return;
        first = i;
    }
}

// Entries equal under _stricmp can only come from a file written elsewhere;
// the registry keeps the first of each run, so that it stays a set.
void CMemoryMappedDB::RemoveDuplicates()
{
    int index = 1;
    while (index < m_nCount)
    {
        if (_stricmp(Entry(index - 1), Entry(index)) == 0)
            RemoveSlot(index);
        else
            index++;
    }
}

// ---- The file -------------------------------------------------------------------

void CMemoryMappedDB::Load()
{
    DeleteDataBase();
    if (m_Path.IsEmpty())
        return;
    HANDLE file = CreateFileA(m_Path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE)
    {
        LARGE_INTEGER fileSize;
        // Sizes beyond what the buffer can later grow by are not loaded.
        if (GetFileSizeEx(file, &fileSize) && fileSize.QuadPart > 0 &&
            fileSize.QuadPart <= (long long)INT_MAX - m_nGrowth)
        {
            DWORD size = (DWORD)fileSize.QuadPart;
            HANDLE mapping = CreateFileMappingA(file, NULL, PAGE_READWRITE, 0, size, NULL);
            if (mapping)
            {
                const void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, size);
                if (view)
                {
                    m_pBuffer = new (std::nothrow) char[size];
                    if (m_pBuffer)
                    {
                        memcpy(m_pBuffer, view, size);
                        m_nSize = (int)size;
                        m_pEnd = m_pBuffer;
                    }
                    UnmapViewOfFile(view);
                }
                CloseHandle(mapping);
            }
        }
        CloseHandle(file);
    }

    if (m_pBuffer)
    {
        // Take strings until an empty one, one longer than the path limit,
        // one without a terminator inside the buffer, or the buffer's end.
        int pos = 0;
        while (pos < m_nSize && m_pBuffer[pos] != 0)
        {
            if (m_nCount >= m_nCapacity - ReservedSlots && !ResizeIndexes())
                break;
            int left = m_nSize - pos;
            size_t length = strnlen(m_pBuffer + pos, left < MaxPathLength + 1 ? left : MaxPathLength + 1);
            if (length > MaxPathLength || (int)length == left)
                break;
            m_pIndexes[m_nCount++] = pos;
            pos += (int)length + 1;
        }
        m_pEnd = m_pBuffer + (pos < m_nSize ? pos : m_nSize);
    }
    Sort();
    RemoveDuplicates();
    // Only a file that is not already in the saved form (unsorted, with
    // duplicates or with content the parse ignored) is rewritten.
    m_bModified = m_pBuffer && !MatchesSavedForm();
    Save();
}

bool CMemoryMappedDB::MatchesSavedForm() const
{
    int pos = 0;
    for (int i = 0; i < m_nCount; i++)
    {
        const char* text = Entry(i);
        int length = (int)strlen(text) + 1;
        if (length == 1)
            continue;
        if (length > m_nSize - pos || memcmp(m_pBuffer + pos, text, length) != 0)
            return false;
        pos += length;
    }
    for (; pos < m_nSize; pos++)
        if (m_pBuffer[pos] != 0)
            return false;
    return true;
}

void CMemoryMappedDB::Save()
{
    if (!m_pBuffer || !m_bModified || m_Path.IsEmpty())
    {
        m_bModified = false;
        return;
    }
    // Saved as the catalogue files are: into a temporary file in the same
    // folder, flushed to disk and only then moved over the registry, so an
    // interrupted or failed save leaves the previous file whole. The file is
    // as long as the buffer: the strings, then zero filler.
    CArchiveStream out;
    if (!out.OpenForWriting(m_Path))
        return; // still modified: the next save tries again
    int written = 0;
    for (int i = 0; i < m_nCount; i++)
    {
        const char* text = Entry(i);
        int length = (int)strlen(text);
        if (length == 0 || written + length + 1 > m_nSize)
            continue;
        out.WriteBytes(text, (DWORD)length + 1);
        written += length + 1;
    }
    static const char zeros[4096] = { 0 };
    while (written < m_nSize)
    {
        int chunk = m_nSize - written < (int)sizeof(zeros) ? m_nSize - written : (int)sizeof(zeros);
        out.WriteBytes(zeros, (DWORD)chunk);
        written += chunk;
    }
    if (out.Commit())
        m_bModified = false;
}

CString CMemoryMappedDB::GetDbFolderName()
{
    char module[MAX_PATH + 1] = "";
    GetModuleFileNameA(NULL, module, MAX_PATH);
    module[MAX_PATH] = 0;
    CString folder = CFileInfo::GetPathFromFullPath(module) + "\\Albums";
    _mkdir(folder);
    return folder;
}
