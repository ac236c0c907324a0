// The command table of the "Pixmere" sub-menu.
#include "ContexoCommands.h"

static const CContexoCommand s_Commands[CONTEXO_COMMAND_COUNT] =
{
    { "Browser",  "Pixmere Browser",  "Opens Pixmere browser",          "\\Pixmere.exe" },
    { "Viewer",   "Pixmere Viewer",   "Opens Pixmere Viewer/SlideShow", "\\Viewer.exe" },
    { "Glintfix", "Pixmere Glintfix", "Opens Pixmere Glintfix",         "\\Glintfix.exe" },
};

const char CONTEXO_UNKNOWN_COMMAND_TEXT[] = "Pixmere";

const CContexoCommand* GetContexoCommand(UINT_PTR nCommand)
{
    if (nCommand >= CONTEXO_COMMAND_COUNT)
        return NULL;
    return &s_Commands[nCommand];
}
