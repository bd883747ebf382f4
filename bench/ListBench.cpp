// The list control against the platform's list-view on the same workloads:
// filling report lists of three texts, inserting at the top, selecting and
// deselecting everything, deleting, memory per row, first paint, a page scroll
// and hit-testing.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "BenchSupport.h"
#include "listctrl/SECListCtrl.h"

namespace {
const int kListId = 100;
// Largest list whose native delete-all runs by default.
const int kNativeDeleteLimit = 1000000;
// Run every workload, however long the native control takes.
bool g_full = false;

// Texts of row i, made once so that both controls copy the same strings.
struct RowTexts
{
    WCHAR name[32];
    WCHAR size[16];
    WCHAR date[24];
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
    SECListCtrl list;
    // bFixedHeight: single-line rows; otherwise labels wrap and rows are measured one by one.
    explicit OurList(HWND host, bool bFixedHeight = true)
    {
        const DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | (bFixedHeight ? LVS_NOLABELWRAP : 0);
        list.Create(style, CRect(0, 0, 780, 560), CWnd::FromHandle(host), kListId);
        list.AddColumn(L"Name", LVCFMT_LEFT, 250);
        list.AddColumn(L"Size", LVCFMT_RIGHT, 100);
        list.AddColumn(L"Modified", LVCFMT_LEFT, 150);
    }
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
};

// --- the platform's list-view --------------------------------------------
struct NativeList
{
    HWND hwnd;
    explicit NativeList(HWND host)
    {
        hwnd = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 780, 560, host,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId + 1)), nullptr, nullptr);
        const LPCWSTR headings[] = {L"Name", L"Size", L"Modified"};
        const int widths[] = {250, 100, 150};
        for (int c = 0; c < 3; ++c) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = const_cast<LPWSTR>(headings[c]);
            column.cx = widths[c];
            SendMessageW(hwnd, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
        }
    }
    ~NativeList() { DestroyWindow(hwnd); }
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
    void Fill(int n)
    {
        SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < n; ++i)
            Insert(i, i);
        SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    }
    void SetAllSelected(bool selected)
    {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED;
        item.state = selected ? LVIS_SELECTED : 0;
        SendMessageW(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    }
};

void Paint(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
}

void FillWorkloads(HWND host, int n, bool memory)
{
    const std::string size = std::to_string(n);
    double ours = 0;
    double native = 0;
    SIZE_T oursBytes = 0;
    SIZE_T nativeBytes = 0;
    {
        const SIZE_T before = PrivateBytes();
        OurList list(host);
        ours = TimeIt([&] { list.Fill(n); });
        oursBytes = PrivateBytes() - before;
        const double firstPaint = TimeIt([&] { Paint(list.list.m_hWnd); });
        const double pageScroll = TimeIt([&] {
            list.list.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
            Paint(list.list.m_hWnd);
        });
        const double hitTests = TimeIt([&] {
            for (int k = 0; k < 10000; ++k)
                list.list.HitTest(CPoint(100, 25 + (k * 7) % 500));
        });
        const double deleteAll = TimeIt([&] { list.list.DeleteAllItems(); });
        NativeList nat(host);
        const SIZE_T beforeNative = PrivateBytes();
        native = TimeIt([&] { nat.Fill(n); });
        nativeBytes = PrivateBytes() - beforeNative;
        Report("fill " + size + " rows x 3 texts", ours, native);
        const double nativeFirstPaint = TimeIt([&] { Paint(nat.hwnd); });
        const double nativePageScroll = TimeIt([&] {
            SendMessageW(nat.hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
            Paint(nat.hwnd);
        });
        const double nativeHitTests = TimeIt([&] {
            for (int k = 0; k < 10000; ++k) {
                LVHITTESTINFO info{};
                info.pt = POINT{100, 25 + (k * 7) % 500};
                SendMessageW(nat.hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
            }
        });
        // The platform build under Wine deletes quadratically: 10^6 rows take
        // about 14 minutes, so that one is left out unless --full is given.
        const double nativeDeleteAll = (n < kNativeDeleteLimit || g_full)
                                           ? TimeIt([&] { SendMessageW(nat.hwnd, LVM_DELETEALLITEMS, 0, 0); })
                                           : 0.0;
        Report("first paint, " + size + " rows", firstPaint, nativeFirstPaint);
        Report("page down + paint, " + size + " rows", pageScroll, nativePageScroll);
        Report("10000 hit-tests, " + size + " rows", hitTests, nativeHitTests);
        Report("delete all, " + size + " rows", deleteAll, nativeDeleteAll);

        // The same page work with wrapping labels (variable row heights); the
        // native control has only fixed heights, so its figures are repeated.
        OurList wrapping(host, false);
        wrapping.Fill(n);
        Report("first paint, " + size + " rows, variable height", TimeIt([&] { Paint(wrapping.list.m_hWnd); }),
               nativeFirstPaint);
        Report("page down + paint, " + size + " rows, variable height", TimeIt([&] {
                   wrapping.list.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
                   Paint(wrapping.list.m_hWnd);
               }),
               nativePageScroll);
    }
    if (memory)
        std::printf("%-46s %10.0f B %12.0f B\n", ("memory per row, " + size + " rows").c_str(),
                    static_cast<double>(oursBytes) / n, static_cast<double>(nativeBytes) / n);
}

void EditWorkloads(HWND host, int n)
{
    const std::string size = std::to_string(n);
    OurList ours(host);
    ours.Fill(n);
    NativeList native(host);
    native.Fill(n);
    Report("insert 1000 rows at the top of " + size,
           TimeIt([&] {
               for (int i = 0; i < 1000; ++i)
                   ours.Insert(0, i);
           }),
           TimeIt([&] {
               SendMessageW(native.hwnd, WM_SETREDRAW, FALSE, 0);
               for (int i = 0; i < 1000; ++i)
                   native.Insert(0, i);
               SendMessageW(native.hwnd, WM_SETREDRAW, TRUE, 0);
           }));
    const int count = ours.list.GetItemCount();
    Report("select all, " + std::to_string(count) + " rows",
           TimeIt([&] { ours.list.SelectItemRange(0, count - 1, TRUE); }), TimeIt([&] { native.SetAllSelected(true); }));
    Report("deselect all, " + std::to_string(count) + " rows", TimeIt([&] { ours.list.DeselectAllItems(-1); }),
           TimeIt([&] { native.SetAllSelected(false); }));
}
} // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    bool quick = false;
    for (int i = 1; i < argc; ++i) {
        quick |= std::string(argv[i]) == "--quick";
        g_full |= std::string(argv[i]) == "--full";
    }
    HWND host = CreateHostWindow();
    if (host == nullptr) {
        std::fprintf(stderr, "no window could be created\n");
        return 1;
    }
    std::printf("%-46s %14s %14s %9s\n", "workload", "this library", "native", "ratio");
    const std::vector<int> sizes = quick ? std::vector<int>{10000} : std::vector<int>{10000, 100000, 1000000};
    for (int n : sizes)
        FillWorkloads(host, n, true);
    EditWorkloads(host, quick ? 10000 : 100000);
    DestroyWindow(host);
    return 0;
}
