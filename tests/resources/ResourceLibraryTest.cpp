// The language resource libraries beside the program: each culture carries every
// resource the library loads, in its own language, with the library's version.
#include <windows.h>
#include <cwchar>
#include <set>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "MorvaVersion.h"
#include "resources/MorvaResourceIds.h"

namespace {

struct Culture {
    const wchar_t* folder;
    LANGID language;
};

const Culture kEnglish{L"en-US", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)};
const Culture kGerman{L"de-DE", MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)};

const UINT kStrings[] = {IDS_BUTTON_SINGLE_OK, IDS_BUTTON_OK, IDS_BUTTON_CANCEL, IDS_BUTTON_YES,
                         IDS_BUTTON_NO, IDS_KEY_NUMPAD, IDS_KEY_SHIFT, IDS_KEY_CONTROL, IDS_KEY_ALT,
                         IDS_KEY_LEFT_SHIFT, IDS_KEY_RIGHT_SHIFT, IDS_KEY_LEFT_CONTROL,
                         IDS_KEY_RIGHT_CONTROL, IDS_KEY_LEFT_ALT, IDS_KEY_RIGHT_ALT};
const UINT kIcons[] = {IDI_MESSAGE_INFORMATION, IDI_MESSAGE_WARNING, IDI_MESSAGE_ERROR, IDI_DIALOG};
const UINT kEditCommands[] = {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                              ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH];
    std::wstring text(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return text.substr(0, text.rfind(L'\\') + 1);
}

struct VersionText {
    std::wstring fileVersion;
    WORD language = 0;
    WORD codePage = 0;
};

// Read the way the resource lookup reads it: the first translation names the string block.
VersionText ReadFileVersion(const std::wstring& path)
{
    VersionText result;
    DWORD ignored = 0;
    std::vector<BYTE> data(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    if (data.empty() || !GetFileVersionInfoW(path.c_str(), 0, DWORD(data.size()), data.data()))
        return result;
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < 2 * sizeof(WORD))
        return result;
    result.language = translation[0];
    result.codePage = translation[1];
    wchar_t query[64];
    std::swprintf(query, 64, L"\\StringFileInfo\\%04X%04X\\FileVersion", translation[0], translation[1]);
    wchar_t* text = nullptr;
    if (VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&text), &length) && text)
        result.fileVersion = text;
    return result;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

RECT ChildRect(HWND dialog, int id)
{
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring LibraryPath(const Culture& culture)
{
    return ProgramFolder() + culture.folder + L"\\MorvaCommonResU.dll";
}

// One culture's library, loaded the way the product loads it.
class Library {
public:
    explicit Library(const Culture& culture) : culture(culture), module(LoadLibraryW(LibraryPath(culture).c_str())) {}
    ~Library()
    {
        if (module)
            FreeLibrary(module);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    std::wstring String(UINT id) const
    {
        wchar_t buffer[1024];
        int length = LoadStringW(module, id, buffer, 1024);
        return std::wstring(buffer, length > 0 ? length : 0);
    }

    HWND CreateDialogFromTemplate(UINT id) const
    {
        return CreateDialogParamW(module, MAKEINTRESOURCEW(id), nullptr, QuietDialogProc, 0);
    }

    // The stored image of an icon group for one size, as LoadIcon would pick it.
    const BITMAPINFOHEADER* StoredIconImage(UINT id, int size) const
    {
        HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
        if (!group)
            return nullptr;
        auto* directory = static_cast<PBYTE>(LockResource(LoadResource(module, group)));
        int imageId = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(imageId), RT_ICON);
        return image ? static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image))) : nullptr;
    }

    const Culture& culture;
    HMODULE module;
};

// Every test runs over both cultures.
class ResourceLibraries : public testing::Test {
protected:
    void SetUp() override
    {
        for (const Library* library : {&english_, &german_})
            ASSERT_NE(library->module, nullptr) << testing::PrintToString(LibraryPath(library->culture));
    }

    template <typename Check> void ForEachCulture(Check check)
    {
        for (const Library* library : {&english_, &german_}) {
            SCOPED_TRACE(testing::Message() << library->culture.folder);
            check(*library);
        }
    }

    Library english_{kEnglish};
    Library german_{kGerman};
};

