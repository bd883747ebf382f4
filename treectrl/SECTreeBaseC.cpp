// The tree logic instantiated over SECListCtrl: the child-window hosting,
// exported from the library.
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

const UINT SECTreeEndLabelEditMessage = ::RegisterWindowMessageW(L"SECTreeCtrlNotifyEndLabelEditRegMsg");

// GCC takes the export attribute on the instantiation itself, Clang only on a
// declaration before it.
#if defined(__clang__)
extern template class MORVA_API SECTreeBaseT<SECListCtrl>;
template class SECTreeBaseT<SECListCtrl>;
#else
template class MORVA_API SECTreeBaseT<SECListCtrl>;
#endif
