// Red-eye removal in one click: finds the red pupil connected to the
// reddest pixels around a point and turns its red down to the level of its
// green and blue. Works on a packed 24-bit RGB array (CRgbBuffer layout).
#pragma once

#include "Framework.h"

namespace RedEye
{
// Treats only pixels strictly inside the circle of `radius` around
// `center`. Skin, lips and other red things that are not connected to the
// red region at the centre are left alone; a pupil fixed once has no red
// region left, so a second call changes nothing. No pixel gets brighter.
void Remove(BYTE* pixels, int width, int height, CPoint center, int radius);

// How red a pixel is, from 0 (red not above green or blue) towards 1 (pure
// red): a ratio, so that dark red pupils rank with bright ones.
double Redness(const BYTE* pixel);
}
