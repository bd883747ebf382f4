#include "dialogs/ComboText.h"
#include <windows.h>

CString NormaliseComboText(const CString& text)
{
    CString result = text;
    result.Trim();
    if (result.GetLength() > 2 && result[0] == L'\\') {
        const int strip = result[1] == L'\\' ? 2 : 1;
        result = result.Mid(strip);
    }
    return result;
}

bool ComboTextsMatch(const CString& a, const CString& b)
{
    return ::CompareStringOrdinal(a, a.GetLength(), b, b.GetLength(), TRUE) == CSTR_EQUAL;
}
