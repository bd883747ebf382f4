#include "listctrl/SECSubItemTextStorage.h"
#include <new>

namespace {
const UINT kHashSize = 17;  // buckets of the item map
const INT_PTR kBlockSize = 10; // allocation block of the item map
}

SECSubItemTextStorage::SECSubItemTextStorage() : m_items(kBlockSize)
{
    m_items.InitHashTable(kHashSize);
}

SECSubItemTextStorage::~SECSubItemTextStorage()
{
    POSITION pos = m_items.GetStartPosition();
    while (pos != nullptr) {
        HTREEITEM hItem;
        CStringArray* pTexts;
        m_items.GetNextAssoc(pos, hItem, pTexts);
        delete pTexts;
    }
    m_items.RemoveAll();
}

CStringArray* SECSubItemTextStorage::Find(HTREEITEM hItem) const
{
    CStringArray* pTexts = nullptr;
    return m_items.Lookup(hItem, pTexts) ? pTexts : nullptr;
}

BOOL SECSubItemTextStorage::SetText(HTREEITEM hItem, int nSubItem, LPCWSTR pszText)
{
    if (hItem == nullptr || nSubItem < 1)
        return FALSE;
    CStringArray* pNew = nullptr;
    try {
        CStringArray* pTexts = Find(hItem);
        if (pTexts == nullptr)
            pTexts = pNew = CreateTextArray();
        pTexts->SetAtGrow(nSubItem - 1, CString(pszText));
        // A new array joins the map only once it holds the text.
        if (pNew != nullptr)
            m_items.SetAt(hItem, pNew);
        return TRUE;
    } catch (CException* e) {
        delete pNew;
        if (dynamic_cast<CMemoryException*>(e) == nullptr)
            throw;
        OnMemoryError(*e);
        e->Delete();
    } catch (const std::bad_alloc&) {
        delete pNew;
        CMemoryException error;
        OnMemoryError(error);
    }
    return FALSE;
}

BOOL SECSubItemTextStorage::GetText(HTREEITEM hItem, int nSubItem, LPWSTR pszBuffer, int cchBuffer) const
{
    if (pszBuffer == nullptr || cchBuffer <= 0)
        return FALSE;
    pszBuffer[0] = L'\0';
    const CStringArray* pTexts = hItem != nullptr ? Find(hItem) : nullptr;
    if (pTexts == nullptr || nSubItem < 1 || nSubItem > pTexts->GetSize())
        return FALSE;
    const CString& text = pTexts->GetAt(nSubItem - 1);
    const int nCopy = text.GetLength() < cchBuffer ? text.GetLength() : cchBuffer - 1;
    const LPCWSTR pszText = text.GetString();
    for (int i = 0; i < nCopy; ++i)
        pszBuffer[i] = pszText[i];
    pszBuffer[nCopy] = L'\0';
    return TRUE;
}

BOOL SECSubItemTextStorage::RemoveItem(HTREEITEM hItem)
{
    CStringArray* pTexts = hItem != nullptr ? Find(hItem) : nullptr;
    if (pTexts == nullptr)
        return FALSE;
    m_items.RemoveKey(hItem);
    delete pTexts;
    return TRUE;
}

BOOL SECSubItemTextStorage::InsertColumn(int nSubItem)
{
    if (nSubItem < 1)
        return FALSE;
    POSITION pos = m_items.GetStartPosition();
    while (pos != nullptr) {
        HTREEITEM hItem;
        CStringArray* pTexts;
        m_items.GetNextAssoc(pos, hItem, pTexts);
        if (nSubItem - 1 <= pTexts->GetSize())
            pTexts->InsertAt(nSubItem - 1, CString());
    }
    return TRUE;
}

BOOL SECSubItemTextStorage::DeleteColumn(int nSubItem)
{
    if (nSubItem < 1)
        return FALSE;
    POSITION pos = m_items.GetStartPosition();
    while (pos != nullptr) {
        HTREEITEM hItem;
        CStringArray* pTexts;
        m_items.GetNextAssoc(pos, hItem, pTexts);
        if (nSubItem <= pTexts->GetSize())
            pTexts->RemoveAt(nSubItem - 1);
    }
    return TRUE;
}

BOOL SECSubItemTextStorage::MoveColumn(HTREEITEM hItem, int nFrom, int nTo)
{
    CStringArray* pTexts = hItem != nullptr ? Find(hItem) : nullptr;
    if (pTexts == nullptr || nFrom < 1 || nTo < 1)
        return FALSE;
    if (nFrom <= pTexts->GetSize()) {
        const CString text = pTexts->GetAt(nFrom - 1);
        pTexts->RemoveAt(nFrom - 1);
        pTexts->InsertAt(nTo - 1, text); // grows the array when nTo is past its end
    } else if (nTo <= pTexts->GetSize()) {
        pTexts->InsertAt(nTo - 1, CString());
    }
    return TRUE;
}

INT_PTR SECSubItemTextStorage::GetTextCount(HTREEITEM hItem) const
{
    const CStringArray* pTexts = hItem != nullptr ? Find(hItem) : nullptr;
    return pTexts != nullptr ? pTexts->GetSize() : 0;
}

CStringArray* SECSubItemTextStorage::CreateTextArray() { return new CStringArray; }

void SECSubItemTextStorage::OnMemoryError(const CException& e) { e.ReportError(); }
