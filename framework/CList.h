// CList: a doubly linked list with MFC's POSITION-based interface.
#pragma once
#include <windows.h>
#include "framework/AfxException.h"
#include "framework/AfxPosition.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList
{
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR /*nBlockSize*/ = 10) {}
    virtual ~CList() { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    // Attributes
    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }
    TYPE& GetHead() { return Node(Head())->data; }
    const TYPE& GetHead() const { return Node(Head())->data; }
    TYPE& GetTail() { return Node(Tail())->data; }
    const TYPE& GetTail() const { return Node(Tail())->data; }

    // Adding and removing at the ends
    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(Head(), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(Tail(), newElement); }
    TYPE RemoveHead()
    {
        CNode* node = Node(Head());
        TYPE value = node->data;
        Unlink(node);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* node = Node(Tail());
        TYPE value = node->data;
        Unlink(node);
        return value;
    }
    void RemoveAll()
    {
        while (m_head != nullptr) {
            CNode* next = m_head->pNext;
            delete m_head;
            m_head = next;
        }
        m_tail = nullptr;
        m_count = 0;
    }

    // Iteration
    POSITION GetHeadPosition() const { return Head(); }
    POSITION GetTailPosition() const { return Tail(); }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* node = Node(rPosition);
        rPosition = reinterpret_cast<POSITION>(node->pNext);
        return node->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* node = Node(rPosition);
        rPosition = reinterpret_cast<POSITION>(node->pNext);
        return node->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* node = Node(rPosition);
        rPosition = reinterpret_cast<POSITION>(node->pPrev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* node = Node(rPosition);
        rPosition = reinterpret_cast<POSITION>(node->pPrev);
        return node->data;
    }

    // Access and change at a position
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(Node(position)); }
    // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        CNode* before = position ? Node(position) : m_head;
        CNode* node = new CNode{before, before ? before->pPrev : m_tail, TYPE(newElement)};
        Link(node);
        return reinterpret_cast<POSITION>(node);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        CNode* after = position ? Node(position) : m_tail;
        CNode* node = new CNode{after ? after->pNext : m_head, after, TYPE(newElement)};
        Link(node);
        return reinterpret_cast<POSITION>(node);
    }

    // Searching; null when absent
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* node = startAfter ? Node(startAfter)->pNext : m_head;
        for (; node != nullptr; node = node->pNext) {
            if (node->data == searchValue)
                return reinterpret_cast<POSITION>(node);
        }
        return nullptr;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_count)
            return nullptr;
        CNode* node = m_head;
        while (nIndex-- > 0)
            node = node->pNext;
        return reinterpret_cast<POSITION>(node);
    }

private:
    POSITION Head() const { return reinterpret_cast<POSITION>(m_head); }
    POSITION Tail() const { return reinterpret_cast<POSITION>(m_tail); }
    static CNode* Node(POSITION position)
    {
        if (position == nullptr)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(position);
    }
    void Link(CNode* node)
    {
        if (node->pPrev)
            node->pPrev->pNext = node;
        else
            m_head = node;
        if (node->pNext)
            node->pNext->pPrev = node;
        else
            m_tail = node;
        ++m_count;
    }
    void Unlink(CNode* node)
    {
        if (node->pPrev)
            node->pPrev->pNext = node->pNext;
        else
            m_head = node->pNext;
        if (node->pNext)
            node->pNext->pPrev = node->pPrev;
        else
            m_tail = node->pPrev;
        --m_count;
        delete node;
    }

    CNode* m_head = nullptr; // first node, null when empty
    CNode* m_tail = nullptr; // last node, null when empty
    INT_PTR m_count = 0;     // number of nodes
};
