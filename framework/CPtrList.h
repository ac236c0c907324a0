// CPtrList: a doubly linked list of untyped pointers walked by POSITION, with
// the class library's names. A POSITION stays valid until its own node is
// removed, so a walk may remove the element it has just stepped over:
//   POSITION at = pos; void* p = list.GetNext(pos); list.RemoveAt(at);
#pragma once

#include <windows.h>
#include "FrameworkApi.h"

struct __POSITION {};
typedef __POSITION* POSITION;

class FRAMEWORK_API CPtrList
{
public:
    CPtrList();
    ~CPtrList();

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Head and tail; NULL for an empty list.
    void* GetHead() const;
    void* GetTail() const;
    void* RemoveHead();
    void* RemoveTail();
    POSITION AddHead(void* element);
    POSITION AddTail(void* element);
    void AddHead(CPtrList* other);
    void AddTail(CPtrList* other);
    void RemoveAll();

    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    // Returns the element at pos and moves pos to the next (previous) one,
    // NULL after the last (first).
    void* GetNext(POSITION& pos) const;
    void* GetPrev(POSITION& pos) const;
    void* GetAt(POSITION pos) const;
    void SetAt(POSITION pos, void* element);
    void RemoveAt(POSITION pos);
    POSITION InsertBefore(POSITION pos, void* element);
    POSITION InsertAfter(POSITION pos, void* element);

    // First position holding the element, searching after startAfter; NULL if none.
    POSITION Find(void* element, POSITION startAfter = NULL) const;
    // Position of the zero-based index; NULL when out of range.
    POSITION FindIndex(int index) const;

private:
    struct Node
    {
        Node* next;
        Node* prev;
        void* data;
    };
    static Node* AsNode(POSITION pos) { return (Node*)pos; }
    static POSITION AsPosition(Node* node) { return (POSITION)node; }

    CPtrList(const CPtrList&);
    CPtrList& operator=(const CPtrList&);

    Node* m_pNodeHead;
    Node* m_pNodeTail;
    int m_nCount;
};
