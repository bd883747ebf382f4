// The language resource libraries beside the program: each culture carries every
// resource the library loads, in its own language, with the library's version.
#include <windows.h>
#include <set>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "MorvaVersion.h"
#include "dialogs/FileVersion.h"
#include "resources/MorvaResourceIds.h"

namespace {
const UINT kStrings[] = {IDS_BUTTON_SINGLE_OK, IDS_BUTTON_OK, IDS_BUTTON_CANCEL, IDS_BUTTON_YES, IDS_BUTTON_NO,
                         IDS_KEY_NUMPAD, IDS_KEY_SHIFT, IDS_KEY_CONTROL, IDS_KEY_ALT, IDS_KEY_LEFT_SHIFT,
                         IDS_KEY_RIGHT_SHIFT, IDS_KEY_LEFT_CONTROL, IDS_KEY_RIGHT_CONTROL, IDS_KEY_LEFT_ALT,
                         IDS_KEY_RIGHT_ALT};

std::wstring BesideProgram(const std::wstring& name)
{
    wchar_t path[MAX_PATH];
    std::wstring text(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return text.substr(0, text.rfind(L'\\') + 1) + name;
}

// The first translation of the version resource, MAKELONG(language, code page).
DWORD FirstTranslation(const std::wstring& path)
{
    std::vector<BYTE> data(GetFileVersionInfoSizeW(path.c_str(), nullptr) + 1);
    DWORD* translation = nullptr;
    UINT length = 0;
    const bool read = GetFileVersionInfoW(path.c_str(), 0, DWORD(data.size()), data.data())
        && VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length);
    return read && translation ? *translation : 0;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

RECT ChildRect(HWND dialog, int id)
{
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// One culture's library, loaded the way the product loads it.
struct Library
{
    Library(const wchar_t* folder, LANGID id)
        : name(folder), language(id), path(BesideProgram(name + L"\\MorvaCommonResU.dll")), module(LoadLibraryW(path.c_str())) {}
    ~Library() { FreeLibrary(module); }
    std::wstring String(UINT id) const
    {
        wchar_t buffer[1024];
        const int length = LoadStringW(module, id, buffer, 1024);
        return std::wstring(buffer, length > 0 ? length : 0);
    }
    HWND Dialog(UINT id) const { return CreateDialogParamW(module, MAKEINTRESOURCEW(id), nullptr, QuietDialogProc, 0); }

    std::wstring name; // culture folder
    LANGID language;   // language of its resources
    std::wstring path; // of the library
    HMODULE module;    // loaded library
};

class ResourceLibraries : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(english.module && german.module) << "culture libraries beside the program"; }
    Library english{L"en-US", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)}; // the culture folders
    Library german{L"de-DE", MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)};
};
} // namespace

TEST_F(ResourceLibraries, CarryEveryResourceInTheirLanguageWithTheLibrarysVersion)
{
    // Read as the lookup reads it, against the version the library DLL is built with.
    const CFileVersion version(MORVA_VERSION_MAJOR, MORVA_VERSION_MINOR, MORVA_VERSION_PATCH, MORVA_VERSION_BUILD);
    for (const Library* library : {&english, &german}) {
        SCOPED_TRACE(testing::Message() << library->name);
        EXPECT_TRUE(CFileVersion::Read(library->path.c_str()) == version);
        EXPECT_EQ(DWORD(MAKELONG(library->language, 1200)), FirstTranslation(library->path));
        const struct { LPCWSTR type; UINT id; } resources[] = {
            {RT_DIALOG, IDD_MESSAGE_DIALOG}, {RT_DIALOG, IDD_SHOW_TEXT}, {RT_MENU, IDR_EDIT_MENU},
            {RT_GROUP_CURSOR, IDC_DIVIDER_CURSOR}, {RT_GROUP_ICON, IDI_MESSAGE_INFORMATION},
            {RT_GROUP_ICON, IDI_MESSAGE_WARNING}, {RT_GROUP_ICON, IDI_MESSAGE_ERROR}, {RT_GROUP_ICON, IDI_DIALOG}};
        for (const auto& r : resources)
            EXPECT_NE(FindResourceExW(library->module, r.type, MAKEINTRESOURCEW(r.id), library->language), nullptr)
                << "resource " << r.id;
        std::set<std::wstring> texts; // all differ but the two OK captions
        for (UINT id : kStrings)
            EXPECT_TRUE(texts.insert(library->String(id)).second || id == IDS_BUTTON_OK) << "string " << id;
        EXPECT_EQ(0u, texts.count(L"")) << "a string is missing";
        HMENU menu = LoadMenuW(library->module, MAKEINTRESOURCEW(IDR_EDIT_MENU));
        for (UINT command : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL})
            EXPECT_NE(GetMenuState(GetSubMenu(menu, 0), command, MF_BYCOMMAND), UINT(-1)) << "command " << command;
        DestroyMenu(menu);
    }
    // Only the OK captions and "Alt" read the same in both languages.
    for (UINT id : kStrings)
        EXPECT_TRUE(english.String(id) != german.String(id) || id == IDS_BUTTON_SINGLE_OK || id == IDS_BUTTON_OK
                    || id == IDS_KEY_ALT) << "string " << id;
    wchar_t paste[64] = {};
    HMENU menu = LoadMenuW(german.module, MAKEINTRESOURCEW(IDR_EDIT_MENU));
    GetMenuStringW(menu, ID_EDIT_PASTE, paste, 64, MF_BYCOMMAND);
    EXPECT_STREQ(paste, L"&Einf\u00FCgen") << "German text survives the build as UTF-16";
    DestroyMenu(menu);
}

