// SECTreeView: the tree control as a document view, the same tree logic as
// SECTreeCtrl hosted over the list view (SECTreeBaseV), so it prints and
// previews like SECListView: the visible rows, with their indentation, lines,
// buttons and images, page after page.
//
// It sends the same registered end-edit message as the window tree, so one
// owner handles both.
#pragma once
#include "listctrl/SECListView.h"
#include "treectrl/SECTreeBase.h"

#if !defined(MORVA_BUILD_DLL)
extern template class SECTreeBaseT<SECListView>;
#endif
typedef SECTreeBaseT<SECListView> SECTreeBaseV;

// The end-edit message as the view variant registers it: the same name, so
// the same number as SECTreeEndLabelEditMessage.
extern MORVA_API const UINT SECTreeViewEndLabelEditMessage;

class MORVA_API SECTreeView : public SECTreeBaseV
{
    DECLARE_DYNAMIC(SECTreeView)
public:
    SECTreeView() = default;
    ~SECTreeView() override;

protected:
    DECLARE_MESSAGE_MAP()
};
