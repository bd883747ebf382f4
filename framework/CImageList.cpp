#include "framework/CImageList.h"
#include "framework/AfxResource.h"
#include "framework/CArchive.h"
#include "framework/CDC.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

CImageList::~CImageList()
{
    DeleteImageList();
}

// A list that already has one makes no second (it would have no owner).
BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (m_hImageList != nullptr)
        return FALSE;
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    if (m_hImageList != nullptr)
        return FALSE;
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(nBitmapID), MAKEINTRESOURCEW(2));
    return Attach(ImageList_LoadImageW(module, MAKEINTRESOURCEW(nBitmapID), cx, nGrow, crMask, IMAGE_BITMAP,
                                       LR_CREATEDIBSECTION));
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (m_hImageList != nullptr || hImageList == nullptr)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    HIMAGELIST h = Detach();
    return h != nullptr && ImageList_Destroy(h);
}

int CImageList::GetImageCount() const
{
    return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0;
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return m_hImageList && pImageInfo && ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

CSize CImageList::GetIconSize() const
{
    int cx = 0;
    int cy = 0;
    if (m_hImageList == nullptr || !ImageList_GetIconSize(m_hImageList, &cx, &cy))
        return CSize(0, 0);
    return CSize(cx, cy);
}

COLORREF CImageList::SetBkColor(COLORREF cr) { return m_hImageList ? ImageList_SetBkColor(m_hImageList, cr) : CLR_NONE; }
COLORREF CImageList::GetBkColor() const { return m_hImageList ? ImageList_GetBkColor(m_hImageList) : CLR_NONE; }
int CImageList::Add(HBITMAP hbmImage, HBITMAP hbmMask) { return m_hImageList ? ImageList_Add(m_hImageList, hbmImage, hbmMask) : -1; }
int CImageList::Add(HBITMAP hbmImage, COLORREF crMask) { return m_hImageList ? ImageList_AddMasked(m_hImageList, hbmImage, crMask) : -1; }
int CImageList::Add(HICON hIcon) { return m_hImageList ? ImageList_ReplaceIcon(m_hImageList, -1, hIcon) : -1; }
BOOL CImageList::Replace(int nImage, HBITMAP hbmImage, HBITMAP hbmMask) { return m_hImageList && ImageList_Replace(m_hImageList, nImage, hbmImage, hbmMask); }
int CImageList::Replace(int nImage, HICON hIcon) { return m_hImageList ? ImageList_ReplaceIcon(m_hImageList, nImage, hIcon) : -1; }
BOOL CImageList::Remove(int nImage) { return m_hImageList && ImageList_Remove(m_hImageList, nImage); }
HICON CImageList::ExtractIcon(int nImage) { return m_hImageList ? ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL) : nullptr; }

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return pDC != nullptr && Draw(pDC->GetSafeHdc(), nImage, pt, nStyle);
}

BOOL CImageList::Draw(HDC hDC, int nImage, POINT pt, UINT nStyle)
{
    if (m_hImageList == nullptr || hDC == nullptr || nImage < 0 || nImage >= GetImageCount())
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
    return m_hImageList && ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
}

BOOL CImageList::DragEnter(HWND hWndLock, CPoint point) { return ImageList_DragEnter(hWndLock, point.x, point.y); }
BOOL CImageList::DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
BOOL CImageList::DragLeave(HWND hWndLock) { return ImageList_DragLeave(hWndLock); }
void CImageList::EndDrag() { ImageList_EndDrag(); }
BOOL CImageList::DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }

BOOL CImageList::Read(CArchive* pArchive)
{
    if (pArchive == nullptr || !pArchive->IsLoading())
        return FALSE;
    CArchiveStream stream(pArchive);
    HIMAGELIST h = ImageList_Read(&stream);
    if (h == nullptr)
        return FALSE;
    DeleteImageList();
    return Attach(h);
}

BOOL CImageList::Write(CArchive* pArchive)
{
    if (pArchive == nullptr || !pArchive->IsStoring() || m_hImageList == nullptr)
        return FALSE;
    CArchiveStream stream(pArchive);
    return ImageList_Write(m_hImageList, &stream);
}
