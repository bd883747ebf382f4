#include "dialogs/CMessageDialogBase.h"
#include "dialogs/DialogHelpers.h"
#include "dialogs/MessageDialogLayout.h"
#include "framework/CDC.h"
#include "framework/CGdiObject.h"

IMPLEMENT_DYNAMIC(CMessageDialogBase, CBaseDlg)

namespace {
const UINT kMeasureFlags = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

CRect WindowRectOf(const CWnd& wnd)
{
    CRect rect;
    if (wnd.m_hWnd != nullptr)
        wnd.GetWindowRect(&rect);
    return rect;
}

void SetCaption(CWnd& button, HINSTANCE hModule, UINT nID)
{
    if (button.m_hWnd != nullptr)
        button.SetWindowText(LoadResourceString(hModule, nID));
}
} // namespace

CMessageDialogBase::CMessageDialogBase(HINSTANCE hResource, UINT nTemplate, UINT nIcon, LPCWSTR caption,
                                       LPCWSTR message, UINT nIconKind, UINT nButtonSet, CWnd* pParentWnd)
    : CBaseDlg(hResource, nTemplate, nIcon, 0, false, pParentWnd), m_strCaption(caption), m_strMessage(message),
      m_nButtonSet(nButtonSet), m_nIconKind(nIconKind)
{
}

BOOL CMessageDialogBase::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    FitToMessage();
    SetWindowText(m_strCaption);

    const UINT nIcon = m_nIconKind <= IconError ? m_nResourceIds[m_nIconKind] : 0;
    const HICON hIcon = m_hResource != nullptr && nIcon != 0 ? ::LoadIconW(m_hResource, MAKEINTRESOURCEW(nIcon)) : nullptr;
    if (m_wndIcon.m_hWnd != nullptr)
        m_wndIcon.SetIcon(hIcon);
    if (m_wndText.m_hWnd != nullptr)
        m_wndText.SetWindowText(m_strMessage);

    switch (m_nButtonSet) {
    case ButtonsYesNo:
        SetCaption(m_btnFirst, m_hResource, m_nResourceIds[ResYes]);
        SetCaption(m_btnSecond, m_hResource, m_nResourceIds[ResNo]);
        m_nResult = ResultNo;
        break;
    case ButtonsOk:
        SetCaption(m_btnFirst, m_hResource, m_nResourceIds[ResSingleOk]);
        m_nResult = ResultOk;
        break;
    case ButtonsOkCancel:
        SetCaption(m_btnFirst, m_hResource, m_nResourceIds[ResOk]);
        SetCaption(m_btnSecond, m_hResource, m_nResourceIds[ResCancel]);
        m_nResult = ResultCancel;
        break;
    case ButtonsYesNoCancel:
        SetCaption(m_btnThird, m_hResource, m_nResourceIds[ResCancel]);
        SetCaption(m_btnFirst, m_hResource, m_nResourceIds[ResYes]);
        SetCaption(m_btnSecond, m_hResource, m_nResourceIds[ResNo]);
        m_nResult = ResultNo;
        break;
    default: // the template's captions, and the result stays
        break;
    }
    if (m_btnFirst.m_hWnd != nullptr)
        GotoDlgCtrl(&m_btnFirst);
    return FALSE;
}

void CMessageDialogBase::FitToMessage()
{
    // Without its text control or buttons the template cannot be fitted; it stays as it is.
    if (m_wndText.m_hWnd == nullptr || m_btnFirst.m_hWnd == nullptr)
        return;
    MessageDialogMeasures m{};
    m.textRect = WindowRectOf(m_wndText);
    m.measuredText = m.textRect;
    {
        CClientDC dc(&m_wndText);
        const HGDIOBJ old = dc.SelectObject(m_wndText.GetFont());
        dc.DrawText(m_strMessage, &m.measuredText, kMeasureFlags);
        dc.SelectObject(old);
    }

    CButton* rightmost = &m_btnSecond;
    if (m_nButtonSet == ButtonsOk) {
        rightmost = &m_btnFirst;
        if (m_btnSecond.m_hWnd != nullptr)
            m_btnSecond.ShowWindow(SW_HIDE);
        if (m_btnThird.m_hWnd != nullptr)
            m_btnThird.ShowWindow(SW_HIDE);
    } else if (m_nButtonSet == ButtonsYesNoCancel) {
        rightmost = &m_btnThird;
    } else if (m_btnThird.m_hWnd != nullptr) {
        m_btnThird.ShowWindow(SW_HIDE);
    }
    if (rightmost->m_hWnd == nullptr)
        rightmost = &m_btnFirst;
    m.buttonRect = WindowRectOf(*rightmost);

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        CFont captionFont;
        captionFont.CreateFontIndirect(&metrics.lfCaptionFont);
        CWindowDC dc(this);
        const HGDIOBJ old = dc.SelectObject(&captionFont);
        m.captionWidth = dc.GetTextExtent(m_strCaption).cx;
        dc.SelectObject(old);
    }
    m.captionReserve = 2 * (::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CXSIZE) +
                            ::GetSystemMetrics(SM_CXBORDER));
    const CRect window = WindowRectOf(*this);
    m.window = window.Size();

    const MessageDialogLayout layout = ComputeMessageDialogLayout(m);
    SetWindowPos(nullptr, 0, 0, layout.window.cx, layout.window.cy, SWP_NOMOVE | SWP_NOZORDER);
    m_wndText.SetWindowPos(nullptr, 0, 0, layout.text.cx, layout.text.cy, SWP_NOMOVE | SWP_NOZORDER);
    for (CButton* button : {&m_btnFirst, &m_btnSecond, &m_btnThird}) {
        if (button->m_hWnd == nullptr)
            continue;
        CRect rect = WindowRectOf(*button);
        rect.OffsetRect(layout.buttonShift.cx, layout.buttonShift.cy);
        ScreenToClient(&rect);
        button->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
}
