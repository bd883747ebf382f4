// An owner written for the platform's tree-view (children loaded on the first
// expansion, labels and children counts on demand, a veto, item data freed on
// deletion) drives the native control and this one: both leave it the same.
#include "treectrl/TreeTestSupport.h"

namespace {
struct FolderData
{
    std::wstring name;         // label the owner supplies
    bool folder = false;       // declares children
    bool loaded = false;       // its children were inserted
    HTREEITEM hItem = nullptr; // the handle the control gave it
};

// This library's tree, answering the tree-view messages the scenario sends.
class MessageTree : public SECTreeCtrl
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const HTREEITEM hItem = reinterpret_cast<HTREEITEM>(lParam);
        switch (message) {
        case TVM_INSERTITEMW: return reinterpret_cast<LRESULT>(InsertItem(reinterpret_cast<TVINSERTSTRUCTW*>(lParam)));
        case TVM_EXPAND: return Expand(hItem, static_cast<UINT>(wParam));
        case TVM_SELECTITEM: return SelectItem(hItem, static_cast<UINT>(wParam));
        case TVM_GETITEMW: return GetItem(reinterpret_cast<TVITEMW*>(lParam));
        case TVM_DELETEITEM: return DeleteItem(hItem);
        default: return SECTreeCtrl::WindowProc(message, wParam, lParam);
        }
    }
};

// Runs the scenario on a control; answers the owner's loads, frees, vetoes, wrong
// handles, the item last selected before the deletion and a label read back.
class NativeStyleOwner
{
public:
    std::string Run(OwnerWindow& window, HWND hTree)
    {
        m_hTree = hTree;
        window.onNotify = [this](NMHDR* pHeader, LRESULT& result) {
            result = OnNotify(pHeader);
            return true;
        };
        const HTREEITEM hFolder = Add(TVI_ROOT, L"folder", true);
        TreeView_Expand(hTree, hFolder, TVE_EXPAND);
        TreeView_SelectItem(hTree, m_handles[L"folder/file2"]);
        EXPECT_FALSE(TreeView_SelectItem(hTree, Add(TVI_ROOT, L"locked", false)));
        TreeView_SelectItem(hTree, hFolder);
        TreeView_Expand(hTree, hFolder, TVE_COLLAPSE);
        TreeView_Expand(hTree, hFolder, TVE_EXPAND);
        WCHAR buffer[64] = L"";
        TVITEMW label{TVIF_TEXT, m_handles[L"folder/file3"], 0, 0, buffer, 64, 0, 0, 0, 0};
        TreeView_GetItem(hTree, &label);
        // What deleting the caret tells differs between the controls; the rest not.
        const std::string selected = Narrow(m_selected.c_str());
        TreeView_DeleteAllItems(hTree);
        window.onNotify = nullptr;
        return std::to_string(m_loads) + " " + std::to_string(m_frees) + " " + std::to_string(m_vetoes) + " "
               + std::to_string(m_wrongHandles) + " " + selected + " " + Narrow(label.pszText);
    }

private:
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
        return m_handles[name] = pData->hItem = TreeView_InsertItem(m_hTree, &insert);
    }

    // The owner's WM_NOTIFY handler, as written for the platform's control.
    LRESULT OnNotify(NMHDR* pHeader)
    {
        const UINT c = pHeader->code;
        if (c == TVN_GETDISPINFOW) {
            TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(pHeader)->item;
            const FolderData* pData = reinterpret_cast<FolderData*>(item.lParam);
            if (item.mask & TVIF_TEXT)
                lstrcpynW(item.pszText, pData->name.c_str(), item.cchTextMax);
            if (item.mask & TVIF_CHILDREN)
                item.cChildren = pData->folder ? 1 : 0;
            return 0;
        }
        if (c != TVN_ITEMEXPANDINGW && c != TVN_SELCHANGINGW && c != TVN_SELCHANGEDW && c != TVN_DELETEITEMW)
            return 0;
        const NMTREEVIEWW* pView = reinterpret_cast<NMTREEVIEWW*>(pHeader);
        const TVITEMW& item = c == TVN_DELETEITEMW ? pView->itemOld : pView->itemNew;
        FolderData* pData = item.hItem != nullptr ? reinterpret_cast<FolderData*>(item.lParam) : nullptr;
        m_wrongHandles += pData != nullptr && pData->hItem != item.hItem;
        if (c == TVN_ITEMEXPANDINGW && (pView->action & TVE_EXPAND) && !pData->loaded) {
            pData->loaded = true;
            ++m_loads;
            for (int i = 1; i <= 3; ++i)
                Add(item.hItem, pData->name + L"/file" + std::to_wstring(i), false);
        }
        const bool veto = c == TVN_SELCHANGINGW && pData != nullptr && pData->name == L"locked";
        m_vetoes += veto;
        if (c == TVN_SELCHANGEDW)
            m_selected = pData != nullptr ? pData->name : L"";
        if (c == TVN_DELETEITEMW) {
            delete pData;
            ++m_frees;
        }
        return veto;
    }

    HWND m_hTree = nullptr;                      // the control driven
    int m_loads = 0, m_frees = 0, m_vetoes = 0;  // counts, as named
    int m_wrongHandles = 0;                      // records whose handle was not their item's
    std::wstring m_selected;                     // name of the item last selected
    std::map<std::wstring, HTREEITEM> m_handles; // items by name
};
} // namespace

TEST(NativeOwner, AnOwnerOfThePlatformsTreeViewWorksUnchanged)
{
    OwnerWindow nativeOwner, ourOwner;
    HWND hNative = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0, 0, 200, 200,
                                   nativeOwner.m_hWnd, nullptr, nullptr, nullptr);
    MessageTree tree;
    ASSERT_TRUE(hNative && tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 200), &ourOwner, 1));
    EXPECT_EQ("1 5 1 0 folder folder/file3", NativeStyleOwner().Run(nativeOwner, hNative)) << "the native control";
    EXPECT_EQ("1 5 1 0 folder folder/file3", NativeStyleOwner().Run(ourOwner, tree.m_hWnd)) << "this library's";
}
