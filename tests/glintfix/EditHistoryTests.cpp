// CEditHistory on its own: the step limit and the memory budget drop the
// oldest steps, the pictures a save replaced are crossed together with the
// change before them, and the saved mark is lost with the steps that led
// back to it.
#include "GlintfixTestKit.h"
#include "EditHistory.h"

using namespace glintfix_test;

namespace
{
// Writes what is done with it into a shared log.
class LoggedStep : public CEditStep
{
public:
    LoggedStep(std::vector<std::string>& log, const std::string& name, size_t bytes = 0, bool transparent = false)
        : CEditStep(CEditState::Unchanged(), CEditState::Unchanged()), m_log(log), m_name(name), m_bytes(bytes),
          m_transparent(transparent)
    {
    }
    void Undo(CGlintfixDoc&) override { m_log.push_back("undo " + m_name); }
    void Redo(CGlintfixDoc&) override { m_log.push_back("redo " + m_name); }
    size_t Bytes() const override { return m_bytes; }
    bool IsTransparent() const override { return m_transparent; }

private:
    std::vector<std::string>& m_log;
    std::string m_name;
    size_t m_bytes;
    bool m_transparent;
};
}

TEST(EditHistory, TheStepLimitAndTheBudgetDropTheOldestSteps)
{
    CGlintfixDoc doc;
    std::vector<std::string> log;
    CEditHistory history;
    for (int i = 1; i <= 40; ++i)
        history.Add(new LoggedStep(log, std::to_string(i)));
    EXPECT_EQ(history.UndoSteps(), (int)CEditHistory::kMaxSteps);
    while (history.Undo(doc))
        ;
    ASSERT_EQ(log.size(), (size_t)CEditHistory::kMaxSteps);
    EXPECT_EQ(log.front(), "undo 40");
    EXPECT_EQ(log.back(), "undo " + std::to_string(40 - CEditHistory::kMaxSteps + 1));
    EXPECT_EQ(history.RedoSteps(), (int)CEditHistory::kMaxSteps);

    CEditHistory small(1000);
    for (int i = 0; i < 3; ++i)
        small.Add(new LoggedStep(log, "small", 400));
    EXPECT_EQ(small.UndoSteps(), 2);
    EXPECT_EQ(small.BytesHeld(), 800u);
    // One step over the budget on its own still stays: it is the newest.
    small.Add(new LoggedStep(log, "large", 5000));
    EXPECT_EQ(small.UndoSteps(), 1);
    EXPECT_EQ(small.BytesHeld(), 5000u);
}

TEST(EditHistory, ASavesPicturesGoWithTheChangeBeforeThemOrNotAtAll)
{
    CGlintfixDoc doc;
    std::vector<std::string> log;
    CEditHistory history;
    history.Add(new LoggedStep(log, "click"));
    history.Add(new LoggedStep(log, "save", 100, true));
    history.MarkSaved();
    EXPECT_TRUE(history.IsAtSaved());
    EXPECT_EQ(history.UndoSteps(), 1);
    ASSERT_TRUE(history.Undo(doc));
    EXPECT_FALSE(history.IsAtSaved());
    EXPECT_FALSE(history.CanUndo());
    ASSERT_TRUE(history.Redo(doc));
    EXPECT_TRUE(history.IsAtSaved());
    EXPECT_EQ(log, (std::vector<std::string>{"undo save", "undo click", "redo click", "redo save"}));

    // Pictures of a save with nothing before them lead nowhere: not kept.
    CEditHistory alone(1000);
    alone.Add(new LoggedStep(log, "click", 600));
    alone.Add(new LoggedStep(log, "save", 900, true)); // pushes the click out
    alone.MarkSaved();
    EXPECT_FALSE(alone.CanUndo());
    EXPECT_FALSE(alone.CanRedo());
    EXPECT_EQ(alone.BytesHeld(), 0u);
    EXPECT_TRUE(alone.IsAtSaved());
}

TEST(EditHistory, TheSavedMarkGoesWithTheStepsThatLedBackToIt)
{
    CGlintfixDoc doc;
    std::vector<std::string> log;
    CEditHistory history;
    history.Add(new LoggedStep(log, "a"));
    history.Add(new LoggedStep(log, "b"));
    history.MarkSaved();
    history.Undo(doc);
    history.Add(new LoggedStep(log, "c")); // b, and the saved state after it, are gone
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.IsAtSaved());
    history.Undo(doc);
    EXPECT_FALSE(history.IsAtSaved());

    // The oldest steps dropped past the saved state: it cannot come back.
    CEditHistory limited;
    limited.MarkSaved();
    for (int i = 0; i <= CEditHistory::kMaxSteps; ++i)
        limited.Add(new LoggedStep(log, "x"));
    while (limited.Undo(doc))
        EXPECT_FALSE(limited.IsAtSaved());
}
