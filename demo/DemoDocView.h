// The demo's document-view window: one document (the entries of a folder)
// shown by two views side by side, a file list (SECListView) and a folder
// tree-list (SECTreeView), with File > Print Preview, Print and Close. The
// menu's commands go to the view that has the focus.
#pragma once
#include "framework/Framework.h"

// Shows the window. Interactive: until the user closes it. Otherwise it is
// painted and saved as <pictureBase>-docview.png, the list's print preview
// is opened on its second page and saved as <pictureBase>-preview.png, and
// everything is closed again. Answers 0, or 1 when the window could not be made.
int RunDemoDocView(const CString& folder, bool interactive, const CString& pictureBase);
