// The two dialogs of the gallery's Dialogs page: an About box on the
// library's dialog base (it remembers its position) and a Notes window on the
// resizing dialog (position, size and maximised state). Their templates are
// the demo's own; the layouts go under the gallery's application key.
#pragma once
#include "dialogs/CBaseDlg.h"
#include "dialogs/CResizingDlg.h"

class CGalleryAboutDlg : public CBaseDlg
{
public:
    // version: the library's, shown under the title.
    CGalleryAboutDlg(LPCWSTR version, CWnd* pParent);

protected:
    BOOL OnInitDialog() override;

    CString m_version; // the library's version, "1.0.0.100"
};

class CGalleryNotesDlg : public CResizingDlg
{
public:
    CGalleryNotesDlg(LPCWSTR text, CWnd* pParent);
    // The text as the user left it on OK.
    const CString& GetText() const { return m_text; }

protected:
    BOOL OnInitDialog() override;
    void InitControlInfo() override;
    void OnOK() override;

    CString m_text; // the notes, as given and as left on OK
};
