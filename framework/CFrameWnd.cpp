#include "framework/CFrameWnd.h"
#include "framework/AfxResource.h"
#include "framework/CDocument.h"
#include "framework/CView.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCWSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    m_hMenu = nullptr;
    if (lpszMenuName != nullptr) {
        HINSTANCE hModule = AfxFindResourceHandle(lpszMenuName, RT_MENU);
        m_hMenu = hModule != nullptr ? ::LoadMenuW(hModule, lpszMenuName) : nullptr;
    }
    const BOOL bDefault = rect.left == CW_USEDEFAULT;
    const int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    const int cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, bDefault ? CW_USEDEFAULT : rect.top,
                  cx, cy, AfxSafeHwnd(pParentWnd), m_hMenu, pContext)) {
        if (m_hMenu != nullptr && !::IsWindow(m_hWnd))
            ::DestroyMenu(m_hMenu);
        m_hMenu = nullptr;
        return FALSE;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (pContext == nullptr || pContext->m_pNewView == nullptr || m_hWnd == nullptr)
        return nullptr;
    CView* pView = pContext->m_pNewView;
    if (pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(pView);
    CRect client;
    GetClientRect(&client);
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, client, this, nID, pContext)) {
        if (pContext->m_pCurrentDoc != nullptr)
            pContext->m_pCurrentDoc->RemoveView(pView);
        return nullptr;
    }
    if (m_pActiveView == nullptr)
        m_pActiveView = pView;
    return pView;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (m_hWnd == nullptr)
        return;
    if (pDoc != nullptr) {
        POSITION pos = pDoc->GetFirstViewPosition();
        while (pos != nullptr) {
            CView* pView = pDoc->GetNextView(pos);
            if (pView->m_hWnd != nullptr && ::IsChild(m_hWnd, pView->m_hWnd))
                pView->OnInitialUpdate();
        }
        if (!pDoc->GetTitle().IsEmpty())
            SetWindowText(pDoc->GetTitle());
    }
    RecalcLayout();
    if (bMakeVisible) {
        ShowWindow(SW_SHOW);
        UpdateWindow();
    }
}

CView* CFrameWnd::GetActiveView() const
{
    // A view whose window went is no longer active.
    if (m_pActiveView != nullptr && (m_pActiveView->m_hWnd == nullptr || !::IsWindow(m_pActiveView->m_hWnd)))
        return nullptr;
    return m_pActiveView;
}

void CFrameWnd::SetActiveView(CView* pView, BOOL bNotify)
{
    m_pActiveView = pView;
    if (bNotify && pView != nullptr && pView->m_hWnd != nullptr)
        pView->SetFocus();
}

void CFrameWnd::RecalcLayout(BOOL /*bNotify*/)
{
    HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (hPane == nullptr)
        return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    ::MoveWindow(hPane, 0, 0, client.right, client.bottom, TRUE);
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (result == -1)
            return -1;
        auto* pCreate = reinterpret_cast<LPCREATESTRUCTW>(lParam);
        auto* pContext = static_cast<CCreateContext*>(pCreate->lpCreateParams);
        if (pContext != nullptr && CreateView(pContext) == nullptr)
            return -1;
        return result;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            RecalcLayout();
        break;
    case WM_SETFOCUS:
        if (CView* pView = GetActiveView()) {
            pView->SetFocus();
            return 0;
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Menus and accelerators: the active view first.
    CView* pView = GetActiveView();
    if (pView != nullptr && (lParam == 0 || reinterpret_cast<HWND>(lParam) != pView->m_hWnd)) {
        LRESULT result = 0;
        if (pView->OnWndMsg(WM_COMMAND, wParam, lParam, &result))
            return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}
