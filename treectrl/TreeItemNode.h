// _Node: the item node of the tree control. Besides the links and level skipping
// of SECTreeNodeX it carries the item's record (text, images, state, item data),
// the flags the tree control inherits down the subtree, and values the label
// renderer caches between paints (kept apart, made only for a label that
// needs them: few do, and every node would pay for them).
//
// The item text is owned by the node: null, a copy made by SetText, or the
// callback marker LPSTR_TEXTCALLBACKW (the owner supplies the text on demand).
// Store texts through SetText only: the destructor frees what it finds there
// back to the pool and keeps count of the texts alive.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/CString.h"
#include "treectrl/SECTreeNodeX.h"

// What the label renderer caches for a label with the highlight marker.
struct SECTreeLabelCache
{
    BOOL m_bMarker = FALSE; // the label holds the highlight marker
    CString m_strPrefix;    // label text before the marker
    CString m_strSuffix;    // label text after the marker
    int m_nPrefixWidth = 0; // pixel width of m_strPrefix
};

class MORVA_API _Node : public SECTreeNodeX
{
public:
    // Attribute flags; both are inherited by the subtree.
    enum : UINT
    {
        attrGreyed = 0x100, // drawn with grey text
        attrHidden = 0x200, // gets no list rows
    };
    // Image and selected image value meaning no image.
    enum : int
    {
        noImage = -12,
    };

    _Node();
    // Frees the owned text (not null, not the callback marker) and the label cache.
    ~_Node() override;

    // Expanded flag: TVIS_EXPANDED in the item state.
    BOOL IsExpanded() const override;
    void SetExpanded(BOOL bExpanded) override;
    // Answers 0; kept for the layout of the interface, nothing calls it.
    virtual int GetItemType() const;

    // Replaces the item text with a copy of pszText; null and the callback
    // marker are stored as they are. The old text is freed only after the copy
    // succeeded.
    void SetText(LPCWSTR pszText);
    // Whether the text is the callback marker.
    BOOL IsTextCallback() const { return m_item.pszText == LPSTR_TEXTCALLBACKW; }

    // Number of item texts owned by nodes of this process and not yet freed;
    // lets tests prove that texts are freed, and callback markers are not.
    static LONG GetLiveTextCount();

    // The renderer's cache of the label, made on first use.
    SECTreeLabelCache& GetLabelCache();
    // Null until the renderer made it.
    const SECTreeLabelCache* FindLabelCache() const { return m_pLabelCache; }
    // Whether the label holds the highlight marker, as the renderer found.
    BOOL HasMarker() const { return m_pLabelCache != nullptr && m_pLabelCache->m_bMarker; }

    TVITEMW m_item;      // the item's attributes; hItem is set to the node itself on insertion
    UINT m_nAttributes;  // attrGreyed and attrHidden bits
    int m_nMinRowHeight; // starting height of the node's list row; 0 for none

    // Kept by the tree control that links the node, for its own bookkeeping.
    void* m_pRowRecord;        // the list row record showing the node; null while it has no row
    UINT m_nTreeFlags;         // marks of the control's running operations (deletion, insertion, re-synchronisation)
    UINT m_nSerial;            // number the control gave the node when it made it; tells it from a later node at its address

private:
    // Frees an owned text; null and the callback marker are left alone.
    static void FreeText(LPWSTR pszText);

    SECTreeLabelCache* m_pLabelCache; // the renderer's cache (owned); null until needed
};
