// Seeded random runs of the list: API calls mixed with real input, under owners
// that veto, change rows, cells and columns, open and end edits, scroll, paint
// and destroy the window while they are told something (painting included:
// LVN_GETDISPINFOW answered by deleting or inserting rows).
//
// After every step: the model is consistent (selection sorted, unique and
// inside the rows; focus, anchor and drop rows inside or -1); the edit,
// pending-edit and top rows and the hot and pressed headings name what exists;
// an editor is open exactly while a row is edited; every notification named a
// row that existed and held the data it reported; and the rows that went were
// asked to go. A destroyed list is empty and a new one takes its place. At the
// end no window of the run is left.
//
// Each seed is a test of its own; MORVA_SEEDS and MORVA_STEPS choose others
// (support/RandomRuns.h). A failure prints the seed, the step and the trail of
// steps and owner actions before it; a crash prints the trail too.
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include "ListTestSupport.h"
#include "support/HeapChecks.h"
#include "support/ObjectCensus.h"
#include "support/OwnerWindow.h"
#include "support/RandomInput.h"
#include "support/RandomRuns.h"
#include "support/SolidImages.h"

namespace {
// The list with the state the checks read.
class RandomList : public TestList
{
public:
    int PendingEdit() const { return m_nPendingEdit; }
    int HotColumn() const { return m_nHotCol; }
    bool EditorOpen() const { return m_pEdit != nullptr && m_pEdit->m_hWnd != nullptr; }
    // Label widths kept as current count every row at its measured edge.
    std::string WidthCountsProblem() const
    {
        if (m_nWidestGeneration != m_nRowsGeneration || !m_bWidestCounted)
            return {};
        std::map<int, int> counts;
        for (int r = 0; r < GetItemCount(); ++r)
            ++counts[GetItemAt(r)->m_rcText.right + 5];
        if (counts != m_widestCounts)
            return "the kept label widths do not count the rows";
        if (m_nWidestLabel != (counts.empty() ? 0 : std::max(counts.rbegin()->first, 0)))
            return "the kept widest label is not the widest";
        return {};
    }
};

class ListRun
{
public:
    explicit ListRun(unsigned seed) : m_seed(seed), m_random(seed), m_input(m_random), m_temper(TemperOf(seed))
    {
        m_owner.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_owner.m_hWnd);
        AddSolidImages(m_images, {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 220)});
        m_owner.onNotify = [this](NMHDR* header, LRESULT& result) { return OnNotify(header, result); };
    }

    ~ListRun()
    {
        m_owner.onNotify = nullptr;
        if (m_list != nullptr)
            m_list->onChanging = nullptr;
        m_list.reset();
        ClearCrashNotes();
    }

    void Run(int steps)
    {
        const int windowsBefore = CountThreadWindows();
        MakeList();
        for (m_step = 0; m_step < steps; ++m_step) {
            const std::set<LPARAM> before = Ids();
            m_targeted.clear();
            m_clearedAll = false;
            m_problem.clear();
            m_owner.Clear();
            std::string what;
            try {
                what = Alive() && m_random() % 100 < 50 ? m_input.Step(*m_list) : ApiStep();
            } catch (const std::exception& e) {
                ADD_FAILURE() << "seed " << m_seed << ", step " << m_step << ": exception " << e.what() << "\n"
                              << Trail();
                return;
            }
            Note("step " + std::to_string(m_step) + ": " + what);
            const ::testing::AssertionResult ok = Check(before);
            EXPECT_TRUE(ok) << "seed " << m_seed << ", step " << m_step << " (" << what << ")\n" << Trail();
            if (!ok)
                return;
            if (!Alive())
                Replace();
        }
        m_owner.onNotify = nullptr;
        m_list->onChanging = nullptr;
        m_list->DestroyWindow();
        m_list.reset();
        EXPECT_EQ(windowsBefore, CountThreadWindows()) << "seed " << m_seed << ": windows of the list were left";
    }

