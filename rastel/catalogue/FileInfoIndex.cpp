// The name index of the file lists.
#include "FileInfoIndex.h"

#include <mbstring.h>

namespace
{
volatile LONG g_renameGeneration = 0;
}

CFileInfoIndex::CFileInfoIndex() : m_Count(0), m_Generation(g_renameGeneration), m_bDuplicates(false)
{
}

namespace
{
// In a code page without lead bytes _mbsupr maps each byte on its own, one
// library call a byte; a table of its answers, made once, does the same for
// the tens of thousands of keys a big folder needs. Empty (false) when the
// code page has lead bytes: then every key goes through _mbsupr.
struct SingleByteUpper
{
    bool valid;
    unsigned char upper[256];

    SingleByteUpper() : valid(true)
    {
        upper[0] = 0;
        for (int c = 1; c < 256; ++c)
        {
            if (_ismbblead(c))
                valid = false;
            unsigned char one[2] = {(unsigned char)c, 0};
            _mbsupr(one);
            upper[c] = one[0];
        }
    }
};
} // namespace

std::string CFileInfoIndex::KeyOf(const char* name)
{
    static const SingleByteUpper table;
    std::string key(name ? name : "");
    if (key.empty())
        return key;
    if (!table.valid)
    {
        _mbsupr(reinterpret_cast<unsigned char*>(&key[0]));
        return key;
    }
    for (char& c : key)
        c = (char)table.upper[(unsigned char)c];
    return key;
}

POSITION CFileInfoIndex::Find(const char* name) const
{
    auto found = m_Positions.find(KeyOf(name));
    return found == m_Positions.end() ? NULL : found->second;
}

bool CFileInfoIndex::Contains(const char* name) const
{
    return m_Positions.count(KeyOf(name)) != 0;
}

void CFileInfoIndex::Add(const char* name, POSITION pos)
{
    m_Count++;
    if (!m_Positions.emplace(KeyOf(name), pos).second)
        m_bDuplicates = true;
}

void CFileInfoIndex::Remove(const char* name, POSITION pos)
{
    // With duplicates the survivor's position is unknown here: have the
    // index rebuilt before its next use.
    m_Count = m_bDuplicates ? -1 : m_Count - 1;
    auto found = m_Positions.find(KeyOf(name));
    if (found != m_Positions.end() && found->second == pos)
        m_Positions.erase(found);
}

void CFileInfoIndex::Move(const char* name, POSITION from, POSITION to)
{
    auto found = m_Positions.find(KeyOf(name));
    if (found != m_Positions.end() && found->second == from)
        found->second = to;
}

void CFileInfoIndex::Clear()
{
    m_Positions.clear();
    m_Count = 0;
    m_bDuplicates = false;
    m_Generation = g_renameGeneration;
}

bool CFileInfoIndex::IsStale(int listCount) const
{
    return m_Generation != g_renameGeneration || m_Count != listCount;
}

void CFileInfoIndex::NoteRename()
{
    InterlockedIncrement(&g_renameGeneration);
}
