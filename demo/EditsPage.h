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
    CGalleryWindow* m_pWindow = nullptr;
    CResetableEdit m_note;
    CHotkeyEdit m_hotkey;
    CPallasEditLongPath m_path;
    CPallasEditLong m_long;
    CPallasComboBox m_servers;
};
