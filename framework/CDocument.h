// CDocument: the data a frame's views show. It knows its views and tells them
// of changes (UpdateAllViews). Views are owned by whoever made them; a
// document going away only forgets them.
#pragma once
#include <vector>
#include "framework/AfxPosition.h"
#include "framework/CObject.h"
#include "framework/CString.h"

class CView;

class MORVA_API CDocument : public CObject
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCWSTR lpszTitle);
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    virtual BOOL OnNewDocument();

    // Views
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    int GetViewCount() const { return static_cast<int>(m_views.size()); }
    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

protected:
    CString m_strTitle;            // shown in the frame's caption
    BOOL m_bModified = FALSE;      // changed since last saved
    std::vector<CView*> m_views;   // attached views, not owned
};
