// SECListPaintContext: the record one paint (or one measuring pass) works on:
// the cell being drawn, its data and its colours. Made by CreatePaintContext
// and deleted by whoever asked for it; derived controls return a derived record.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/Framework.h"
#include "listctrl/SECListRecords.h"

class MORVA_API SECListPaintContext
{
public:
    explicit SECListPaintContext(CDC* pDC) : m_pDC(pDC) {}
    virtual ~SECListPaintContext() = default;
    SECListPaintContext(const SECListPaintContext&) = delete;
    SECListPaintContext& operator=(const SECListPaintContext&) = delete;

    // Cell flag (second word of m_cellFlags) that draws the text grey.
    static const DWORD kCellGreyText = 0x100;

    LVITEMW m_lvi{};                  // the cell's item request, filled by LoadPaintItem
    DWORD m_cellFlags[3] = {0, 0, 0}; // cell attributes filled with the item request
    CDC* m_pDC;                       // the device context painted or measured on
    CRect m_rect;                     // the current cell
    int m_nCol = 0;                   // the current column
    UINT m_nViewMode = 0;             // list style & LVS_TYPEMASK
    HFONT m_hFont = nullptr;          // font of the cell
    SECListItem* m_pItem = nullptr;   // the row record
    SECListSubItem* m_pSubItem = nullptr; // the sub-item record, null for the main column
    SECListColumn* m_pColumn = nullptr;   // the column record
    COLORREF m_crText = 0;            // text colour
    COLORREF m_crTextBk = 0;          // text background
    COLORREF m_crBk = 0;              // row background
    COLORREF m_crCellBk = 0;          // cell background
    // The control's focus and enabled state, read once per context: asking the
    // window system for every cell is costly.
    BOOL m_bStateKnown = FALSE;       // the two fields below are filled
    BOOL m_bFocused = FALSE;          // the control has the keyboard focus
    BOOL m_bEnabled = TRUE;           // the control is enabled
    // The rows' total width, found once per paint (a single-column list walks
    // every row for it); -1 until then.
    int m_nTotalWidth = -1;

    BOOL IsGreyText() const { return (m_cellFlags[1] & kCellGreyText) != 0; }
};
