// One page of the gallery's main window: a group of the window's controls
// that show together when its tab is chosen. The window registers the page's
// anchors with its own, and hands the page the notifications and commands of
// its controls.
#pragma once
#include <windows.h>
#include "dialogs/ControlAnchoring.h"
#include "framework/Framework.h"

class CGalleryWindow;

// A control of a page and how it follows the window's size (ANCHOR_* bits).
struct GalleryAnchor
{
    int id;
    BYTE anchor;
};

class GalleryPage
{
public:
    virtual ~GalleryPage() = default;

    virtual LPCWSTR GetTitle() const = 0;
    // The page's controls; every one of them shows and hides with the page.
    virtual const GalleryAnchor* GetAnchors(int& count) const = 0;
    // After the window's initialisation: creates or binds the page's controls.
    virtual void Init(CGalleryWindow& window) = 0;
    // Each answers whether the page handled the message.
    virtual bool OnNotify(NMHDR* /*pHeader*/, LRESULT* /*pResult*/) { return false; }
    virtual bool OnCommand(UINT /*id*/, UINT /*code*/) { return false; }
    virtual bool OnDrawItem(const DRAWITEMSTRUCT* /*pItem*/) { return false; }

    // Shows or hides the page's controls in the window.
    void Show(CWnd& window, bool show) const
    {
        int count = 0;
        const GalleryAnchor* anchors = GetAnchors(count);
        for (int i = 0; i < count; ++i) {
            if (HWND hControl = ::GetDlgItem(window.m_hWnd, anchors[i].id))
                ::ShowWindow(hControl, show ? SW_SHOWNA : SW_HIDE);
        }
    }
};
