// The red-eye editor's window-free rules.
#include "GlintfixRules.h"
#include "FileInfo.h"

namespace GlintfixRules
{
CString OpenPath(const CString& path)
{
    return CFileInfo::IsImageFile(path) ? path : CFileInfo::AssureExtension(path, "jpg");
}

int CentringOffset(int client, int picture)
{
    // The picture drawing centres with client / 2 - picture / 2; using the
    // same sum keeps a removal exactly under the tracker the user sees.
    return client > picture ? client / 2 - picture / 2 : 0;
}

bool MapToPicture(CPoint point, CSize client, CSize picture, CPoint& result)
{
    result = point;
    result.x -= CentringOffset(client.cx, picture.cx);
    if (result.x < 0)
        return false;
    result.y -= CentringOffset(client.cy, picture.cy);
    return result.y >= 0;
}

int ClampQuality(int quality)
{
    return quality < kMinQuality ? kMinQuality : quality > kMaxQuality ? kMaxQuality : quality;
}

void SplitSelection(const char* buffer, CStringList& paths)
{
    if (!buffer || !*buffer)
        return;
    CString first = buffer;
    const char* next = buffer + first.GetLength() + 1;
    if (!*next)
    {
        paths.AddTail(first);
        return;
    }
    CString folder = first;
    if (folder.Right(1) != "\\")
        folder += "\\";
    while (*next)
    {
        CString name = next;
        paths.AddTail(folder + name);
        next += name.GetLength() + 1;
    }
}
}
