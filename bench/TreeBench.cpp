// The tree control against the platform's tree-view in the same process run:
// inserting many children below a collapsed item, expanding and collapsing
// it, deleting every other child of an expanded item, deleting all items,
// building a balanced tree and expanding all of it, sorting the children of an
// expanded item by a callback, the heap committed per
// item with its row; and SECTreeNode::AddChild on the node layer alone, which
// has no native counterpart. Every size-dependent workload is timed at 10^3 to
// 10^6 items and its growth order fitted.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "BenchSupport.h"
#include "treectrl/SECTreeCtrl.h"
#include "treectrl/SECTreeNode.h"

using namespace bench;

namespace {
const int kTreeId = 200;
// Size the table's workloads are stated for, and that of deleting every other child.
const int kTableSize = 100000;
const int kDeleteTableSize = 40000;
// Children per item of the balanced tree.
const int kBranching = 10;
// Native trees of this many items are not emptied when destroyed (see ~NativeTree).
const LRESULT kNativeLeakItems = 200000;
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
    HWND Hwnd() const { return tree.m_hWnd; }
    HTREEITEM Insert(HTREEITEM hParent, int i)
    {
        Label label(i);
        return tree.InsertItem(label.text, hParent, TVI_LAST);
    }
    HTREEITEM InsertData(HTREEITEM hParent, int i, LPARAM lParam)
    {
        Label label(i);
        return tree.InsertItem(TVIF_TEXT | TVIF_PARAM, label.text, 0, 0, 0, 0, lParam, hParent, TVI_LAST);
    }
    void SortByData(HTREEITEM hParent, PFNTVCOMPARE pfnCompare)
    {
        TVSORTCB sort{hParent, pfnCompare, 0};
        tree.SortChildrenCB(&sort);
    }
    void Expand(HTREEITEM hItem, UINT code) { tree.Expand(hItem, code); }
    void Delete(HTREEITEM hItem) { tree.DeleteItem(hItem); }
    void DeleteAll() { tree.DeleteAllItems(); }
    // The control's own expand-all.
    void ExpandAll(const std::vector<HTREEITEM>& /*parents*/) { tree.ExpandAll(TVI_ROOT); }
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
    ~NativeTree()
    {
        // Destroying the tree-view deletes its items one by one, each looked
        // up in a flat array in the platform's build under Wine (minutes for
        // 10^6 items): a tree that large loses its window procedure first,
        // and its items go with the process.
        if (SendMessageW(hwnd, TVM_GETCOUNT, 0, 0) >= kNativeLeakItems)
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
        DestroyWindow(hwnd);
    }
    NativeTree(const NativeTree&) = delete;
    NativeTree& operator=(const NativeTree&) = delete;
    HWND Hwnd() const { return hwnd; }
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
    HTREEITEM InsertData(HTREEITEM hParent, int i, LPARAM lParam)
    {
        Label label(i);
        TVINSERTSTRUCTW insert{};
        insert.hParent = hParent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = label.text;
        insert.item.lParam = lParam;
        return reinterpret_cast<HTREEITEM>(SendMessageW(hwnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    void SortByData(HTREEITEM hParent, PFNTVCOMPARE pfnCompare)
    {
        TVSORTCB sort{hParent, pfnCompare, 0};
        SendMessageW(hwnd, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    }
    void Expand(HTREEITEM hItem, UINT code) { SendMessageW(hwnd, TVM_EXPAND, code, reinterpret_cast<LPARAM>(hItem)); }
    void Delete(HTREEITEM hItem) { SendMessageW(hwnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)); }
    void DeleteAll() { Delete(TVI_ROOT); }
    // The platform has no expand-all: every item with children, deepest
    // first, so that only the last expansions make rows visible.
    void ExpandAll(const std::vector<HTREEITEM>& parents)
    {
        for (auto it = parents.rbegin(); it != parents.rend(); ++it)
            Expand(*it, TVE_EXPAND);
    }
};

// Every timed workload of one control.
struct TreeSeries
{
    Series insert{"insert n children below a collapsed item", ""};
    Series expand{"expand it (one column, single-line rows)", ""};
    Series collapse{"collapse it", ""};
    Series deleteAll{"delete all, n + 1 items", ""};
    Series build{"build a balanced tree of n items", ""};
    Series expandAll{"expand all, balanced tree of n items", ""};
    Series deleteEveryOther{"delete every other child of an expanded item", ""};
    Series addChild{"SECTreeNode::AddChild at the last position", ""};
    Series wrapExpand{"expand, rows may wrap", ""};
    Series wrapCollapse{"collapse, rows may wrap", ""};
    Series paint{"first paint of the page after expanding (WM_PRINTCLIENT)", ""};
    Series pageDown{"page down + paint (WM_PRINTCLIENT)", ""};
    Series sort{"sort n expanded children by callback", ""};
    explicit TreeSeries(const std::string& who)
    {
        for (Series* s : {&insert, &expand, &collapse, &deleteAll, &build, &expandAll, &deleteEveryOther, &addChild,
                          &wrapExpand, &wrapCollapse, &paint, &pageDown, &sort})
            *s = Series(s->Workload(), who);
        // Later steps of a run start from what these leave.
        insert.SetRequired();
        expand.SetRequired();
    }
};

// Builds a balanced tree of n items breadth first through insert(parent, i);
// answers the items that have children.
template <class TInsert>
std::vector<HTREEITEM> BuildBalanced(int n, TInsert insert)
{
    std::vector<HTREEITEM> items;
    items.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        items.push_back(insert(i < kBranching ? TVI_ROOT : items[static_cast<size_t>(i / kBranching - 1)], i));
    return std::vector<HTREEITEM>(items.begin(), items.begin() + n / kBranching);
}

// An item with n children; answers the item, the children in items.
template <class TTree>
HTREEITEM InsertChildren(TTree& tree, int n, std::vector<HTREEITEM>* items)
{
    HTREEITEM hParent = tree.Insert(TVI_ROOT, -1);
    for (int i = 0; i < n; ++i) {
        HTREEITEM hItem = tree.Insert(hParent, i);
        if (items != nullptr)
            items->push_back(hItem);
    }
    return hParent;
}

// One collapse of the expanded item, timed, on a shown tree (the other hidden).
template <class TTree>
void CollapseOnce(TTree& tree, HTREEITEM hParent, HWND hHidden, Series& collapse, int n)
{
    ShowInTurn(tree.Hwnd(), hHidden);
    tree.Expand(hParent, TVE_EXPAND);
    UpdateNow(tree.Hwnd());
    PumpMessages();
    collapse.Time(n, [&] { tree.Expand(hParent, TVE_COLLAPSE); });
    UpdateNow(tree.Hwnd());
    PumpMessages();
}

// Collapses compare the two controls on the same work: both trees hold n
// children, and their collapses alternate, so that a slow spell of the
// machine, which lasts seconds on a virtual machine, falls on both of them
// instead of on one (a collapse takes milliseconds).
void RunCollapseSideBySide(HWND host, TreeSeries& ours, TreeSeries& native, int n)
{
    OurTree a(host);
    NativeTree b(host);
    const HTREEITEM hA = InsertChildren(a, n, nullptr);
    const HTREEITEM hB = InsertChildren(b, n, nullptr);
    for (int run = 0; run < kRuns; ++run) {
        CollapseOnce(a, hA, b.Hwnd(), ours.collapse, n);
        CollapseOnce(b, hB, a.Hwnd(), native.collapse, n);
    }
}

// The workloads of one control at n but collapses, each run on a new control.
template <class TTree>
void RunSize(HWND host, TreeSeries& s, int n)
{
    const double start = Now();
    const int runs = RunsFor(s.insert, n);
    for (int run = 0; run < runs; ++run) {
        TTree tree(host);
        HTREEITEM hParent = nullptr;
        s.insert.Time(n, [&] { hParent = InsertChildren(tree, n, nullptr); });
        UpdateNow(tree.Hwnd());
        s.expand.Time(n, [&] { tree.Expand(hParent, TVE_EXPAND); });
        // Painted into a memory DC, as a host printing or snapshotting does:
        // the first paint measures the page's rows.
        if (s.paint.Repeat(n))
            s.paint.Add(n, PrintClientMedian(tree.Hwnd(), 1));
        if (s.pageDown.Repeat(n)) {
            SendMessageW(tree.Hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
            s.pageDown.Add(n, PrintClientMedian(tree.Hwnd(), 1));
        }
        UpdateNow(tree.Hwnd());
        PumpMessages();
        s.deleteAll.Time(n, [&] { tree.DeleteAll(); });
    }
    // Expanding all needs the balanced tree built: both run, or neither.
    const bool buildWanted = s.build.Wanted(n);
    const bool expandAllWanted = s.expandAll.Wanted(n);
    const int balancedRuns = buildWanted && expandAllWanted ? RunsFor(s.build, n) : 0;
    for (int run = 0; run < balancedRuns && s.build.Repeat(n) && s.expandAll.Repeat(n); ++run) {
        TTree tree(host);
        std::vector<HTREEITEM> parents;
        s.build.Time(n, [&] {
            parents = BuildBalanced(n, [&](HTREEITEM hParent, int i) { return tree.Insert(hParent, i); });
        });
        s.expandAll.Time(n, [&] { tree.ExpandAll(parents); });
        UpdateNow(tree.Hwnd());
        PumpMessages();
    }
    std::fprintf(stderr, ".. tree, %s items, %s: %d run(s), %.1f s\n", SizeName(n).c_str(), s.insert.Who().c_str(),
                 runs, Now() - start);
}

// Deleting every other child of an expanded item with n children, one by one,
// with redrawing off around the loop as a host does.
template <class TTree>
void RunDeleteEveryOther(HWND host, TreeSeries& s, int n)
{
    const int runs = RunsFor(s.insert, n);
    for (int run = 0; run < runs && s.deleteEveryOther.Repeat(n); ++run) {
        TTree tree(host);
        std::vector<HTREEITEM> items;
        items.reserve(static_cast<size_t>(n));
        HTREEITEM hParent = InsertChildren(tree, n, &items);
        tree.Expand(hParent, TVE_EXPAND);
        UpdateNow(tree.Hwnd());
        PumpMessages();
        s.deleteEveryOther.Time(n, [&] {
            SetRedraw(tree.Hwnd(), false);
            for (size_t i = 0; i < items.size(); i += 2)
                tree.Delete(items[i]);
            SetRedraw(tree.Hwnd(), true);
        });
    }
}

// The node layer alone: n nodes made beforehand, each linked after the last.
void RunAddChild(TreeSeries& s, int n)
{
    for (int run = 0; run < kRuns && s.addChild.Repeat(n); ++run) {
        std::vector<SECTreeNode*> nodes(static_cast<size_t>(n));
        for (SECTreeNode*& node : nodes)
            node = new SECTreeNode;
        SECTreeNode* parent = new SECTreeNode;
        s.addChild.Time(n, [&] {
            for (SECTreeNode* node : nodes)
                SECTreeNode::AddChild(parent, node, SECTreeNode::addLast);
        });
        delete parent; // and with it every child
    }
}

// The comparison of the sort: item data ascending.
int CALLBACK CompareData(LPARAM a, LPARAM b, LPARAM)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

// Sorting the n children of an expanded item by their data, a permutation of
// 0..n-1 in a scattered order, through the owner's callback.
template <class TTree>
void RunSort(HWND host, TreeSeries& s, int n)
{
    for (int run = 0; run < kRuns && s.sort.Repeat(n); ++run) {
        TTree tree(host);
        HTREEITEM hParent = tree.Insert(TVI_ROOT, -1);
        // 7919 is prime and does not divide the sizes: i -> i * 7919 mod n is a permutation.
        for (int i = 0; i < n; ++i)
            tree.InsertData(hParent, i, static_cast<LPARAM>((static_cast<long long>(i) * 7919) % n));
        tree.Expand(hParent, TVE_EXPAND);
        UpdateNow(tree.Hwnd());
        PumpMessages();
        s.sort.Time(n, [&] { tree.SortByData(hParent, &CompareData); });
        UpdateNow(tree.Hwnd());
        PumpMessages();
    }
}

// Only this library has rows that wrap.
void RunWrapping(HWND host, TreeSeries& s, int n)
{
    for (int run = 0; run < kRuns; ++run) {
        OurTree tree(host, SEC_TVSX_WRAPLABELS);
        HTREEITEM hParent = InsertChildren(tree, n, nullptr);
        UpdateNow(tree.Hwnd());
        s.wrapExpand.Time(n, [&] { tree.Expand(hParent, TVE_EXPAND); });
        UpdateNow(tree.Hwnd());
        PumpMessages();
        s.wrapCollapse.Time(n, [&] { tree.Expand(hParent, TVE_COLLAPSE); });
    }
}

// In a fresh process: the heap committed by n expanded children of one control.
template <class TTree>
void MeasureTree(HWND host, int n, MemoryUse& before, MemoryUse& after)
{
    TTree tree(host);
    HTREEITEM hParent = tree.Insert(TVI_ROOT, -1);
    UpdateNow(tree.Hwnd());
    before = MeasureMemory();
    for (int i = 0; i < n; ++i)
        tree.Insert(hParent, i);
    tree.Expand(hParent, TVE_EXPAND);
    UpdateNow(tree.Hwnd());
    after = MeasureMemory();
}

int MemoryChild(const std::string& who, int n)
{
    HWND host = CreateHostWindow();
    if (host == nullptr)
        return 1;
    MemoryUse before;
    MemoryUse after;
    if (who == "ours")
        MeasureTree<OurTree>(host, n, before, after);
    else
        MeasureTree<NativeTree>(host, n, before, after);
    PrintMemoryChildResult(before, after, n);
    return 0;
}

Row MakeRow(const std::string& group, const std::string& label, const Series& ours, const Series* native, int n)
{
    Row row;
    row.group = group;
    row.label = label;
    row.ours = ours.At(n);
    row.native = native != nullptr ? native->At(n) : -1;
    return row;
}
} // namespace

int main(int argc, char** argv)
{
    ParseOptions(argc, argv);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const Options& options = GetOptions();
    if (!options.child.empty())
        return options.child.size() == 3 && options.child[0] == "memory"
                   ? MemoryChild(options.child[1], std::atoi(options.child[2].c_str()))
                   : 2;

    HWND host = CreateHostWindow();
    if (host == nullptr) {
        std::fprintf(stderr, "no window could be created\n");
        return 1;
    }
    const std::vector<int> sizes =
        options.quick ? std::vector<int>{1000, 10000} : std::vector<int>{1000, 10000, 100000, 1000000};
    const std::vector<int> deleteSizes =
        options.quick ? std::vector<int>{1000, 4000} : std::vector<int>{1000, 10000, 40000, 100000, 1000000};
    const int tableN = options.quick ? 10000 : kTableSize;
    const int deleteN = options.quick ? 4000 : kDeleteTableSize;

    TreeSeries ours("ours");
    TreeSeries native("native");
    std::printf("tree control (ours) against the platform's tree-view (native), same process; times are medians "
                "of %d runs\n",
                kRuns);
    std::fflush(stdout);
    for (int n : sizes) {
        RunSize<OurTree>(host, ours, n);
        RunSize<NativeTree>(host, native, n);
        RunCollapseSideBySide(host, ours, native, n);
        RunAddChild(ours, n);
        RunSort<OurTree>(host, ours, n);
        RunSort<NativeTree>(host, native, n);
    }
    for (int n : deleteSizes) {
        RunDeleteEveryOther<OurTree>(host, ours, n);
        RunDeleteEveryOther<NativeTree>(host, native, n);
    }
    RunWrapping(host, ours, tableN);

    MemoryUse oursMemory;
    MemoryUse nativeMemory;
    const bool oursMeasured = RunMemoryChild({"memory", "ours", std::to_string(tableN)}, oursMemory);
    const bool nativeMeasured = RunMemoryChild({"memory", "native", std::to_string(tableN)}, nativeMemory);

    Results results("tree");
    const std::string tableSize = SizeName(tableN);
    results.Section("tree workloads (ratio = ours / native)");
    {
        Row row = MakeRow("AddChild at the last position",
                          "SECTreeNode::AddChild, last position, " + tableSize + " children", ours.addChild, nullptr,
                          tableN);
        GoalLinear(row, ours.addChild, 0.030, kTableSize, tableN);
        results.Add(row);
    }
    {
        Row row = MakeRow("delete every other child",
                          "delete every other child of an expanded item, " + SizeName(deleteN),
                          ours.deleteEveryOther, &native.deleteEveryOther, deleteN);
        GoalLinear(row, ours.deleteEveryOther);
        results.Add(row);
    }
    {
        Row row = MakeRow("expand", "expand " + tableSize + " children (one column, single-line)", ours.expand,
                          &native.expand, tableN);
        GoalAtMostNative(row);
        results.Add(row);
    }
    for (int n : {sizes.front(), sizes.back()}) {
        Row first = MakeRow("paint " + SizeName(n), "first paint of the page after expanding " + SizeName(n) +
                            " children", ours.paint, &native.paint, n);
        GoalAtMostNative(first);
        results.Add(first);
        Row page = MakeRow("paint " + SizeName(n), "page down, then its paint", ours.pageDown, &native.pageDown, n);
        GoalAtMostNative(page);
        results.Add(page);
    }
    {
        Row row = MakeRow("collapse", "collapse them", ours.collapse, &native.collapse, tableN);
        GoalAtMostNative(row);
        results.Add(row);
    }
    {
        Row row = MakeRow("sort by callback", "sort " + tableSize + " expanded children by callback", ours.sort,
                          &native.sort, tableN);
        GoalAtMostNative(row);
        results.Add(row);
    }
    {
        Row row = MakeRow("expand all", "expand all, " + tableSize + " items", ours.expandAll, &native.expandAll,
                          tableN);
        GoalAtMostSeconds(row, 0.100, kTableSize, tableN);
        results.Add(row);
    }
    {
        Row row;
        row.group = "memory per item";
        row.label = "heap committed per item with its row, " + tableSize + " items";
        row.bytes = true;
        row.ours = oursMeasured ? oursMemory.committed : -1;
        row.native = nativeMeasured ? nativeMemory.committed : -1;
        GoalAtMostBytes(row, 250);
        results.Add(row);
        Row blocks = row;
        blocks.group.clear();
        blocks.label = "  of which in heap blocks (HeapWalk)";
        blocks.ours = oursMeasured ? oursMemory.heapBlocks : -1;
        blocks.native = nativeMeasured ? nativeMemory.heapBlocks : -1;
        blocks.goal.clear();
        results.Add(blocks);
    }
    results.Note("AddChild: the node layer alone (no native counterpart); nodes are made beforehand, only the "
                 "linking is timed.");
    results.Note("Deleting every other child: redrawing off around the loop (WM_SETREDRAW), for both controls.");
    results.Note("Collapses: both trees filled at once, their collapses alternating (the other tree hidden), each "
                 "after an expansion that was painted.");
    results.Note("Memory: growth of the committed private memory while the children are inserted and expanded in a "
                 "fresh process; heap blocks: busy blocks with their headers over every heap (HeapWalk).");

    results.Section("other workloads (no goal)");
    results.Add(MakeRow("", "insert " + tableSize + " children below a collapsed item", ours.insert, &native.insert,
                        tableN));
    results.Add(MakeRow("", "delete all, " + tableSize + " + 1 items", ours.deleteAll, &native.deleteAll, tableN));
    results.Add(MakeRow("", "build a balanced tree, " + tableSize + " items", ours.build, &native.build, tableN));
    results.Add(MakeRow("", "expand, rows may wrap (native: single-line), " + tableSize, ours.wrapExpand,
                        &native.expand, tableN));
    results.Add(MakeRow("", "collapse, rows may wrap (native: single-line), " + tableSize, ours.wrapCollapse,
                        &native.collapse, tableN));

    const std::vector<std::pair<const Series*, const Series*>> pairs = {
        {&ours.insert, &native.insert},       {&ours.expand, &native.expand},
        {&ours.collapse, &native.collapse},   {&ours.deleteAll, &native.deleteAll},
        {&ours.expandAll, &native.expandAll}, {&ours.deleteEveryOther, &native.deleteEveryOther},
        {&ours.sort, &native.sort},           {&ours.addChild, nullptr}};
    std::vector<const Series*> scaling;
    std::vector<const Series*> oursScaling;
    for (const auto& pair : pairs) {
        scaling.push_back(pair.first);
        oursScaling.push_back(pair.first);
        if (pair.second != nullptr)
            scaling.push_back(pair.second);
    }
    results.PrintScaling(scaling);
    results.PrintSummary(oursScaling);
    DestroyWindow(host);
    return 0;
}
