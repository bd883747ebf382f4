#include "treectrl/SECTreeView.h"

IMPLEMENT_DYNAMIC(SECTreeView, SECListView)

SECTreeView::~SECTreeView()
{
    ClosePrintPreview();
}

// Straight to the list view's handlers, through the names the tree hides.
BEGIN_MESSAGE_MAP(SECTreeView, SECTreeBaseV)
    SEC_TREE_MESSAGE_MAP_ENTRIES()
    SEC_LIST_MESSAGE_MAP_ENTRIES()
    ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
END_MESSAGE_MAP()
