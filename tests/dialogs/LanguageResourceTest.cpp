// The language resource lookup with real libraries: fixture DLLs built at chosen
// versions are copied into culture folders beside a host module ("app") and
// into a second folder that stands for the fallback folder ("shared").
#include <gtest/gtest.h>
#include <vector>
#include "dialogs/CPallasLanguageResource.h"
#include "support/TempFolder.h"

namespace {
// An installation folder id of the tests' own; nothing else records it.
const int kSharedFolderId = -10;
const WCHAR kFoldersKey[] = L"Software\\MORVA\\Folders";
const WCHAR kUnchanged[] = L"unchanged";
// Fixtures: the 3.1.0.4217 host, libraries that fit it and do not, one without version.
const WCHAR kHost[] = L"host\\host.dll";
const WCHAR kMatching[] = L"v4299\\MorvaCommonResU.dll";
const WCHAR kTooNew[] = L"v4300\\MorvaCommonResU.dll";
const WCHAR kNoVersion[] = L"noversion\\MorvaCommonResU.dll";

CString Fixture(LPCWSTR relative)
{
    WCHAR exe[MAX_PATH];
    const CString path(exe, static_cast<int>(GetModuleFileNameW(nullptr, exe, MAX_PATH)));
    return path.Left(path.ReverseFind(L'\\') + 1) + L"fixtures\\langres\\" + relative;
}

// Copies a fixture library into folder\culture\ and returns its path.
CString Put(const TempFolder& folder, LPCWSTR culture, LPCWSTR fixture = kMatching)
{
    const CString target = folder.MakeDir(culture) + L"MorvaCommonResU.dll";
    EXPECT_TRUE(CopyFileW(Fixture(fixture), target, FALSE));
    return target;
}

CString PutHost(const TempFolder& folder, LPCWSTR fixture = kHost)
{
    EXPECT_TRUE(CopyFileW(Fixture(fixture), folder / L"host.dll", FALSE));
    return folder / L"host.dll";
}

// Whether a library is mapped into the process, without taking a reference.
bool IsLoaded(const CString& path)
{
    HMODULE module = nullptr;
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, path, &module) && module != nullptr;
}

CString ModulePath(HMODULE module)
{
    WCHAR path[MAX_PATH] = {};
    return CString(path, module ? static_cast<int>(GetModuleFileNameW(module, path, MAX_PATH)) : 0);
}

// Points the tests' fallback id at a folder for one scope.
class SharedFolderValue
{
public:
    explicit SharedFolderValue(const CString& folder)
    {
        m_name.Format(L"%d", kSharedFolderId);
        EXPECT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, kFoldersKey, m_name, REG_SZ, folder.GetString(),
                                                 static_cast<DWORD>((folder.GetLength() + 1) * sizeof(WCHAR))));
    }
    ~SharedFolderValue() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kFoldersKey, m_name); }

private:
    CString m_name; // value name: the id
};

// The product's library name with the tests' own fallback folder, recording releases.
class TestLanguageResource : public CLanguageResource
{
public:
    explicit TestLanguageResource(WORD language, int fallbackFolder = kSharedFolderId)
        : CLanguageResource(language)
    {
        m_fallbackFolder = fallbackFolder;
        m_fileName.SetFileName(L"MorvaCommonResU.dll");
    }
    std::vector<HMODULE> released; // every module handed to ReleaseModule

protected:
    void ReleaseModule(HMODULE module) override
    {
        released.push_back(module);
        CLanguageResource::ReleaseModule(module);
    }
};

// What a host keeps between loads. Declare it after the folders it loads from.
struct HostState
{
    HMODULE module = nullptr;   // loaded resource library, or null
    WORD index = 0;             // its culture index
    CString error = kUnchanged; // error text of the last load

    int Load(CLanguageResource& resource, const CString& host) { return resource.Load(module, index, host, error); }
    ~HostState()
    {
        if (module != nullptr)
            FreeLibrary(module);
    }
};

class LanguageResourceTest : public testing::Test
{
protected:
    TempFolder m_app;                           // the host module's folder
    TempFolder m_shared;                        // the fallback folder
    SharedFolderValue m_value{m_shared.Path()}; // records m_shared for kSharedFolderId
    CString m_host = PutHost(m_app);            // a 3.1.0.4217 host in m_app
};
} // namespace

