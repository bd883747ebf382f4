#include "dialogs/CultureTable.h"

namespace {
// Culture folders by primary language; Portuguese is decided apart, by sublanguage.
struct CultureEntry
{
    WORD primary;  // PRIMARYLANGID of the language identifier
    LPCWSTR folder; // culture folder
    WORD index;    // culture index
};

const CultureEntry kCultures[] = {
    {1, L"ar-SA\\", 1},   {4, L"zh-CN\\", 2},   {5, L"cs-CZ\\", 3},   {6, L"da-DK\\", 4},
    {19, L"nl-NL\\", 5},  {11, L"fi-FI\\", 6},  {12, L"fr-FR\\", 7},  {7, L"de-DE\\", 8},
    {8, L"el-GR\\", 9},   {14, L"hu-HU\\", 10}, {16, L"it-IT\\", 11}, {17, L"ja-JP\\", 12},
    {18, L"ko-KR\\", 13}, {20, L"no-NO\\", 14}, {21, L"pl-PL\\", 15}, {24, L"ro-RO\\", 18},
    {25, L"ru-RU\\", 19}, {10, L"es-ES\\", 20}, {29, L"sv-SE\\", 21}, {31, L"tr-TR\\", 22},
};

const WORD kPrimaryMask = 0x3FF;
const WORD kSublanguageMask = 0xFC00;
const WORD kPortuguese = 22;
const WORD kPortugalSublanguage = 0x800;
const WORD kIndexPortugal = 16;
const WORD kIndexBrazil = 17;
} // namespace

WORD CCultureTable::GetFolder(WORD language, CString& folder)
{
    const WORD primary = language & kPrimaryMask;
    if (primary == kPortuguese) {
        const bool portugal = (language & kSublanguageMask) == kPortugalSublanguage;
        folder = portugal ? L"pt-PT\\" : L"pt-BR\\";
        return portugal ? kIndexPortugal : kIndexBrazil;
    }
    for (const CultureEntry& entry : kCultures) {
        if (entry.primary == primary) {
            folder = entry.folder;
            return entry.index;
        }
    }
    folder = L"en-US\\";
    return IndexEnglish;
}

int CCultureTable::GetCandidates(WORD language, CCultureCandidate (&candidates)[MaxCandidates])
{
    int count = 0;
    CCultureCandidate& requested = candidates[count++];
    requested.language = language;
    requested.index = GetFolder(language, requested.folder);
    for (WORD fallback : {static_cast<WORD>(LanguageEnglish), static_cast<WORD>(LanguageGerman)}) {
        CCultureCandidate& next = candidates[count];
        next.language = fallback;
        next.index = GetFolder(fallback, next.folder);
        if (next.folder.CompareNoCase(requested.folder) != 0)
            ++count;
    }
    return count;
}

BOOL CCultureTable::VersionsMatch(const CFileVersion& host, const CFileVersion& library)
{
    // Builds of one release differ only in the last two digits of the fourth number.
    return host.m_part[0] == library.m_part[0] && host.m_part[1] == library.m_part[1]
        && host.m_part[2] == library.m_part[2]
        && host.m_part[3] / BuildDivisor == library.m_part[3] / BuildDivisor;
}
