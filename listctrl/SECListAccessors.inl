// Small accessors of SECListBaseT, kept out of the class body so that the
// library exports them with the rest. Part of SECListBaseT; compiled in
// SECListBaseC.cpp.

template <class THost>
void SECListBaseT<THost>::SetNotifyWnd(CWnd* pWnd)
{
    m_pNotifyWnd = pWnd;
}

template <class THost>
BOOL SECListBaseT<THost>::IsListStyleSet(DWORD dwStyle) const
{
    return (m_dwListStyle & dwStyle) == dwStyle;
}

template <class THost>
BOOL SECListBaseT<THost>::IsListStyleExSet(DWORD dwExStyle) const
{
    return (m_dwListStyleEx & dwExStyle) == dwExStyle;
}

template <class THost>
DWORD SECListBaseT<THost>::GetListStyle() const
{
    return m_dwListStyle;
}

template <class THost>
DWORD SECListBaseT<THost>::GetListStyleEx() const
{
    return m_dwListStyleEx;
}

template <class THost>
BOOL SECListBaseT<THost>::AreTipsEnabled() const
{
    return IsListStyleExSet(SEC_LVSX_TIPS);
}

template <class THost>
BOOL SECListBaseT<THost>::HasHeader() const
{
    return (m_dwListStyle & LVS_NOCOLUMNHEADER) == 0;
}

template <class THost>
BOOL SECListBaseT<THost>::IsMultiSelect() const
{
    return (m_dwListStyle & LVS_SINGLESEL) == 0;
}

template <class THost>
void SECListBaseT<THost>::SetAutoUpdate(BOOL bAutoUpdate)
{
    m_bAutoUpdate = bAutoUpdate;
}

template <class THost>
BOOL SECListBaseT<THost>::GetAutoUpdate() const
{
    return m_bAutoUpdate;
}

template <class THost>
void SECListBaseT<THost>::SetTextColor(COLORREF cr)
{
    m_crText = cr;
}

template <class THost>
COLORREF SECListBaseT<THost>::GetTextColor() const
{
    return m_crText;
}

template <class THost>
void SECListBaseT<THost>::SetTextBkColor(COLORREF cr)
{
    m_crTextBk = cr;
}

template <class THost>
COLORREF SECListBaseT<THost>::GetTextBkColor() const
{
    return m_crTextBk;
}

template <class THost>
void SECListBaseT<THost>::SetSelectedTextColor(COLORREF cr)
{
    m_crSelText = cr;
}

template <class THost>
void SECListBaseT<THost>::SetSelectedBkColor(COLORREF cr)
{
    m_crSelBk = cr;
}

template <class THost>
void SECListBaseT<THost>::SetBkColor(COLORREF cr)
{
    m_crBk = cr;
}

template <class THost>
void SECListBaseT<THost>::SetFollowSystemColors(BOOL bFollow)
{
    m_bFollowSysColors = bFollow;
}

template <class THost>
int SECListBaseT<THost>::GetItemCount() const
{
    return m_items.GetSize();
}

template <class THost>
int SECListBaseT<THost>::GetRowCount() const
{
    return GetItemCount();
}

template <class THost>
int SECListBaseT<THost>::GetSubItemCount() const
{
    return m_nSubItems;
}

template <class THost>
LPARAM SECListBaseT<THost>::GetRecordData(const SECListItem* pItem) const
{
    return pItem ? pItem->m_lParam : 0;
}

template <class THost>
void SECListBaseT<THost>::SetStateCallback(BOOL b)
{
    m_bStateCallback = b;
}

template <class THost>
BOOL SECListBaseT<THost>::IsStateCallback() const
{
    return m_bStateCallback;
}

template <class THost>
void SECListBaseT<THost>::SetExStateCallback(BOOL b)
{
    m_bExStateCallback = b;
}

template <class THost>
BOOL SECListBaseT<THost>::IsExStateCallback() const
{
    return m_bExStateCallback;
}

template <class THost>
int SECListBaseT<THost>::GetColumnCount() const
{
    return static_cast<int>(m_columns.GetSize());
}

template <class THost>
UINT SECListBaseT<THost>::GetSelectedCount() const
{
    return static_cast<UINT>(m_selection.GetCount());
}

template <class THost>
int SECListBaseT<THost>::GetFocusItem() const
{
    return m_nFocusIndex;
}

template <class THost>
int SECListBaseT<THost>::GetDropHilightItem() const
{
    return m_nDropHilite;
}

template <class THost>
int SECListBaseT<THost>::GetAnchorItem() const
{
    return m_nAnchor;
}

template <class THost>
const SECListSelection& SECListBaseT<THost>::GetSelection() const
{
    return m_selection;
}

template <class THost>
int SECListBaseT<THost>::GetTopIndex() const
{
    return m_nTopIndex;
}

