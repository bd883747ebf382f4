// The list logic instantiated over CView: the document-view hosting,
// exported from the library.
// Not SECListView.h: a class derived from the instance must not come before it.
#include "framework/CView.h"
#include "listctrl/SECListBase.h"

#include "listctrl/SECListAccessors.inl"
#include "listctrl/SECListEditing.inl"
#include "listctrl/SECListFrame.inl"
#include "listctrl/SECListInput.inl"
#include "listctrl/SECListLayout.inl"
#include "listctrl/SECListModel.inl"
#include "listctrl/SECListPaint.inl"
#include "listctrl/SECListSelect.inl"
#include "listctrl/SECListSort.inl"

// GCC takes the export attribute on the instantiation itself, Clang only on a
// declaration before it.
#if defined(__clang__)
extern template class MORVA_API SECListBaseT<CView>;
template class SECListBaseT<CView>;
#else
template class MORVA_API SECListBaseT<CView>;
#endif
