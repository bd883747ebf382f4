// CBaseDlg: the base of every dialog of the library. It takes its template,
// icon and strings from a resource module the creator names (normally the
// language resource library), never from the library's own module; gives the
// dialog its title (a string resource, or the template's title with "%1"
// filled from one); remembers the window position per screen resolution in
// HKEY_CURRENT_USER\Software\MORVA\<application key>\Layout\Screen<w>x<h>\<layout name>;
// and keeps a dialog without parent in the topmost band.
//
//     CMyDlg dlg(resources, IDD_MY, IDI_DIALOG, IDS_MY_TITLE, true, this);
//     if (dlg.DoModal() == IDOK) ...
#pragma once
#include <windows.h>
#include "dialogs/CRegistryKey.h"
#include "framework/AfxMsgMap.h"
#include "framework/CArray.h"
#include "framework/CDialog.h"

class MORVA_API CBaseDlg : public CDialog
{
    DECLARE_DYNAMIC(CBaseDlg)
public:
    // Construction. Finds the template in hResource and prepares a modal run
    // from it; nothing touches the registry here.
    CBaseDlg(HINSTANCE hResource, UINT nTemplate, UINT nIcon, UINT nTitle, bool bRememberPosition,
             CWnd* pParentWnd = nullptr);

    // Operations
    // Runs modally with the resource module as the framework's current one
    // (see AfxSetResourceHandle), so that controls find their resources there.
    INT_PTR DoModal() override;
    // Creates the dialog modeless from the same template, with the resource
    // module current for the creation; FALSE when the template is missing.
    BOOL CreateModeless(CWnd* pParentWnd = nullptr);

    // Attributes
    HINSTANCE GetResourceModule() const { return m_hResource; }
    HICON GetDialogIcon() const { return m_hIcon; }
    const CString& GetLayoutName() const { return m_strLayoutName; }
    // Name of the layout key; empty means "Dlg<template number>".
    void SetLayoutName(LPCWSTR name) { m_strLayoutName = name; }
    bool IsInitialised() const { return m_bInitialised; }
    // "Screen<w>x<h>" of the primary screen, formed at its first use and kept
    // for the rest of the process.
    static const CString& GetScreenString();

    // Overridables
    // Opens the layout key for reading, or creates it for writing; 0 on success.
    virtual DWORD OpenLayoutKey(CRegistryKey& key, bool bForReading);

    // Helpers for derived dialogs
    // Every "%1" of the window text gives way to text.
    void FillPlaceholder(LPCWSTR text);
    // "%1" to "%9" of the window text give way to the strings.
    void FillPlaceholders(const CStringArray& strings);
    // See ParseIntList (DialogHelpers.h).
    static void ParseIntList(LPCWSTR text, CArray<int, int>& values);
    // Default widths of count columns of a list window (see ComputeDefaultColumnWidths).
    static void DefaultColumnWidths(CWnd* pList, int count, CArray<int, int>& widths);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    DECLARE_MESSAGE_MAP()

    // Implementation
    void RestorePosition();
    void SavePosition();

    HICON m_hIcon = nullptr;            // icon loaded at initialisation; also the drag icon
    HINSTANCE m_hResource;              // module of the template, the icon and the strings
    UINT m_nTemplate;                   // template number; also the default layout name
    UINT m_nTitle;                      // string for the title; 0 keeps the template's title
    UINT m_nIcon;                       // icon resource number
    bool m_bRememberPosition;           // position stored on close, restored on initialisation
    CString m_strLayoutName;            // layout key name; "Dlg<template>" once used while empty
    CWnd* m_pParent;                    // parent given at construction, may be null
    bool m_bTopmostWithoutParent;       // keep a parentless dialog topmost (a derived dialog may clear it)
    bool m_bInitialised = false;        // set as the last step of initialisation
};
