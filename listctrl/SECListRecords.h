// The list's own records: a row (SECListItem), a cell of a sub-item column
// (SECListSubItem) and a column (SECListColumn). Texts are owned UTF-16 strings,
// null, or the callback marker LPSTR_TEXTCALLBACKW (the owner supplies them).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/AfxTypes.h"
#include "framework/CArray.h"
#include "framework/CString.h"
#include "listctrl/SECListCells.h"

// Owned copy of a text; null and the callback marker are kept as they are.
MORVA_API LPWSTR SECListCopyText(LPCWSTR pszText);
// Frees a text made by SECListCopyText (null and the callback marker are not freed).
MORVA_API void SECListFreeText(LPWSTR pszText);
inline bool SECListIsCallbackText(LPCWSTR pszText)
{
    return pszText == LPSTR_TEXTCALLBACKW;
}

class MORVA_API SECListSubItem
{
public:
    SECListSubItem() = default;
    ~SECListSubItem();
    SECListSubItem(const SECListSubItem&) = delete;
    SECListSubItem& operator=(const SECListSubItem&) = delete;
    // Cells live in the list's pool (see SECListPool.h).
    static void* operator new(size_t cb);
    static void operator delete(void* p) noexcept;

    LPWSTR m_pszText = LPSTR_TEXTCALLBACKW; // owned text; a cell never set asks the owner
    CRect m_rcText;                         // text rectangle, relative to the cell
};

class MORVA_API SECListItem
{
public:
    SECListItem() = default;
    // Frees the text and deletes every sub-item.
    ~SECListItem();
    SECListItem(const SECListItem&) = delete;
    SECListItem& operator=(const SECListItem&) = delete;
    // Rows live in the list's pool (see SECListPool.h); so do records of
    // derived classes, whatever their size.
    static void* operator new(size_t cb);
    static void operator delete(void* p) noexcept;
    // Placement forms, for hosts that recycle record memory of their own.
    static void* operator new(size_t, void* pWhere) noexcept { return pWhere; }
    static void operator delete(void*, void*) noexcept {}

    SECListCells m_subItems;    // element k is sub-item k + 1 (owned)
    LPWSTR m_pszText = nullptr; // the row's own text (sub-item 0)
    UINT m_state = 0;           // LVIS_ bits other than focused, selected and drop-highlighted
    int m_nImage = 0;           // small image index; I_IMAGECALLBACK asks the owner
    LPARAM m_lParam = 0;        // the owner's data
    int m_cy = 0;               // cached height; -1 when it is to be recomputed
    UINT m_exState = 0;         // second state word, meaningful to derived controls
    UINT m_nSerial = 0;         // given by the list when the row enters it: tells this record from a later one at the same address
    BOOL m_bDirty = TRUE;       // the row needs measuring
    UINT m_nHeightEpoch = 0;    // the list's heights epoch m_cy belongs to; an older one reads as -1
    CRect m_rcText;             // label rectangle, relative to the main cell's origin
    CRect m_rcIcon;             // image rectangle, likewise
    CRect m_rcState;            // state rectangle, likewise (filled by derived controls)
    UINT m_nDeleteMark = 0;     // the deletion under way that means this row (fills what was padding)
};

class MORVA_API SECListColumn
{
public:
    // Justification bits of the format; bit 0x1000 (image right of the text) may sit beside them.
    static const int kAlignMask = 0x0003;
    static const int kImageOnRight = 0x1000;

    int m_fmt = LVCFMT_LEFT; // LVCFMT_ justification, possibly with kImageOnRight
    int m_cx = 0;            // width in pixels
    CString m_strHeading;    // heading text
    int m_iSubItem = 0;      // 0: the rows' own text; k: sub-item k; -1 asks for a new slot
    int m_iImage = -1;       // header image index, -1 for none

    int GetAlignment() const { return (m_fmt & ~kImageOnRight) & kAlignMask; }
};
