// Includes the JPEG library's API after the Windows headers, in the order its
// Windows configuration expects (it shares their boolean and INT32 types).
// Internal to rastel: no public header includes it.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <setjmp.h>
#include <jpeglib.h>
#include <jerror.h>
