#include "dialogs/CLanguageResource.h"
#include "util/SpecialFolders.h"
#include "dialogs/CultureTable.h"
#include "dialogs/FileVersion.h"

namespace {
const wchar_t kNotFoundText[] = L"'%s'\nResource not found.";
const wchar_t kWrongVersionText[] = L"'%s'\nWrong version of resource.\nRequired: %d.%d.%d.%dxx";
const int kSearchBases = 2;
} // namespace

CLanguageResource::CLanguageResource(WORD language)
    : m_language(language)
    , m_fallbackFolder(CFileName::FolderGiven)
{
}

WORD CLanguageResource::GetCultureFolder(WORD language, CString& folder) const
{
    return CCultureTable::GetFolder(language, folder);
}

int CLanguageResource::Load(HMODULE& module, WORD& cultureIndex, LPCWSTR hostPath, CString& errorText)
{
    CCultureCandidate candidates[CCultureTable::MaxCandidates];
    const int count = CCultureTable::GetCandidates(m_language, candidates);
    if (module != nullptr && cultureIndex == candidates[0].index)
        return LoadOk;

    // Beside the host module first, then the fallback folder. A host path
    // without a folder has an empty directory part, which resolves against the
    // current directory; a fallback folder that cannot be determined is skipped
    // (it would come out as the root of the current drive, where any user may
    // put a library of that name).
    const CString host(hostPath);
    CString bases[kSearchBases];
    bases[0] = host.Left(host.ReverseFind(L'\\') + 1);
    if (!ResolveSpecialFolder(m_fallbackFolder, nullptr).IsEmpty()) {
        CFileName fallback;
        fallback.SetDirectory(m_fallbackFolder, nullptr);
        bases[1] = fallback.GetDirectory();
    }

    const CCultureCandidate* found = nullptr;
    for (int b = 0; b < kSearchBases && found == nullptr; ++b) {
        if (b > 0 && bases[b].IsEmpty())
            continue;
        for (int c = 0; c < count; ++c) {
            m_fileName.SetDirectory(CFileName::FolderGiven, bases[b] + candidates[c].folder);
            if (m_fileName.Exists()) {
                found = &candidates[c];
                break;
            }
        }
    }
    const CString& libraryPath = m_fileName.GetPath();
    if (found == nullptr) {
        errorText.Format(kNotFoundText, libraryPath.GetString());
        return LoadNotFound;
    }

    const CFileVersion hostVersion = CFileVersion::Read(hostPath);
    if (!CCultureTable::VersionsMatch(hostVersion, CFileVersion::Read(libraryPath))) {
        errorText.Format(kWrongVersionText, libraryPath.GetString(), hostVersion.m_part[0], hostVersion.m_part[1],
                         hostVersion.m_part[2], hostVersion.m_part[3] / CCultureTable::BuildDivisor);
        return LoadWrongVersion;
    }

    // A library that will not load leaves the caller with what it has.
    HMODULE loaded = LoadLibraryW(libraryPath);
    if (loaded == nullptr)
        return LoadOk;
    cultureIndex = found->index;
    m_language = found->language;
    if (module != nullptr)
        ReleaseModule(module);
    module = loaded;
    return LoadOk;
}

void CLanguageResource::ReleaseModule(HMODULE module)
{
    FreeLibrary(module);
}
