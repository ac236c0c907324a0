// CFileInfoIndex: where a CFileInfoList keeps each entry, by the entry's name
// upper-cased, so finding a picture by path costs the same in a folder of
// 20,000 pictures as in one of 20. The list keeps it in step with every
// insertion, removal and move; a name changed by CFileInfo::operator= bumps
// a process-wide generation, and a list whose index is older than that (or
// whose count disagrees with it) rebuilds it before it trusts it. Internal
// to rastel.dll: the list holds it through a pointer.
#pragma once

#include <windows.h>
#include "Framework.h"

#include <string>
#include <unordered_map>

class CFileInfoIndex
{
public:
    CFileInfoIndex();

    // The key of a name: upper-cased the way _mbsicmp compares, so names
    // equal without regard to case share one key.
    static std::string KeyOf(const char* name);

    // The position recorded for the name, NULL when none.
    POSITION Find(const char* name) const;
    // Whether the name was added (whatever position it was given).
    bool Contains(const char* name) const;
    // Records the position of a name not yet in the index; a second name with
    // the same key marks the index as holding duplicates, and it then keeps
    // the first one's position.
    void Add(const char* name, POSITION pos);
    // Forgets the name when it is recorded at pos.
    void Remove(const char* name, POSITION pos);
    // Records the new position of a name recorded at `from`.
    void Move(const char* name, POSITION from, POSITION to);

    // Empties the index and stamps it with the current name generation.
    void Clear();
    // True when the index was built before some entry was renamed, or holds
    // a different number of names than the list has entries.
    bool IsStale(int listCount) const;
    // Two entries of the list share a key: only a walk finds the first one.
    bool HasDuplicates() const { return m_bDuplicates; }

    // Called when an entry's name changes (CFileInfo::operator=).
    static void NoteRename();

private:
    std::unordered_map<std::string, POSITION> m_Positions;
    int m_Count; // names added since Clear, duplicates included
    LONG m_Generation;
    bool m_bDuplicates;
};
