// The waiting tree: when the animation hooks are called around a fill, with
// which progress, and how a fill replaces an item's children.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShellTestKit.h"
#include "WaitingTreeCtrl.h"

using shell_test::TestWindow;

namespace
{
// Fills each item with `children` items, waiting `stepMs` before each one,
// and records the hooks.
class SlowTree : public CWaitingTreeCtrl
{
public:
    int children = 5;
    DWORD stepMs = 0;
    bool knownTotal = true;
    int fills = 0;
    std::vector<std::string> calls;
    std::vector<int> steps;
    std::vector<int> totals;
    HTREEITEM animatedItem = NULL;
    HTREEITEM populatingSeen = NULL;

protected:
    BOOL PopulateItem(HTREEITEM hParent) override
    {
        fills++;
        populatingSeen = GetPopulatingItem();
        if (knownTotal)
            SetPopulationCount(children);
        for (int i = 0; i < children; i++)
        {
            Sleep(stepMs);
            TVINSERTSTRUCTA insert = {};
            insert.hParent = hParent;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
            std::string text = "Child " + std::to_string(fills) + "." + std::to_string(i);
            insert.item.pszText = &text[0];
            insert.item.cChildren = 1;
            InsertItem(&insert);
            IncreasePopulation();
        }
        return children > 0;
    }
    void PreAnimation(HTREEITEM hItem) override
    {
        calls.push_back("pre");
        animatedItem = hItem;
    }
    void DoAnimation(BOOL bTimerEvent, int nMaxSteps, int nStep) override
    {
        calls.push_back(bTimerEvent ? "step" : "last");
        steps.push_back(nStep);
        totals.push_back(nMaxSteps);
    }
    void PostAnimation() override { calls.push_back("post"); }
};

class WaitingTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window.reset(new TestWindow("Waiting tree"));
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 300, 400),
                                  m_window.get(), 100));
        m_item = m_tree.InsertItem("Slow folder");
        TVITEMA item = {};
        item.mask = TVIF_CHILDREN;
        item.hItem = m_item;
        item.cChildren = 1;
        m_tree.SetItem(&item);
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
        m_window.reset();
    }

    std::unique_ptr<TestWindow> m_window;
    SlowTree m_tree;
    HTREEITEM m_item = NULL;
};
}

TEST_F(WaitingTree, FastFillShowsNoAnimation)
{
    m_tree.SetAnimationDelay(5000);
    m_tree.Expand(m_item, TVE_EXPAND);
    EXPECT_EQ(1, m_tree.fills);
    EXPECT_EQ(5u, m_tree.GetCount() - 1);
    EXPECT_TRUE(m_tree.calls.empty());
}

TEST_F(WaitingTree, SlowFillIsFramedByPreAndPostWithGrowingSteps)
{
    m_tree.SetAnimationDelay(60);
    m_tree.children = 12;
    m_tree.stepMs = 40;
    DWORD start = GetTickCount();
    m_tree.Expand(m_item, TVE_EXPAND);
    DWORD elapsed = GetTickCount() - start;
    std::vector<std::string>& calls = m_tree.calls;
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ("pre", calls.front());
    EXPECT_EQ(m_item, m_tree.animatedItem);
    EXPECT_EQ("post", calls.back());
    EXPECT_EQ("last", calls[calls.size() - 2]);
    for (size_t i = 1; i + 2 < calls.size(); i++)
        EXPECT_EQ("step", calls[i]);
    // Frames come at most once per delay.
    EXPECT_LE(calls.size() - 3, elapsed / 60 + 1);
    for (size_t i = 1; i < m_tree.steps.size(); i++)
        EXPECT_GE(m_tree.steps[i], m_tree.steps[i - 1]);
    for (int total : m_tree.totals)
        EXPECT_EQ(12, total);
    EXPECT_EQ(12, m_tree.steps.back());
}

TEST_F(WaitingTree, UnknownTotalIsReportedAsZeroUntilTheEnd)
{
    m_tree.SetAnimationDelay(30);
    m_tree.knownTotal = false;
    m_tree.children = 8;
    m_tree.stepMs = 25;
    m_tree.Expand(m_item, TVE_EXPAND);
    ASSERT_GE(m_tree.totals.size(), 2u);
    for (size_t i = 0; i + 1 < m_tree.totals.size(); i++)
        EXPECT_EQ(0, m_tree.totals[i]);
    EXPECT_EQ(8, m_tree.totals.back());
    EXPECT_EQ(8, m_tree.steps.back());
}

TEST_F(WaitingTree, RefreshReplacesTheChildrenAndPopulatingItemIsKnown)
{
    m_tree.SetAnimationDelay(5000);
    m_tree.Expand(m_item, TVE_EXPAND);
    EXPECT_EQ(m_item, m_tree.populatingSeen);
    EXPECT_TRUE(m_tree.RefreshItem(m_item));
    EXPECT_EQ(2, m_tree.fills);
    EXPECT_EQ(5u, m_tree.GetCount() - 1);
    EXPECT_EQ("Child 2.0", std::string(m_tree.GetItemText(m_tree.GetChildItem(m_item))));
}

TEST_F(WaitingTree, FillThatAddsNothingRemovesTheExpandButton)
{
    m_tree.children = 0;
    m_tree.Expand(m_item, TVE_EXPAND);
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = m_item;
    m_tree.GetItem(&item);
    EXPECT_EQ(0, item.cChildren);
}
