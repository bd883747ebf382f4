#include "util/CVersion.h"

void CVersion::Set(int major, int minor, int build)
{
    const DWORD high = (static_cast<DWORD>(major & 0xFF) << 8) + static_cast<DWORD>(minor & 0xFF);
    m_value = (high << 16) + static_cast<DWORD>(build & 0xFFFF);
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
