#include "listctrl/SECListCharWidths.h"
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

namespace {
// Fonts whose tables a thread keeps; the oldest goes when another comes.
const size_t kKeptFonts = 8;

struct KeptTable
{
    LOGFONTW font;                             // the font the table was read for
    std::unique_ptr<SECListCharWidths> pTable; // its table, usable or not
};

thread_local std::vector<KeptTable> t_tables; // this thread's tables, oldest first
} // namespace

SECListCharWidths::SECListCharWidths(HDC hdc)
{
    WCHAR chars[kCount];
    for (int i = 0; i < kCount; ++i)
        chars[i] = static_cast<WCHAR>(kFirst + i);
    WORD glyphs[kCount];
    if (::GetGlyphIndicesW(hdc, chars, kCount, glyphs, GGI_MARK_NONEXISTING_GLYPHS) != kCount)
        return;
    // Each width is the extent of the character alone: the very call that
    // measures labels otherwise.
    int nHeight = -1;
    std::vector<WCHAR> covered;
    int nSum = 0;
    for (int i = 0; i < kCount; ++i) {
        m_widths[i] = -1;
        SIZE size{};
        if (glyphs[i] == 0xFFFF || !::GetTextExtentPoint32W(hdc, &chars[i], 1, &size) || size.cx < 0 ||
            size.cx > SHRT_MAX)
            continue;
        if (nHeight >= 0 && size.cy != nHeight)
            return; // texts would not share one height
        nHeight = size.cy;
        m_widths[i] = static_cast<short>(size.cx);
        covered.push_back(chars[i]);
        nSum += size.cx;
    }
    if (covered.empty())
        return;
    // The extents of a font with kerning or shaping in its extents would not
    // add up: every covered character in one text, and each pair of a sample
    // of them, must measure as the sum of their widths.
    SIZE all{};
    if (!::GetTextExtentPoint32W(hdc, covered.data(), static_cast<int>(covered.size()), &all) || all.cx != nSum ||
        all.cy != nHeight)
        return;
    const WCHAR sample[] = L"AVTWYLPFo.,;:-'\"()ffifl1Lj7vyw";
    for (const WCHAR a : sample) {
        for (const WCHAR b : sample) {
            if (a == 0 || b == 0 || GetWidth(a) < 0 || GetWidth(b) < 0)
                continue;
            const WCHAR pair[2] = {a, b};
            SIZE size{};
            if (!::GetTextExtentPoint32W(hdc, pair, 2, &size) || size.cx != GetWidth(a) + GetWidth(b))
                return;
        }
    }
    m_nHeight = nHeight;
    m_bUsable = TRUE;
}

int SECListCharWidths::GetWidth(WCHAR ch) const
{
    return ch >= kFirst && ch <= kLast ? m_widths[ch - kFirst] : -1;
}

BOOL SECListCharWidths::Measure(LPCWSTR pszText, int nLength, SIZE& size) const
{
    if (!m_bUsable || pszText == nullptr || nLength <= 0)
        return FALSE;
    int cx = 0;
    for (int i = 0; i < nLength; ++i) {
        const WCHAR ch = pszText[i];
        if (ch < kFirst || ch > kLast)
            return FALSE;
        const int w = m_widths[ch - kFirst];
        if (w < 0)
            return FALSE;
        cx += w;
    }
    size.cx = cx;
    size.cy = nLength > 0 ? m_nHeight : 0;
    return TRUE;
}

const SECListCharWidths* SECListCharWidths::ForFont(HDC hdc, HFONT hFont)
{
    // Zeroed first: what follows the face name's end is left as it was.
    LOGFONTW font{};
    if (hdc == nullptr || hFont == nullptr || ::GetObjectW(hFont, sizeof(font), &font) != sizeof(font))
        return nullptr;
    const size_t nFace = wcsnlen(font.lfFaceName, LF_FACESIZE);
    std::fill(font.lfFaceName + nFace, font.lfFaceName + LF_FACESIZE, L'\0');
    for (const KeptTable& kept : t_tables) {
        if (std::memcmp(&kept.font, &font, sizeof(font)) == 0)
            return kept.pTable->IsUsable() ? kept.pTable.get() : nullptr;
    }
    const HGDIOBJ old = ::SelectObject(hdc, hFont);
    if (old == nullptr)
        return nullptr;
    auto pTable = std::make_unique<SECListCharWidths>(hdc);
    ::SelectObject(hdc, old);
    if (t_tables.size() >= kKeptFonts)
        t_tables.erase(t_tables.begin());
    t_tables.push_back(KeptTable{font, std::move(pTable)});
    return t_tables.back().pTable->IsUsable() ? t_tables.back().pTable.get() : nullptr;
}

void SECListCharWidths::ForgetAll()
{
    t_tables.clear();
}
