// The demo's folder tree: a tree of the folders below a folder, created in
// place of a placeholder of the dialog template. Every folder declares that it
// has children; they are read from the disk when it is first expanded. The
// tree follows the dialog's edges when it is resized.
#pragma once
#include "dialogs/CResizingDlg.h"
#include "framework/Framework.h"
#include "treectrl/SECTreeCtrl.h"

class CDemoTreeDialog : public CResizingDlg
{
public:
    explicit CDemoTreeDialog(LPCWSTR folder);

    SECTreeCtrl& GetTree() { return m_tree; }
    // Children read by the last first expansion.
    int GetLastLoaded() const { return m_nLastLoaded; }

protected:
    BOOL OnInitDialog() override;
    void InitControlInfo() override;
    HTREEITEM AddFolder(HTREEITEM hParent, const CString& path, const CString& name);
    // Reads the item's children the first time it expands.
    void OnItemExpanding(NMHDR* pHeader, LRESULT* pResult);
    // Frees what AddFolder gave each item.
    void OnDeleteItem(NMHDR* pHeader, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CString m_folder;       // folder at the top of the tree
    SECTreeCtrl m_tree;     // the folder tree
    int m_nLastLoaded = 0;  // children read by the last first expansion
};
