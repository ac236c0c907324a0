// Export macro of rastel.dll, the suite's shared library.
#pragma once

#ifdef RASTEL_BUILD
#define RASTEL_API __declspec(dllexport)
#else
#define RASTEL_API __declspec(dllimport)
#endif
