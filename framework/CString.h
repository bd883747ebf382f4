// CString: a UTF-16 string value shaped like the framework string of MFC.
// Converts implicitly to LPCWSTR; a null LPCWSTR is taken as the empty string,
// and an integer resource id in place of a pointer loads that string resource.
#pragma once
#include <windows.h>
#include <string>
#include "framework/MorvaApi.h"

class MORVA_API CString
{
public:
    // Construction
    CString() = default;
    CString(const CString& other) = default;
    CString(CString&& other) noexcept = default;
    CString(LPCWSTR psz);
    CString(LPCWSTR pch, int nLength);
    explicit CString(LPCSTR psz); // converted from the ANSI code page
    explicit CString(WCHAR ch, int nRepeat = 1);
    ~CString() = default;

    CString& operator=(const CString& other) = default;
    CString& operator=(CString&& other) noexcept = default;
    CString& operator=(LPCWSTR psz);
    CString& operator=(WCHAR ch);

    // Attributes
    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    LPCWSTR GetString() const { return m_str.c_str(); }
    operator LPCWSTR() const { return m_str.c_str(); }
    // Out-of-range indices raise CInvalidArgException.
    WCHAR GetAt(int nIndex) const;
    WCHAR operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, WCHAR ch);

    // Concatenation
    CString& operator+=(const CString& s);
    CString& operator+=(LPCWSTR psz);
    CString& operator+=(WCHAR ch);
    void Append(LPCWSTR psz, int nLength);
    friend MORVA_API CString operator+(const CString& a, const CString& b);
    friend MORVA_API CString operator+(const CString& a, LPCWSTR b);
    friend MORVA_API CString operator+(LPCWSTR a, const CString& b);
    friend MORVA_API CString operator+(const CString& a, WCHAR b);
    friend MORVA_API CString operator+(WCHAR a, const CString& b);

    // Comparison (ordinal; CompareNoCase folds case with the user locale's rules)
    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCWSTR b) { return !(a == b); }
    friend bool operator!=(LPCWSTR a, const CString& b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }
    friend bool operator>(const CString& a, const CString& b) { return b.m_str < a.m_str; }
    friend bool operator<=(const CString& a, const CString& b) { return !(b < a); }
    friend bool operator>=(const CString& a, const CString& b) { return !(a < b); }

    // Extraction (counts are clamped to the string, as in MFC)
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCWSTR pszCharSet) const;
    CString SpanExcluding(LPCWSTR pszCharSet) const;
    CString Tokenize(LPCWSTR pszTokens, int& iStart) const;

    // Changes
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    int Replace(WCHAR chOld, WCHAR chNew);
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Remove(WCHAR ch);
    int Insert(int nIndex, WCHAR ch);
    int Insert(int nIndex, LPCWSTR psz);
    int Delete(int nIndex, int nCount = 1);
    CString& Trim();
    CString& Trim(WCHAR ch);
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(WCHAR ch);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(WCHAR ch);
    CString& TrimRight(LPCWSTR pszTargets);

    // Searching; -1 when not found
    int Find(WCHAR ch, int nStart = 0) const;
    int Find(LPCWSTR pszSub, int nStart = 0) const;
    int ReverseFind(WCHAR ch) const;
    int FindOneOf(LPCWSTR pszCharSet) const;

    // Formatting with the C runtime's wide printf rules (%s is a wide string)
    void Format(LPCWSTR pszFormat, ...);
    void FormatV(LPCWSTR pszFormat, va_list args);
    void AppendFormat(LPCWSTR pszFormat, ...);
    void AppendFormatV(LPCWSTR pszFormat, va_list args);

    // Resources: from the framework's current resource module, or a given one.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Direct buffer access. GetBuffer(n) gives room for at least n characters
    // plus the terminator; ReleaseBuffer(-1) takes the length up to the first zero.
    LPWSTR GetBuffer();
    LPWSTR GetBuffer(int nMinBufLength);
    LPWSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void Preallocate(int nLength);
    void FreeExtra();

private:
    std::wstring m_str;
};