// The message dialog sizes itself by moving its buttons relative to the text's
// right edge and bottom, so the template must start with them lined up.
TEST_F(ResourceLibraries, MessageDialogIsLaidOutForSizingAndTheTextWindowIsAResizableReadOnlyField)
{
    for (const Library* library : {&english, &german}) {
        SCOPED_TRACE(testing::Message() << library->name);
        HWND dialog = library->Dialog(IDD_MESSAGE_DIALOG);
        ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
        RECT client{}, icon = ChildRect(dialog, IDC_MESSAGE_ICON), text = ChildRect(dialog, IDC_MESSAGE_TEXT);
        RECT first = ChildRect(dialog, IDC_MESSAGE_FIRST_BUTTON), third = ChildRect(dialog, IDC_MESSAGE_THIRD_BUTTON);
        RECT second = ChildRect(dialog, IDC_MESSAGE_SECOND_BUTTON);
        GetClientRect(dialog, &client);
        EXPECT_TRUE(icon.right <= text.left && icon.top == text.top) << "icon left of the text";
        EXPECT_TRUE(first.right < second.left && second.right < third.left && third.right == text.right);
        EXPECT_TRUE(first.top == second.top && second.top == third.top) << "buttons in a row";
        EXPECT_TRUE(first.top > text.bottom && first.top > icon.bottom) << "below text and icon";
        EXPECT_TRUE(third.right < client.right && third.bottom < client.bottom) << "inside the dialog";
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog, IDC_MESSAGE_TEXT), GWL_STYLE) & SS_NOPREFIX);
        DestroyWindow(dialog);

        dialog = library->Dialog(IDD_SHOW_TEXT);
        ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
        HWND field = GetDlgItem(dialog, IDC_SHOW_TEXT_FIELD);
        wchar_t className[16] = {};
        GetClassNameW(field, className, 16);
        const LONG style = GetWindowLongW(field, GWL_STYLE), readOnlyText = ES_MULTILINE | ES_READONLY;
        EXPECT_TRUE((GetWindowLongW(dialog, GWL_STYLE) & WS_THICKFRAME) && lstrcmpiW(className, L"Edit") == 0 &&
                    (style & readOnlyText) == readOnlyText);
        DestroyWindow(dialog);
    }
}

TEST_F(ResourceLibraries, IconsHaveStoredImagesAtSixteenAndThirtyTwoPixelsAndTheCursorItsHotSpot)
{
    for (const Library* library : {&english, &german}) {
        for (UINT id : {IDI_MESSAGE_INFORMATION, IDI_MESSAGE_WARNING, IDI_MESSAGE_ERROR, IDI_DIALOG}) {
            for (int size : {16, 32}) {
                SCOPED_TRACE(testing::Message() << library->name << " icon " << id << " at " << size);
                // The image LoadIcon would pick: of exactly this size, not scaled, and not blank.
                HRSRC group = FindResourceW(library->module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
                auto* directory = static_cast<PBYTE>(LockResource(LoadResource(library->module, group)));
                const int imageId = group ? LookupIconIdFromDirectoryEx(directory, TRUE, size, size, 0) : 0;
                HRSRC image = FindResourceW(library->module, MAKEINTRESOURCEW(imageId), RT_ICON);
                ASSERT_NE(image, nullptr);
                auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(library->module, image)));
                ASSERT_TRUE(header->biWidth == size && header->biBitCount == 32);
                auto* pixels = reinterpret_cast<const DWORD*>(header + 1);
                int opaque = 0; // pixels at least half opaque
                for (int i = 0; i < size * size; ++i)
                    opaque += pixels[i] >> 24 >= 128;
                EXPECT_GT(opaque, size * size / 3);
            }
        }
        HCURSOR cursor = LoadCursorW(library->module, MAKEINTRESOURCEW(IDC_DIVIDER_CURSOR));
        ICONINFO info{};
        ASSERT_TRUE(cursor != nullptr && GetIconInfo(cursor, &info));
        EXPECT_TRUE(!info.fIcon && info.xHotspot - 15 <= 2 && info.yHotspot - 15 <= 2) << "hot spot in the middle";
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
}
