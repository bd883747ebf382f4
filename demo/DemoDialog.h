// The demo's dialog: a report list of the files of a folder, created in place
// of a placeholder of the dialog template.
#pragma once
#include "framework/Framework.h"
#include "listctrl/SECListCtrl.h"

class CDemoDialog : public CDialog
{
public:
    explicit CDemoDialog(LPCWSTR folder);

    SECListCtrl& GetList() { return m_list; }
    const CString& GetFolder() const { return m_folder; }

protected:
    BOOL OnInitDialog() override;
    void FillWithFiles();
    // Accepts every renamed label (the demo renames rows, not files).
    void OnEndLabelEdit(NMHDR* pHeader, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CString m_folder;   // folder listed, with a trailing backslash
    SECListCtrl m_list; // the file list
};