template <class THost>
int SECListBaseT<THost>::GetRowSpacing() const
{
    return 0;
}

template <class THost>
BOOL SECListBaseT<THost>::IsVertScrollBarShown() const
{
    return (m_dwScrollStyle & WS_VSCROLL) != 0;
}

template <class THost>
BOOL SECListBaseT<THost>::IsHorzScrollBarShown() const
{
    return (m_dwScrollStyle & WS_HSCROLL) != 0;
}

template <class THost>
int SECListBaseT<THost>::GetHorzOffset() const
{
    return m_nHorzOffset;
}

template <class THost>
int SECListBaseT<THost>::GetHeaderHeight() const
{
    return m_nHeaderHeight;
}

template <class THost>
void SECListBaseT<THost>::SetPendingEditDelay(UINT nMilliseconds)
{
    m_nPendingEditDelay = nMilliseconds;
}

template <class THost>
UINT SECListBaseT<THost>::GetPendingEditDelay() const
{
    return m_nPendingEditDelay;
}

template <class THost>
void SECListBaseT<THost>::SetTypeAheadTimeout(UINT nMilliseconds)
{
    m_nTypeAheadTimeout = nMilliseconds;
}

template <class THost>
int SECListBaseT<THost>::GetCurrentColumn() const
{
    return m_nEditCol;
}

template <class THost>
SECListEdit* SECListBaseT<THost>::GetEditControl() const
{
    return m_pEdit;
}

template <class THost>
int SECListBaseT<THost>::GetEditItem() const
{
    return m_nEditItem;
}

template <class THost>
void SECListBaseT<THost>::NotifySetDispInfo(LVITEMW* /*pItem*/)
{
   
}

template <class THost>
void SECListBaseT<THost>::NotifyGetExState(LVITEMW* /*pItem*/)
{
   
}

template <class THost>
void SECListBaseT<THost>::NotifyReserved()
{
   
}

template <class THost>
LRESULT SECListBaseT<THost>::GetLastNotifyResult() const
{
    return m_lLastNotifyResult;
}

template <class THost>
void SECListBaseT<THost>::OnBeginDrag(int /*nItem*/, CPoint /*point*/)
{
   
}

template <class THost>
void SECListBaseT<THost>::OnBeginRDrag(int /*nItem*/, CPoint /*point*/)
{
   
}

template <class THost>
BOOL SECListBaseT<THost>::OnSelectionChanging(int /*nItem*/, int /*nOldFocus*/, BOOL /*bByMouse*/)
{
    return FALSE;
}

template <class THost>
void SECListBaseT<THost>::OnSelectionChanged(int /*nItem*/, int /*nOldFocus*/, BOOL /*bByMouse*/)
{
   
}

template <class THost>
void SECListBaseT<THost>::OnSelectionMoved(int /*nItem*/, BOOL /*bByMouse*/)
{
   
}

template <class THost>
void SECListBaseT<THost>::OnLabelEditAccepted(int /*nItem*/, int /*nSubItem*/)
{
   
}

template <class THost>
void SECListBaseT<THost>::OnColumnMoved(int /*nFrom*/, int /*nTo*/)
{
   
}

template <class THost>
void SECListBaseT<THost>::OnThemeChanged()
{
   
}

template <class THost>
HWND SECListBaseT<THost>::GetOwnerWindow() const
{
    return m_hWnd;
}

template <class THost>
BOOL SECListBaseT<THost>::HasVariableRowHeight() const
{
    return (m_dwListStyle & LVS_NOLABELWRAP) == 0;
}

template <class THost>
COLORREF SECListBaseT<THost>::GetSelectedTextColor() const
{
    return m_crSelText;
}

template <class THost>
COLORREF SECListBaseT<THost>::GetSelectedBkColor() const
{
    return m_crSelBk;
}

template <class THost>
COLORREF SECListBaseT<THost>::GetTipTextColor() const
{
    return m_crTipText;
}

template <class THost>
COLORREF SECListBaseT<THost>::GetTipBkColor() const
{
    return m_crTipBk;
}

template <class THost>
UINT SECListBaseT<THost>::GetRowState(int /*nItem*/, UINT /*nMask*/)
{
    return 0;
}

template <class THost>
SECListTip* SECListBaseT<THost>::GetTip() const
{
    return m_pTip;
}

template <class THost>
BOOL SECListBaseT<THost>::IsAlive() const
{
    return this->HasLiveWindow();
}

template <class THost>
BOOL SECListBaseT<THost>::HasFocus() const
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (!this->IsRouted())
        return ::GetFocus() == m_hWnd;
    if (m_nHasFocus < 0)
        m_nHasFocus = ::GetFocus() == m_hWnd ? 1 : 0; // attached while it had the focus, say
    return m_nHasFocus != 0;
}
