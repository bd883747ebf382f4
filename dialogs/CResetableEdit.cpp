#include "dialogs/CResetableEdit.h"
#include "framework/AfxResource.h"
#include "framework/CMenu.h"
#include "resources/MorvaResourceIds.h"

IMPLEMENT_DYNAMIC(CResetableEdit, CEdit)

BEGIN_MESSAGE_MAP(CResetableEdit, CEdit)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

void CResetableEdit::OnContextMenu(CWnd* /*pWnd*/, CPoint pos)
{
    // The platform's menu is never shown, also when the library's is missing.
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return;
    if (pos.x == -1 && pos.y == -1) {
        // From the keyboard: at the field's top-left corner.
        pos = CPoint(0, 0);
        ClientToScreen(&pos);
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_EDIT_MENU))
        return;
    CMenu::TrackPopupMenu(menu.GetSubMenu(0), TPM_RIGHTBUTTON, pos.x, pos.y, pParent);
}
