// The red-eye editor's decisions that need no window: which file a name
// opens, where a point of the view lies on a centred picture, the tracker's
// square, the size limits, and the file names of a multiple selection.
#pragma once

#include "Framework.h"
#include "CStringList.h"

namespace GlintfixRules
{
const int kMinTrackerSize = 1;
const int kMaxTrackerSize = 80;
const int kMinQuality = 5;
const int kMaxQuality = 100;

// A name that is not a picture by its extension opens with ".jpg" assured.
CString OpenPath(const CString& path);

// Left/top offset of a picture drawn centred in a larger client (0 when
// the client is not larger), exactly as the picture drawing places it.
int CentringOffset(int client, int picture);

// Maps a point of the picture area (client position plus scroll position)
// to picture coordinates; false when it lies left of or above a centred
// picture.
bool MapToPicture(CPoint point, CSize client, CSize picture, CPoint& result);

// The side of the tracker's square: 2 * size + 8.
inline int TrackerSquare(int size) { return 2 * size + 8; }

inline bool CanGrow(bool hasTracker, int size) { return hasTracker && size < kMaxTrackerSize; }
inline bool CanShrink(bool hasTracker, int size) { return hasTracker && size > kMinTrackerSize; }
int ClampQuality(int quality);

// The paths of a file dialog's multiple selection: "folder\0name\0name\0\0",
// or one full path when a single file was chosen.
void SplitSelection(const char* buffer, CStringList& paths);
}
