#include "framework/CString.h"
#include "framework/AfxException.h"
#include "framework/AfxResource.h"
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace {
bool IsIn(WCHAR ch, LPCWSTR set)
{
    return set != nullptr && ch != L'\0' && std::wcschr(set, ch) != nullptr;
}

bool IsSpace(WCHAR ch)
{
    return std::iswspace(ch) != 0;
}
} // namespace

CString::CString(LPCWSTR psz)
{
    if (psz != nullptr && IS_INTRESOURCE(psz))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(psz)));
    else if (psz != nullptr)
        m_str = psz;
}

CString::CString(LPCWSTR pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str.assign(pch, static_cast<size_t>(nLength));
}

CString::CString(LPCSTR psz)
{
    if (psz == nullptr || *psz == '\0')
        return;
    const int n = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    if (n <= 1)
        return;
    m_str.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, psz, -1, &m_str[0], n);
    m_str.resize(static_cast<size_t>(n - 1));
}

CString::CString(WCHAR ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString& CString::operator=(LPCWSTR psz)
{
    if (psz != nullptr && IS_INTRESOURCE(psz))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(psz)));
    else if (psz == nullptr)
        m_str.clear();
    else if (psz < m_str.data() || psz > m_str.data() + m_str.size())
        m_str = psz;
    else
        m_str = std::wstring(psz); // assigning a part of itself
    return *this;
}

CString& CString::operator=(WCHAR ch)
{
    m_str.assign(1, ch);
    return *this;
}

WCHAR CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, WCHAR ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    m_str[static_cast<size_t>(nIndex)] = ch;
}

CString& CString::operator+=(const CString& s)
{
    m_str += s.m_str;
    return *this;
}

CString& CString::operator+=(LPCWSTR psz)
{
    if (psz != nullptr)
        m_str += std::wstring(psz);
    return *this;
}

CString& CString::operator+=(WCHAR ch)
{
    m_str += ch;
    return *this;
}

