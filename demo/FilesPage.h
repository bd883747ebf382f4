// The gallery's Files page: the project folder's contents in a report list
// with an image per kind of file. A heading click sorts by its column (again:
// the other way round), F2 or a second click renames a row in place, and a
// name too long for its column shows whole in a tip. A double-click on a
// folder opens it on the Folders page.
#pragma once
#include "GalleryPage.h"
#include "listctrl/SECListCtrl.h"

class FilesPage : public GalleryPage
{
public:
    enum { kColName, kColType, kColSize, kColModified };

    LPCWSTR GetTitle() const override { return L"Files"; }
    const GalleryAnchor* GetAnchors(int& count) const override;
    void Init(CGalleryWindow& window) override;
    bool OnNotify(NMHDR* pHeader, LRESULT* pResult) override;

    SECListCtrl& GetList() { return m_list; }
    // Sorts as a heading click does; the sort mark shows column and direction.
    void Sort(int column, bool ascending);
    // Row of the sample entry with this name, -1 when none.
    int FindRow(LPCWSTR name);

    // Says in the status line what is selected.
    void ShowSelection();

private:
    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM self);

    CGalleryWindow* m_pWindow = nullptr; // the window the page lies in
    SECListCtrl m_list;                  // the file list
    CImageList m_images;                 // the files' images; the list keeps a copy
    int m_nSortColumn = kColName;        // column of the running sort
    bool m_bAscending = true;            // its direction
};
