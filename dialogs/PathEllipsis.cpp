#include "dialogs/PathEllipsis.h"

namespace {
const WCHAR kEllipsis[] = L"...";

int Width(const TextMeasure& measure, const CString& text)
{
    return text.IsEmpty() ? 0 : measure(text, text.GetLength());
}

// Keeps head characters of the beginning and tail characters of the end
// around the ellipsis.
CString Join(const CString& text, int head, int tail)
{
    return text.Left(head) + kEllipsis + text.Right(tail);
}

// The most characters kept around the ellipsis so that the result fits, the
// end getting the larger half; widths grow with the number of characters kept,
// so a binary search over that number finds it.
CString CutMiddle(const CString& text, int maxWidth, const TextMeasure& measure)
{
    const int length = text.GetLength();
    int low = 0;
    int high = length - 1; // at least one character goes, or no ellipsis is needed
    while (low < high) {
        const int kept = low + (high - low + 1) / 2;
        const int head = kept / 2;
        if (Width(measure, Join(text, head, kept - head)) <= maxWidth)
            low = kept;
        else
            high = kept - 1;
    }
    return Join(text, low / 2, low - low / 2);
}

// Only as much of the ellipsis as fits.
CString PartOfEllipsis(int maxWidth, const TextMeasure& measure)
{
    CString dots = kEllipsis;
    while (!dots.IsEmpty() && Width(measure, dots) > maxWidth)
        dots = dots.Left(dots.GetLength() - 1);
    return dots;
}
} // namespace

CString EllipsizePath(const CString& text, int maxWidth, const TextMeasure& measure)
{
    if (!measure || text.IsEmpty() || Width(measure, text) <= maxWidth)
        return text;
    if (Width(measure, CString(kEllipsis)) > maxWidth)
        return PartOfEllipsis(maxWidth, measure);

    const int lastSeparator = text.ReverseFind(L'\\');
    const CString tail = lastSeparator >= 0 ? text.Mid(lastSeparator) : CString();
    if (lastSeparator > 0 && Width(measure, kEllipsis + tail) <= maxWidth) {
        // As many characters of the beginning as fit before the ellipsis.
        int low = 0;
        int high = lastSeparator - 1;
        while (low < high) {
            const int head = low + (high - low + 1) / 2;
            if (Width(measure, text.Left(head) + kEllipsis + tail) <= maxWidth)
                low = head;
            else
                high = head - 1;
        }
        return text.Left(low) + kEllipsis + tail;
    }
    return CutMiddle(text, maxWidth, measure);
}
