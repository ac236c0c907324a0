// CEditHistory: positions, limits and the saved mark of the Undo list.
#include "EditHistory.h"
#include <string.h>

CEditState CEditState::Unchanged()
{
    CEditState state;
    state.m_bRedEyeFixed = false;
    const int neutral[kColors] = {0, 0, 0, 18, 18, 18};
    memcpy(state.m_Colors, neutral, sizeof(neutral));
    return state;
}

bool CEditState::SameColors(const CEditState& other) const
{
    return memcmp(m_Colors, other.m_Colors, sizeof(m_Colors)) == 0;
}

CEditHistory::CEditHistory(size_t byteBudget) : m_Position(0), m_Saved(0), m_ByteBudget(byteBudget) {}

CEditHistory::~CEditHistory() {}

void CEditHistory::Clear()
{
    m_Steps.clear();
    m_Position = m_Saved = 0;
}

void CEditHistory::Add(CEditStep* step)
{
    if (!step)
        return;
    m_Steps.resize(m_Position);
    if (m_Saved > m_Position)
        m_Saved = -1; // the saved state was in the redo list just dropped
    m_Steps.emplace_back(step);
    ++m_Position;
    Trim();
}

bool CEditHistory::CanUndo() const
{
    for (int i = 0; i < m_Position; ++i)
        if (!m_Steps[i]->IsTransparent())
            return true;
    return false;
}

bool CEditHistory::CanRedo() const { return m_Position < (int)m_Steps.size(); }

bool CEditHistory::Undo(CGlintfixDoc& doc)
{
    if (!CanUndo())
        return false;
    while (m_Steps[m_Position - 1]->IsTransparent())
        m_Steps[--m_Position]->Undo(doc);
    m_Steps[--m_Position]->Undo(doc);
    return true;
}

bool CEditHistory::Redo(CGlintfixDoc& doc)
{
    if (!CanRedo())
        return false;
    do
        m_Steps[m_Position++]->Redo(doc);
    while (m_Position < (int)m_Steps.size() && m_Steps[m_Position]->IsTransparent());
    return true;
}

void CEditHistory::MarkSaved() { m_Saved = m_Position; }

CEditStep* CEditHistory::TransparentTop() const
{
    return m_Position > 0 && m_Steps[m_Position - 1]->IsTransparent() ? m_Steps[m_Position - 1].get() : NULL;
}

int CEditHistory::UndoSteps() const
{
    int count = 0;
    for (int i = 0; i < m_Position; ++i)
        count += m_Steps[i]->IsTransparent() ? 0 : 1;
    return count;
}

int CEditHistory::RedoSteps() const
{
    int count = 0;
    for (size_t i = m_Position; i < m_Steps.size(); ++i)
        count += m_Steps[i]->IsTransparent() ? 0 : 1;
    return count;
}

size_t CEditHistory::BytesHeld() const
{
    size_t bytes = 0;
    for (const auto& step : m_Steps)
        bytes += step->Bytes();
    return bytes;
}

void CEditHistory::DropFront()
{
    m_Steps.erase(m_Steps.begin());
    --m_Position;
    --m_Saved; // below zero: the saved state can no longer be reached
}

void CEditHistory::Trim()
{
    // The newest step always stays, even when it alone is over the budget.
    while (m_Steps.size() > 1 && (UndoSteps() > kMaxSteps || BytesHeld() > m_ByteBudget))
        DropFront();
    // A save's pictures at the front lead nowhere: nothing before them is
    // left to undo, so they are not worth their memory.
    while (!m_Steps.empty() && m_Steps.front()->IsTransparent())
        DropFront();
}
