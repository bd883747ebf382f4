#include "dialogs/DialogHelpers.h"
#include <algorithm>
#include <cstdlib>

namespace {
const int kStringBuffer = 1024;      // characters of the string-resource buffer
const int kListFrameAllowance = 30;  // scroll bar and frame of a list, left out of its columns
const int kMaxPlaceholders = 9;      // "%1" to "%9"

int PartValue(const CString& part)
{
    return part.IsEmpty() ? -1 : _wtoi(part);
}
} // namespace

CString FillPlaceholder(const CString& text, const CString& value)
{
    CString result = text;
    result.Replace(L"%1", value);
    return result;
}

CString FillPlaceholders(const CString& text, const CStringArray& values)
{
    CString result = text;
    for (int i = 1; i <= values.GetSize() && i <= kMaxPlaceholders; ++i) {
        CString placeholder;
        placeholder.Format(L"%%%d", i);
        result.Replace(placeholder, values[i - 1]);
    }
    return result;
}

void ParseIntList(const CString& text, CArray<int, int>& values)
{
    CString rest = text;
    for (INT_PTR i = 0; i < values.GetSize(); ++i) {
        const int comma = rest.Find(L',');
        const CString part = comma < 0 ? rest : rest.Left(comma);
        if (!part.IsEmpty())
            values[i] = _wtoi(part);
        if (comma < 0)
            break;
        rest = rest.Mid(comma + 1);
    }
}

bool ParseIntPair(const CString& text, int& first, int& second)
{
    first = second = -1;
    const int comma = text.Find(L',');
    if (comma < 0)
        return false;
    first = PartValue(text.Left(comma));
    second = PartValue(text.Mid(comma + 1));
    return true;
}

CString FormatScreenString(int cx, int cy)
{
    CString screen;
    screen.Format(L"Screen%dx%d", cx, cy);
    return screen;
}

CString FormatLayoutSubKey(const CString& screen, const CString& layoutName)
{
    CString key;
    key.Format(L"Layout\\%s\\%s", screen.GetString(), layoutName.GetString());
    return key;
}

void ComputeDefaultColumnWidths(int listWidth, int count, CArray<int, int>& widths)
{
    if (count < 1)
        return;
    const int width = listWidth - kListFrameAllowance;
    const int each = width / count;
    if (widths.GetSize() < count)
        widths.SetSize(count);
    widths[0] = width - (count - 1) * each;
    for (int i = 1; i < count; ++i)
        widths[i] = each;
}

POINT FitIntoWorkArea(POINT topLeft, SIZE size, const RECT& workArea)
{
    // 64-bit arithmetic: stored positions may be anything up to INT_MAX.
    long long x = std::min<long long>(topLeft.x, static_cast<long long>(workArea.right) - size.cx);
    long long y = std::min<long long>(topLeft.y, static_cast<long long>(workArea.bottom) - size.cy);
    x = std::max<long long>(x, workArea.left);
    y = std::max<long long>(y, workArea.top);
    return POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
}

CString LoadResourceString(HINSTANCE hModule, UINT nID)
{
    if (hModule == nullptr)
        return CString();
    WCHAR buffer[kStringBuffer] = L"";
    const int n = ::LoadStringW(hModule, nID, buffer, kStringBuffer);
    return CString(buffer, n > 0 ? n : 0);
}
