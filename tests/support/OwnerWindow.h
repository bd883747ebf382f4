// A real top-level window that owns controls under test and records every
// WM_NOTIFY and WM_COMMAND it receives, in order, with the fields of the
// notification record copied out. Answers to chosen notification codes can be
// set beforehand (vetoes, acceptances) or computed by a callback.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <map>
#include <string>
#include <vector>
#include "framework/CString.h"
#include "framework/CWnd.h"

struct RecordedMessage
{
    UINT message = 0;       // WM_NOTIFY or WM_COMMAND
    UINT code = 0;          // notification code (WM_NOTIFY) or command notification (WM_COMMAND)
    UINT_PTR idFrom = 0;    // control id
    HWND hwndFrom = nullptr;
    int item = -1;          // iItem of list records
    int subItem = -1;       // iSubItem of list records
    UINT mask = 0;          // item mask of display-info records
    LPARAM lParam = 0;      // item data of list records
    bool hasText = false;   // the record carried a text pointer
    CString text;           // that text
    WORD key = 0;           // virtual key of key-down records
};

class OwnerWindow : public CWnd
{
public:
    OwnerWindow();
    ~OwnerWindow() override;

    std::vector<RecordedMessage> messages;
    // Answer for a WM_NOTIFY code (default 0).
    std::map<UINT, LRESULT> answers;
    // Called for every WM_NOTIFY after it is recorded; its result, when set, is the answer.
    std::function<bool(NMHDR*, LRESULT&)> onNotify;
    // Called for every registered message (0xC000 and up), such as the tree's
    // end-of-edit message; the window then handles it as before.
    std::function<void(UINT, WPARAM, LPARAM)> onRegistered;

    void Clear() { messages.clear(); }
    // The codes of the recorded WM_NOTIFY messages, for sequence checks.
    std::vector<UINT> NotifyCodes() const;
    int Count(UINT code) const;
    // Text listing of the recorded sequence (for failure messages).
    std::string Listing() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Name of a notification code, for listings.
std::string NotifyName(UINT code);
// Sends the messages of a click at a client point of hWnd (down and up).
void SendClick(HWND hWnd, POINT point, UINT keys = 0);
// Sets the keyboard state of Shift and Control for the key handlers.
void SetModifierKeys(bool shift, bool control);
