#include "treectrl/TreeItemNode.h"
#include <cwchar>
#include "listctrl/SECListPool.h"

namespace {
LONG g_nLiveTexts = 0; // texts allocated by SetText and not yet freed
}

_Node::_Node()
    : m_item{}, m_nAttributes(0), m_nMinRowHeight(0), m_pRowRecord(nullptr), m_nTreeFlags(0), m_nSerial(0),
      m_pLabelCache(nullptr)
{
    m_item.iImage = noImage;
    m_item.iSelectedImage = noImage;
}

_Node::~_Node()
{
    FreeText(m_item.pszText);
    m_item.pszText = nullptr;
    delete m_pLabelCache;
}

SECTreeLabelCache& _Node::GetLabelCache()
{
    if (m_pLabelCache == nullptr)
        m_pLabelCache = new SECTreeLabelCache;
    return *m_pLabelCache;
}

BOOL _Node::IsExpanded() const { return (m_item.state & TVIS_EXPANDED) != 0; }

void _Node::SetExpanded(BOOL bExpanded)
{
    if (bExpanded)
        m_item.state |= TVIS_EXPANDED;
    else
        m_item.state &= ~static_cast<UINT>(TVIS_EXPANDED);
}

int _Node::GetItemType() const { return 0; }

void _Node::SetText(LPCWSTR pszText)
{
    LPWSTR pszNew = const_cast<LPWSTR>(pszText);
    if (pszText != nullptr && pszText != LPSTR_TEXTCALLBACKW) {
        const size_t nLength = std::wcslen(pszText);
        pszNew = static_cast<LPWSTR>(SECListPool::Allocate((nLength + 1) * sizeof(WCHAR)));
        std::wmemcpy(pszNew, pszText, nLength + 1);
        InterlockedIncrement(&g_nLiveTexts);
    }
    FreeText(m_item.pszText);
    m_item.pszText = pszNew;
}

LONG _Node::GetLiveTextCount() { return g_nLiveTexts; }

void _Node::FreeText(LPWSTR pszText)
{
    if (pszText == nullptr || pszText == LPSTR_TEXTCALLBACKW)
        return;
    SECListPool::Free(pszText);
    InterlockedDecrement(&g_nLiveTexts);
}
