// Export macro of FolderPane.dll, the shell-namespace tree and shell menu library.
#pragma once

#ifdef FOLDERPANE_BUILD
#define FOLDERPANE_API __declspec(dllexport)
#else
#define FOLDERPANE_API __declspec(dllimport)
#endif
