// CResizingDlg: the base of every dialog the user may resize. A concrete
// dialog registers its controls once, in InitControlInfo, each with its
// anchors (ControlAnchoring.h); every change of the client size then places
// them again from their registered rectangles, in one deferred batch. The
// dialog cannot be made smaller than its template, shows a size grip, and
// remembers its size and maximised state ("WH", "WP") in the layout key in
// which CBaseDlg remembers its position.
//
//     void CMyDlg::InitControlInfo()
//     {
//         RegisterControl(IDC_LIST, ANCHOR_SIZE_X | ANCHOR_SIZE_Y);
//         RegisterControl(IDOK, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
//     }
#pragma once
#include <windows.h>
#include "dialogs/CBaseDlg.h"
#include "dialogs/ControlAnchoring.h"

class MORVA_API CResizingDlg : public CBaseDlg
{
    DECLARE_DYNAMIC(CResizingDlg)
public:
    // Control id of the size grip.
    enum { IDC_SIZE_GRIP = 1111 };

    // Construction: a resizing dialog always remembers its position and size.
    CResizingDlg(HINSTANCE hResource, UINT nTemplate, UINT nIcon, UINT nTitle, CWnd* pParentWnd = nullptr);

    // Attributes
    const CArray<_dlgcontrolinfo, _dlgcontrolinfo&>& GetControlInfo() const { return m_arrControls; }
    CSize GetMinimumSize() const { return m_minSize; }
    const CRect& GetInitialClientRect() const { return m_rcInitialClient; }
    CWnd& GetSizeGrip() { return m_wndSizeGrip; }

    // Overridables
    // Registers the dialog's controls (RegisterControl); called once, during initialisation.
    virtual void InitControlInfo() = 0;
    // After a resize pass that placed at least one control, with the new client size.
    virtual void OnControlsResized(int cx, int cy);
    // Places the registered controls for the client size; true when it placed any.
    virtual bool ResizeControls(int cx, int cy);
    // Stores more of the layout while the layout key is open for writing, after "WH" and "WP".
    virtual void SaveLayoutData(CRegistryKey& key);

protected:
    // Anchors a control of the dialog; false (nothing registered) when it has no window.
    bool RegisterControl(int nID, BYTE anchor, BYTE splitPart = 0);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    // Implementation
    void RestoreSize();
    void SaveLayout();
    void PositionSizeGrip();

    CWnd m_wndSizeGrip;                                   // the grip, control id IDC_SIZE_GRIP
    CRect m_rcInitialClient;                              // client rectangle at initialisation
    CSize m_minSize;                                      // window size at initialisation; minimum tracking size
    CArray<_dlgcontrolinfo, _dlgcontrolinfo&> m_arrControls; // registered controls, in registration order
};
