// CPallasComboBox: a combo box that adds an entry only once (entries are
// normalised and compared without regard to case, see ComboText.h) and widens
// its drop-down list to its longest entry, never below the width it had at the
// first drop-down.
#pragma once
#include <windows.h>
#include "framework/AfxControls.h"
#include "framework/AfxMsgMap.h"

class MORVA_API CPallasComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CPallasComboBox)
public:
    // Extra width of the drop-down beyond its longest entry.
    enum { kDropDownMargin = 16 };

    // Normalises text in place and adds it unless an entry matches. A match
    // stores its index through pIndex (the last match wins) and answers -1;
    // otherwise the new entry's index is stored and answered. An empty text
    // adds nothing and answers -1, leaving *pIndex alone.
    int AddUnique(CString& text, int* pIndex = nullptr);
    // The window text, normalised.
    void GetText(CString& text) const;
    // Width of the drop-down at its first showing; 0 until then.
    UINT GetInitialDroppedWidth() const { return m_nInitialDroppedWidth; }

protected:
    void OnDropDown();
    DECLARE_MESSAGE_MAP()

    // Implementation
    // Widest entry in pixels with the box's font; 0 for an empty list.
    int MeasureWidestEntry() const;

    UINT m_nInitialDroppedWidth = 0; // drop-down width at the first drop-down
};
