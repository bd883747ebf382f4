// CFrameWnd: a top-level window holding views. The creation context names
// the view to create and its document; this framework has no dynamic
// creation, so the caller makes the view object and keeps it (it outlives the
// frame's window). Commands (menus, accelerators) go to the active view first.
//
//     CMyDocument doc;
//     SECListView view;
//     CFrameWnd frame;
//     CCreateContext context;
//     context.m_pNewView = &view;
//     context.m_pCurrentDoc = &doc;
//     frame.Create(nullptr, L"Files", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr, nullptr, 0, &context);
//     frame.InitialUpdateFrame(&doc, TRUE);
#pragma once
#include "framework/CPrintInfo.h"
#include "framework/CWnd.h"

class CDocument;
class CView;

struct CCreateContext
{
    CView* m_pNewView = nullptr;      // the view to create (made and owned by the caller)
    CDocument* m_pCurrentDoc = nullptr; // its document, may be null
};

class MORVA_API CFrameWnd : public CWnd
{
    DECLARE_DYNAMIC(CFrameWnd)
public:
    static const CRect rectDefault; // lets the system place and size the window

    CFrameWnd();
    ~CFrameWnd() override;

    using CWnd::Create;
    // lpszMenuName: a menu resource of the resource module, or null.
    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCWSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Creates pContext->m_pNewView as a child with id nID, attached to the
    // context's document; the first view becomes the active one.
    virtual CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // OnInitialUpdate of the frame's views, then shows the frame.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    CView* GetActiveView() const;
    void SetActiveView(CView* pView, BOOL bNotify = TRUE);
    // Places the views in the client area: the first pane fills it.
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    CView* m_pActiveView = nullptr; // the view commands go to first, not owned
    HMENU m_hMenu = nullptr;        // menu loaded by Create (owned by the window)
};
