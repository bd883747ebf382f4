// CResetableEdit: an edit field whose context menu is the library's own (menu
// 166 of the language resource library, its first submenu) in place of the
// platform's; the chosen command goes to the field's parent as WM_COMMAND, and
// the dialog decides what it does.
#pragma once
#include <windows.h>
#include "framework/AfxControls.h"
#include "framework/AfxMsgMap.h"

class MORVA_API CResetableEdit : public CEdit
{
    DECLARE_DYNAMIC(CResetableEdit)
public:
    CResetableEdit() = default;

protected:
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    DECLARE_MESSAGE_MAP()
};
