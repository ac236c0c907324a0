// CPtrList: one heap node per element.
#include "CPtrList.h"

CPtrList::CPtrList() : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0) {}

CPtrList::~CPtrList() { RemoveAll(); }

void* CPtrList::GetHead() const { return m_pNodeHead ? m_pNodeHead->data : NULL; }
void* CPtrList::GetTail() const { return m_pNodeTail ? m_pNodeTail->data : NULL; }

void* CPtrList::RemoveHead()
{
    if (!m_pNodeHead)
        return NULL;
    void* data = m_pNodeHead->data;
    RemoveAt(AsPosition(m_pNodeHead));
    return data;
}

void* CPtrList::RemoveTail()
{
    if (!m_pNodeTail)
        return NULL;
    void* data = m_pNodeTail->data;
    RemoveAt(AsPosition(m_pNodeTail));
    return data;
}

POSITION CPtrList::AddHead(void* element)
{
    Node* node = new Node{ m_pNodeHead, NULL, element };
    if (m_pNodeHead)
        m_pNodeHead->prev = node;
    else
        m_pNodeTail = node;
    m_pNodeHead = node;
    ++m_nCount;
    return AsPosition(node);
}

POSITION CPtrList::AddTail(void* element)
{
    Node* node = new Node{ NULL, m_pNodeTail, element };
    if (m_pNodeTail)
        m_pNodeTail->next = node;
    else
        m_pNodeHead = node;
    m_pNodeTail = node;
    ++m_nCount;
    return AsPosition(node);
}

void CPtrList::AddHead(CPtrList* other)
{
    if (!other || other == this)
        return;
    for (Node* n = other->m_pNodeTail; n; n = n->prev)
        AddHead(n->data);
}

void CPtrList::AddTail(CPtrList* other)
{
    if (!other || other == this)
        return;
    for (Node* n = other->m_pNodeHead; n; n = n->next)
        AddTail(n->data);
}

void CPtrList::RemoveAll()
{
    Node* n = m_pNodeHead;
    while (n)
    {
        Node* next = n->next;
        delete n;
        n = next;
    }
    m_pNodeHead = m_pNodeTail = NULL;
    m_nCount = 0;
}

POSITION CPtrList::GetHeadPosition() const { return AsPosition(m_pNodeHead); }
POSITION CPtrList::GetTailPosition() const { return AsPosition(m_pNodeTail); }

void* CPtrList::GetNext(POSITION& pos) const
{
    Node* node = AsNode(pos);
    if (!node)
        return NULL;
    pos = AsPosition(node->next);
    return node->data;
}

void* CPtrList::GetPrev(POSITION& pos) const
{
    Node* node = AsNode(pos);
    if (!node)
        return NULL;
    pos = AsPosition(node->prev);
    return node->data;
}

void* CPtrList::GetAt(POSITION pos) const { return pos ? AsNode(pos)->data : NULL; }

void CPtrList::SetAt(POSITION pos, void* element)
{
    if (pos)
        AsNode(pos)->data = element;
}

void CPtrList::RemoveAt(POSITION pos)
{
    Node* node = AsNode(pos);
    if (!node)
        return;
    if (node->prev)
        node->prev->next = node->next;
    else
        m_pNodeHead = node->next;
    if (node->next)
        node->next->prev = node->prev;
    else
        m_pNodeTail = node->prev;
    delete node;
    --m_nCount;
}

POSITION CPtrList::InsertBefore(POSITION pos, void* element)
{
    Node* at = AsNode(pos);
    if (!at)
        return AddHead(element);
    Node* node = new Node{ at, at->prev, element };
    if (at->prev)
        at->prev->next = node;
    else
        m_pNodeHead = node;
    at->prev = node;
    ++m_nCount;
    return AsPosition(node);
}

POSITION CPtrList::InsertAfter(POSITION pos, void* element)
{
    Node* at = AsNode(pos);
    if (!at)
        return AddTail(element);
    Node* node = new Node{ at->next, at, element };
    if (at->next)
        at->next->prev = node;
    else
        m_pNodeTail = node;
    at->next = node;
    ++m_nCount;
    return AsPosition(node);
}

POSITION CPtrList::Find(void* element, POSITION startAfter) const
{
    Node* n = startAfter ? AsNode(startAfter)->next : m_pNodeHead;
    for (; n; n = n->next)
        if (n->data == element)
            return AsPosition(n);
    return NULL;
}

POSITION CPtrList::FindIndex(int index) const
{
    if (index < 0 || index >= m_nCount)
        return NULL;
    Node* n = m_pNodeHead;
    while (index--)
        n = n->next;
    return AsPosition(n);
}
