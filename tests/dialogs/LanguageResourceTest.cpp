// The language resource lookup with real libraries: fixture DLLs built at chosen
// versions are copied into culture folders beside a host module ("app") and
// into a second folder that stands for the fallback folder ("shared").
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include "dialogs/CPallasLanguageResource.h"
#include "support/TempFolder.h"

namespace {
// An installation folder id of the tests' own, and its registry value name; nothing else records it.
const int kSharedFolderId = -10;
const WCHAR kSharedFolderName[] = L"-10";
const int kUnrecordedFolderId = -11;
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

CString PutHost(const CString& folder, LPCWSTR fixture = kHost)
{
    EXPECT_TRUE(CopyFileW(Fixture(fixture), folder + L"host.dll", FALSE));
    return folder + L"host.dll";
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
struct SharedFolderValue
{
    explicit SharedFolderValue(const CString& folder)
    {
        EXPECT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, kFoldersKey, kSharedFolderName, REG_SZ, folder.GetString(),
                                                 static_cast<DWORD>((folder.GetLength() + 1) * sizeof(WCHAR))));
    }
    ~SharedFolderValue() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kFoldersKey, kSharedFolderName); }
};

// The product's library name with the tests' own fallback folder, recording releases.
struct TestLanguageResource : CLanguageResource
{
    explicit TestLanguageResource(WORD language, int fallbackFolder) : CLanguageResource(language)
    {
        m_fallbackFolder = fallbackFolder;
        m_fileName.SetFileName(L"MorvaCommonResU.dll");
    }
    std::vector<HMODULE> released; // every module handed to ReleaseModule
    void ReleaseModule(HMODULE module) override
    {
        released.push_back(module);
        CLanguageResource::ReleaseModule(module);
    }
};

// What a host keeps between loads. Declare it after the folders it loads from.
struct HostState
{
    HMODULE module = nullptr;                   // loaded resource library, or null
    WORD index = 0;                             // its culture index
    CString error = kUnchanged;                 // error text of the last load
    std::unique_ptr<TestLanguageResource> last; // the object of the last Load(language, ...)

    int Load(CLanguageResource& resource, const CString& host) { return resource.Load(module, index, host, error); }
    int Load(WORD language, const CString& host, int fallbackFolder = kSharedFolderId)
    {
        last = std::make_unique<TestLanguageResource>(language, fallbackFolder);
        return Load(*last, host);
    }
    ~HostState() { FreeLibrary(module); }
};

class LanguageResourceTest : public testing::Test
{
protected:
    TempFolder m_app;                           // the host module's folder
    TempFolder m_shared;                        // the fallback folder
    SharedFolderValue m_value{m_shared.Path()}; // records m_shared for kSharedFolderId
    CString m_host = PutHost(m_app.Path());     // a 3.1.0.4217 host in m_app
};
} // namespace

TEST(LanguageResource, SearchOrderOverCulturesAndBases)
{
    const int kNotFound = CLanguageResource::LoadNotFound;
    // Requested language; libraries beside the host (app) or in the fallback folder (shared); the one loaded,
    // or the last one tried; language and culture index after the load; result; fallback folder id.
    const struct {
        WORD language; std::vector<LPCWSTR> present; LPCWSTR expected; WORD language2; WORD index;
        int result = CLanguageResource::LoadOk; int fallbackFolder = kSharedFolderId;
    } cases[] = {
        {0x040C, {L"app\\fr-FR", L"app\\en-US", L"app\\de-DE"}, L"app\\fr-FR", 0x040C, 7},
        {0x040C, {L"app\\de-DE", L"app\\en-US"}, L"app\\en-US", 1033, 23},
        {0x040C, {L"app\\de-DE"}, L"app\\de-DE", 1031, 8},
        // Every culture beside the host comes before the fallback folder.
        {0x040C, {L"app\\de-DE", L"shared\\fr-FR"}, L"app\\de-DE", 1031, 8},
        {0x040C, {L"shared\\en-US", L"shared\\fr-FR"}, L"shared\\fr-FR", 0x040C, 7},
        {1033, {L"shared\\de-DE"}, L"shared\\de-DE", 1031, 8},
        {0x0436, {L"app\\de-DE", L"app\\en-US"}, L"app\\en-US", 0x0436, 23},
        // Nothing found: the error names the last candidate of the last base searched.
        {0x040C, {}, L"shared\\de-DE", 0x040C, 0, kNotFound},
        {1031, {}, L"shared\\en-US", 1031, 0, kNotFound},
        {1033, {L"shared\\en-US"}, L"app\\de-DE", 1033, 0, kNotFound, kUnrecordedFolderId},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "language 0x" << std::hex << c.language << ", " << c.expected);
        TempFolder root;
        SharedFolderValue value(root / L"shared\\");
        const CString host = PutHost(root.MakeDir(L"app"));
        for (LPCWSTR place : c.present)
            Put(root, place);
        HostState state;
        EXPECT_EQ(c.result, state.Load(c.language, host, c.fallbackFolder));
        const CString library = root / c.expected + L"\\MorvaCommonResU.dll";
        const bool found = c.result == CLanguageResource::LoadOk;
        EXPECT_STREQ(found ? library : CString(), ModulePath(state.module));
        EXPECT_STREQ(found ? CString(kUnchanged) : L"'" + library + L"'\nResource not found.", state.error);
        EXPECT_EQ(c.language2, state.last->GetLanguage());
        EXPECT_EQ(c.index, state.index);
        EXPECT_TRUE(state.last->released.empty());
    }
}

