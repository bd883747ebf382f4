// The gallery's Links page: a link that opens a folder, one that opens a web
// address, one that opens a text window of the language resource library, and
// a strip of images from two image lists.
#pragma once
#include "GalleryPage.h"
#include "dialogs/CPallasImageList.h"
#include "dialogs/CUrlDataCtrl.h"

class LinksPage : public GalleryPage
{
public:
    LPCWSTR GetTitle() const override { return L"Links"; }
    const GalleryAnchor* GetAnchors(int& count) const override;
    void Init(CGalleryWindow& window) override;
    bool OnDrawItem(const DRAWITEMSTRUCT* pItem) override;

    CUrlCtrl& GetFolderLink() { return m_folder; }
    CUrlCtrl& GetWebLink() { return m_web; }
    CUrlDataCtrl& GetDataLink() { return m_data; }
    // Images of the strip, of both lists.
    int GetImageCount() const { return m_icons.GetImageCount() + m_files.GetImageCount(); }

private:
    CUrlCtrl m_folder;         // opens the Windows folder
    CUrlCtrl m_web;            // opens a web address
    CUrlDataCtrl m_data;       // opens a text window
    CPallasImageList m_icons;  // the resource library's dialog and message icons
    CImageList m_files;        // the gallery's own images
};
