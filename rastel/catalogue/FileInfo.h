// CFileInfo: one catalogued picture, and the static helpers that recognise
// picture files by their name and split and build paths.
#pragma once

#include "Framework.h"
#include "RastelApi.h"

class RASTEL_API CFileInfo
{
public:
    // ---- Path and file-type helpers (FileInfoPaths.cpp) -------------------
    // Types are recognised from the name alone (last 4 or 5 characters,
    // compared case-insensitively); no file is opened. BOOL results are zero
    // for false and nonzero for true. Paths use '\' as the only separator.
    static BOOL IsJPGFile(const CString& path);  // .JPG .jpeg .JPE .JFIF
    static BOOL IsBMPFile(const CString& path);  // .BMP .DIB
    static BOOL IsICOFile(const CString& path);  // .ICO
    static BOOL IsCURFile(const CString& path);  // .CUR
    static BOOL IsTiffFile(const CString& path); // .TIF .TIFF
    static BOOL IsTTFFile(const CString& path);  // .ttf (not an image file)
    static BOOL IsGifFile(const CString& path);  // .GIF
    static BOOL IsPngFile(const CString& path);  // .png
    static BOOL IsWmfFile(const CString& path);  // .wmf .emf
    static BOOL IsWebpFile(const CString& path); // .webp
    static BOOL IsHeifFile(const CString& path); // .heic .heif
    static BOOL IsJxlFile(const CString& path);  // .jxl
    static BOOL IsAvifFile(const CString& path); // .avif
    static BOOL IsImageFile(const CString& path);

    static BOOL FileExist(const CString& path);   // an existing regular file
    static BOOL FolderExist(const CString& path); // an existing folder
    static int GetFileSize(const CString& path);  // 0 when not a regular file
    // Last modification time; the current time when the path cannot be read.
    static CTime GetModifyTime(const CString& path);
    // Creates the folder and every missing parent; returns FolderExist.
    static BOOL MakeDir(CString path);
    // The path with its extension replaced by ext (given without the dot).
    static CString AssureExtension(CString path, CString ext);
    static CString GetPathFromFullPath(const CString& path); // before the last '\'
    static CString GetFileFromFullPath(const CString& path); // after the last '\'
    // ---- End of path and file-type helpers --------------------------------

    // ---- The catalogued picture (FileInfo.cpp) ----------------------------
    // An entry holds the full path exactly as it was given, the user's
    // description, the stored slide-show transition and show time, and the
    // selection flag. Entries are made by CFileInfoList::InsertFile only.
    CFileInfo(const CFileInfo& other);
    CFileInfo& operator=(const CFileInfo& other);

    CString GetName() const { return m_Name; }
    void Select(bool selected) { m_bSelected = selected; }
    int Selected() const { return m_bSelected ? 1 : 0; }
    CString GetDescription() const { return m_Description; }
    void SetDescription(const char* description);
    int GetShowTime() const { return m_nShowTime; }
    // Keeps the low 8 bits: 300 is stored as 44 and -1 as 255.
    void SetShowTime(int showTime) { m_nShowTime = showTime & 0xFF; }
    int GetTransition() const { return m_nTransition; }
    void SetTransition(int transition) { m_nTransition = transition; }

    // Case-sensitive, multibyte-aware comparison of the names (_mbscmp).
    bool operator<(const CFileInfo& other) const;
    bool operator>(const CFileInfo& other) const;

protected:
    friend class CFileInfoList;
    // Not selected, empty description, transition and show time 0.
    explicit CFileInfo(const char* path);

private:
    bool m_bSelected;
    int m_nTransition;
    int m_nShowTime;
    CString m_Description;
    CString m_Name;

public:
    // ---- End of the catalogued picture ------------------------------------
};
