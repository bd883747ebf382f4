// SECListClient: what the list's tip window and in-place editor may ask of the
// list. Both know the list only through this interface, so the same tip and
// editor serve every hosting of the list and the tree.
#pragma once
#include <windows.h>
#include "framework/AfxTypes.h"
#include "framework/CString.h"

class CWnd;

class MORVA_API SECListClient
{
public:
    virtual ~SECListClient() = default;

    virtual HWND GetOwnerWindow() const = 0;
    virtual BOOL HasVariableRowHeight() const = 0;
    virtual BOOL EndLabelEdit(BOOL bCommit) = 0;
    virtual int GetColumnSubItem(int nCol) const = 0;
    virtual BOOL GetScrollOffsets(CPoint& point) const = 0;
    virtual void GetInsideRect(CRect& rect) const = 0;
    virtual BOOL GetCellRect(int nItem, int nCol, CRect& rect, int nCode) = 0;
    virtual void GetCellText(CString& strText, int nItem, int nSubItem) = 0;
    virtual void ClientToScreen(CPoint& point) const = 0;
    virtual CWnd* SetOwnerCapture(BOOL bSet) = 0;
    virtual BOOL IsRowSelected(int nItem) = 0;
    virtual COLORREF GetSelectedTextColor() const = 0;
    virtual COLORREF GetSelectedBkColor() const = 0;
    virtual COLORREF GetTipTextColor() const = 0;
    virtual COLORREF GetTipBkColor() const = 0;
    virtual HFONT GetOwnerFont() const = 0;
    virtual UINT GetRowState(int nItem, UINT nMask) = 0;
};
