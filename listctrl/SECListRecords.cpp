#include "listctrl/SECListRecords.h"
#include <cwchar>
#include "listctrl/SECListPool.h"

LPWSTR SECListCopyText(LPCWSTR pszText)
{
    if (pszText == nullptr || SECListIsCallbackText(pszText))
        return const_cast<LPWSTR>(pszText);
    const size_t n = std::wcslen(pszText);
    LPWSTR copy = static_cast<LPWSTR>(SECListPool::Allocate((n + 1) * sizeof(WCHAR)));
    std::wmemcpy(copy, pszText, n + 1);
    return copy;
}

void SECListFreeText(LPWSTR pszText)
{
    if (pszText != nullptr && !SECListIsCallbackText(pszText))
        SECListPool::Free(pszText);
}

SECListSubItem::~SECListSubItem()
{
    SECListFreeText(m_pszText);
}

SECListItem::~SECListItem()
{
    SECListFreeText(m_pszText);
    for (INT_PTR i = 0; i < m_subItems.GetSize(); ++i)
        delete m_subItems[i];
}

void* SECListSubItem::operator new(size_t cb)
{
    return SECListPool::Allocate(cb);
}

void SECListSubItem::operator delete(void* p) noexcept
{
    SECListPool::Free(p);
}

void* SECListItem::operator new(size_t cb)
{
    return SECListPool::Allocate(cb);
}

void SECListItem::operator delete(void* p) noexcept
{
    SECListPool::Free(p);
}
