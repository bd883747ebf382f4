// The demo's folder tree-list: the folders and files below a folder in three
// columns (name, size, modified), created in place of a placeholder of the
// dialog template. Every folder declares that it has children; they are read
// from the disk when it is first expanded. A click on a heading sorts every
// folder's children by that column (folders first); the tree's keys and
// clicks expand and collapse. The tree follows the dialog's edges when it is
// resized.
#pragma once
#include "dialogs/CResizingDlg.h"
#include "framework/Framework.h"
#include "treectrl/SECTreeCtrl.h"

class CDemoTreeDialog : public CResizingDlg
{
public:
    // Columns of the tree-list.
    enum { kColName = 0, kColSize = 1, kColModified = 2 };

    explicit CDemoTreeDialog(LPCWSTR folder);

    SECTreeCtrl& GetTree() { return m_tree; }
    // Children read by the last first expansion.
    int GetLastLoaded() const { return m_nLastLoaded; }
    // Sorts the children of every folder by the column, as a heading click does.
    void SortByColumn(int nCol);
    int GetSortColumn() const { return m_nSortCol; }

protected:
    BOOL OnInitDialog() override;
    void InitControlInfo() override;
    HTREEITEM AddEntry(HTREEITEM hParent, const CString& path, const WIN32_FIND_DATAW* pFound);
    // Reads the item's children the first time it expands.
    void OnItemExpanding(NMHDR* pHeader, LRESULT* pResult);
    // Frees what AddEntry gave each item.
    void OnDeleteItem(NMHDR* pHeader, LRESULT* pResult);
    void OnColumnClick(NMHDR* pHeader, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CString m_folder;       // folder at the top of the tree
    SECTreeCtrl m_tree;     // the folder tree-list
    int m_nLastLoaded = 0;  // children read by the last first expansion
    int m_nSortCol = -1;    // column sorted by last, -1 before any sort
};
