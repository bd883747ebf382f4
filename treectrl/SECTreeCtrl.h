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
#pragma once
#include "treectrl/SECTreeBase.h"

class MORVA_API SECTreeCtrl : public SECTreeBaseC
{
    DECLARE_DYNAMIC(SECTreeCtrl)
public:
    SECTreeCtrl() = default;
    ~SECTreeCtrl() override;

protected:
    DECLARE_MESSAGE_MAP()
};
