// ColourEngine: the suite's only contact with the colour management library
// (LittleCMS). Internal to rastel; no library type crosses this header.
//
// Contract: the library's error reports are swallowed (it never aborts);
// every function returns empty, false or null when the library refuses.
#pragma once

#include <stddef.h>
#include <string>

#include "Framework.h"

namespace ColourEngine
{
// The bytes open as a profile of RGB colours that pictures can be in.
bool OpensAsRgb(const std::string& profile);

// A matrix/curve RGB profile from white point and primaries (CIE xy) and
// the decoding exponent of its curve (e.g. 2.2; 0 for the sRGB curve);
// empty when they make none.
std::string MatrixProfile(double whiteX, double whiteY, double redX, double redY, double greenX,
                          double greenY, double blueX, double blueY, double exponent);

// The library's own sRGB profile, serialised.
std::string SrgbProfile();

// A transform of 8-bit RGB pixels (red, green, blue, packed) from one
// profile to another (sRGB when `to` is empty): relative colorimetric with
// black-point compensation, safe to use from several threads at once.
// Null when either profile is unusable. Delete with DeleteTransform.
void* CreateTransform(const std::string& from, const std::string& to);
void DeleteTransform(void* transform);
// in and out may be the same array. Between matrix/curve profiles Apply
// uses fixed-point tables within a level of the library's own result (and
// two threads for a large picture); ApplyExactly always asks the library.
void Apply(void* transform, const BYTE* in, BYTE* out, size_t pixels);
void ApplyExactly(void* transform, const BYTE* in, BYTE* out, size_t pixels);
} // namespace ColourEngine
