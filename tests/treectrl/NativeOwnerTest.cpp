// An owner written for the platform's tree-view: it loads children when a
// folder is first expanded, supplies labels and children counts on demand,
// vetoes selecting a locked item, tracks the selection and frees its item data
// when told of deletions. The same owner code drives the native control and
// this one through the same scenario, and both must leave it in the same state.
#include <map>
#include <string>
#include "treectrl/TreeTestSupport.h"

namespace {
struct FolderData
{
    std::wstring name;         // label the owner supplies
    bool folder = false;       // declares children
    bool loaded = false;       // its children were inserted
    HTREEITEM hItem = nullptr; // the handle the control gave it
};

// The control as the scenario drives it: by messages for the native one, by
// methods for this library's.
struct TreeAccess
{
    std::function<HTREEITEM(TVINSERTSTRUCTW*)> insert; // TVM_INSERTITEMW
    std::function<BOOL(HTREEITEM, UINT)> expand;       // TVM_EXPAND
    std::function<BOOL(HTREEITEM)> select;             // TVM_SELECTITEM with TVGN_CARET
    std::function<BOOL(TVITEMW*)> getItem;             // TVM_GETITEMW
    std::function<BOOL()> deleteAll;                   // TVM_DELETEITEM of TVI_ROOT
};

// What the owner ends up with: loads, frees, vetoes, records whose handle was
// not the item's, the item last selected before the deletion, a label read back.
struct OwnerState
{
    int loads = 0, frees = 0, vetoes = 0, wrongHandles = 0; // counts, as named
    std::wstring selected, label;                            // as named
    std::string Describe() const
    {
        return std::to_string(loads) + " " + std::to_string(frees) + " " + std::to_string(vetoes) + " " +
               std::to_string(wrongHandles) + " " + Narrow(selected.c_str()) + " " + Narrow(label.c_str());
    }
};

class NativeStyleOwner
{
public:
    explicit NativeStyleOwner(TreeAccess& tree) : m_tree(tree) {}
    OwnerState state;                           // what the owner saw
    std::map<std::wstring, HTREEITEM> handles; // items by name

    HTREEITEM Add(HTREEITEM hParent, const std::wstring& name, bool folder)
    {
        FolderData* pData = new FolderData{name, folder};
        TVINSERTSTRUCTW insert{};
        insert.hParent = hParent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM;
        insert.item.pszText = LPSTR_TEXTCALLBACKW;
        insert.item.cChildren = I_CHILDRENCALLBACK;
        insert.item.lParam = reinterpret_cast<LPARAM>(pData);
        return handles[name] = pData->hItem = m_tree.insert(&insert);
    }

