// The gallery's Edits page: an edit field with the library's context menu
// (its commands are carried out here), the hotkey field, the display fields
// for a path and for long text, and the combo box that adds each server once.
#pragma once
#include "GalleryPage.h"
#include "dialogs/CHotkeyEdit.h"
#include "dialogs/CPallasComboBox.h"
#include "dialogs/CPallasEditLong.h"
#include "dialogs/CPallasEditLongPath.h"
#include "dialogs/CResetableEdit.h"

class EditsPage : public GalleryPage
{
public:
    // resources: the language resource library (the hotkey field's key names).
    explicit EditsPage(HMODULE resources) : m_hotkey(resources) {}

    LPCWSTR GetTitle() const override { return L"Edits"; }
    const GalleryAnchor* GetAnchors(int& count) const override;
    void Init(CGalleryWindow& window) override;
    bool OnCommand(UINT id, UINT code) override;

    CHotkeyEdit& GetHotkey() { return m_hotkey; }
    CResetableEdit& GetNote() { return m_note; }
    CPallasEditLongPath& GetPath() { return m_path; }
    CPallasComboBox& GetServers() { return m_servers; }
    // Adds the combo box's text, as the Add button does; the status line says what happened.
    void AddServer();

private:
    CGalleryWindow* m_pWindow = nullptr; // the window the page lies in
    CResetableEdit m_note;               // edit field with the library's context menu
    CHotkeyEdit m_hotkey;                // key combination field
    CPallasEditLongPath m_path;          // path display, shortened in the middle
    CPallasEditLong m_long;              // long text display, wrapped
    CPallasComboBox m_servers;           // server names, each once
};
