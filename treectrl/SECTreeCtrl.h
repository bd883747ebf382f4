// SECTreeCtrl: the tree control as a child window, the class applications create.
//
//     SECTreeCtrl tree;
//     tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, rect, pParent, IDC_TREE);
//     HTREEITEM hItem = tree.InsertItem(L"Item");
//
// It notifies its parent (or the window given to SetNotifyWnd) with WM_NOTIFY
// in the platform's tree-view forms: TVN_SELCHANGINGW / TVN_SELCHANGEDW,
// TVN_ITEMEXPANDINGW / TVN_ITEMEXPANDEDW, TVN_DELETEITEMW, TVN_GETDISPINFOW,
// TVN_BEGINLABELEDITW / TVN_ENDLABELEDITW, TVN_KEYDOWN, TVN_BEGINDRAGW.
//
// Its window frame is drawn with the visual style's tree-view frame; without
// visual styles no frame is drawn at all.
#pragma once
#include "treectrl/SECTreeBase.h"

class MORVA_API SECTreeCtrl : public SECTreeBaseC
{
    DECLARE_DYNAMIC(SECTreeCtrl)
public:
    SECTreeCtrl() = default;
    ~SECTreeCtrl() override;

    // Theme part and states of the "TREEVIEW" frame.
    enum { kFramePart = 1, kFrameNormal = 1, kFrameFocusedParent = 2, kFrameDisabled = 4 };

    // The frame theme handle; null until the first non-client paint opens it.
    HTHEME_SEC GetFrameTheme() const { return m_hFrameTheme; }

protected:
    // WM_NCPAINT: the themed frame; the platform's frame painting never runs.
    LRESULT OnNcPaintMessage(WPARAM wParam, LPARAM lParam);
    void OnThemeChanged() override;

    HTHEME_SEC m_hFrameTheme = nullptr; // visual-style data of the window frame (owned)

    DECLARE_MESSAGE_MAP()
};
