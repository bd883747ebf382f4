// The list control against the platform's list-view in the same process run:
// filling report lists of three texts, inserting at the top, selecting and
// deselecting everything, deleting all rows or every other row, painting a
// page, the Down arrow, a click, PageDown and End with their repaints, sorting
// by a column's text, and the heap committed per row. Every size-dependent workload is timed at 10^3
// to 10^6 rows and its growth order fitted.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "BenchSupport.h"
#include "listctrl/SECListCtrl.h"

using namespace bench;

namespace {
const int kListId = 100;
// Size the table's workloads are stated for, and the size of the event workloads.
const int kTableSize = 100000;
const int kEventSize = 1000000;
// Paints of a page per run (the median is taken).
const int kPaintReps = 30;
// Native lists of this many rows are not emptied when destroyed (see ~NativeList).
const int kNativeLeakRows = 500000;

// Texts of row i, made once so that both controls copy the same strings.
struct RowTexts
{
    WCHAR name[32]; // column 0
    WCHAR size[16]; // column 1
    WCHAR date[24]; // column 2
    explicit RowTexts(int i)
    {
        wsprintfW(name, L"File number %07d.txt", i);
        wsprintfW(size, L"%d KB", (i * 37) % 100000);
        wsprintfW(date, L"2026-%02d-%02d 12:%02d", 1 + i % 12, 1 + i % 28, i % 60);
    }
};

// --- this library ---------------------------------------------------------
struct OurList
{
    SECListCtrl list; // the control measured
    // bWrap: labels wrap and rows are measured one by one; else single-line rows.
    explicit OurList(HWND host, bool bWrap = false)
    {
        const DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | (bWrap ? 0 : LVS_NOLABELWRAP);
        list.Create(style, CRect(0, 0, 780, 560), CWnd::FromHandle(host), kListId);
        list.AddColumn(L"Name", LVCFMT_LEFT, 250);
        list.AddColumn(L"Size", LVCFMT_RIGHT, 100);
        list.AddColumn(L"Modified", LVCFMT_LEFT, 150);
    }
    HWND Hwnd() const { return list.m_hWnd; }
    void Insert(int at, int i)
    {
        RowTexts t(i);
        const int row = list.InsertItem(at, t.name);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_DI_SETITEM;
        item.iItem = row;
        item.iSubItem = 1;
        item.pszText = t.size;
        list.SetItem(&item, FALSE);
        item.iSubItem = 2;
        item.pszText = t.date;
        list.SetItem(&item, FALSE);
    }
    void Fill(int n)
    {
        for (int i = 0; i < n; ++i)
            Insert(i, i);
        list.UpdateScrollBars();
    }
    void InsertAtTop(int count)
    {
        for (int i = 0; i < count; ++i)
            Insert(0, i);
        list.UpdateScrollBars();
    }
    int Count() { return list.GetItemCount(); }
    // Sorts by the Size column's text, read from the control by row index as an owner does.
    static int CALLBACK CompareSizes(LPARAM a, LPARAM b, LPARAM self)
    {
        OurList* me = reinterpret_cast<OurList*>(self);
        WCHAR x[16];
        WCHAR y[16];
        me->list.GetItemText(static_cast<int>(a), 1, x, 16);
        me->list.GetItemText(static_cast<int>(b), 1, y, 16);
        return lstrcmpW(x, y);
    }
    void SortBySize() { list.SortItemsEx(CompareSizes, reinterpret_cast<LPARAM>(this)); }
    void SelectAll() { list.SelectItemRange(0, list.GetItemCount() - 1, TRUE); }
    void DeselectAll() { list.DeselectAllItems(-1); }
    void DeleteAll() { list.DeleteAllItems(); }
    void DeleteEveryOther()
    {
        SetRedraw(Hwnd(), false);
        for (int i = 0; i < list.GetItemCount(); ++i)
            list.DeleteItem(i);
        SetRedraw(Hwnd(), true);
    }
    int TopIndex() { return list.GetTopIndex(); }
    POINT RowPoint(int row)
    {
        CRect rect;
        list.GetItemRect(row, rect, 0);
        return POINT{30, (rect.top + rect.bottom) / 2};
    }
    void HitTests(int count)
    {
        for (int k = 0; k < count; ++k)
            list.HitTest(CPoint(100, 25 + (k * 7) % 500));
    }
};

// --- the platform's list-view --------------------------------------------
struct NativeList
{
    HWND hwnd; // the platform's list-view
    explicit NativeList(HWND host)
    {
        hwnd = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 780, 560, host,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId + 1)), nullptr, nullptr);
        const LPCWSTR headings[] = {L"Name", L"Size", L"Modified"};
        const int widths[] = {250, 100, 150};
        for (int c = 0; c < 3; ++c) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            column.fmt = c == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT;
            column.pszText = const_cast<LPWSTR>(headings[c]);
            column.cx = widths[c];
            SendMessageW(hwnd, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
        }
    }
    ~NativeList()
    {
        // Destroying the list-view deletes its rows the way its delete-all
        // does, which the platform's build under Wine does in quadratic time
        // (minutes for 10^6 rows): a list that large loses its window
        // procedure first, and its rows go with the process.
        if (Count() >= kNativeLeakRows)
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
        DestroyWindow(hwnd);
    }
    NativeList(const NativeList&) = delete;
    NativeList& operator=(const NativeList&) = delete;
    HWND Hwnd() const { return hwnd; }
    void Insert(int at, int i)
    {
        RowTexts t(i);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = at;
        item.pszText = t.name;
        const int row = static_cast<int>(SendMessageW(hwnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        item.iItem = row;
        item.iSubItem = 1;
        item.pszText = t.size;
        SendMessageW(hwnd, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 2;
        item.pszText = t.date;
        SendMessageW(hwnd, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
    // Many rows at once, as a host does it: without a repaint per row.
    void Fill(int n)
    {
        SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < n; ++i)
            Insert(i, i);
        SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    }
    void InsertAtTop(int count)
    {
        SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < count; ++i)
            Insert(0, i);
        SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    }
    int Count() { return static_cast<int>(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0)); }
    void SetAllSelected(bool selected)
    {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED;
        item.state = selected ? LVIS_SELECTED : 0;
        SendMessageW(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    }
    void SelectAll() { SetAllSelected(true); }
    void DeselectAll() { SetAllSelected(false); }
    void DeleteAll() { SendMessageW(hwnd, LVM_DELETEALLITEMS, 0, 0); }
    static int CALLBACK CompareSizes(LPARAM a, LPARAM b, LPARAM self)
    {
        const HWND list = reinterpret_cast<HWND>(self);
        WCHAR x[16];
        WCHAR y[16];
        LVITEMW item{};
        item.iSubItem = 1;
        item.cchTextMax = 16;
        item.pszText = x;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(a), reinterpret_cast<LPARAM>(&item));
        item.pszText = y;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(b), reinterpret_cast<LPARAM>(&item));
        return lstrcmpW(x, y);
    }
    void SortBySize()
    {
        SendMessageW(hwnd, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(hwnd),
                     reinterpret_cast<LPARAM>(&NativeList::CompareSizes));
    }
    void DeleteEveryOther()
    {
        SetRedraw(hwnd, false);
        for (int i = 0; i < Count(); ++i)
            SendMessageW(hwnd, LVM_DELETEITEM, i, 0);
        SetRedraw(hwnd, true);
    }
    int TopIndex() { return static_cast<int>(SendMessageW(hwnd, LVM_GETTOPINDEX, 0, 0)); }
    POINT RowPoint(int row)
    {
        RECT rect{};
        rect.left = LVIR_BOUNDS;
        SendMessageW(hwnd, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        return POINT{30, (rect.top + rect.bottom) / 2};
    }
    void HitTests(int count)
    {
        for (int k = 0; k < count; ++k) {
            LVHITTESTINFO info{};
            info.pt = POINT{100, 25 + (k * 7) % 500};
            SendMessageW(hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
        }
    }
};

// Every timed workload of one control.
struct ListSeries
{
    Series fill{"fill n rows x 3 texts", ""};
    Series insertTop{"insert n/100 rows one by one at the top of n", ""};
    Series selectAll{"select all, n + n/100 rows", ""};
    Series deselectAll{"deselect all, n + n/100 rows", ""};
    Series deleteAll{"delete all, n + n/100 rows", ""};
    Series deleteEveryOther{"delete every other row of n one by one", ""};
    Series paint{"paint one page (WM_PRINTCLIENT)", ""};
    Series down{"Down arrow + repaint", ""};
    Series downInPage{"Down arrow + repaint, focus moves in the page", ""};
    Series downScrolls{"Down arrow + repaint, view scrolls a row", ""};
    Series click{"click on a row + repaint", ""};
    Series pageDown{"PageDown + repaint", ""};
    Series end{"End + repaint", ""};
    Series hitTests{"10000 hit-tests", ""};
    Series sort{"sort n rows by a column's text (SortItemsEx / LVM_SORTITEMSEX)", ""};
    Series wrapPaint{"paint one page, rows may wrap", ""};
    Series wrapPageDown{"PageDown + repaint, rows may wrap", ""};
    explicit ListSeries(const std::string& who)
    {
        for (Series* s : {&fill, &insertTop, &selectAll, &deselectAll, &deleteAll, &deleteEveryOther, &paint, &down,
                          &downInPage, &downScrolls, &click, &pageDown, &end, &hitTests, &sort, &wrapPaint, &wrapPageDown})
            *s = Series(s->Workload(), who);
        // Later steps of a run start from what these leave.
        fill.SetRequired();
        insertTop.SetRequired();
    }
    // The scaling series, in the order printed.
    std::vector<const Series*> Scaling() const
    {
        return {&fill, &insertTop, &selectAll, &deselectAll, &deleteAll, &deleteEveryOther};
    }
};

// Event counts per run: many, so that the median per event is steady.
struct EventCounts
{
    int downs;     // Down arrows from the first row (the later ones scroll)
    int clicks;    // clicks alternating between two rows of the page
    int pageDowns; // PageDowns from the first row
    int ends;      // Ends, each from the first row
};

EventCounts Counts()
{
    return GetOptions().quick ? EventCounts{40, 20, 20, 10} : EventCounts{200, 100, 100, 50};
}

// Brings the control to its first row and paints it, outside the measurement.
template <class TList>
void GoHome(TList& list)
{
    PressKey(list.Hwnd(), VK_HOME);
    UpdateNow(list.Hwnd());
    PumpMessages();
}

// The event workloads on a filled list: each event is the input message sent
// to the focused control followed by the forced repaint, timed one by one.
template <class TList>
void RunEvents(TList& list, ListSeries& s, int n)
{
    const HWND hwnd = list.Hwnd();
    const EventCounts counts = Counts();
    SetFocus(hwnd);
    ReleaseKeys();
    GoHome(list);

    std::vector<double> all;
    std::vector<double> inPage;
    std::vector<double> scrolls;
    for (int i = 0; i < counts.downs; ++i) {
        const int top = list.TopIndex();
        const double t = TimeEvent(hwnd, [&] { PressKey(hwnd, VK_DOWN); });
        all.push_back(t);
        (list.TopIndex() == top ? inPage : scrolls).push_back(t);
    }
    s.down.Add(n, Median(all));
    if (!inPage.empty())
        s.downInPage.Add(n, Median(inPage));
    if (!scrolls.empty())
        s.downScrolls.Add(n, Median(scrolls));

    GoHome(list);
    const POINT rows[2] = {list.RowPoint(2), list.RowPoint(5)};
    std::vector<double> clicks;
    for (int i = 0; i < counts.clicks; ++i)
        clicks.push_back(TimeEvent(hwnd, [&] { Click(hwnd, rows[i % 2]); }));
    s.click.Add(n, Median(clicks));

    GoHome(list);
    std::vector<double> pages;
    for (int i = 0; i < counts.pageDowns; ++i)
        pages.push_back(TimeEvent(hwnd, [&] { PressKey(hwnd, VK_NEXT); }));
    s.pageDown.Add(n, Median(pages));

    std::vector<double> ends;
    for (int i = 0; i < counts.ends; ++i) {
        GoHome(list);
        ends.push_back(TimeEvent(hwnd, [&] { PressKey(hwnd, VK_END); }));
    }
    s.end.Add(n, Median(ends));
    GoHome(list);
}

// Paints and events compare the two controls on the same work: both lists
// are filled, and their measurements alternate (the list not measured is
// hidden), so that a slow spell of the machine, which lasts seconds on a
// virtual machine, falls on both of them instead of on one.
void RunSideBySide(HWND host, ListSeries& ours, ListSeries& native, int n, bool events)
{
    const double start = Now();
    OurList a(host);
    NativeList b(host);
    a.Fill(n);
    b.Fill(n);
    for (int run = 0; run < kRuns; ++run) {
        ShowInTurn(a.Hwnd(), b.Hwnd());
        ours.paint.Add(n, PrintClientMedian(a.Hwnd(), kPaintReps));
        if (events)
            RunEvents(a, ours, n);
        ShowInTurn(b.Hwnd(), a.Hwnd());
        native.paint.Add(n, PrintClientMedian(b.Hwnd(), kPaintReps));
        if (events)
            RunEvents(b, native, n);
    }
    std::fprintf(stderr, ".. list, %s rows, paints%s side by side: %.1f s\n", SizeName(n).c_str(),
                 events ? " and events" : "", Now() - start);
}

// All workloads of one control at n but paints and events, kRuns times (once
// when the fill is predicted to be long; a workload whose first run was long
// is not run again). Each run starts from a new control.
template <class TList>
void RunSize(HWND host, ListSeries& s, int n, bool table)
{
    const double start = Now();
    const int runs = RunsFor(s.fill, n);
    for (int run = 0; run < runs; ++run) {
        TList list(host);
        s.fill.Time(n, [&] { list.Fill(n); });
        UpdateNow(list.Hwnd());
        PumpMessages();
        if (table) {
            s.hitTests.Time(n, [&] { list.HitTests(10000); });
            s.sort.Time(n, [&] { list.SortBySize(); });
        }
        s.insertTop.Time(n, [&] { list.InsertAtTop(n / 100); });
        s.selectAll.Time(n, [&] { list.SelectAll(); });
        s.deselectAll.Time(n, [&] { list.DeselectAll(); });
        s.deleteAll.Time(n, [&] { list.DeleteAll(); });
    }
    for (int run = 0; run < runs && s.deleteEveryOther.Repeat(n); ++run) {
        TList list(host);
        list.Fill(n);
        UpdateNow(list.Hwnd());
        PumpMessages();
        s.deleteEveryOther.Time(n, [&] { list.DeleteEveryOther(); });
    }
    std::fprintf(stderr, ".. list, %s rows, %s: %d run(s), %.1f s\n", SizeName(n).c_str(), s.fill.Who().c_str(), runs,
                 Now() - start);
}

// Only this library has rows that wrap; pages of such a list at n.
void RunWrapping(HWND host, ListSeries& s, int n)
{
    OurList list(host, true);
    list.Fill(n);
    UpdateNow(list.Hwnd());
    PumpMessages();
    SetFocus(list.Hwnd());
    ReleaseKeys();
    for (int run = 0; run < kRuns; ++run) {
        s.wrapPaint.Add(n, PrintClientMedian(list.Hwnd(), kPaintReps));
        GoHome(list);
        std::vector<double> pages;
        for (int i = 0; i < Counts().pageDowns; ++i)
            pages.push_back(TimeEvent(list.Hwnd(), [&] { PressKey(list.Hwnd(), VK_NEXT); }));
        s.wrapPageDown.Add(n, Median(pages));
    }
}

// In a fresh process: the heap committed by filling n rows of one control.
int MemoryChild(const std::string& who, int n)
{
    HWND host = CreateHostWindow();
    if (host == nullptr)
        return 1;
    MemoryUse before;
    MemoryUse after;
    if (who == "ours") {
        OurList list(host);
        UpdateNow(list.Hwnd());
        before = MeasureMemory();
        list.Fill(n);
        UpdateNow(list.Hwnd());
        after = MeasureMemory();
    } else {
        NativeList list(host);
        UpdateNow(list.Hwnd());
        before = MeasureMemory();
        list.Fill(n);
        UpdateNow(list.Hwnd());
        after = MeasureMemory();
    }
    PrintMemoryChildResult(before, after, n);
    return 0;
}

Row MakeRow(const std::string& group, const std::string& label, const Series& ours, const Series& native, int n)
{
    Row row;
    row.group = group;
    row.label = label;
    row.ours = ours.At(n);
    row.native = native.At(n);
    return row;
}
} // namespace

int main(int argc, char** argv)
{
    ParseOptions(argc, argv);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
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
    const int tableN = options.quick ? 10000 : kTableSize;
    const int eventN = options.quick ? 10000 : kEventSize;

    ListSeries ours("ours");
    ListSeries native("native");
    // The platform's build under Wine deletes all rows in quadratic time:
    // 824 s for 10^6 rows.
    native.deleteAll.Exclude(1000000, "the native delete-all is quadratic under Wine (824 s measured at 1e6)");

    std::printf("list control (ours) against the platform's list-view (native), same process; times are medians "
                "of %d runs\n",
                kRuns);
    std::fflush(stdout);
    for (int n : sizes) {
        RunSize<OurList>(host, ours, n, n == tableN);
        RunSize<NativeList>(host, native, n, n == tableN);
        RunSideBySide(host, ours, native, n, n == eventN);
    }
    RunWrapping(host, ours, tableN);

    MemoryUse oursMemory;
    MemoryUse nativeMemory;
    const bool oursMeasured = RunMemoryChild({"memory", "ours", std::to_string(tableN)}, oursMemory);
    const bool nativeMeasured = RunMemoryChild({"memory", "native", std::to_string(tableN)}, nativeMemory);

    Results results("list");
    const std::string tableSize = SizeName(tableN);
    const std::string eventSize = SizeName(eventN);
    results.Section("list workloads (ratio = ours / native)");
    {
        Row row = MakeRow("delete every other row", "delete every other row of " + tableSize + " one by one",
                          ours.deleteEveryOther, native.deleteEveryOther, tableN);
        GoalAtMostNative(row);
        results.Add(row);
    }
    {
        Row row = MakeRow("Down arrow", "Down arrow on a " + eventSize + " list + repaint", ours.down, native.down,
                          eventN);
        GoalAtMostNative(row);
        results.Add(row);
        results.Add(MakeRow("", "  of which focus moves in the page", ours.downInPage, native.downInPage, eventN));
        results.Add(MakeRow("", "  of which the view scrolls a row", ours.downScrolls, native.downScrolls, eventN));
    }
    {
        Row row = MakeRow("click", "click on a row + repaint", ours.click, native.click, eventN);
        GoalAtMostNative(row);
        results.Add(row);
    }
    {
        Row row = MakeRow("PageDown", "PageDown + repaint", ours.pageDown, native.pageDown, eventN);
        GoalAtMostNative(row);
        results.Add(row);
    }
    {
        Row row = MakeRow("End", "End (from the first row) + repaint", ours.end, native.end, eventN);
        GoalAtMostNative(row);
        results.Add(row);
    }
    for (int n : sizes) {
        Row row = MakeRow("paint one page", "paint one page (WM_PRINTCLIENT), " + SizeName(n) + " rows", ours.paint,
                          native.paint, n);
        GoalAtMostNative(row);
        results.Add(row);
    }
    {
        Row row = MakeRow("sort", "sort " + tableSize + " rows by a column's text, the text read by row index",
                          ours.sort, native.sort, tableN);
        GoalAtMostNative(row);
        results.Add(row);
    }
    {
        Row row = MakeRow("fill", "fill " + tableSize + " rows x 3 texts", ours.fill, native.fill, tableN);
        GoalAtMostSeconds(row, 0.060, kTableSize, tableN);
        results.Add(row);
    }
    {
        Row row = MakeRow("insert at the top", "insert " + std::to_string(tableN / 100) +
                                                   " rows one by one at the top of " + tableSize,
                          ours.insertTop, native.insertTop, tableN);
        GoalAtMostSeconds(row, 0.005, kTableSize, tableN);
        results.Add(row);
    }
    const std::string selectedRows = std::to_string(tableN + tableN / 100);
    {
        Row row = MakeRow("select all", "select all, " + selectedRows + " rows", ours.selectAll, native.selectAll,
                          tableN);
        GoalAtMostSeconds(row, 0.010, kTableSize, tableN);
        results.Add(row);
    }
    {
        Row row = MakeRow("deselect all", "deselect all, " + selectedRows + " rows", ours.deselectAll,
                          native.deselectAll, tableN);
        GoalAtMostSeconds(row, 0.010, kTableSize, tableN);
        results.Add(row);
    }
    {
        Row row;
        row.group = "memory per row";
        row.label = "heap committed per row, 3 short texts, " + tableSize + " rows";
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
    results.Note("Events: input sent to the focused control in a shown window, then RedrawWindow(RDW_UPDATENOW | "
                 "RDW_ALLCHILDREN); median per event within a run, median over the runs.");
    results.Note("Paints and events: both controls filled at once, their runs alternating (the other one hidden).");
    results.Note("Memory: growth of the committed private memory while one control is filled in a fresh process, "
                 "after its first paint; heap blocks: busy blocks with their headers over every heap (Wine's HeapWalk "
                 "leaves out some blocks of 512 KB and more, such as the row arrays).");

    results.Section("other workloads (no goal)");
    results.Add(MakeRow("", "10000 hit-tests, " + tableSize + " rows", ours.hitTests, native.hitTests, tableN));
    results.Add(MakeRow("", "paint one page, rows may wrap, " + tableSize + " rows", ours.wrapPaint, native.paint,
                        tableN));
    {
        // Beside the native PageDown of the event workloads' list.
        Row row;
        row.label = "PageDown + repaint, rows may wrap, " + tableSize + " (native: " + eventSize + ")";
        row.ours = ours.wrapPageDown.At(tableN);
        row.native = native.pageDown.At(eventN);
        results.Add(row);
    }

    std::vector<const Series*> scaling;
    std::vector<const Series*> oursScaling = ours.Scaling();
    const std::vector<const Series*> nativeScaling = native.Scaling();
    for (size_t i = 0; i < oursScaling.size(); ++i) {
        scaling.push_back(oursScaling[i]);
        scaling.push_back(nativeScaling[i]);
    }
    results.PrintScaling(scaling);
    results.PrintSummary(oursScaling);
    DestroyWindow(host);
    return 0;
}
