// Owners that change the rows while the list is working: inside the display
// information asked for by a paint, a measure or a hit-test, inside the
// deletion notice, and around the end of an edit. The list must never touch a
// record that went, never delete a row it was not asked to, and must tell a new
// record at a freed record's address from the old one.
#include <gtest/gtest.h>
#include <new>
#include <vector>
#include "ListWindow.h"
#include "snapshot/Snapshot.h"

namespace {
// A list that recycles its row records, so that a row inserted after a
// deletion gets the address of the row just freed, as a pooling allocator
// would give it. Records are kept for the life of the list.
class RecyclingList : public TestList
{
public:
    ~RecyclingList() override
    {
        if (m_hWnd != nullptr)
            DestroyWindow();
        for (SECListItem* p : graveyard)
            SECListItem::operator delete(p); // the records came from the list's own pool
    }
    SECListItem* NewItemRecord() override
    {
        if (graveyard.empty())
            return SECListCtrl::NewItemRecord();
        SECListItem* p = graveyard.back();
        graveyard.pop_back();
        new (p) SECListItem;
        InitItemRecord(p);
        return p;
    }
    void DeleteItemRecord(SECListItem* p) override
    {
        p->~SECListItem();
        graveyard.push_back(p);
    }
    std::vector<SECListItem*> graveyard; // destroyed records, memory kept for reuse
};

// ListWindow over a recycling list.
struct RecyclingWindow
{
    OwnerWindow owner;
    RecyclingList list;
    explicit RecyclingWindow(DWORD style = kReport | LVS_EDITLABELS, int rows = 8)
    {
        owner.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(owner.m_hWnd);
        list.Create(WS_CHILD | WS_VISIBLE | style, 0, CRect(0, 0, 300, 200), &owner, ListWindow::kId);
        list.SetPendingEditDelay(60000);
        list.AddColumn(L"col 0", LVCFMT_LEFT, 100);
        list.AddColumn(L"col 1", LVCFMT_LEFT, 80);
        for (int r = 0; r < rows; ++r)
            list.InsertItem(r, (L"row " + std::to_wstring(r)).c_str());
        list.UpdateScrollBars();
    }
    std::vector<CString> Texts()
    {
        std::vector<CString> texts;
        for (int r = 0; r < list.GetItemCount(); ++r)
            texts.push_back(list.GetItemText(r, 0));
        return texts;
    }
};

// Rows whose texts the owner supplies; the owner's answer may change the rows.
struct CallbackWindow : ListWindow
{
    int depth = 0; // nesting of the owner's own changes
    explicit CallbackWindow(DWORD style = kReport, std::vector<int> widths = {100, 80})
        : ListWindow(style, 0, widths)
    {
        for (int r = 0; r < 30; ++r)
            list.InsertItem(r, LPSTR_TEXTCALLBACKW);
        list.UpdateScrollBars();
    }
    void Render()
    {
        CRect client;
        list.GetClientRect(&client);
        SnapshotBitmap bitmap(client.Width(), client.Height());
        RenderClient(list.m_hWnd, bitmap);
    }
};

std::vector<CString> Strings(std::initializer_list<LPCWSTR> texts)
{
    return std::vector<CString>(texts.begin(), texts.end());
}
} // namespace

// Every walk that asks the owner for texts (paint, measure, hit-test, total
// width, the row geometry) survives an owner that deletes or inserts rows while
// it answers, in lists of fixed and of variable row heights.
TEST(ListOwnerChanges, WalksSurviveAnOwnerChangingRowsWhileAskedForTexts)
{
    const struct {
        DWORD style;
        std::vector<int> widths;
    } lists[] = {{kReport, {100, 80}}, {LVS_REPORT, {100, 80}}, {kReport, {100}}, {LVS_ICON | LVS_NOLABELWRAP, {60}}};
    for (const auto& l : lists) {
        for (int what = 0; what < 3; ++what) {
            SCOPED_TRACE(::testing::Message() << "style " << l.style << ", " << l.widths.size() << " columns, change "
                                              << what);
            CallbackWindow w(l.style, l.widths);
            int asked = 0;
            w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
                if (header->code != LVN_GETDISPINFOW || w.depth > 0)
                    return false;
                auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
                if (info->item.mask & LVIF_TEXT)
                    lstrcpynW(info->item.pszText, L"owner's text", info->item.cchTextMax);
                if (++asked % 3 != 0 || w.list.GetItemCount() == 0)
                    return false;
                ++w.depth;
                if (what == 0)
                    w.list.DeleteItem(info->item.iItem); // the row being asked for
                else if (what == 1)
                    w.list.DeleteItem(0, std::min(4, w.list.GetItemCount()));
                else
                    w.list.InsertItem(0, LPSTR_TEXTCALLBACKW);
                --w.depth;
                return false;
            };
            for (int round = 0; round < 4 && w.list.GetItemCount() > 0; ++round) {
                w.list.InvalidateRowHeights();
                w.Render();
                ASSERT_TRUE(ModelIsConsistent(w.list));
                w.list.InvalidateRowHeights();
                w.list.HitTest(CPoint(40, 60));
                w.list.InvalidateRowHeights();
                w.list.GetTotalWidth();
                w.list.InvalidateRowHeights();
                CRect rect;
                w.list.GetCellRect(std::min(5, w.list.GetItemCount() - 1), 0, rect, SECListBaseC::kCellLabel);
                w.list.InvalidateRowHeights();
                w.list.UpdateScrollBars();
                ASSERT_TRUE(ModelIsConsistent(w.list));
            }
            EXPECT_GT(asked, 3) << "the owner was asked";
        }
    }
}

