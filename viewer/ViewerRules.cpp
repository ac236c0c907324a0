// The viewer's command-state, menu-text and geometry rules.
#include "ViewerRules.h"
#include <stdio.h>
#include <ctype.h>
#include "resource.h"

namespace ViewerRules
{
void ParseCommandLine(const char* text, CString& startPath, int& albumNumber)
{
    CString line(text ? text : "");
    if (!line.IsEmpty() && line[0] == '"')
        line = line.Mid(1);
    if (!line.IsEmpty() && line[line.GetLength() - 1] == '"')
        line = line.Left(line.GetLength() - 1);

    albumNumber = 0;
    startPath = line;
    int number = 0;
    int numberEnd = 0;
    // "%d %s": a number, then (after blanks) at least one more word.
    if (sscanf(line, "%d%n", &number, &numberEnd) == 1)
    {
        char word[2];
        if (sscanf((LPCSTR)line + numberEnd, " %1s", word) == 1)
        {
            albumNumber = number;
            // The path is what follows the number and one blank.
            int pathStart = numberEnd;
            if (pathStart < line.GetLength() && line[pathStart] == ' ')
                ++pathStart;
            startPath = line.Mid(pathStart);
        }
    }
    startPath.Trim();
}

bool IsBestFit(const State& s)
{
    return !s.actualSize && !s.fitToWindow && s.zoomLevel == 0;
}

bool IsEnabled(const State& s, UINT id)
{
    bool idle = !s.playing;
    switch (id)
    {
    case ID_TRANSITION_EFFECTS:
    case ID_OPEN:
    case ID_BROWSER:
        return idle;
    case ID_GLINTFIX:
        return idle && s.hasPicture && s.hasCurrentFile;
    case ID_VIEWER_EXIT:
        return true;
    case ID_FULL_SCREEN:
        return s.fullScreen || s.listCount > 0;
    case ID_BEST_FIT:
        return idle && !IsBestFit(s) && s.hasPicture;
    case ID_FIT_TO_WINDOW:
        return idle && !s.fitToWindow && s.hasPicture;
    case ID_ACTUAL_SIZE:
        return idle && !s.actualSize && s.hasPicture;
    case ID_ZOOM_IN:
        return idle && s.hasPicture && s.shownPixels < ZoomInLimit;
    case ID_ZOOM_OUT:
        return idle && s.hasPicture && s.shownPixels > ZoomOutLimit;
    case ID_CLOCKWISE:
    case ID_COUNTER_CLOCKWISE:
    case ID_FLIP_VERTICAL:
    case ID_FLIP_HORIZONTAL:
        return idle && s.hasPicture;
    case ID_PREVIOUS_PICTURE:
    case ID_NEXT_PICTURE:
    case ID_PLAY_SLIDESHOW:
        return idle && s.listCount > 1;
    case ID_STOP_SLIDESHOW:
        return s.playing;
    case ID_DISPLAY_TIME_LONGER:
        return s.displayTime < MaxDisplayTime;
    case ID_DISPLAY_TIME_SHORTER:
        return s.displayTime > MinDisplayTime;
    case ID_MAGNIFIER_1:
    case ID_MAGNIFIER_2:
    case ID_MAGNIFIER_3:
    case ID_MAGNIFIER_4:
    case ID_MAGNIFIER_6:
    case ID_MAGNIFIER_8:
        return idle;
    case ID_MAGNIFIER_LARGER:
        return idle && s.magnifierSize < MaxMagnifierSize;
    case ID_MAGNIFIER_SMALLER:
        return idle && s.magnifierSize > MinMagnifierSize;
    default:
        return true;
    }
}

int CheckOf(const State& s, UINT id)
{
    if (id == ID_FULL_SCREEN)
        return s.fullScreen ? 1 : 0;
    int power = MagnifierPowerOf(id);
    return power != 0 && power == s.magnifierPower ? 1 : 0;
}

CString MenuText(const State& s, UINT id)
{
    CString text;
    if (id == ID_DISPLAY_TIME_LONGER)
        text.Format("Picture display time %d sec. - Make longer", s.displayTime);
    else if (id == ID_DISPLAY_TIME_SHORTER)
        text.Format("Picture display time %d sec. - Make shorter", s.displayTime);
    return text;
}

int MagnifierPowerOf(UINT id)
{
    switch (id)
    {
    case ID_MAGNIFIER_1: return 1;
    case ID_MAGNIFIER_2: return 2;
    case ID_MAGNIFIER_3: return 3;
    case ID_MAGNIFIER_4: return 4;
    case ID_MAGNIFIER_6: return 6;
    case ID_MAGNIFIER_8: return 8;
    default: return 0;
    }
}

CSize ZoomInSize(CSize shown)
{
    return CSize(shown.cx * 10 / 8, shown.cy * 10 / 8);
}

CSize ZoomOutSize(CSize shown)
{
    return CSize(shown.cx * 8 / 10, shown.cy * 8 / 10);
}

CRect DrawRect(CSize client, CSize picture)
{
    return CRect(0, 0, client.cx > picture.cx ? client.cx : picture.cx,
                 client.cy > picture.cy ? client.cy : picture.cy);
}

CPoint ClientToPicture(CPoint client, CPoint scroll, CSize clientSize, CSize picture)
{
    CPoint p(client.x + scroll.x, client.y + scroll.y);
    if (picture.cx < clientSize.cx)
        p.x -= (clientSize.cx - picture.cx) / 2;
    if (picture.cy < clientSize.cy)
        p.y -= (clientSize.cy - picture.cy) / 2;
    return p;
}

CSize MagnifierPiece(int size, int power)
{
    if (power < 1)
        power = 1;
    return CSize(size / power, (size * 3) / (power * 4));
}

CRect MagnifierRect(CPoint cursor, int size)
{
    int left = cursor.x - size / 2;
    int top = cursor.y - (size * 3) / 8;
    return CRect(left, top, left + size, top + (size * 3) / 4);
}

CString ProgramBesideThisOne(const char* name)
{
    char module[MAX_PATH] = "";
    GetModuleFileNameA(NULL, module, MAX_PATH);
    CString path(module);
    int slash = path.ReverseFind('\\');
    return path.Left(slash < 0 ? 0 : slash) + "\\" + name;
}

CString QuotedParameter(const CString& file)
{
    if (file.IsEmpty())
        return CString();
    return "\"" + file + "\"";
}
}
