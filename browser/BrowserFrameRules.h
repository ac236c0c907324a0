// The browser frame's own command rules as plain functions: the four
// thumbnail-size commands (new value and when each is enabled), the
// one-pixel nudge that forces every cell to regenerate, and the caption
// switches that keep "file name" and "file description" exclusive.
#pragma once

#include <windows.h>

namespace BrowserFrameRules
{
// Bounds of the thumbnail width setting, from the generator's largest size.
struct SizeRange
{
    int minimum; // largest / 6
    int maximum; // largest
    int initial; // largest / 3
};
SizeRange ThumbSizeRange(int largest);

// True for the ids of Enlarge, Reduce, Maximize and Minimize.
bool IsSizeCommand(UINT id);
// The width after size command `id` (Enlarge/Reduce step by maximum / 20),
// clamped into the range.
int SizeAfterCommand(UINT id, int value, const SizeRange& range);
// Enlarge and Maximize while below the maximum, Reduce and Minimize while
// above the minimum.
bool IsSizeCommandEnabled(UINT id, int value, const SizeRange& range);

// Caption switches: toggling one on turns the other off; both off is allowed.
struct Captions
{
    int showName;
    int showDescription;
};
Captions ToggleFileName(Captions c);
Captions ToggleFileDescription(Captions c);

// True for a key that an edit control with the keyboard uses itself, so
// the frame's accelerators must not take it: every key without Ctrl or Alt
// (typing, Del, the numeric pad) and Ctrl with A, C, V, X, Z, Y, Insert,
// Delete, Backspace, the arrows, Home and End.
bool IsEditKey(UINT vk, bool ctrl, bool alt);
}
