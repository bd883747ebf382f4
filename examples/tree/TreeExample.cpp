// The tree control as a child window of the host's own window. Children of a
// folder are added when it first expands (TVN_ITEMEXPANDINGW), as an owner of
// the platform's tree-view would add them; selection changes are reported.
//
//     tree_example [--check]
//
// --check expands the first folder, selects its second child, checks what the
// owner heard, and exits (0 when all went as expected).
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include "treectrl/SECTreeCtrl.h"

namespace {
const UINT kTreeId = 10;
}

class CMainWnd : public CWnd
{
public:
    SECTreeCtrl m_tree;
    int m_nExpansions = 0; // folders filled on demand
    CString m_strSelected; // label of the last item selected

    BOOL CreateMain()
    {
        // A null class name gives the framework's default window class.
        if (!CreateEx(0, nullptr, L"Tree example", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100, 320, 280,
                      nullptr, nullptr))
            return FALSE;
        CRect client;
        GetClientRect(&client);
        if (!m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                           client, this, kTreeId))
            return FALSE;
        for (LPCWSTR name : {L"Documents", L"Pictures"}) {
            TVINSERTSTRUCTW insert{};
            insert.hParent = TVI_ROOT;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
            insert.item.pszText = const_cast<LPWSTR>(name);
            insert.item.cChildren = 1; // a button now, children when it first opens
            m_tree.InsertItem(&insert);
        }
        return TRUE;
    }

protected:
    // TVN_ITEMEXPANDINGW: fills a folder the first time it opens; answering 1 would refuse.
    void OnItemExpanding(NMHDR* pHeader, LRESULT* pResult)
    {
        const NMTREEVIEWW* info = reinterpret_cast<NMTREEVIEWW*>(pHeader);
        *pResult = 0;
        if (info->action != TVE_EXPAND || m_tree.GetChildItem(info->itemNew.hItem) != nullptr)
            return;
        ++m_nExpansions;
        for (LPCWSTR name : {L"2024", L"2025", L"2026"})
            m_tree.InsertItem(name, info->itemNew.hItem);
    }
    // TVN_SELCHANGEDW: the new selection is itemNew.
    void OnSelChanged(NMHDR* pHeader, LRESULT*)
    {
        m_strSelected = m_tree.GetItemText(reinterpret_cast<NMTREEVIEWW*>(pHeader)->itemNew.hItem);
    }
    void OnSize(UINT, int cx, int cy)
    {
        if (m_tree.m_hWnd != nullptr)
            m_tree.MoveWindow(0, 0, cx, cy);
    }
    void PostNcDestroy() override { PostQuitMessage(0); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainWnd, CWnd)
    ON_NOTIFY(TVN_ITEMEXPANDINGW, kTreeId, &CMainWnd::OnItemExpanding)
    ON_NOTIFY(TVN_SELCHANGEDW, kTreeId, &CMainWnd::OnSelChanged)
    ON_WM_SIZE()
END_MESSAGE_MAP()

int wmain(int argc, wchar_t** argv)
{
    const bool check = argc > 1 && lstrcmpW(argv[1], L"--check") == 0;
    CMainWnd main;
    if (!main.CreateMain())
        return 2;
    if (!check) {
        main.ShowWindow(SW_SHOW);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return 0;
    }
    SECTreeCtrl& tree = main.m_tree;
    const HTREEITEM documents = tree.GetRootItem();
    tree.Expand(documents, TVE_EXPAND);
    tree.Expand(documents, TVE_COLLAPSE);
    tree.Expand(documents, TVE_EXPAND); // filled once only
    const HTREEITEM second = tree.GetNextSiblingItem(tree.GetChildItem(documents));
    tree.SelectItem(second, TVGN_CARET);
    const int items = tree.CountChildren(TVI_ROOT, TRUE);
    const bool ok = main.m_nExpansions == 1 && items == 5 && main.m_strSelected == L"2025";
    std::printf("tree example: %d items, %d folder filled on demand, selected \"%ls\"%s\n", items,
                main.m_nExpansions, main.m_strSelected.GetString(), ok ? "" : " WRONG");
    main.DestroyWindow();
    return ok ? 0 : 3;
}