// An owner asked for the text of a row it then asks the geometry of does not
// start the row's measuring over and over.
TEST(ListOwnerChanges, AnOwnerAskingForTheRowsGeometryWhileAskedForItsTextEndsAsking)
{
    CallbackWindow w(LVS_REPORT);
    int asked = 0;
    w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
        if (header->code != LVN_GETDISPINFOW || ++asked > 10000)
            return false;
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        CRect rect;
        w.list.GetItemRect(info->item.iItem, rect, SECListBaseC::kCellLabel);
        if (info->item.mask & LVIF_TEXT)
            lstrcpynW(info->item.pszText, L"text", info->item.cchTextMax);
        return false;
    };
    w.list.InvalidateRowHeights();
    w.Render();
    EXPECT_LT(asked, 10000);
    EXPECT_GT(w.list.GetItemHeight(0), 0);
}

// The deletion notice names the first row; whatever the owner does with the
// rows while told, exactly the rows asked for go, wherever they are now.
TEST(ListOwnerChanges, DeleteItemDeletesTheRowsItWasAskedForWhateverTheOwnerDoesWhileTold)
{
    const struct {
        const char* name;
        std::function<void(ListWindow&)> told;
        int first, count;
        BOOL result;
        std::vector<CString> after;
    } cases[] = {
        {"the owner inserts a row above", [](ListWindow& w) { w.list.InsertItem(0, L"new"); }, 2, 2, TRUE,
         Strings({L"new", L"row 0", L"row 1", L"row 4", L"row 5"})},
        {"the owner inserts a row inside the range", [](ListWindow& w) { w.list.InsertItem(3, L"new"); }, 2, 2, TRUE,
         Strings({L"row 0", L"row 1", L"new", L"row 4", L"row 5"})},
        {"the owner deletes a row above", [](ListWindow& w) { w.list.DeleteItem(0); }, 2, 2, TRUE,
         Strings({L"row 1", L"row 4", L"row 5"})},
        {"the owner deletes the first of the rows", [](ListWindow& w) { w.list.DeleteItem(2); }, 2, 2, TRUE,
         Strings({L"row 0", L"row 1", L"row 4", L"row 5"})},
        {"the owner deletes them all", [](ListWindow& w) { w.list.DeleteItem(2, 2); }, 2, 2, FALSE,
         Strings({L"row 0", L"row 1", L"row 4", L"row 5"})},
        {"the owner empties the list", [](ListWindow& w) { w.list.DeleteAllItems(); }, 2, 2, FALSE,
         std::vector<CString>()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ListWindow w(kReport, 6);
        int depth = 0;
        w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
            if (header->code == LVN_DELETEITEM && depth++ == 0)
                c.told(w);
            return false;
        };
        EXPECT_EQ(c.result, w.list.DeleteItem(c.first, c.count));
        std::vector<CString> texts;
        for (int r = 0; r < w.list.GetItemCount(); ++r)
            texts.push_back(w.list.GetItemText(r, 0));
        EXPECT_EQ(c.after, texts);
        EXPECT_TRUE(ModelIsConsistent(w.list));
    }
}

