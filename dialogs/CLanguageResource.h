// CLanguageResource: finds, checks and loads the resource library of a user-
// interface language. Every dialog template, icon, menu, bitmap and string lives
// in such a library, one per language, in a folder named after the language's
// culture ("de-DE\"). The library is looked for beside the host module first,
// then in a fallback folder, each time for the requested culture, then English,
// then German; it is taken only when its version matches the host module's.
//
// Usage: the caller keeps the loaded module and its culture index for the life
// of the process and passes both to every Load:
//     CPallasLanguageResource resource(language);
//     CString error;
//     if (resource.Load(module, cultureIndex, hostPath, error) == 0)
//         language = resource.GetLanguage();
//     else
//         ShowTheUser(error);
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"
#include "framework/CString.h"
#include "util/CFileName.h"

class MORVA_API CLanguageResource
{
public:
    // Results of Load.
    enum LoadResult
    {
        LoadOk = 0,        // loaded, or already loaded; also when the found library would not load
        LoadNotFound = 1,  // no candidate exists; the error text names the last one tried
        LoadWrongVersion = -2, // the library found does not match the host's version
    };

    // Construction
    explicit CLanguageResource(WORD language);
    virtual ~CLanguageResource() = default;
    CLanguageResource(const CLanguageResource&) = delete;
    CLanguageResource& operator=(const CLanguageResource&) = delete;

    // Attributes
    // The requested language; after a successful Load, the one actually loaded.
    WORD GetLanguage() const { return m_language; }
    const CFileName& GetFileName() const { return m_fileName; }
    int GetFallbackFolder() const { return m_fallbackFolder; }

    // Operations
    // Culture folder ("xx-YY\") and culture index of a language identifier.
    WORD GetCultureFolder(WORD language, CString& folder) const;

    // module, cultureIndex: the library loaded now (or null) and its culture
    // index; on success they are replaced and the previous library is released.
    // hostPath: full path of the module whose version the library must match.
    // On LoadNotFound and LoadWrongVersion errorText gets the message for the
    // user and nothing else changes; otherwise errorText is left alone.
    int Load(HMODULE& module, WORD& cultureIndex, LPCWSTR hostPath, CString& errorText);

protected:
    // Overridables
    // Releases the library a successful load replaced (FreeLibrary).
    virtual void ReleaseModule(HMODULE module);

    CFileName m_fileName; // the resource library; its directory follows the candidates
    WORD m_language;      // requested language identifier; after a load, the one loaded
    int m_fallbackFolder; // special directory id of CFileName for the second search base
};
