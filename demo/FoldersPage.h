// The gallery's Folders page: the project folder as a tree-list (name, size,
// modified). Every folder says it has children; they are added when it is
// first opened, and a folder that turns out empty loses its button. A heading
// click sorts the children of every folder by that column, folders first.
#pragma once
#include <vector>
#include "GalleryPage.h"
#include "treectrl/SECTreeCtrl.h"

class FoldersPage : public GalleryPage
{
public:
    enum { kColName, kColSize, kColModified };

    LPCWSTR GetTitle() const override { return L"Folders"; }
    const GalleryAnchor* GetAnchors(int& count) const override;
    void Init(CGalleryWindow& window) override;
    bool OnNotify(NMHDR* pHeader, LRESULT* pResult) override;

    SECTreeCtrl& GetTree() { return m_tree; }
    // Sorts every folder's children as a heading click does.
    void Sort(int column, bool ascending);
    // The child of hParent showing the sample entry with this name; null when none.
    HTREEITEM FindChild(HTREEITEM hParent, LPCWSTR name);
    // Opens the sample entry's folders down to it and selects it.
    void Reveal(int index);
    // Says in the status line what is selected.
    void ShowSelection();

private:
    static int CALLBACK CompareEntries(LPARAM first, LPARAM second, LPARAM sort);
    HTREEITEM AddEntry(HTREEITEM hParent, int index);
    void Load(HTREEITEM hItem, int index);

    CGalleryWindow* m_pWindow = nullptr; // the window the page lies in
    SECTreeCtrl m_tree;                  // the folder tree-list
    CImageList m_images;                 // the entries' images; the tree keeps a copy
    std::vector<bool> m_loaded;          // per sample entry: its children were added
    int m_nSortColumn = kColName;        // column of the running sort
    bool m_bAscending = true;            // its direction
};
