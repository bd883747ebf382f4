// SECTreePaintContext: the list's paint record with what the tree column needs:
// the node's item record, the attribute request and the node itself.
#pragma once
#include "listctrl/SECListPaintContext.h"
#include "treectrl/SECTreeBase.h"

class MORVA_API SECTreePaintContext : public SECListPaintContext
{
public:
    explicit SECTreePaintContext(CDC* pDC) : SECListPaintContext(pDC) {}

    TVITEMW m_tvi{};                    // the node's record, filled by LoadPaintItem
    SECTreeAttributes m_attributes;     // attribute request of the row's node
    _Node* m_pNode = nullptr;           // the row's node; null until loaded (and for other columns)
};

// Drawing resources shared by every tree of the process, made on first use.
// The bold font follows the row font it was made from: a bold row with another
// font replaces it (the old one is deleted first).
MORVA_API HPEN SECTreeGlyphPen();
MORVA_API HPEN SECTreeButtonFramePen();
MORVA_API HFONT SECTreeBoldFont(HFONT hRowFont);
