// The gallery's Dialogs page: each kind of message dialog in the language
// chosen on the page (any language whose resource library is installed), and
// two dialogs that remember their layout, with what they stored in the
// registry shown beside them.
#pragma once
#include "GalleryPage.h"
#include "dialogs/CPallasEditLong.h"

class DialogsPage : public GalleryPage
{
public:
    // Languages offered for the message dialogs.
    enum { kEnglish = 0x0409, kGerman = 0x0407 };

    ~DialogsPage() override;

    LPCWSTR GetTitle() const override { return L"Dialogs"; }
    const GalleryAnchor* GetAnchors(int& count) const override;
    void Init(CGalleryWindow& window) override;
    bool OnCommand(UINT id, UINT code) override;

    // Chooses the message dialogs' language (as the combo box does); false
    // when its resource library cannot be loaded (the status line says why).
    bool SetLanguage(WORD language);
    WORD GetLanguage() const { return m_language; }
    HMODULE GetMessageModule() const { return m_hMessages; }
    // Shows message kind n (see SampleMessages) modally; the answer shows beside the buttons.
    void ShowMessage(int n);
    // The dialogs the page opens, for the tour's modeless runs.
    CString GetVersionText() const;
    CString& GetNotes() { return m_notes; }
    // Reads the stored layouts again into the registry field.
    void ShowStoredLayouts();

private:
    CGalleryWindow* m_pWindow = nullptr; // the window the page lies in
    CPallasEditLong m_registry;   // what the dialogs stored
    WORD m_language = kEnglish;   // of the message dialogs
    HMODULE m_hMessages = nullptr; // their resource library
    HMODULE m_hLoaded = nullptr;  // a library this page loaded itself (freed at its end)
    CString m_notes;              // the Notes dialog's text
};