TEST_F(LanguageResourceTest, CandidateOrderOverCulturesAndBases)
{
    enum Base { App, Shared };
    struct Place
    {
        Base base;       // where the library is
        LPCWSTR culture; // its culture folder
    };
    const struct
    {
        WORD language;              // requested
        std::vector<Place> present; // libraries that exist
        Place expected;             // the one loaded
        WORD language2;             // language after the load
        WORD index;                 // culture index after the load
    } cases[] = {
        {0x040C, {{App, L"fr-FR"}, {App, L"en-US"}, {App, L"de-DE"}}, {App, L"fr-FR"}, 0x040C, 7},
        {0x040C, {{App, L"de-DE"}, {App, L"en-US"}}, {App, L"en-US"}, 1033, 23},
        {0x040C, {{App, L"de-DE"}}, {App, L"de-DE"}, 1031, 8},
        // Every culture beside the host comes before the fallback folder.
        {0x040C, {{App, L"de-DE"}, {Shared, L"fr-FR"}}, {App, L"de-DE"}, 1031, 8},
        {0x040C, {{Shared, L"en-US"}, {Shared, L"fr-FR"}}, {Shared, L"fr-FR"}, 0x040C, 7},
        {1033, {{Shared, L"de-DE"}}, {Shared, L"de-DE"}, 1031, 8},
        {1031, {{App, L"en-US"}}, {App, L"en-US"}, 1033, 23},
        {0x0404, {{App, L"en-US"}, {App, L"zh-CN"}}, {App, L"zh-CN"}, 0x0404, 2},
        {0x0816, {{App, L"pt-BR"}, {App, L"pt-PT"}}, {App, L"pt-PT"}, 0x0816, 16},
        {0x0416, {{App, L"pt-PT"}, {App, L"pt-BR"}}, {App, L"pt-BR"}, 0x0416, 17},
        {0x0436, {{App, L"de-DE"}, {App, L"en-US"}}, {App, L"en-US"}, 0x0436, 23},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "language 0x" << std::hex << c.language << " from "
                                        << (c.expected.base == App ? "app\\" : "shared\\") << c.expected.culture);
        TempFolder app, shared;
        SharedFolderValue value(shared.Path());
        const CString host = PutHost(app);
        for (const Place& p : c.present)
            Put(p.base == App ? app : shared, p.culture);
        HostState state;
        TestLanguageResource resource(c.language);
        EXPECT_EQ(CLanguageResource::LoadOk, state.Load(resource, host));
        EXPECT_STREQ((c.expected.base == App ? app : shared) / c.expected.culture + L"\\MorvaCommonResU.dll",
                     ModulePath(state.module));
        EXPECT_EQ(c.language2, resource.GetLanguage());
        EXPECT_EQ(c.index, state.index);
        EXPECT_STREQ(kUnchanged, state.error);
        EXPECT_TRUE(resource.released.empty());
    }
}

TEST_F(LanguageResourceTest, NotFoundNamesTheLastCandidate)
{
    const struct
    {
        WORD language;     // requested
        int fallback;      // fallback folder id (-11 is not recorded)
        CString lastTried; // the path in the error text
    } cases[] = {
        {0x040C, kSharedFolderId, m_shared / L"de-DE\\MorvaCommonResU.dll"},
        {1031, kSharedFolderId, m_shared / L"en-US\\MorvaCommonResU.dll"},
        {1033, -11, m_app / L"de-DE\\MorvaCommonResU.dll"},
    };
    for (const auto& c : cases) {
        HostState state;
        TestLanguageResource resource(c.language, c.fallback);
        EXPECT_EQ(CLanguageResource::LoadNotFound, state.Load(resource, m_host));
        EXPECT_STREQ(L"'" + c.lastTried + L"'\nResource not found.", state.error);
        EXPECT_TRUE(state.module == nullptr && state.index == 0);
        EXPECT_EQ(c.language, resource.GetLanguage());
    }
}

TEST_F(LanguageResourceTest, VersionMustMatchTheHost)
{
    const CString tooNew = Put(m_app, L"en-US", kTooNew);
    Put(m_app, L"de-DE"); // not tried: the wrong version ends the search
    const CString unversioned = Put(m_shared, L"fr-FR", kNoVersion);
    HostState state;
    TestLanguageResource italian(0x0410);
    EXPECT_EQ(CLanguageResource::LoadWrongVersion, state.Load(italian, m_host));
    EXPECT_STREQ(L"'" + tooNew + L"'\nWrong version of resource.\nRequired: 3.1.0.42xx", state.error);
    EXPECT_TRUE(state.module == nullptr && state.index == 0 && !IsLoaded(tooNew));
    EXPECT_EQ(0x0410, italian.GetLanguage());

    // Without a version resource a library is 0.0.0.0: it fits no versioned
    // host, and a host without a version (or without a path) fits it.
    TestLanguageResource french(0x040C);
    EXPECT_EQ(CLanguageResource::LoadWrongVersion, state.Load(french, PutHost(m_shared)));
    EXPECT_STREQ(L"'" + unversioned + L"'\nWrong version of resource.\nRequired: 3.1.0.42xx", state.error);
    TestLanguageResource french2(0x040C);
    EXPECT_EQ(CLanguageResource::LoadOk, state.Load(french2, nullptr));
    EXPECT_STREQ(unversioned, ModulePath(state.module));
}

