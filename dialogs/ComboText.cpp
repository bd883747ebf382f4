#include "dialogs/ComboText.h"
#include <windows.h>

CString NormaliseComboText(const CString& text)
{
    // Spaces are the user's: only the leading backslashes of a server name go.
    CString result = text;
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
