// CMemoryMappedDB: a set of path strings kept sorted without regard to case
// (_stricmp), held as one growing buffer of NUL-terminated strings plus an
// array of offsets, and stored as a flat file of those strings in sorted order
// followed by zero filler. The file is read through one mapping of the whole
// file and written to a temporary file that then replaces it, so a failed or
// interrupted save leaves the previous file whole; it never shrinks. An empty
// path keeps the set in memory only.
// GetFile pointers stay valid until the buffer next grows or is freed.
#pragma once

#include "Framework.h"
#include "RastelApi.h"

class RASTEL_API CMemoryMappedDB
{
public:
    // growth: bytes by which the buffer grows, at least 2048.
    CMemoryMappedDB(CString path, int growth);
    // Frees the buffers; writes nothing.
    virtual ~CMemoryMappedDB();

    // Adds the path at its sorted place unless an equal one (case-insensitive)
    // is present. Returns 1; 0 only for a path it refuses (null, longer than
    // 260 characters) or when memory runs out. Holds the suite-wide lock.
    virtual int RegisterFile(const char* path);
    // Removes the entry at `index` when its path is no file on disk; returns 1.
    virtual int UnRegisterFileIfNotExist(int index);
    // Writes the entries to the file when modified. The modified flag is
    // cleared when the file was replaced, and stays set when the save failed.
    virtual void Save();
    // Replaces the entries by the file's content and sorts them; saves only
    // when the file was not already in the saved form (sorted, no duplicate,
    // nothing after the entries but zeros).
    virtual void Load();

    void UnRegisterFile(CString path);
    void DeleteDataBase();
    void Sort();
    void QSort(int first, int last);

    int GetFileCount();
    const char* GetFile(int index);
    char* operator[](int index) { return m_pBuffer + m_pIndexes[index]; }
    void SetModified(bool modified) { m_bModified = modified; }
    bool IsModified() const { return m_bModified; }

    // The folder "Albums" beside the running program, created when missing.
    static CString GetDbFolderName();

protected:
    virtual void UnregisterDeadFiles();

    int GetFileIndex(const char* path);
    int GetFileIndex(const char* path, int first, int last);
    int GetInsertingPosition(const char* path);
    int GetInsertingPosition(const char* path, int first, int last);
    // Both return false when the new size does not fit or memory runs out.
    bool ResizeBuffer();
    bool ResizeIndexes();

private:
    CMemoryMappedDB(const CMemoryMappedDB&) = delete;
    CMemoryMappedDB& operator=(const CMemoryMappedDB&) = delete;

    const char* Entry(int index) const { return m_pBuffer + m_pIndexes[index]; }
    void RemoveSlot(int index);
    void RemoveDuplicates();
    // The buffer holds exactly what Save would write.
    bool MatchesSavedForm() const;

    int m_nGrowth;
    char* m_pBuffer;
    char* m_pEnd;
    CString m_Path;
    int m_nCount;
    int* m_pIndexes;
    int m_nCapacity;
    int m_nSize;
    bool m_bModified;
};
