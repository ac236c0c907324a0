// The browser frame's command rules.
#include "BrowserFrameRules.h"
#include "resource.h"

namespace BrowserFrameRules
{
SizeRange ThumbSizeRange(int largest)
{
    return SizeRange{largest / 6, largest, largest / 3};
}

static int Clamp(int value, const SizeRange& range)
{
    return value < range.minimum ? range.minimum : value > range.maximum ? range.maximum : value;
}

bool IsSizeCommand(UINT id)
{
    return id == ID_ENLARGE_THUMBS || id == ID_REDUCE_THUMBS || id == ID_MAXIMIZE_THUMBS ||
           id == ID_MINIMIZE_THUMBS;
}

int SizeAfterCommand(UINT id, int value, const SizeRange& range)
{
    int step = range.maximum / 20;
    switch (id)
    {
    case ID_ENLARGE_THUMBS:
        return Clamp(value + step, range);
    case ID_REDUCE_THUMBS:
        return Clamp(value - step, range);
    case ID_MAXIMIZE_THUMBS:
        return range.maximum;
    case ID_MINIMIZE_THUMBS:
        return range.minimum;
    }
    return Clamp(value, range);
}

bool IsSizeCommandEnabled(UINT id, int value, const SizeRange& range)
{
    if (id == ID_ENLARGE_THUMBS || id == ID_MAXIMIZE_THUMBS)
        return value < range.maximum;
    if (id == ID_REDUCE_THUMBS || id == ID_MINIMIZE_THUMBS)
        return range.minimum < value;
    return false;
}

Captions ToggleFileName(Captions c)
{
    c.showName = 1 - c.showName;
    if (c.showName)
        c.showDescription = 0;
    return c;
}

Captions ToggleFileDescription(Captions c)
{
    c.showDescription = 1 - c.showDescription;
    if (c.showDescription)
        c.showName = 0;
    return c;
}

bool IsEditKey(UINT vk, bool ctrl, bool alt)
{
    if (alt)
        return false;
    if (!ctrl)
        return true;
    switch (vk)
    {
    case 'A': case 'C': case 'V': case 'X': case 'Z': case 'Y':
    case VK_INSERT: case VK_DELETE: case VK_BACK:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
        return true;
    default:
        return false;
    }
}
}
