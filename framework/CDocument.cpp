#include "framework/CDocument.h"
#include <algorithm>
#include "framework/CView.h"

IMPLEMENT_DYNAMIC(CDocument, CObject)

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    for (CView* pView : m_views)
        pView->m_pDocument = nullptr;
}

void CDocument::SetTitle(LPCWSTR lpszTitle)
{
    m_strTitle = lpszTitle != nullptr ? lpszTitle : L"";
}

BOOL CDocument::OnNewDocument()
{
    m_bModified = FALSE;
    return TRUE;
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || std::find(m_views.begin(), m_views.end(), pView) != m_views.end())
        return;
    if (pView->m_pDocument != nullptr && pView->m_pDocument != this)
        pView->m_pDocument->RemoveView(pView);
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_views.begin(), m_views.end(), pView);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    pView->m_pDocument = nullptr;
}

// A position is the index of the next view plus one (null ends).
POSITION CDocument::GetFirstViewPosition() const
{
    return m_views.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    const size_t index = reinterpret_cast<UINT_PTR>(rPosition) - 1;
    if (rPosition == nullptr || index >= m_views.size()) {
        rPosition = nullptr;
        return nullptr;
    }
    rPosition = index + 1 < m_views.size() ? reinterpret_cast<POSITION>(static_cast<UINT_PTR>(index + 2)) : nullptr;
    return m_views[index];
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // A view may leave the document while told: walk a copy.
    const std::vector<CView*> views = m_views;
    for (CView* pView : views) {
        if (pView != pSender && std::find(m_views.begin(), m_views.end(), pView) != m_views.end())
            pView->OnUpdate(pSender, lHint, pHint);
    }
}
