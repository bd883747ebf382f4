// SECMemDC: an off-screen device context over a rectangle of a target context.
// Drawing goes into a compatible bitmap; destruction copies it to the target
// in one BitBlt. Creation failures raise CResourceException, which the list
// catches to paint unbuffered.
#pragma once
#include "framework/Framework.h"

class MORVA_API SECMemDC : public CDC
{
public:
    // bKeepMapping: the buffer takes the target's mapping, so the same logical
    // coordinates draw on both; otherwise the buffer maps the rectangle's
    // top-left corner to its origin.
    // pKept: a bitmap the caller keeps from one buffer to the next. When it is
    // large enough and fits the target it is drawn into and stays the
    // caller's; otherwise a bitmap of the rectangle's size is made into it and
    // kept there. Without it the buffer makes its own and deletes it. A kept
    // bitmap must not be selected into another context meanwhile.
    SECMemDC(CDC* pTarget, const CRect& rect, BOOL bKeepMapping = TRUE, CBitmap* pKept = nullptr);
    ~SECMemDC() override;

    const CRect& GetRect() const { return m_rect; }

private:
    CDC* m_pTarget;             // the context the buffer is copied to
    CBitmap m_bitmap;           // the off-screen bitmap, when the buffer owns it
    CBitmap* m_pKept;           // the caller's kept bitmap, or null
    HGDIOBJ m_hOldBitmap;       // the bitmap the buffer displaced
    CRect m_rect;               // the rectangle covered, in the target's logical units
    CPoint m_vpOrg;             // target's viewport origin
    CPoint m_winOrg;            // target's window origin
    CSize m_vpExt;              // target's viewport extent
    CSize m_winExt;             // target's window extent
    BOOL m_bKeepMapping;        // the buffer uses the target's mapping
};
