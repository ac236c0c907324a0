// CEditHistory: the Undo and Redo lists of one picture. Each change to the
// document is a step that can put the document back as it was before the
// change and do the change again; the history keeps the newest kMaxSteps
// steps, fewer when their pixels would pass kByteBudget, and remembers
// which position in it matches the file as last saved.
#pragma once

#include "Framework.h"
#include <stddef.h>
#include <memory>
#include <vector>

class CGlintfixDoc;

// What a step puts back besides pixels.
struct CEditState
{
    enum { kColors = 6 };
    bool m_bRedEyeFixed;
    // The CreateAlteredRGB arguments (saturation, brightness, contrast and
    // the red, green and blue gammas) the working picture was made with.
    int m_Colors[kColors];

    static CEditState Unchanged();
    bool SameColors(const CEditState& other) const;
};

class CEditStep
{
public:
    CEditStep(const CEditState& before, const CEditState& after) : m_Before(before), m_After(after) {}
    virtual ~CEditStep() {}
    virtual void Undo(CGlintfixDoc& doc) = 0;
    virtual void Redo(CGlintfixDoc& doc) = 0;
    // Pixels held to do so.
    virtual size_t Bytes() const { return 0; }
    // Not a change of the user's: undone and redone together with the step
    // before it (the pictures a save replaced).
    virtual bool IsTransparent() const { return false; }

    CEditState m_Before;
    CEditState m_After;
};

class CEditHistory
{
public:
    enum { kMaxSteps = 32 };
    static const size_t kByteBudget = (size_t)96 << 20;

    explicit CEditHistory(size_t byteBudget = kByteBudget);
    ~CEditHistory();

    // A picture was loaded: nothing to undo, and this is the saved state.
    void Clear();
    // Takes a step that was just done; what could be redone is dropped.
    void Add(CEditStep* step);
    bool CanUndo() const;
    bool CanRedo() const;
    bool Undo(CGlintfixDoc& doc);
    bool Redo(CGlintfixDoc& doc);

    // The document now matches its file.
    void MarkSaved();
    bool IsAtSaved() const { return m_Position == m_Saved; }
    // The last step done, when it is one a save added (null otherwise).
    CEditStep* TransparentTop() const;
    bool HasStepsBehind() const { return m_Position > 0; }

    int UndoSteps() const;
    int RedoSteps() const;
    size_t BytesHeld() const;

private:
    std::vector<std::unique_ptr<CEditStep>> m_Steps;
    int m_Position; // steps done, from the front
    int m_Saved;    // the position that matches the file; negative when gone
    size_t m_ByteBudget;
    void Trim();
    void DropFront();
};
