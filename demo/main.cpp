// The demo host application: a gallery of the library's controls. It does
// what a host of the library does first: find and load the language resource
// library of the user's language (or the one given on the command line) and
// make it the resource module. Then it opens the gallery, one window with a
// page per group of controls.
//
//     MorvaDemo [language] [--interactive] [--tour <folder>] [--results <file.xml>]
//
// language is a Windows language identifier (1031, or 0x0407); the default is
// the user's. --interactive runs the gallery for a person. Without it the
// gallery walks its tour headless and writes a picture per stop into the
// folder (default: "gallery" beside the program); --results also writes the
// stops as a test report. The exit code is 3 when a stop failed.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cwchar>
#include <string>
#include "DemoDocView.h"
#include "GalleryTour.h"
#include "GalleryWindow.h"
#include "dialogs/CPallasLanguageResource.h"
#include "dialogs/CRegistryKey.h"
#include "dialogs/FileVersion.h"
#include "framework/Framework.h"

namespace {
const wchar_t kUsage[] = L"MorvaDemo [language] [--interactive] [--tour <folder>] [--results <file.xml>]";

struct Options
{
    WORD language = GetUserDefaultUILanguage(); // requested language
    bool interactive = false;                   // run the gallery for a person
    CString tourFolder;                         // pictures of the tour; empty: beside the program
    CString results;                            // report of the tour's stops, empty for none
    CString error;                              // what was wrong with the command line
};

Options ParseOptions(int argc, wchar_t** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const CString arg = argv[i];
        if (arg == L"--interactive")
            options.interactive = true;
        else if (arg == L"--tour" && i + 1 < argc)
            options.tourFolder = argv[++i];
        else if (arg == L"--results" && i + 1 < argc)
            options.results = argv[++i];
        else if (arg.Left(1) != L"-" && std::wcstoul(arg, nullptr, 0) > 0 && std::wcstoul(arg, nullptr, 0) <= 0xFFFF)
            options.language = static_cast<WORD>(std::wcstoul(arg, nullptr, 0));
        else
            options.error = L"Unknown argument \"" + arg + L"\" (or an option without its value).";
    }
    return options;
}

CString ModulePath(HMODULE module)
{
    WCHAR path[MAX_PATH] = L"";
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

CString Folder(const CString& path)
{
    return path.Left(path.ReverseFind(L'\\') + 1);
}

void Print(const CString& text)
{
    // The console takes UTF-8; error texts may carry any character.
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], n, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
    std::fflush(stdout);
}

// The tour starts from the templates' layouts, not from what an earlier run left.
void ForgetLayouts()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\MORVA\\" + CRegistryKey::GetApplicationKey());
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    const Options options = ParseOptions(argc, argv);
    if (!options.error.IsEmpty()) {
        Print(options.error + L"\n" + kUsage);
        return 1;
    }

    // The host of the library: its version is what the resource library must match.
    const CString hostPath = ModulePath(AfxGetLibraryHandle());
    CPallasLanguageResource resource(options.language);
    HMODULE module = nullptr;
    WORD cultureIndex = 0;
    CString error;
    if (resource.Load(module, cultureIndex, hostPath, error) != CLanguageResource::LoadOk || module == nullptr) {
        Print(error.IsEmpty() ? CString(L"The resource library could not be loaded.") : error);
        return 1;
    }
    CString culture;
    resource.GetCultureFolder(resource.GetLanguage(), culture);
    const CFileVersion version = CFileVersion::Read(ModulePath(module));
    CString report;
    report.Format(L"Requested language: %u (0x%04X)\nLoaded library: %s\nLanguage: %u (%s)\nVersion: %d.%d.%d.%d",
                  options.language, options.language, ModulePath(module).GetString(), resource.GetLanguage(),
                  culture.Left(culture.GetLength() - 1).GetString(), version.m_part[0], version.m_part[1],
                  version.m_part[2], version.m_part[3]);
    Print(report);
    AfxSetResourceHandle(module);
    // The gallery's templates are the demo's own; the library's controls in
    // them still find their resources in the language resource library.
    AfxAddResourceModule(module);
    // The gallery's layouts are kept apart from other hosts' of the library.
    CRegistryKey::SetApplicationKey(L"MorvaGallery");

    int status = 0;
    {
        CGalleryWindow gallery(module, resource.GetLanguage());
        if (options.interactive) {
            gallery.DoModal();
        } else {
            ForgetLayouts();
            if (!gallery.CreateModeless()) {
                Print(L"The gallery could not be created.");
                status = 2;
            } else {
                gallery.ShowWindow(SW_SHOW);
                gallery.UpdateWindow();
                const CString folder = options.tourFolder.IsEmpty() ? Folder(ModulePath(nullptr)) + L"gallery"
                                                                     : options.tourFolder;
                GalleryTour tour(gallery, folder);
                tour.Run();
                CString summary;
                summary.Format(L"Tour: %d stops, %d failed; pictures in %s", static_cast<int>(tour.GetStops().size()),
                               tour.GetFailures(), folder.GetString());
                Print(summary);
                if (!options.results.IsEmpty() && !WriteTourReport(tour.GetStops(), options.results)) {
                    Print(L"The report could not be written: " + options.results);
                    status = 3;
                }
                if (tour.GetFailures() > 0)
                    status = 3;
                gallery.DestroyWindow();
                // The document-view window (the Views... button of the Dialogs
                // page): its picture and a print preview page.
                if (RunDemoDocView(L"C:\\Windows\\", false, folder + L"\\gallery-18-document-view") != 0)
                    status = 3;
            }
        }
    }
    AfxRemoveResourceModule(module);
    AfxSetResourceHandle(nullptr);
    FreeLibrary(module);
    return status;
}