// A record freed while the owner is told, and a new one made at its address,
// is not the old row: no edited text, no restored text and no deletion lands
// in the owner's new row.
TEST(ListOwnerChanges, ANewRowAtAFreedRowsAddressIsNotTheOldRow)
{
    {
        SCOPED_TRACE("an accepted edit whose row the owner replaced");
        RecyclingWindow w;
        w.owner.onNotify = [&](NMHDR* header, LRESULT& result) {
            if (header->code != LVN_ENDLABELEDITW)
                return false;
            const SECListItem* pOld = w.list.GetItemAt(2);
            w.list.DeleteItem(2);
            w.list.InsertItem(2, L"owner's new row");
            EXPECT_EQ(pOld, w.list.GetItemAt(2)) << "the new row reuses the address";
            result = 1;
            return true;
        };
        w.list.SetFocus();
        w.list.EditLabel(2, 0);
        ::SetWindowTextW(w.list.GetEditControl()->m_hWnd, L"typed");
        w.list.EndLabelEdit(TRUE);
        EXPECT_STREQ(L"owner's new row", w.list.GetItemText(2, 0));
    }
    {
        SCOPED_TRACE("a cancelled edit whose row the owner replaced");
        RecyclingWindow w;
        w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
            if (header->code == LVN_ENDLABELEDITW) {
                w.list.DeleteItem(2);
                w.list.InsertItem(2, L"owner's new row");
            }
            return false;
        };
        w.list.SetFocus();
        w.list.EditLabel(2, 0);
        w.list.EndLabelEdit(FALSE);
        EXPECT_STREQ(L"owner's new row", w.list.GetItemText(2, 0));
    }
    {
        SCOPED_TRACE("a deletion whose rows the owner replaced while told");
        RecyclingWindow w;
        int depth = 0;
        w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
            if (header->code == LVN_DELETEITEM && depth++ == 0) {
                w.list.DeleteItem(3);
                w.list.InsertItem(3, L"owner's new row");
            }
            return false;
        };
        EXPECT_TRUE(w.list.DeleteItem(2, 2));
        EXPECT_EQ(Strings({L"row 0", L"row 1", L"owner's new row", L"row 4", L"row 5", L"row 6", L"row 7"}),
                  w.Texts());
    }
    {
        SCOPED_TRACE("an edit whose row the owner replaced while asked to begin it");
        RecyclingWindow w;
        w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
            if (header->code == LVN_BEGINLABELEDITW) {
                w.list.DeleteItem(2);
                w.list.InsertItem(2, L"owner's new row");
            }
            return false;
        };
        w.list.SetFocus();
        w.list.EditLabel(2, 0);
        EXPECT_EQ(nullptr, w.list.GetEditControl()->m_hWnd) << "the edit is off";
        EXPECT_EQ(-1, w.list.GetEditItem());
    }
}

// Texts the owner keeps (callback cells) that it is told of when set: told,
// it may delete the row; the list then marks nothing in it.
TEST(ListOwnerChanges, SettingAnOwnersCellSurvivesTheOwnerDeletingTheRowWhenTold)
{
    class TellingList : public TestList
    {
    public:
        std::function<void()> told;
        void NotifySetDispInfo(LVITEMW*) override
        {
            if (told)
                told();
        }
    };
    OwnerWindow owner;
    TellingList list;
    list.Create(WS_CHILD | WS_VISIBLE | kReport, 0, CRect(0, 0, 300, 200), &owner, 1);
    list.AddColumn(L"a", LVCFMT_LEFT, 100);
    list.AddColumn(L"b", LVCFMT_LEFT, 100);
    for (int r = 0; r < 4; ++r)
        list.InsertItem(r, L"row");
    list.told = [&] {
        list.told = nullptr;
        list.DeleteItem(1);
    };
    EXPECT_TRUE(list.SetItemText(1, 1, L"kept by the owner"));
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_TRUE(ModelIsConsistent(list));
}

// Typing in the editor asks the owner for the row's other cells (the row is
// measured again). An owner that ends the edit, deletes the row or destroys
// the list right then must not pull the edit control from under its own
// keystroke, and the typed text goes nowhere else.
TEST(ListOwnerChanges, AnOwnerEndingTheEditWhileTheEditorIsTypingIn)
{
    for (int what = 0; what < 3; ++what) {
        SCOPED_TRACE(what == 0 ? "ends the edit" : what == 1 ? "deletes the row" : "destroys the list");
        ListWindow w(LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS, 6);
        for (int r = 0; r < 6; ++r)
            w.list.SetItemText(r, 1, LPSTR_TEXTCALLBACKW);
        w.owner.answers[LVN_ENDLABELEDITW] = 1;
        bool armed = false;
        w.owner.onNotify = [&](NMHDR* header, LRESULT&) {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            if (header->code != LVN_GETDISPINFOW || !armed || info->item.iSubItem != 1)
                return false;
            armed = false;
            if (what == 0)
                w.list.EndLabelEdit(TRUE);
            else if (what == 1)
                w.list.DeleteItem(2);
            else
                w.list.DestroyWindow();
            return false;
        };
        w.Focus();
        w.list.EditLabel(2, 0);
        const HWND hEditor = w.Editor();
        ASSERT_NE(nullptr, hEditor);
        armed = true;
        ::SendMessageW(hEditor, WM_CHAR, L'z', 1); // the control replaces the selection, then tells the list
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg); // the retired editor closes itself
        EXPECT_FALSE(::IsWindow(hEditor)) << "the editor is gone once its keystroke is done";
        if (what == 2)
            continue;
        EXPECT_EQ(nullptr, w.Editor());
        EXPECT_EQ(-1, w.list.GetEditItem());
        // Ended with the commit, the edit keeps what was typed; with its row
        // gone, nothing does.
        for (int r = 0; r < w.list.GetItemCount(); ++r)
            EXPECT_EQ(what == 0 && r == 2, w.list.GetItemText(r, 0) == L"z") << "row " << r;
        EXPECT_TRUE(ModelIsConsistent(w.list));
    }
}