TEST_F(LanguageResourceTest, VersionMustMatchTheHost)
{
    const CString tooNew = Put(m_app, L"en-US", kTooNew);
    Put(m_app, L"de-DE"); // not tried: the wrong version ends the search
    const CString unversioned = Put(m_shared, L"fr-FR", kNoVersion);
    HostState state;
    EXPECT_EQ(CLanguageResource::LoadWrongVersion, state.Load(0x0410, m_host));
    EXPECT_STREQ(L"'" + tooNew + L"'\nWrong version of resource.\nRequired: 3.1.0.42xx", state.error);
    EXPECT_TRUE(state.module == nullptr && state.index == 0 && !IsLoaded(tooNew));
    EXPECT_EQ(0x0410, state.last->GetLanguage());

    // Without a version resource a library is 0.0.0.0: it fits no versioned
    // host, and a host without a version (or without a path) fits it.
    EXPECT_EQ(CLanguageResource::LoadWrongVersion, state.Load(0x040C, PutHost(m_shared.Path())));
    EXPECT_EQ(CLanguageResource::LoadOk, state.Load(0x040C, nullptr));
    EXPECT_STREQ(unversioned, ModulePath(state.module));
}

TEST_F(LanguageResourceTest, LoadedLibrariesAreReleasedOnlyOnSuccess)
{
    const CString german = Put(m_app, L"de-DE");
    const CString english = Put(m_app, L"en-US");
    Put(m_app, L"fr-FR", kTooNew);
    HostState state;
    ASSERT_EQ(CLanguageResource::LoadOk, state.Load(1031, m_host));
    const HMODULE germanModule = state.module;

    // Austrian German shares the folder: nothing is searched, loaded or set,
    // not even with the host path gone.
    EXPECT_EQ(CLanguageResource::LoadOk, state.Load(0x0C07, nullptr));
    EXPECT_TRUE(state.module == germanModule && state.index == 8 && state.last->GetLanguage() == 0x0C07);
    EXPECT_STREQ(L"", state.last->GetFileName().GetDirectory());

    // A wrong version keeps the German library loaded and in use.
    EXPECT_EQ(CLanguageResource::LoadWrongVersion, state.Load(0x040C, m_host));
    EXPECT_TRUE(state.module == germanModule && state.index == 8 && state.last->released.empty());

    // Success: English replaces German, whose only reference is released.
    EXPECT_EQ(CLanguageResource::LoadOk, state.Load(1033, m_host));
    EXPECT_STREQ(english, ModulePath(state.module));
    EXPECT_EQ(std::vector<HMODULE>{germanModule}, state.last->released);
    EXPECT_TRUE(IsLoaded(english) && !IsLoaded(german));

    // The host holds the one reference the load took.
    FreeLibrary(state.module);
    state.module = nullptr;
    EXPECT_FALSE(IsLoaded(english));
    // A culture index without a module does not count as loaded.
    state.index = 23;
    EXPECT_EQ(CLanguageResource::LoadOk, state.Load(1033, m_host));
    EXPECT_STREQ(english, ModulePath(state.module));
}

TEST_F(LanguageResourceTest, ALibraryThatWillNotLoadChangesNothing)
{
    // Host and libraries without a version, so that the versions match.
    const CString host = PutHost(m_shared.Path(), kNoVersion);
    Put(m_shared, L"de-DE", kNoVersion);
    m_shared.WriteFile(L"en-US\\MorvaCommonResU.dll", "not a library");
    HostState before, fresh;
    ASSERT_EQ(CLanguageResource::LoadOk, before.Load(1031, host, kUnrecordedFolderId));

    for (HostState* state : {&before, &fresh}) {
        const HMODULE module = state->module;
        const WORD index = state->index;
        EXPECT_EQ(CLanguageResource::LoadOk, state->Load(0x040C, host, kUnrecordedFolderId));
        EXPECT_TRUE(state->module == module && state->index == index);
        EXPECT_EQ(0x040C, state->last->GetLanguage());
        EXPECT_STREQ(kUnchanged, state->error);
        EXPECT_TRUE(state->last->released.empty());
    }
}

TEST_F(LanguageResourceTest, PallasLibraryAndBareResource)
{
    CPallasLanguageResource pallas(1031);
    const CString library = Put(m_app, L"de-DE");
    HostState state;
    EXPECT_EQ(CLanguageResource::LoadOk, state.Load(pallas, m_host));
    EXPECT_STREQ(library, ModulePath(state.module));

    // No file name, no fallback folder, no host path: not found, no crash.
    CLanguageResource bare(1033);
    EXPECT_EQ(CLanguageResource::LoadNotFound, state.Load(bare, L""));
    EXPECT_STREQ(library, ModulePath(state.module));
}
