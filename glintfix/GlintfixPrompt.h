// GlintfixPrompt: every question and message of the red-eye editor goes
// through Ask, so tests can answer in place of the user.
#pragma once

#include <windows.h>

namespace GlintfixPrompt
{
typedef int (*Answerer)(const char* text, UINT type);

// Shows a message box (AfxMessageBox) or asks the installed answerer.
int Ask(const char* text, UINT type);
// Installs an answerer; NULL restores the message box. Returns the previous one.
Answerer SetAnswerer(Answerer answerer);
}
