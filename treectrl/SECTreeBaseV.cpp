// The tree logic instantiated over SECListView: the document-view hosting,
// exported from the library.
// Not SECTreeView.h: a class derived from the instance must not come before it.
#include "listctrl/SECListView.h"
#include "treectrl/SECTreeBase.h"

#include "treectrl/SECTreeNodes.inl"
#include "treectrl/SECTreeItems.inl"
#include "treectrl/SECTreeInsert.inl"
#include "treectrl/SECTreeExpand.inl"
#include "treectrl/SECTreeSelect.inl"
#include "treectrl/SECTreeFrame.inl"
#include "treectrl/SECTreeInput.inl"
#include "treectrl/SECTreeColumns.inl"
#include "treectrl/SECTreeSorting.inl"
#include "treectrl/SECTreePaint.inl"

extern MORVA_API const UINT SECTreeViewEndLabelEditMessage;
const UINT SECTreeViewEndLabelEditMessage = ::RegisterWindowMessageW(L"SECTreeCtrlNotifyEndLabelEditRegMsg");

// GCC takes the export attribute on the instantiation itself, Clang only on a
// declaration before it.
#if defined(__clang__)
extern template class MORVA_API SECTreeBaseT<SECListView>;
template class SECTreeBaseT<SECListView>;
#else
template class MORVA_API SECTreeBaseT<SECListView>;
#endif
