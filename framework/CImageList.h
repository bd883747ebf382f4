// CImageList: an owned platform image list, with streaming through an archive
// (which is how a control makes its own deep copy of an image list).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/AfxTypes.h"
#include "framework/CObject.h"

class CArchive;
class CDC;

class MORVA_API CImageList : public CObject
{
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr; // the owned image list, null when none

    // Creation
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // From a bitmap resource of the resource chain: images cx wide, crMask transparent.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    // Attributes
    int GetImageCount() const;
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
    // Width and height of the images; 0, 0 without a list.
    CSize GetIconSize() const;
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;

    // Images
    int Add(HBITMAP hbmImage, HBITMAP hbmMask);
    int Add(HBITMAP hbmImage, COLORREF crMask);
    int Add(HICON hIcon);
    BOOL Replace(int nImage, HBITMAP hbmImage, HBITMAP hbmMask);
    int Replace(int nImage, HICON hIcon);
    BOOL Remove(int nImage);
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL Draw(HDC hDC, int nImage, POINT pt, UINT nStyle);
    HICON ExtractIcon(int nImage);

    // Dragging (the platform's drag image; one per thread)
    BOOL BeginDrag(int nImage, CPoint ptHotSpot);
    static BOOL DragEnter(HWND hWndLock, CPoint point);
    static BOOL DragMove(CPoint pt);
    static BOOL DragLeave(HWND hWndLock);
    static void EndDrag();
    static BOOL DragShowNolock(BOOL bShow);

    // Streaming: Read replaces the list with one read from the archive.
    BOOL Read(CArchive* pArchive);
    BOOL Write(CArchive* pArchive);
};