TEST_F(LanguageResourceTest, LoadedLibrariesAreReleasedOnlyOnSuccess)
{
    const CString german = Put(m_app, L"de-DE");
    const CString english = Put(m_app, L"en-US");
    Put(m_app, L"fr-FR", kTooNew);
    HostState state;
    TestLanguageResource first(1031);
    ASSERT_EQ(CLanguageResource::LoadOk, state.Load(first, m_host));
    const HMODULE germanModule = state.module;
    EXPECT_TRUE(first.released.empty());

    // Austrian German shares the folder: nothing is searched, loaded or set,
    // not even with the host path gone.
    TestLanguageResource austrian(0x0C07);
    EXPECT_EQ(CLanguageResource::LoadOk, state.Load(austrian, nullptr));
    EXPECT_TRUE(state.module == germanModule && state.index == 8 && austrian.GetLanguage() == 0x0C07);
    EXPECT_STREQ(L"", austrian.GetFileName().GetDirectory());

    // Wrong version and not found keep the German library loaded and in use.
    TestLanguageResource wrong(0x040C);
    EXPECT_EQ(CLanguageResource::LoadWrongVersion, state.Load(wrong, m_host));
    TestLanguageResource missing(0x0410, -11);
    EXPECT_EQ(CLanguageResource::LoadNotFound, state.Load(missing, m_shared / L"host.dll"));
    EXPECT_TRUE(state.module == germanModule && state.index == 8);
    EXPECT_STREQ(german, ModulePath(germanModule));
    EXPECT_TRUE(wrong.released.empty() && missing.released.empty());

    // Success: English replaces German, whose only reference is released.
    state.error = kUnchanged;
    TestLanguageResource next(1033);
    EXPECT_EQ(CLanguageResource::LoadOk, state.Load(next, m_host));
    EXPECT_STREQ(english, ModulePath(state.module));
    EXPECT_EQ(23, state.index);
    EXPECT_STREQ(kUnchanged, state.error);
    EXPECT_EQ(std::vector<HMODULE>{germanModule}, next.released);
    EXPECT_TRUE(IsLoaded(english) && !IsLoaded(german));

    // The host holds the one reference the load took.
    FreeLibrary(state.module);
    state.module = nullptr;
    EXPECT_FALSE(IsLoaded(english));
    // A culture index without a module does not count as loaded.
    state.index = 23;
    TestLanguageResource again(1033);
    EXPECT_EQ(CLanguageResource::LoadOk, state.Load(again, m_host));
    EXPECT_STREQ(english, ModulePath(state.module));
}

TEST_F(LanguageResourceTest, ALibraryThatWillNotLoadChangesNothing)
{
    // Host and libraries without a version, so that the versions match.
    const CString host = PutHost(m_shared, kNoVersion);
    const CString german = Put(m_shared, L"de-DE", kNoVersion);
    const CString broken = m_shared.WriteFile(L"en-US\\MorvaCommonResU.dll", "not a library");
    HostState before, fresh;
    TestLanguageResource first(1031, -11);
    ASSERT_EQ(CLanguageResource::LoadOk, before.Load(first, host));

    for (HostState* state : {&before, &fresh}) {
        const HMODULE module = state->module;
        const WORD index = state->index;
        TestLanguageResource french(0x040C, -11);
        EXPECT_EQ(CLanguageResource::LoadOk, state->Load(french, host));
        EXPECT_TRUE(state->module == module && state->index == index);
        EXPECT_EQ(0x040C, french.GetLanguage());
        EXPECT_STREQ(kUnchanged, state->error);
        EXPECT_TRUE(french.released.empty());
    }
    EXPECT_STREQ(german, ModulePath(before.module));
    EXPECT_TRUE(PathExists(broken));
}

TEST_F(LanguageResourceTest, PallasLibraryAndBareResource)
{
    CPallasLanguageResource pallas(1031);
    EXPECT_STREQ(L"MorvaCommonResU.dll", pallas.GetFileName().GetFileName());
    EXPECT_EQ(CFileName::FolderSharedResources, pallas.GetFallbackFolder());
    const CString library = Put(m_app, L"de-DE");
    HostState state;
    EXPECT_EQ(CLanguageResource::LoadOk, state.Load(pallas, m_host));
    EXPECT_STREQ(library, ModulePath(state.module));

    // No file name, no fallback folder, no host path: not found, no crash.
    CLanguageResource bare(1033);
    EXPECT_EQ(0, bare.GetFallbackFolder());
    EXPECT_EQ(CLanguageResource::LoadNotFound, state.Load(bare, L""));
    EXPECT_STREQ(library, ModulePath(state.module));
}
