#include "listctrl/SECListCtrl.h"

IMPLEMENT_DYNAMIC(SECListCtrl, CWnd)

SECListCtrl::~SECListCtrl() = default;

BEGIN_MESSAGE_MAP(SECListCtrl, SECListBaseC)
    SEC_LIST_MESSAGE_MAP_ENTRIES()
END_MESSAGE_MAP()