private:
    int Pick(int n) { return m_input.Pick(n); }
    bool Chance(int percent) { return m_input.Chance(percent); }
    bool Alive() const { return m_list->m_hWnd != nullptr && ::IsWindow(m_list->m_hWnd); }
    int Rows() const { return m_list->GetItemCount(); }
    int AnyRow() { return Rows() == 0 || Chance(3) ? Pick(3) - 1 : Pick(Rows() + (Chance(5) ? 2 : 0)); }
    int AnyColumn() { return Pick(m_list->GetColumnCount() + 1); }

    void Note(const std::string& line) { m_trail.Note(line); }
    std::string Trail() const { return m_trail.Text(); }

    // ---- the list

    void MakeList()
    {
        m_list.reset(new RandomList);
        DWORD style = LVS_REPORT | LVS_EDITLABELS | (Chance(60) ? LVS_NOLABELWRAP : 0u) |
                      (Chance(20) ? LVS_SINGLESEL : 0u) | (Chance(30) ? LVS_SHOWSELALWAYS : 0u);
        DWORD exStyle = (Chance(40) ? SEC_LVSX_FULLROWSELECT : 0u) | (Chance(40) ? SEC_LVSX_TIPS : 0u) |
                        (Chance(30) ? SEC_LVSX_HGRID | SEC_LVSX_VGRID : 0u) | (Chance(15) ? SEC_LVSX_FITCOLUMNS : 0u);
        const CRect rect(0, 0, 200 + Pick(200), 80 + Pick(200));
        m_list->Create(WS_CHILD | WS_VISIBLE | style, exStyle, rect, &m_owner, 77);
        m_hList = m_list->m_hWnd;
        m_list->SetTypeAheadTimeout(60000); // the run sends the timer ticks itself
        m_list->SetPendingEditDelay(60000);
        if (Chance(50))
            m_list->ModifyListStyleEx(0, SEC_LVSX_REORDER_COLUMNS);
        if (Chance(70))
            m_list->SetImageList(&m_images, SECListBaseC::kImageSmall);
        if (Chance(40))
            m_list->SetImageList(&m_images, SECListBaseC::kImageHeader);
        const int columns = 1 + Pick(4);
        for (int c = 0; c < columns; ++c)
            m_list->AddColumn((L"col " + std::to_wstring(c)).c_str(), Pick(3), 30 + Pick(120), -1, Pick(4) - 1);
        const int rows = Pick(40);
        for (int r = 0; r < rows; ++r) {
            const int at = InsertRow(r, Chance(15));
            for (int s = 1; s < columns && at >= 0; ++s) {
                if (Chance(70))
                    SetCell(*m_list, at, s, (L"cell " + std::to_wstring(s)).c_str());
            }
        }
        m_list->UpdateScrollBars();
        m_list->onChanging = [this] { OnSelectionChanging(); };
        if (Chance(60))
            m_list->SetFocus();
        Note("new list, style " + std::to_string(style) + ", extended " + std::to_string(exStyle) + ", " +
             std::to_string(columns) + " columns, " + std::to_string(rows) + " rows");
    }

    // A destroyed list: the object still answers calls, then a new one takes its place.
    void Replace()
    {
        for (int i = 0, n = Pick(4); i < n; ++i) {
            const std::set<LPARAM> before = Ids();
            const std::string what = ApiStep();
            Note("  on the destroyed list: " + what);
            const ::testing::AssertionResult ok = Check(before);
            EXPECT_TRUE(ok) << "seed " << m_seed << ", step " << m_step << " on the destroyed list (" << what << ")\n"
                            << Trail();
        }
        m_list->onChanging = nullptr;
        MakeList();
    }

    int InsertRow(int at, bool callback)
    {
        const LPARAM id = ++m_nextId;
        const std::wstring text = L"row " + std::to_wstring(id);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
        item.iItem = at;
        item.pszText = callback ? LPSTR_TEXTCALLBACKW : const_cast<LPWSTR>(text.c_str());
        item.iImage = callback && Chance(50) ? I_IMAGECALLBACK : static_cast<int>(id % 3);
        item.lParam = id;
        return m_list->InsertItem(&item);
    }

    // Row deletions record which rows they were asked to delete.
    BOOL DeleteRows(int first, int count)
    {
        std::vector<LPARAM> ids;
        for (int r = std::max(first, 0); r < first + count && r < Rows(); ++r)
            ids.push_back(m_list->GetItemAt(r)->m_lParam);
        const BOOL ok = m_list->DeleteItem(first, count);
        if (ok)
            m_targeted.insert(ids.begin(), ids.end());
        return ok;
    }
    void ClearAll(const char* how)
    {
        m_clearedAll = true;
        Note(std::string("    ") + how);
    }

    std::set<LPARAM> Ids() const
    {
        std::set<LPARAM> ids;
        for (int r = 0; r < Rows(); ++r)
            ids.insert(m_list->GetItemAt(r)->m_lParam);
        return ids;
    }

    // ---- API steps (also on a destroyed list)

    std::string ApiStep()
    {
        const int op = Pick(100);
        const int row = AnyRow();
        const int col = AnyColumn();
        std::ostringstream what;
        if (op < 16) {
            const bool callback = Chance(20);
            what << "insert at " << row << (callback ? " (owner's text)" : "") << " -> " << InsertRow(row, callback);
        } else if (op < 26) {
            const int count = 1 + Pick(4);
            what << "delete " << row << " count " << count << " -> " << DeleteRows(row, count);
        } else if (op < 28) {
            SECListItem* pRecord = m_list->GetItemAt(row);
            const LPARAM id = pRecord != nullptr ? pRecord->m_lParam : 0;
            const BOOL ok = pRecord != nullptr && m_list->DeleteItem(pRecord);
            if (ok)
                m_targeted.insert(id);
            what << "delete the record of " << row << " -> " << ok;
        } else if (op < 29) {
            ClearAll("delete all");
            what << "delete all -> " << m_list->DeleteAllItems();
        } else if (op < 37) {
            const int sub = Pick(m_list->GetSubItemCount() + 2);
            const bool callback = Chance(40);
            what << "text of " << row << "/" << sub << (callback ? " to the owner's" : "") << " -> "
                 << m_list->SetItemText(row, sub, callback ? LPSTR_TEXTCALLBACKW : L"set");
        } else if (op < 40) {
            what << "stored cell " << row << " -> " << SetCell(*m_list, row, 1 + Pick(3), L"stored");
        } else if (op < 48) {
            const UINT bits[] = {LVIS_SELECTED, LVIS_FOCUSED, LVIS_DROPHILITED, LVIS_SELECTED | LVIS_FOCUSED,
                                 LVIS_CUT};
            const UINT mask = bits[Pick(5)];
            what << "state of " << row << " mask " << mask << " -> "
                 << m_list->SetItemState(row, Chance(50) ? mask : 0, mask);
        } else if (op < 54) {
            switch (Pick(6)) {
            case 0: what << "select " << row << " -> " << m_list->SelectItem(row, Chance(70)); break;
            case 1: what << "select range -> " << m_list->SelectItemRange(row, AnyRow(), Chance(70)); break;
            case 2: m_list->DeselectAllItems(AnyRow()); what << "deselect all"; break;
            case 3: what << "focus and select " << row << " -> " << m_list->FocusAndSelectItem(row, Chance(70)); break;
            case 4: what << "focus " << row << " -> " << m_list->SetFocusItem(row); break;
            default: what << "drop highlight " << row << " -> " << m_list->SetDropHilightItem(row); break;
            }
        } else if (op < 58) {
            WCHAR buffer[64] = L"";
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE | LVIF_PARAM;
            item.iItem = row;
            item.iSubItem = Pick(m_list->GetSubItemCount() + 1);
            item.pszText = buffer;
            item.cchTextMax = 64;
            item.stateMask = 0xFFFF;
            what << "read " << row << "/" << item.iSubItem << " -> " << m_list->GetItem(&item);
            m_list->GetNextItem(row, Chance(50) ? LVNI_SELECTED : LVNI_BELOW);
            m_list->GetItemText(row, 0);
        } else if (op < 64) {
            switch (Pick(5)) {
            case 0:
                what << "insert column " << col << " -> "
                     << m_list->InsertColumn(col, L"new", Pick(3), 20 + Pick(100), -1, Pick(4) - 1, Chance(80));
                break;
            case 1:
                what << "delete column " << col << " -> " << m_list->DeleteColumn(col);
                if (m_list->GetColumnCount() == 0)
                    ClearAll("no column left");
                break;
            case 2: what << "move column " << col << " -> " << m_list->MoveColumn(col, AnyColumn(), Chance(80)); break;
            case 3: what << "width of column " << col << " -> " << m_list->SetColumnWidth(col, Pick(200)); break;
            default: what << "add column -> " << m_list->AddColumn(L"added", LVCFMT_LEFT, 20 + Pick(80)); break;
            }
        } else if (op < 71) {
            if (Chance(60)) {
                what << "edit " << row << "/" << col << " -> " << (m_list->EditLabel(row, col) != nullptr);
            } else {
                const BOOL commit = Chance(60);
                what << "end edit " << (commit ? "committing" : "cancelling") << " -> " << m_list->EndLabelEdit(commit);
            }
        } else if (op < 78) {
            switch (Pick(5)) {
            case 0: what << "ensure visible " << row << " -> " << m_list->EnsureVisible(row, Chance(50)); break;
            case 1: what << "top " << row << " -> " << m_list->SetTopIndex(row); break;
            case 2: m_list->ScrollVert(Pick(21) - 10, Chance(50)); what << "scroll rows"; break;
            case 3: m_list->ScrollHorz(Pick(200) - 100); what << "scroll sideways"; break;
            default: m_list->UpdateScrollBars(); what << "scroll bars"; break;
            }
        } else if (op < 86) {
            static const DWORD styles[] = {LVS_SINGLESEL, LVS_NOLABELWRAP, LVS_EDITLABELS, LVS_NOCOLUMNHEADER,
                                           LVS_NOSORTHEADER, LVS_SHOWSELALWAYS};
            static const DWORD exStyles[] = {SEC_LVSX_FULLROWSELECT, SEC_LVSX_TIPS, SEC_LVSX_FITCOLUMNS,
                                             SEC_LVSX_REORDER_COLUMNS, SEC_LVSX_HGRID, SEC_LVSX_KEEPMAINWIDTH};
            const bool on = Chance(50);
            if (Chance(50)) {
                const DWORD bit = styles[Pick(6)];
                m_list->ModifyListStyle(on ? 0 : bit, on ? bit : 0, Chance(80));
                what << "style " << bit << (on ? " on" : " off");
            } else {
                const DWORD bit = exStyles[Pick(6)];
                m_list->ModifyListStyleEx(on ? 0 : bit, on ? bit : 0, Chance(80));
                what << "extended style " << bit << (on ? " on" : " off");
            }
        } else if (op < 90) {
            const int type = Pick(4);
            m_list->SetImageList(Chance(75) ? &m_images : nullptr, type);
            what << "image list " << type;
        } else if (op < 93) {
            UINT flags = 0;
            int hitCol = -1;
            const int hit = m_list->HitTest(CPoint(Pick(400), Pick(300)), &flags, &hitCol);
            what << "hit test -> " << hit;
        } else if (op < 96) {
            if (m_list->m_hWnd != nullptr) {
                ::InvalidateRect(m_list->m_hWnd, nullptr, FALSE);
                ::UpdateWindow(m_list->m_hWnd);
            }
            what << "paint";
        } else if (op < 98) {
            m_list->EnableMultiSelect(Chance(50));
            what << "multiple selection switched";
        } else {
            m_list->SetAutoUpdate(Chance(50));
            what << "auto update switched";
        }
        return what.str();
    }

    // ---- the owner

    // What the owner does besides answering: any call the run itself makes
    // (noted before it runs, for a crash inside it), or destroying the list.
    void Meddle(const std::string& where)
    {
        const std::string what = "    owner in " + where + ": ";
        if (!m_temper.destroy || !Chance(5)) {
            Note(what + "a call");
            Note(what + ApiStep());
            return;
        }
        ClearAll((what + "destroys the list").c_str());
        m_list->DestroyWindow();
        // Rows the run inserts afterwards are the windowless object's.
        if (m_list->GetItemCount() != 0 || m_list->GetEditItem() != -1 || m_list->EditorOpen() ||
            ::IsWindow(m_hList) || ::GetCapture() == m_hList) {
            if (m_problem.empty())
                m_problem = "the destroyed list keeps " + std::to_string(Rows()) + " rows, edit row " +
                            std::to_string(m_list->GetEditItem()) + (m_list->EditorOpen() ? ", an editor" : "") +
                            (::GetCapture() == m_hList ? ", the capture" : "");
        }
    }

    void OnSelectionChanging()
    {
        m_list->veto = Chance(m_temper.meddle + 5) ? TRUE : FALSE;
        if (m_depth < 2 && Chance(m_temper.meddle)) {
            ++m_depth;
            Meddle("selection changing");
            --m_depth;
        }
    }

    // A notification must come from the list and name a row that exists and
    // holds the data it reports.
    void CheckNotification(const NMHDR* header)
    {
        std::ostringstream problem;
        const UINT code = header->code;
        if (code == LVN_GETDISPINFOW || code == LVN_BEGINLABELEDITW || code == LVN_ENDLABELEDITW) {
            const LVITEMW& item = reinterpret_cast<const NMLVDISPINFOW*>(header)->item;
            const SECListItem* pRecord = m_list->GetItemAt(item.iItem);
            if (pRecord == nullptr)
                problem << NotifyName(code) << " names row " << item.iItem << " of " << Rows();
            else if (pRecord->m_lParam != item.lParam)
                problem << NotifyName(code) << " names row " << item.iItem << " but the data of another row";
            else if (item.iSubItem < 0 || item.iSubItem > m_list->GetSubItemCount())
                problem << NotifyName(code) << " names sub-item " << item.iSubItem;
        } else if (code == LVN_DELETEITEM) {
            const int row = reinterpret_cast<const NMLISTVIEW*>(header)->iItem;
            if (m_list->GetItemAt(row) == nullptr)
                problem << "LVN_DELETEITEM names row " << row << " of " << Rows();
        } else if (code == LVN_COLUMNCLICK) {
            const int col = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
            if (col < 0 || col >= m_list->GetColumnCount())
                problem << "LVN_COLUMNCLICK names column " << col << " of " << m_list->GetColumnCount();
        }
        if (!problem.str().empty() && m_problem.empty())
            m_problem = problem.str();
    }

    bool OnNotify(NMHDR* header, LRESULT& result)
    {
        if (m_list == nullptr || header->hwndFrom != m_hList)
            return false;
        CheckNotification(header);
        const UINT code = header->code;
        std::string told = "    told " + NotifyName(code);
        bool answered = false;
        if (code == LVN_GETDISPINFOW) {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
            told += " row " + std::to_string(item.iItem) + "/" + std::to_string(item.iSubItem);
            if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKW &&
                item.cchTextMax > 0) {
                const std::wstring text = L"owner's " + std::to_wstring(item.lParam);
                lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
            }
            if ((item.mask & LVIF_IMAGE) != 0)
                item.iImage = static_cast<int>(item.lParam % 3);
        } else if (code == LVN_BEGINLABELEDITW) {
            result = Chance(25) ? 1 : 0;
            answered = true;
            told += result ? " (vetoed)" : "";
        } else if (code == LVN_ENDLABELEDITW) {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
            result = Chance(60) ? 1 : 0;
            answered = true;
            if (result != 0 && item.pszText != nullptr && item.cchTextMax > 0 && Chance(30))
                lstrcpynW(item.pszText, L"rewritten", item.cchTextMax);
            told += result ? " (accepted)" : " (refused)";
        }
        // Display requests come by the hundred; the owner's changes in them are noted anyway.
        if (code != LVN_GETDISPINFOW)
            Note(told);
        if (m_depth < 2 && Chance(m_temper.meddle)) {
            ++m_depth;
            Meddle(NotifyName(code));
            --m_depth;
        }
        return answered;
    }

    // ---- the checks

    ::testing::AssertionResult Check(const std::set<LPARAM>& before)
    {
        if (!m_problem.empty())
            return ::testing::AssertionFailure() << m_problem;
        if (CheckHeapsEveryStep()) {
            const std::string heaps = CorruptHeaps();
            if (!heaps.empty())
                return ::testing::AssertionFailure() << heaps;
        }
        const ::testing::AssertionResult model = ModelIsConsistent(*m_list);
        if (!model)
            return model;
        const std::string widths = m_list->WidthCountsProblem();
        if (!widths.empty())
            return ::testing::AssertionFailure() << widths;
        const int rows = Rows();
        const int columns = m_list->GetColumnCount();
        const int edit = m_list->GetEditItem();
        if (edit < -1 || edit >= rows)
            return ::testing::AssertionFailure() << "edit row " << edit << " of " << rows;
        if (m_list->EditorOpen() != (edit >= 0))
            return ::testing::AssertionFailure() << "edit row " << edit << (m_list->EditorOpen() ? " with" : " without")
                                                 << " an editor";
        if (m_list->PendingEdit() < -1 || m_list->PendingEdit() >= rows)
            return ::testing::AssertionFailure() << "pending edit row " << m_list->PendingEdit() << " of " << rows;
        if (m_list->GetTopIndex() < 0 || m_list->GetTopIndex() > std::max(rows - 1, 0))
            return ::testing::AssertionFailure() << "top row " << m_list->GetTopIndex() << " of " << rows;
        for (int heading : {m_list->HotColumn(), m_list->PressedColumn()}) {
            if (Alive() && (heading < -1 || heading >= columns))
                return ::testing::AssertionFailure() << "hot or pressed heading " << heading << " of " << columns;
        }
        for (int c = 0; c < columns; ++c) {
            const int sub = m_list->GetColumnRecord(c)->m_iSubItem;
            if (sub < 0 || sub > m_list->GetSubItemCount())
                return ::testing::AssertionFailure() << "column " << c << " shows sub-item " << sub << " of "
                                                     << m_list->GetSubItemCount();
        }
        if (!Alive() && (edit != -1 || ::GetCapture() == m_hList))
            return ::testing::AssertionFailure() << "a destroyed list keeps edit row " << edit
                                                 << (::GetCapture() == m_hList ? " and the capture" : "");
        const std::set<LPARAM> now = Ids();
        if (now.size() != static_cast<size_t>(rows))
            return ::testing::AssertionFailure() << "a row record is in the list twice";
        for (LPARAM id : before) {
            if (now.count(id) == 0 && m_targeted.count(id) == 0 && !m_clearedAll)
                return ::testing::AssertionFailure() << "row data " << id << " went, though no deletion asked for it";
        }
        for (LPARAM id : m_targeted) {
            if (now.count(id) != 0)
                return ::testing::AssertionFailure() << "row data " << id << " stays, though a deletion took it";
        }
        return ::testing::AssertionSuccess();
    }

    unsigned m_seed;                    // the run's seed
    std::mt19937 m_random;              // every random choice of the run
    RandomInput m_input;                // the user
    Temper m_temper;                    // the owner's habits
    OwnerWindow m_owner;                // parent and notification window
    std::unique_ptr<RandomList> m_list; // the list under test; replaced when destroyed
    HWND m_hList = nullptr;             // its window
    CImageList m_images;                // images for rows and headings, copied by the list
    int m_step = 0;                     // current step
    int m_depth = 0;                    // nesting of the owner's changes
    LPARAM m_nextId = 0;                // data of the last row made; every row has its own
    std::set<LPARAM> m_targeted;        // rows deletions of this step asked for
    bool m_clearedAll = false;          // this step may have emptied the list
    std::string m_problem;              // the first wrong notification of the step
    RunTrail m_trail;                   // last steps and owner actions
};

// The runs, one test per seed: Seeds/ListRandom.seed<N>.
const bool registered = RegisterSeedTests("ListRandom", __FILE__, __LINE__, SeedsFromEnvironment(SeedRange(1, 20)),
                                          [](unsigned seed) { ListRun(seed).Run(StepsFromEnvironment(200)); });
} // namespace