void CString::Append(LPCWSTR psz, int nLength)
{
    if (psz != nullptr && nLength > 0)
        m_str.append(psz, static_cast<size_t>(nLength));
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, LPCWSTR b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(LPCWSTR a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, WCHAR b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(WCHAR a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

int CString::Compare(LPCWSTR psz) const
{
    return std::wcscmp(m_str.c_str(), psz != nullptr ? psz : L"");
}

int CString::CompareNoCase(LPCWSTR psz) const
{
    return lstrcmpiW(m_str.c_str(), psz != nullptr ? psz : L"");
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - nFirst);
}

CString CString::Mid(int nFirst, int nCount) const
{
    nFirst = std::max(nFirst, 0);
    nCount = std::max(nCount, 0);
    if (nFirst >= GetLength())
        return CString();
    nCount = std::min(nCount, GetLength() - nFirst);
    return CString(m_str.c_str() + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::min(std::max(nCount, 0), GetLength());
    return Mid(GetLength() - nCount, nCount);
}

CString CString::SpanIncluding(LPCWSTR pszCharSet) const
{
    int n = 0;
    while (n < GetLength() && IsIn(m_str[static_cast<size_t>(n)], pszCharSet))
        ++n;
    return Left(n);
}

CString CString::SpanExcluding(LPCWSTR pszCharSet) const
{
    int n = 0;
    while (n < GetLength() && !IsIn(m_str[static_cast<size_t>(n)], pszCharSet))
        ++n;
    return Left(n);
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart >= GetLength()) {
        iStart = -1;
        return CString();
    }
    int first = iStart;
    while (first < GetLength() && IsIn(m_str[static_cast<size_t>(first)], pszTokens))
        ++first;
    if (first >= GetLength()) {
        iStart = -1;
        return CString();
    }
    int last = first;
    while (last < GetLength() && !IsIn(m_str[static_cast<size_t>(last)], pszTokens))
        ++last;
    iStart = last + 1;
    return Mid(first, last - first);
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        CharUpperBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        CharLowerBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

int CString::Replace(WCHAR chOld, WCHAR chNew)
{
    int n = 0;
    for (WCHAR& ch : m_str) {
        if (ch == chOld) {
            ch = chNew;
            ++n;
        }
    }
    return n;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    if (pszOld == nullptr || *pszOld == L'\0')
        return 0;
    const std::wstring from(pszOld);
    const std::wstring to(pszNew != nullptr ? pszNew : L"");
    int n = 0;
    size_t pos = 0;
    while ((pos = m_str.find(from, pos)) != std::wstring::npos) {
        m_str.replace(pos, from.size(), to);
        pos += to.size();
        ++n;
    }
    return n;
}

int CString::Remove(WCHAR ch)
{
    const size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int nIndex, WCHAR ch)
{
    nIndex = std::min(std::max(nIndex, 0), GetLength());
    m_str.insert(static_cast<size_t>(nIndex), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCWSTR psz)
{
    nIndex = std::min(std::max(nIndex, 0), GetLength());
    if (psz != nullptr)
        m_str.insert(static_cast<size_t>(nIndex), std::wstring(psz));
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    nIndex = std::max(nIndex, 0);
    if (nCount > 0 && nIndex < GetLength())
        m_str.erase(static_cast<size_t>(nIndex), static_cast<size_t>(std::min(nCount, GetLength() - nIndex)));
    return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(WCHAR ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(LPCWSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && IsSpace(m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(WCHAR ch)
{
    size_t n = 0;
    while (n < m_str.size() && m_str[n] == ch)
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    size_t n = 0;
    while (n < m_str.size() && IsIn(m_str[n], pszTargets))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_str.empty() && IsSpace(m_str.back()))
        m_str.pop_back();
    return *this;
}

CString& CString::TrimRight(WCHAR ch)
{
    while (!m_str.empty() && m_str.back() == ch)
        m_str.pop_back();
    return *this;
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    while (!m_str.empty() && IsIn(m_str.back(), pszTargets))
        m_str.pop_back();
    return *this;
}

int CString::Find(WCHAR ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    const size_t pos = m_str.find(ch, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCWSTR pszSub, int nStart) const
{
    if (pszSub == nullptr || nStart < 0 || nStart > GetLength())
        return -1;
    const size_t pos = m_str.find(pszSub, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(WCHAR ch) const
{
    const size_t pos = m_str.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCWSTR pszCharSet) const
{
    if (pszCharSet == nullptr)
        return -1;
    const size_t pos = m_str.find_first_of(pszCharSet);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

void CString::Format(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCWSTR pszFormat, va_list args)
{
    m_str.clear();
    AppendFormatV(pszFormat, args);
}

void CString::AppendFormat(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormatV(LPCWSTR pszFormat, va_list args)
{
    if (pszFormat == nullptr)
        return;
    // The C runtime's own wide printf: %s takes a wide string, as Windows code expects.
    va_list count;
    va_copy(count, args);
    const int n = _vscwprintf(pszFormat, count);
    va_end(count);
    if (n <= 0)
        return;
    const size_t old = m_str.size();
    m_str.resize(old + static_cast<size_t>(n) + 1);
    _vsnwprintf(&m_str[old], static_cast<size_t>(n) + 1, pszFormat, args);
    m_str.resize(old + static_cast<size_t>(n));
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxFindResourceHandle(MAKEINTRESOURCEW((nID >> 4) + 1), MAKEINTRESOURCEW(6)), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself.
    LPCWSTR text = nullptr;
    const int n = hInstance ? ::LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&text), 0) : 0;
    if (n <= 0 || text == nullptr) {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(text, static_cast<size_t>(n));
    return TRUE;
}

LPWSTR CString::GetBuffer()
{
    return &m_str[0];
}

LPWSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufLength));
    return &m_str[0];
}

LPWSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)));
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(std::wcslen(m_str.c_str()));
    m_str.resize(static_cast<size_t>(std::min(nNewLength, GetLength())));
}

void CString::Preallocate(int nLength)
{
    if (nLength > 0)
        m_str.reserve(static_cast<size_t>(nLength));
}

void CString::FreeExtra()
{
    m_str.shrink_to_fit();
}
