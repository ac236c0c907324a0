// CAlbum: a virtual collection of pictures kept in its own hidden album file
// "Album_<n>.alb" in the albums folder, with a display name and a parent album
// number stored in the profile section "Settings" ("Album_<n>" and
// "Parent_Album_<n>"). An album exists exactly as long as its file does.
#pragma once

#include "Framework.h"
#include "CStringList.h"
#include "RastelApi.h"
#include "FileInfoList.h"
#include "StringProperty.h"
#include "IntProperty.h"

class RASTEL_API CAlbum : public CFileInfoList
{
public:
    // An empty list; reads the display name and parent (each written straight
    // back). Does not load the album file: call Load().
    explicit CAlbum(unsigned number);
    virtual ~CAlbum();

    unsigned GetNumber() const { return m_Number; }

    // Replaces `list` by the numbers of the existing album files, as decimal
    // strings, in the order the file system returns them.
    static void GetAlbumList(CStringList& list);
    // Creates an empty album under `parent` with the smallest free number
    // (numbers of deleted albums are reused) and returns that number; 0 when
    // its file could not be written (no album was made).
    static unsigned CreateNewAlbum(unsigned parent);
    // Deletes the album file; the profile values stay. TRUE when no file of
    // that album is left (also when there was none).
    static BOOL DeleteAlbum(unsigned number);
    // Whether the album's file exists.
    static BOOL AlbumExists(unsigned number);

    // Saves over the album's file only while it exists: an album deleted
    // meanwhile (in another window) is not made again. FALSE then.
    BOOL Save() override;

    CStringProperty m_DisplayName;
    CIntProperty<unsigned> m_Parent; // 0 = top level

protected:
    virtual CString GetFileName();
    // "<albums folder>\Album_<n>.alb"
    static CString ComposeFileName(unsigned number);
    // "Album_<n>"
    static CString ComposeDiplayName(unsigned number);

private:
    unsigned m_Number;
};
