// The tree control against the platform's tree-view on the same workloads:
// inserting many children under a collapsed item, expanding, collapsing and
// deleting them; building a balanced tree and expanding all of it; memory per
// item.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <string>
#include <vector>
#include "BenchSupport.h"
#include "treectrl/SECTreeCtrl.h"

namespace {
const int kTreeId = 200;
// Children per item of the balanced tree.
const int kBranching = 10;
// Style of both controls.
const DWORD kStyle = WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

// Label of item i, made once so that both controls copy the same strings.
struct Label
{
    WCHAR text[24]; // the label
    explicit Label(int i) { wsprintfW(text, L"Item number %06d", i); }
};

// --- this library ---------------------------------------------------------
struct OurTree
{
    SECTreeCtrl tree; // the control measured
    explicit OurTree(HWND host, DWORD dwExStyle = 0)
    {
        tree.Create(kStyle, dwExStyle, CRect(0, 0, 780, 560), CWnd::FromHandle(host), kTreeId);
    }
    HTREEITEM Insert(HTREEITEM hParent, int i)
    {
        Label label(i);
        return tree.InsertItem(label.text, hParent, TVI_LAST);
    }
};

// --- the platform's tree-view ---------------------------------------------
struct NativeTree
{
    HWND hwnd; // the platform's tree-view
    explicit NativeTree(HWND host)
    {
        hwnd = CreateWindowExW(0, WC_TREEVIEWW, L"", kStyle, 0, 0, 780, 560, host,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId + 1)), nullptr, nullptr);
    }
    ~NativeTree() { DestroyWindow(hwnd); }
    HTREEITEM Insert(HTREEITEM hParent, int i)
    {
        Label label(i);
        TVINSERTSTRUCTW insert{};
        insert.hParent = hParent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = label.text;
        return reinterpret_cast<HTREEITEM>(SendMessageW(hwnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    void Expand(HTREEITEM hItem, UINT code) { SendMessageW(hwnd, TVM_EXPAND, code, reinterpret_cast<LPARAM>(hItem)); }
    void DeleteAll() { SendMessageW(hwnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }
};

// Builds a balanced tree of n items breadth first through insert(parent, i);
// answers the items that have children, in pre-order of their creation.
template <class TInsert>
std::vector<HTREEITEM> BuildBalanced(int n, TInsert insert)
{
    std::vector<HTREEITEM> items;
    items.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        items.push_back(insert(i < kBranching ? TVI_ROOT : items[static_cast<size_t>(i / kBranching - 1)], i));
    std::vector<HTREEITEM> parents(items.begin(), items.begin() + std::min(n, n / kBranching));
    return parents;
}

void WideWorkloads(HWND host, int n, bool memory)
{
    const std::string size = std::to_string(n);
    double insert[2] = {};
    double expand[2] = {};
    double collapse[2] = {};
    double deleteAll[2] = {};
    SIZE_T bytes[2] = {};
    {
        const SIZE_T before = PrivateBytes();
        OurTree ours(host);
        HTREEITEM hParent = ours.tree.InsertItem(L"parent");
        insert[0] = TimeIt([&] {
            for (int i = 0; i < n; ++i)
                ours.Insert(hParent, i);
        });
        bytes[0] = PrivateBytes() - before;
        expand[0] = TimeIt([&] { ours.tree.Expand(hParent, TVE_EXPAND); });
        PumpMessages();
        collapse[0] = TimeIt([&] { ours.tree.Expand(hParent, TVE_COLLAPSE); });
        deleteAll[0] = TimeIt([&] { ours.tree.DeleteAllItems(); });
    }
    {
        NativeTree native(host);
        const SIZE_T before = PrivateBytes();
        HTREEITEM hParent = native.Insert(TVI_ROOT, -1);
        insert[1] = TimeIt([&] {
            for (int i = 0; i < n; ++i)
                native.Insert(hParent, i);
        });
        bytes[1] = PrivateBytes() - before;
        expand[1] = TimeIt([&] { native.Expand(hParent, TVE_EXPAND); });
        PumpMessages();
        collapse[1] = TimeIt([&] { native.Expand(hParent, TVE_COLLAPSE); });
        deleteAll[1] = TimeIt([&] { native.DeleteAll(); });
    }
    Report("insert " + size + " below a collapsed item", insert[0], insert[1]);
    Report("expand it, " + size + " rows", expand[0], expand[1]);
    Report("collapse it, " + size + " rows", collapse[0], collapse[1]);
    Report("delete all, " + size + " items", deleteAll[0], deleteAll[1]);
    if (memory)
        std::printf("%-46s %10.0f B %12.0f B\n", ("memory per item, " + size + " items").c_str(),
                    static_cast<double>(bytes[0]) / n, static_cast<double>(bytes[1]) / n);
    // The tree's own share: with rows that may wrap, the list measures only
    // the rows in sight instead of every row for the widest label.
    OurTree wrapping(host, SEC_TVSX_WRAPLABELS);
    HTREEITEM hParent = wrapping.tree.InsertItem(L"parent");
    for (int i = 0; i < n; ++i)
        wrapping.Insert(hParent, i);
    const double wrapExpand = TimeIt([&] { wrapping.tree.Expand(hParent, TVE_EXPAND); });
    const double wrapCollapse = TimeIt([&] { wrapping.tree.Expand(hParent, TVE_COLLAPSE); });
    Report("expand, rows may wrap, " + size + " rows", wrapExpand, expand[1]);
    Report("collapse, rows may wrap, " + size + " rows", wrapCollapse, collapse[1]);
}

void BalancedWorkloads(HWND host, int n)
{
    const std::string size = std::to_string(n);
    double build[2] = {};
    double expandAll[2] = {};
    {
        OurTree ours(host);
        build[0] = TimeIt([&] { BuildBalanced(n, [&](HTREEITEM hParent, int i) { return ours.Insert(hParent, i); }); });
        expandAll[0] = TimeIt([&] { ours.tree.ExpandAll(TVI_ROOT); });
    }
    {
        NativeTree native(host);
        std::vector<HTREEITEM> parents;
        build[1] = TimeIt([&] {
            parents = BuildBalanced(n, [&](HTREEITEM hParent, int i) { return native.Insert(hParent, i); });
        });
        // The platform has no expand-all: every item with children, deepest
        // first, so that only the last expansions make rows visible.
        expandAll[1] = TimeIt([&] {
            for (auto it = parents.rbegin(); it != parents.rend(); ++it)
                native.Expand(*it, TVE_EXPAND);
        });
    }
    Report("build balanced tree, " + size + " items", build[0], build[1]);
    Report("expand all, " + size + " items", expandAll[0], expandAll[1]);
    OurTree wrapping(host, SEC_TVSX_WRAPLABELS);
    BuildBalanced(n, [&](HTREEITEM hParent, int i) { return wrapping.Insert(hParent, i); });
    Report("expand all, rows may wrap, " + size + " items", TimeIt([&] { wrapping.tree.ExpandAll(TVI_ROOT); }),
           expandAll[1]);
}
} // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    bool quick = false;
    for (int i = 1; i < argc; ++i)
        quick |= std::string(argv[i]) == "--quick";
    HWND host = CreateHostWindow();
    if (host == nullptr) {
        std::fprintf(stderr, "no window could be created\n");
        return 1;
    }
    const int n = quick ? 10000 : 100000;
    std::printf("%-46s %14s %14s %9s\n", "workload", "this library", "native", "ratio");
    WideWorkloads(host, n, true);
    BalancedWorkloads(host, n);
    DestroyWindow(host);
    return 0;
}