TEST_F(ResourceLibraries, CarryEveryResourceInTheirLanguage)
{
    struct { LPCWSTR type; UINT id; } const resources[] = {
        {RT_DIALOG, IDD_MESSAGE_DIALOG}, {RT_DIALOG, IDD_SHOW_TEXT}, {RT_MENU, IDR_EDIT_MENU},
        {RT_GROUP_CURSOR, IDC_DIVIDER_CURSOR}, {RT_GROUP_ICON, IDI_MESSAGE_INFORMATION},
        {RT_GROUP_ICON, IDI_MESSAGE_WARNING}, {RT_GROUP_ICON, IDI_MESSAGE_ERROR}, {RT_GROUP_ICON, IDI_DIALOG}};
    ForEachCulture([&](const Library& library) {
        for (const auto& resource : resources) {
            EXPECT_NE(FindResourceExW(library.module, resource.type, MAKEINTRESOURCEW(resource.id),
                                      library.culture.language), nullptr)
                << "resource " << resource.id;
        }
        for (UINT id : kStrings) {
            EXPECT_FALSE(library.String(id).empty()) << "string " << id;
        }
    });
}

TEST_F(ResourceLibraries, HaveTheLibrarysVersionUnderTheirOwnTranslation)
{
    VersionText product = ReadFileVersion(ProgramFolder() + L"MorvaCommonU.dll");
    EXPECT_EQ(product.fileVersion, MORVA_VERSION_WTEXT);
    ForEachCulture([&](const Library& library) {
        VersionText culture = ReadFileVersion(LibraryPath(library.culture));
        EXPECT_EQ(culture.fileVersion, product.fileVersion);
        EXPECT_EQ(culture.language, library.culture.language);
        EXPECT_EQ(culture.codePage, 1200);
    });
}

TEST_F(ResourceLibraries, ButtonCaptionsAndKeyNamesAreDistinct)
{
    ForEachCulture([](const Library& library) {
        std::set<std::wstring> buttons{library.String(IDS_BUTTON_YES), library.String(IDS_BUTTON_NO),
                                       library.String(IDS_BUTTON_CANCEL)};
        EXPECT_EQ(buttons.size(), 3u);
        std::set<std::wstring> keys;
        for (UINT id : kStrings) {
            if (id >= IDS_KEY_NUMPAD)
                keys.insert(library.String(id));
        }
        EXPECT_EQ(keys.size(), 10u);
    });
}

TEST_F(ResourceLibraries, GermanTextsAreTranslated)
{
    // Only "OK" and "Alt" read the same in both languages.
    for (UINT id : kStrings) {
        if (id != IDS_BUTTON_SINGLE_OK && id != IDS_BUTTON_OK && id != IDS_KEY_ALT) {
            EXPECT_NE(english_.String(id), german_.String(id)) << "string " << id;
        }
    }
    HMENU englishMenu = LoadMenuW(english_.module, MAKEINTRESOURCEW(IDR_EDIT_MENU));
    HMENU germanMenu = LoadMenuW(german_.module, MAKEINTRESOURCEW(IDR_EDIT_MENU));
    wchar_t englishItem[64] = {}, germanItem[64] = {};
    GetMenuStringW(englishMenu, ID_EDIT_PASTE, englishItem, 64, MF_BYCOMMAND);
    GetMenuStringW(germanMenu, ID_EDIT_PASTE, germanItem, 64, MF_BYCOMMAND);
    EXPECT_STREQ(englishItem, L"&Paste");
    EXPECT_STREQ(germanItem, L"&Einf\u00FCgen") << "German text survives the build as UTF-16";
    DestroyMenu(englishMenu);
    DestroyMenu(germanMenu);
}

// The message dialog sizes itself by moving its buttons relative to the text's
// right edge and bottom, so the template must start with them lined up.
TEST_F(ResourceLibraries, MessageDialogIsLaidOutForSizingToItsText)
{
    ForEachCulture([](const Library& library) {
        HWND dialog = library.CreateDialogFromTemplate(IDD_MESSAGE_DIALOG);
        ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
        for (int id : {IDC_MESSAGE_TEXT, IDC_MESSAGE_ICON, IDC_MESSAGE_FIRST_BUTTON, IDC_MESSAGE_SECOND_BUTTON,
                       IDC_MESSAGE_THIRD_BUTTON}) {
            EXPECT_NE(GetDlgItem(dialog, id), nullptr) << "control " << id;
        }
        RECT client{}, icon = ChildRect(dialog, IDC_MESSAGE_ICON), text = ChildRect(dialog, IDC_MESSAGE_TEXT);
        RECT first = ChildRect(dialog, IDC_MESSAGE_FIRST_BUTTON), second = ChildRect(dialog, IDC_MESSAGE_SECOND_BUTTON),
             third = ChildRect(dialog, IDC_MESSAGE_THIRD_BUTTON);
        GetClientRect(dialog, &client);
        EXPECT_LE(icon.right, text.left);
        EXPECT_EQ(icon.top, text.top);
        EXPECT_LT(first.right, second.left);
        EXPECT_LT(second.right, third.left);
        EXPECT_EQ(third.right, text.right);
        EXPECT_GT(first.top, text.bottom);
        EXPECT_GT(first.top, icon.bottom);
        EXPECT_TRUE(first.top == second.top && second.top == third.top);
        EXPECT_LT(third.right, client.right);
        EXPECT_LT(third.bottom, client.bottom);
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog, IDC_MESSAGE_TEXT), GWL_STYLE) & SS_NOPREFIX);
        DestroyWindow(dialog);
    });
}

