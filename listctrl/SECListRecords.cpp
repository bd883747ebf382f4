#include "listctrl/SECListRecords.h"
#include <cwchar>

LPWSTR SECListCopyText(LPCWSTR pszText)
{
    if (pszText == nullptr || SECListIsCallbackText(pszText))
        return const_cast<LPWSTR>(pszText);
    const size_t n = std::wcslen(pszText);
    LPWSTR copy = new WCHAR[n + 1];
    std::wmemcpy(copy, pszText, n + 1);
    return copy;
}

void SECListFreeText(LPWSTR pszText)
{
    if (pszText != nullptr && !SECListIsCallbackText(pszText))
        delete[] pszText;
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
