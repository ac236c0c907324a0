// The viewer's rules as plain functions: command line, which commands are
// enabled and checked in which state, the menu texts of the display time,
// zoom steps, and the geometry of drawing and of the magnifier. The view
// asks these for every decision, so they can be checked without a window.
#pragma once

#include "Framework.h"

namespace ViewerRules
{
// The command line: the whole argument text with one leading and one
// trailing double quote removed, read as "<album> <path>" when it starts
// with a number, else as a path alone (album 0); the path is trimmed.
void ParseCommandLine(const char* text, CString& startPath, int& albumNumber);

// Everything the command states depend on.
struct State
{
    bool playing = false;
    bool hasPicture = false;      // the current picture loaded
    bool hasCurrentFile = false;  // the list has a current entry
    int listCount = 0;
    bool actualSize = false;
    bool fitToWindow = false;
    int zoomLevel = 0;
    long long shownPixels = 0;    // pixels of the picture shown
    bool fullScreen = false;
    int displayTime = 3;
    int magnifierPower = 1;
    int magnifierSize = 192;
};

enum
{
    MinDisplayTime = 1,
    MaxDisplayTime = 20,
    ZoomInLimit = 5000000, // zoom in only below this many pixels
    ZoomOutLimit = 5000,   // zoom out only above this many
    MinMagnifierSize = 96,
    MaxMagnifierSize = 384,
    TitleTimer = 2,
    SlideShowTimer = 1,
    MagnifierTimer = 3
};

// Commands this module does not know are enabled.
bool IsEnabled(const State& state, UINT id);
// 1 when the command's menu item is marked in this state, else 0.
int CheckOf(const State& state, UINT id);
// The menu text of the display-time commands (empty for other commands).
CString MenuText(const State& state, UINT id);
// The magnifier power of a magnifier command, 0 for other commands.
int MagnifierPowerOf(UINT id);

bool IsBestFit(const State& state);
// The size a zoom step gives to the shown picture's size.
CSize ZoomInSize(CSize shown);
CSize ZoomOutSize(CSize shown);

// The rectangle a picture is drawn into: from (0, 0), the larger of the
// client's and the picture's width and height, so a smaller one is centred.
CRect DrawRect(CSize client, CSize picture);
// Client point -> picture point, given the scroll position and the centring
// of a picture smaller than the client.
CPoint ClientToPicture(CPoint client, CPoint scroll, CSize clientSize, CSize picture);
// The piece of the picture the magnifier enlarges: S / P by 3S / 4P pixels.
CSize MagnifierPiece(int size, int power);
// The magnifier window: S by 3S / 4 pixels, its left edge S / 2 left of the
// cursor and its top edge 3S / 8 above it.
CRect MagnifierRect(CPoint cursor, int size);

// "<folder of the running program>\<name>" and the quoted file parameter of
// the commands that start the other programs (empty without a file).
CString ProgramBesideThisOne(const char* name);
CString QuotedParameter(const CString& file);
}
