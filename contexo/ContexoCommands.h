// The three commands of the "Pixmere" sub-menu: menu text, verb, help text and
// the program each one starts from the extension's own folder.
#pragma once

#include <windows.h>

struct CContexoCommand
{
    const char* pszMenuText;
    const char* pszVerb;
    const char* pszHelpText;
    const char* pszProgram;     // with its leading backslash, appended to the folder
};

const UINT CONTEXO_COMMAND_COUNT = 3;

// The command with that number (offset from the first menu identifier), or
// null for any other number.
const CContexoCommand* GetContexoCommand(UINT_PTR nCommand);

// Verb and help text of a number that names no command.
extern const char CONTEXO_UNKNOWN_COMMAND_TEXT[];
