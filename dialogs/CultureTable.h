// The language resource libraries' culture folders and the version rule they
// are accepted by. Plain logic: no files, no modules.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"
#include "framework/CString.h"
#include "dialogs/FileVersion.h"

// One place a language's resource library is looked for under a search base.
struct MORVA_API CCultureCandidate
{
    CString folder;  // culture folder with a trailing backslash, "de-DE\"
    WORD index = 0;  // culture index of that folder
    WORD language = 0; // language identifier the library stands for when it is taken
};

class MORVA_API CCultureTable
{
public:
    enum
    {
        LanguageEnglish = 1033, // fallback language identifiers
        LanguageGerman = 1031,
        IndexEnglish = 23,      // their culture indexes
        IndexGerman = 8,
        MaxCandidates = 3,      // requested culture, English, German
        BuildDivisor = 100,     // fourth version numbers are compared divided by this
    };

    // Culture folder ("xx-YY\") and culture index for a language identifier;
    // "en-US\" (index 23) for a language without a folder of its own.
    static WORD GetFolder(WORD language, CString& folder);

    // The folders to try under one search base, in order: the requested
    // culture, then English, then German, each fallback left out when it is the
    // requested culture itself. Returns the number of candidates filled in.
    static int GetCandidates(WORD language, CCultureCandidate (&candidates)[MaxCandidates]);

    // A library fits a host when the first three numbers are equal and the
    // fourth ones agree but for their last two digits.
    static BOOL VersionsMatch(const CFileVersion& host, const CFileVersion& library);
};
