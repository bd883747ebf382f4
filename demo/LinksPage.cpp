#include "LinksPage.h"
#include "DemoIds.h"
#include "GalleryIcons.h"
#include "GalleryWindow.h"
#include "resources/MorvaResourceIds.h"

namespace {
const GalleryAnchor kAnchors[] = {
    {IDC_LINK_FOLDER, 0},        {IDC_LINK_FOLDER_TEXT, ANCHOR_SIZE_X},
    {IDC_LINK_WEB, 0},           {IDC_LINK_WEB_TEXT, ANCHOR_SIZE_X},
    {IDC_LINK_DATA, 0},          {IDC_LINK_DATA_TEXT, ANCHOR_SIZE_X},
    {IDC_LINK_IMAGES_LABEL, 0},  {IDC_LINK_IMAGES, ANCHOR_SIZE_X},
    {IDC_LINK_IMAGES_TEXT, ANCHOR_SIZE_X},
};
// Pixels from one image of the strip to the next.
const int kImageStep = 22;
} // namespace

const GalleryAnchor* LinksPage::GetAnchors(int& count) const
{
    count = static_cast<int>(sizeof(kAnchors) / sizeof(kAnchors[0]));
    return kAnchors;
}

void LinksPage::Init(CGalleryWindow& window)
{
    m_folder.SubclassDlgItem(IDC_LINK_FOLDER, &window);
    m_folder.SetTarget(L"C:\\Windows");
    m_web.SubclassDlgItem(IDC_LINK_WEB, &window);
    m_web.SetTarget(L"https://example.org/");
    m_data.SubclassDlgItem(IDC_LINK_DATA, &window);
    m_data.SetResourceModule(window.GetResources());
    m_data.SetTextStringNumber(IDS_HOTKEY_HELP);
    if (m_icons.CreateSmall(4, 4)) {
        for (UINT icon : {IDI_DIALOG, IDI_MESSAGE_INFORMATION, IDI_MESSAGE_WARNING, IDI_MESSAGE_ERROR})
            m_icons.AddIcon(window.GetResources(), icon);
    }
    CreateGalleryIcons(m_files);
}

bool LinksPage::OnDrawItem(const DRAWITEMSTRUCT* pItem)
{
    if (pItem->CtlID != IDC_LINK_IMAGES)
        return false;
    ::FillRect(pItem->hDC, &pItem->rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    const int top = (pItem->rcItem.top + pItem->rcItem.bottom - 16) / 2;
    int x = pItem->rcItem.left + 2;
    for (int i = 0; i < m_icons.GetImageCount(); ++i, x += kImageStep)
        m_icons.Draw(pItem->hDC, i, CPoint(x, top), ILD_TRANSPARENT);
    x += kImageStep / 2; // a gap between the two lists
    for (int i = 0; i < m_files.GetImageCount(); ++i, x += kImageStep)
        m_files.Draw(pItem->hDC, i, CPoint(x, top), ILD_TRANSPARENT);
    return true;
}
