// The kinds of change the history of a picture records: a red-eye click
// (the pixels of the rectangle it changed), a rotation or flip (undone by
// its inverse), a new working picture made from the base picture (colour
// adjustment and restore: the colours before and after, plus whatever the
// working picture held beyond them), and the pictures a save replaced.
#pragma once

#include "EditHistory.h"

class CRgbBuffer;

// A rectangle of a picture's pixels.
class CPixelPatch
{
public:
    CPixelPatch() : m_Rect(0, 0, 0, 0) {}
    // Copies `rect` (clipped to the picture) out of `picture`.
    void Take(const CRgbBuffer& picture, const CRect& rect);
    // Writes the pixels back where they were taken.
    void Put(CRgbBuffer& picture) const;
    size_t Bytes() const { return m_Pixels.size(); }
    const CRect& Rect() const { return m_Rect; }
    // The smallest rectangle holding every pixel where two pictures of one
    // size differ, searched within `within`; empty when none does.
    static CRect Differences(const CRgbBuffer& a, const CRgbBuffer& b, const CRect& within);

private:
    CRect m_Rect;
    std::vector<BYTE> m_Pixels;
};

namespace EditSteps
{
// `before` holds the working picture's rectangle before the click, the
// working picture is as the click left it.
CEditStep* Region(const CEditState& was, const CEditState& is, const CPixelPatch& before,
                  const CRgbBuffer& working);

enum Transform { RotateClockwise, RotateCounterClockwise, FlipHorizontal, FlipVertical };
CEditStep* Turn(const CEditState& state, Transform transform);
// Applies a transform to both pictures of the document; false when it could not.
bool TransformBoth(CGlintfixDoc& doc, Transform transform);

// The working picture was made anew from the base picture with `is`'s
// colours; `previous` is what it was before (taken over).
CEditStep* Rebuild(CGlintfixDoc& doc, const CEditState& was, const CEditState& is, CRgbBuffer* previous);

// A save replaced both pictures by the file's; these were the ones before
// (taken over).
CEditStep* Reload(const CEditState& was, CRgbBuffer* base, CRgbBuffer* working);
}
