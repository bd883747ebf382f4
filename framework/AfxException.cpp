#include "framework/AfxException.h"
#include <cwchar>

namespace {
LONG g_liveExceptions = 0;

BOOL CopyMessage(LPCWSTR text, LPWSTR pszError, UINT nMaxError)
{
    if (pszError == nullptr || nMaxError == 0)
        return FALSE;
    lstrcpynW(pszError, text, static_cast<int>(nMaxError));
    return TRUE;
}

template <class T>
[[noreturn]] void ThrowNew()
{
    T* e = new T;
    InterlockedIncrement(&g_liveExceptions);
    throw static_cast<CException*>(e);
}
} // namespace

CException::~CException() = default;

void CException::Delete()
{
    InterlockedDecrement(&g_liveExceptions);
    delete this;
}

BOOL CException::GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (pszError && nMaxError)
        *pszError = L'\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT /*nMessageID*/) const
{
    WCHAR text[256];
    if (!GetErrorMessage(text, 256))
        lstrcpyW(text, L"An unsupported operation was attempted.");
    return MessageBoxW(nullptr, text, nullptr, nType);
}

BOOL CMemoryException::GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyMessage(L"Out of memory.", pszError, nMaxError);
}

BOOL CResourceException::GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyMessage(L"A required resource was unavailable.", pszError, nMaxError);
}

BOOL CInvalidArgException::GetErrorMessage(LPWSTR pszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyMessage(L"Invalid argument.", pszError, nMaxError);
}

void AfxThrowMemoryException() { ThrowNew<CMemoryException>(); }
void AfxThrowResourceException() { ThrowNew<CResourceException>(); }
void AfxThrowInvalidArgException() { ThrowNew<CInvalidArgException>(); }

LONG AfxGetLiveExceptionCount() { return g_liveExceptions; }
