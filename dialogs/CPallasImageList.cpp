#include "dialogs/CPallasImageList.h"

IMPLEMENT_DYNAMIC(CPallasImageList, CImageList)

BOOL CPallasImageList::CreateSmall(int nInitial, int nGrow)
{
    if (!Create(16, 16, ILC_COLOR32, nInitial, nGrow))
        return FALSE;
    ::ImageList_SetBkColor(m_hImageList, ::GetSysColor(COLOR_WINDOW));
    return TRUE;
}

BOOL CPallasImageList::CreateStrip(int nInitial, int nGrow, int width)
{
    return Create(width, 16, ILC_COLOR24, nInitial, nGrow);
}

int CPallasImageList::AddBitmap(HINSTANCE hResource, UINT nBitmap)
{
    if (m_hImageList == nullptr || hResource == nullptr)
        return 0;
    HBITMAP hBitmap = ::LoadBitmapW(hResource, MAKEINTRESOURCEW(nBitmap));
    if (hBitmap == nullptr)
        return 0;
    ::ImageList_AddMasked(m_hImageList, hBitmap, RGB(0, 0, 0));
    ::DeleteObject(hBitmap);
    return 0;
}

int CPallasImageList::AddIcon(HINSTANCE hResource, UINT nIcon)
{
    if (m_hImageList == nullptr || hResource == nullptr)
        return -1;
    // An icon of a module is shared (LoadIconW): the list copies it, nothing to free.
    HICON hIcon = ::LoadIconW(hResource, MAKEINTRESOURCEW(nIcon));
    return hIcon != nullptr ? ::ImageList_ReplaceIcon(m_hImageList, -1, hIcon) : -1;
}
