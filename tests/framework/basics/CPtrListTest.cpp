// CPtrList: order, positions, and removal while walking.
#include <gtest/gtest.h>
#include <vector>
#include "Framework.h"

static std::vector<intptr_t> Contents(const CPtrList& list)
{
    std::vector<intptr_t> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back((intptr_t)list.GetNext(pos));
    return out;
}

TEST(CPtrListOrder, AddHeadTailAndInsert)
{
    CPtrList list;
    list.AddTail((void*)2);
    list.AddHead((void*)1);
    POSITION three = list.AddTail((void*)3);
    list.InsertBefore(three, (void*)25);
    list.InsertAfter(three, (void*)4);
    EXPECT_EQ(Contents(list), (std::vector<intptr_t>{ 1, 2, 25, 3, 4 }));
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ((intptr_t)list.GetHead(), 1);
    EXPECT_EQ((intptr_t)list.GetTail(), 4);
    EXPECT_EQ((intptr_t)list.GetAt(list.FindIndex(2)), 25);
    EXPECT_EQ(list.FindIndex(5), (POSITION)NULL);
    EXPECT_EQ(list.Find((void*)3), three);
    EXPECT_EQ(list.Find((void*)3, three), (POSITION)NULL);
}

TEST(CPtrListWalk, RemovingTheVisitedElementKeepsTheWalkGoing)
{
    CPtrList list;
    for (intptr_t i = 1; i <= 6; ++i)
        list.AddTail((void*)i);
    for (POSITION pos = list.GetHeadPosition(); pos;)
    {
        POSITION at = pos;
        intptr_t v = (intptr_t)list.GetNext(pos);
        if (v % 2 == 0)
            list.RemoveAt(at);
    }
    EXPECT_EQ(Contents(list), (std::vector<intptr_t>{ 1, 3, 5 }));
    // Backwards, removing head and tail.
    for (POSITION pos = list.GetTailPosition(); pos;)
    {
        POSITION at = pos;
        intptr_t v = (intptr_t)list.GetPrev(pos);
        if (v != 3)
            list.RemoveAt(at);
    }
    EXPECT_EQ(Contents(list), (std::vector<intptr_t>{ 3 }));
    EXPECT_EQ(list.GetHeadPosition(), list.GetTailPosition());
}

TEST(CPtrListEnds, RemoveHeadTailOnEmptyListGiveNull)
{
    CPtrList list;
    EXPECT_EQ(list.RemoveHead(), nullptr);
    EXPECT_EQ(list.GetTail(), nullptr);
    list.AddTail((void*)7);
    EXPECT_EQ((intptr_t)list.RemoveTail(), 7);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), (POSITION)NULL);
    list.AddTail((void*)8);
    EXPECT_EQ((intptr_t)list.RemoveHead(), 8);
    EXPECT_EQ(list.GetTailPosition(), (POSITION)NULL);
}

TEST(CPtrListCopy, AddListKeepsOrder)
{
    CPtrList a, b;
    a.AddTail((void*)1);
    a.AddTail((void*)2);
    b.AddTail((void*)9);
    b.AddHead(&a);
    b.AddTail(&a);
    EXPECT_EQ(Contents(b), (std::vector<intptr_t>{ 1, 2, 9, 1, 2 }));
}
