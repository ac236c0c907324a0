// Decides from a file name alone whether the suite can open the file as a
// picture: the same extensions as the suite's own file recognition.
#pragma once

#include <windows.h>

// Nonzero when the path ends, compared without regard to case, in one of the
// picture extensions (".jpg", ".jpeg", ".tif", ...). A path shorter than an
// extension does not match it.
BOOL IsPictureFileName(const char* pszPath);
