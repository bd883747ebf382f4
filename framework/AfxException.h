// Framework exceptions. As in the MFC model they are thrown as pointers to
// heap objects; whoever catches one calls Delete() on it:
//     try { ... } catch (CException* e) { e->Delete(); }
// They signal only memory exhaustion, out-of-range internal indices and window or
// GDI resources that cannot be created; ordinary failures are return values.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

class MORVA_API CException
{
public:
    virtual ~CException();
    // Frees an exception object obtained from a catch clause.
    void Delete();
    // Copies a short description into the buffer; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // Shows the description in a message box (the framework's exception report).
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const;

protected:
    CException() = default;
};

class MORVA_API CMemoryException : public CException
{
public:
    BOOL GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class MORVA_API CResourceException : public CException
{
public:
    BOOL GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class MORVA_API CInvalidArgException : public CException
{
public:
    BOOL GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

[[noreturn]] MORVA_API void AfxThrowMemoryException();
[[noreturn]] MORVA_API void AfxThrowResourceException();
[[noreturn]] MORVA_API void AfxThrowInvalidArgException();

// Number of exception objects thrown and not yet deleted; lets tests prove that
// every caught exception was released.
MORVA_API LONG AfxGetLiveExceptionCount();
