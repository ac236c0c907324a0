// Export macro of framework.dll, the suite's class library over Win32.
#pragma once

#ifdef FRAMEWORK_BUILD
#define FRAMEWORK_API __declspec(dllexport)
#else
#define FRAMEWORK_API __declspec(dllimport)
#endif