    // The owner's WM_NOTIFY handler, as written for the platform's control.
    LRESULT OnNotify(NMHDR* pHeader)
    {
        NMTREEVIEWW* pView = reinterpret_cast<NMTREEVIEWW*>(pHeader);
        switch (pHeader->code) {
        case TVN_GETDISPINFOW: {
            TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(pHeader)->item;
            const FolderData* pData = reinterpret_cast<FolderData*>(item.lParam);
            if (item.mask & TVIF_TEXT)
                lstrcpynW(item.pszText, pData->name.c_str(), item.cchTextMax);
            if (item.mask & TVIF_CHILDREN)
                item.cChildren = pData->folder ? 1 : 0;
            return 0;
        }
        case TVN_ITEMEXPANDINGW:
            if ((pView->action & TVE_EXPAND) && !Data(pView->itemNew)->loaded) {
                Data(pView->itemNew)->loaded = true;
                ++state.loads;
                for (int i = 1; i <= 3; ++i)
                    Add(pView->itemNew.hItem, Data(pView->itemNew)->name + L"/file" + std::to_wstring(i), false);
            }
            return 0;
        case TVN_SELCHANGINGW:
            if (pView->itemNew.hItem != nullptr && Data(pView->itemNew)->name == L"locked") {
                ++state.vetoes;
                return TRUE;
            }
            return 0;
        case TVN_SELCHANGEDW:
            state.selected = pView->itemNew.hItem != nullptr ? Data(pView->itemNew)->name : L"";
            return 0;
        case TVN_DELETEITEMW:
            delete Data(pView->itemOld);
            ++state.frees;
            return 0;
        default:
            return 0;
        }
    }

private:
    FolderData* Data(const TVITEMW& item)
    {
        FolderData* pData = reinterpret_cast<FolderData*>(item.lParam);
        state.wrongHandles += pData->hItem != item.hItem;
        return pData;
    }
    TreeAccess& m_tree; // the control it inserts children into
};

OwnerState RunScenario(OwnerWindow& window, TreeAccess& tree)
{
    NativeStyleOwner owner(tree);
    window.onNotify = [&owner](NMHDR* pHeader, LRESULT& result) {
        result = owner.OnNotify(pHeader);
        return true;
    };
    const HTREEITEM hFolder = owner.Add(TVI_ROOT, L"folder", true);
    const HTREEITEM hLocked = owner.Add(TVI_ROOT, L"locked", false);
    tree.expand(hFolder, TVE_EXPAND);
    tree.select(owner.handles[L"folder/file2"]);
    EXPECT_FALSE(tree.select(hLocked));
    tree.select(hFolder);
    tree.expand(hFolder, TVE_COLLAPSE);
    tree.expand(hFolder, TVE_EXPAND);
    WCHAR buffer[64] = L"";
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = owner.handles[L"folder/file3"];
    item.pszText = buffer;
    item.cchTextMax = 64;
    tree.getItem(&item);
    owner.state.label = item.pszText;
    // What deleting the caret tells differs between the controls; the rest not.
    const std::wstring selected = owner.state.selected;
    tree.deleteAll();
    owner.state.selected = selected;
    window.onNotify = nullptr;
    return owner.state;
}
} // namespace

TEST(NativeOwner, AnOwnerOfThePlatformsTreeViewWorksUnchanged)
{
    OwnerWindow nativeOwner;
    HWND hNative = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0, 0, 200, 200,
                                   nativeOwner.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(1)), nullptr,
                                   nullptr);
    ASSERT_NE(nullptr, hNative);
    auto send = [hNative](UINT message, WPARAM wParam, const void* lParam) {
        return SendMessageW(hNative, message, wParam, reinterpret_cast<LPARAM>(lParam));
    };
    TreeAccess native{
        [&](TVINSERTSTRUCTW* p) { return reinterpret_cast<HTREEITEM>(send(TVM_INSERTITEMW, 0, p)); },
        [&](HTREEITEM h, UINT code) { return static_cast<BOOL>(send(TVM_EXPAND, code, h)); },
        [&](HTREEITEM h) { return static_cast<BOOL>(send(TVM_SELECTITEM, TVGN_CARET, h)); },
        [&](TVITEMW* p) { return static_cast<BOOL>(send(TVM_GETITEMW, 0, p)); },
        [&]() { return static_cast<BOOL>(send(TVM_DELETEITEM, 0, TVI_ROOT)); }};
    const OwnerState withNative = RunScenario(nativeOwner, native);
    DestroyWindow(hNative);

    OwnerWindow ourOwner;
    SECTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 200), &ourOwner, 1));
    TreeAccess ours{[&](TVINSERTSTRUCTW* p) { return tree.InsertItem(p); },
                    [&](HTREEITEM h, UINT code) { return tree.Expand(h, code); },
                    [&](HTREEITEM h) { return tree.SelectItem(h, TVGN_CARET); },
                    [&](TVITEMW* p) { return tree.GetItem(p); }, [&]() { return tree.DeleteAllItems(); }};
    const OwnerState withOurs = RunScenario(ourOwner, ours);

    EXPECT_EQ("1 5 1 0 folder folder/file3", withOurs.Describe());
    EXPECT_EQ(withNative.Describe(), withOurs.Describe()) << "the platform's control and this one differ";
}
