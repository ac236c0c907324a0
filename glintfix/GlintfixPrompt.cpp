// GlintfixPrompt: message boxes, or the answers a test gives.
#include "GlintfixPrompt.h"
#include "AfxMessageBox.h"

namespace
{
GlintfixPrompt::Answerer s_answerer = NULL;
}

namespace GlintfixPrompt
{
int Ask(const char* text, UINT type)
{
    return s_answerer ? s_answerer(text, type) : AfxMessageBox(text, type);
}

Answerer SetAnswerer(Answerer answerer)
{
    Answerer previous = s_answerer;
    s_answerer = answerer;
    return previous;
}
}
