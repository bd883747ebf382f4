// The framework layer in one include: windows with message maps, dialogs,
// controls, device contexts and GDI objects, image lists, strings,
// collections, memory files and archives, resource modules and exceptions,
// and the document view with its print protocol.
#pragma once
#include "framework/AfxControls.h"
#include "framework/AfxException.h"
#include "framework/AfxMsgMap.h"
#include "framework/AfxResource.h"
#include "framework/AfxTypes.h"
#include "framework/CArchive.h"
#include "framework/CArray.h"
#include "framework/CDC.h"
#include "framework/CDialog.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CGdiObject.h"
#include "framework/CImageList.h"
#include "framework/CList.h"
#include "framework/CMap.h"
#include "framework/CMenu.h"
#include "framework/CMemFile.h"
#include "framework/CObject.h"
#include "framework/CPrintInfo.h"
#include "framework/CPrintPreviewWnd.h"
#include "framework/CString.h"
#include "framework/CView.h"
#include "framework/CWnd.h"