TEST_F(ResourceLibraries, TextWindowIsResizableWithAReadOnlyMultiLineField)
{
    ForEachCulture([](const Library& library) {
        HWND dialog = library.CreateDialogFromTemplate(IDD_SHOW_TEXT);
        ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
        EXPECT_TRUE(GetWindowLongW(dialog, GWL_STYLE) & WS_THICKFRAME);
        HWND field = GetDlgItem(dialog, IDC_SHOW_TEXT_FIELD);
        wchar_t className[16] = {};
        GetClassNameW(field, className, 16);
        EXPECT_EQ(lstrcmpiW(className, L"Edit"), 0);
        LONG style = GetWindowLongW(field, GWL_STYLE);
        EXPECT_TRUE((style & ES_MULTILINE) && (style & ES_READONLY));
        DestroyWindow(dialog);
    });
}

TEST_F(ResourceLibraries, EditMenuOffersTheEditCommands)
{
    ForEachCulture([](const Library& library) {
        HMENU menu = LoadMenuW(library.module, MAKEINTRESOURCEW(IDR_EDIT_MENU));
        ASSERT_NE(menu, nullptr);
        HMENU popup = GetSubMenu(menu, 0);
        EXPECT_NE(popup, nullptr);
        for (UINT command : kEditCommands) {
            EXPECT_NE(GetMenuState(popup, command, MF_BYCOMMAND), UINT(-1)) << "command " << command;
        }
        DestroyMenu(menu);
    });
}

TEST_F(ResourceLibraries, IconsAreDrawnAtSixteenAndThirtyTwoPixels)
{
    ForEachCulture([](const Library& library) {
        for (UINT id : kIcons) {
            for (int size : {16, 32}) {
                SCOPED_TRACE(testing::Message() << "icon " << id << " at " << size);
                HICON icon = static_cast<HICON>(
                    LoadImageW(library.module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
                EXPECT_NE(icon, nullptr);
                DestroyIcon(icon);
                // A stored image of exactly this size, not a scaled one, and not blank.
                const BITMAPINFOHEADER* image = library.StoredIconImage(id, size);
                ASSERT_NE(image, nullptr);
                ASSERT_EQ(image->biWidth, size);
                ASSERT_EQ(image->biBitCount, 32);
                auto* pixels = reinterpret_cast<const DWORD*>(image + 1);
                int opaque = 0;
                std::set<DWORD> colours;
                for (int i = 0; i < size * size; ++i) {
                    if (pixels[i] >> 24 >= 128) {
                        ++opaque;
                        colours.insert(pixels[i] & 0xFFFFFF);
                    }
                }
                EXPECT_GT(opaque, size * size / 3);
                EXPECT_GE(colours.size(), 3u);
            }
        }
    });
}

TEST_F(ResourceLibraries, DividerCursorIsAHorizontalResizeShape)
{
    ForEachCulture([](const Library& library) {
        HCURSOR cursor = LoadCursorW(library.module, MAKEINTRESOURCEW(IDC_DIVIDER_CURSOR));
        ASSERT_NE(cursor, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_NEAR(int(info.xHotspot), 16, 1);
        EXPECT_NEAR(int(info.yHotspot), 16, 1);
        // The AND half of the monochrome mask: 0 where the cursor draws.
        BITMAPINFO format{};
        format.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -64, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<DWORD> mask(32 * 64);
        HDC dc = GetDC(nullptr);
        EXPECT_EQ(GetDIBits(dc, info.hbmMask, 0, 64, mask.data(), &format, DIB_RGB_COLORS), 64);
        ReleaseDC(nullptr, dc);
        auto drawn = [&](int x, int y) { return (mask[y * 32 + x] & 0xFFFFFF) == 0; };
        EXPECT_TRUE(drawn(4, 15) && drawn(27, 15)) << "arrows left and right";
        EXPECT_TRUE(drawn(15, 6) && drawn(15, 25)) << "vertical bar";
        EXPECT_FALSE(drawn(0, 0) || drawn(31, 31) || drawn(4, 4)) << "transparent around";
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
    });
}

} // namespace
