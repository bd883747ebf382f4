#include "util/CVersion.h"

void CVersion::Set(int major, int minor, int build)
{
    // Plain sums: a part wider than its field carries into the next one
    // (unsigned, so any input wraps instead of overflowing).
    const DWORD high = (static_cast<DWORD>(major) << 8) + static_cast<DWORD>(minor);
    m_value = (high << 16) + static_cast<DWORD>(build);
}

CString CVersion::Format(int style) const
{
    CString text;
    switch (style) {
    case FormatDotted:
        text.Format(L"%d.%d.%d", GetMajor(), GetMinor(), GetBuild());
        break;
    case FormatHex:
        text.Format(L"%08lX", static_cast<unsigned long>(m_value));
        break;
    case FormatGroupedBuild: {
        CString build;
        build.Format(L"%d", GetBuild());
        const int split = build.GetLength() - 3;
        if (split <= 0)
            text.Format(L"%d.%d.%s", GetMajor(), GetMinor(), build.GetString());
        else
            text.Format(L"%d.%d.%s.%s", GetMajor(), GetMinor(), build.Left(split).GetString(),
                        build.Mid(split).GetString());
        break;
    }
    default:
        break;
    }
    return text;
}
