// The list logic instantiated over CWnd: the child-window hosting, exported
// from the library.
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
extern template class MORVA_API SECListBaseT<CWnd>;
template class SECListBaseT<CWnd>;
#else
template class MORVA_API SECListBaseT<CWnd>;
#endif
