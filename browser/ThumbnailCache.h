// The thumbnail disk cache: the folder "cache" beside the program holds a
// best-fit JPEG (quality 70) of every picture larger than 360 x 480 that was
// shown, named by the SHA-1 of its upper-cased path, so a large picture is
// decoded at full size only once.
//
// Contract:
// - Plain functions; no state but the files. Every failure is a result
//   (false, an empty buffer, no file), never an exception or a message.
// - A copy older than its picture counts as missing and is removed when it
//   is looked at.
// - A copy is written to a temporary file ("pxm*.tmp") and moved into
//   place only when whole: a reader never sees a half-written copy.
#pragma once

#include <windows.h>
#include "Framework.h"

class CRgbBuffer;

namespace ThumbnailCache
{
// Only pictures larger than this box are cached, scaled into it.
const int BoxWidth = 360, BoxHeight = 480;
inline CRect Box()
{
    return CRect(0, 0, BoxWidth, BoxHeight);
}

CString Folder();
// The cache file of an upper-cased path: Folder() (made when missing), 40
// lower-case hex digits of the SHA-1 of the path's bytes, ".jpg".
CString FileName(const CString& path);
// The copy at cachePath, decoded at the smallest scale that still covers
// `cell`; false when there is none or it is older than `pictureModified`
// (the picture's last write time), in which case the copy is removed.
BOOL Load(const CString& cachePath, ULONGLONG pictureModified, const CSize& cell, CRgbBuffer& image);
// Writes `image` as the copy at cachePath; a failed write leaves no file.
void Write(const CString& cachePath, CRgbBuffer& image);
// Removes the temporary files of copies in `folder` last written more than
// `olderThanSeconds` ago: left by a browser that ended while writing.
// Returns how many went.
int RemoveStaleTemporaries(const CString& folder, DWORD olderThanSeconds);
} // namespace ThumbnailCache
