#include "framework/CMemFile.h"
#include "framework/AfxException.h"
#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes ? nGrowBytes : 1024)
{
}

void CMemFile::GrowTo(size_t nSize)
{
    if (nSize <= m_data.size())
        return;
    const size_t steps = (nSize + m_nGrowBytes - 1) / m_nGrowBytes;
    m_data.resize(steps * m_nGrowBytes);
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (lpBuf == nullptr || m_position >= m_length)
        return 0;
    const size_t n = std::min<size_t>(nCount, m_length - m_position);
    std::memcpy(lpBuf, m_data.data() + m_position, n);
    m_position += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (lpBuf == nullptr || nCount == 0)
        return;
    GrowTo(m_position + nCount);
    if (m_position > m_length)
        std::memset(m_data.data() + m_length, 0, m_position - m_length);
    std::memcpy(m_data.data() + m_position, lpBuf, nCount);
    m_position += nCount;
    m_length = std::max(m_length, m_position);
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = 0;
    if (nFrom == current)
        base = static_cast<LONGLONG>(m_position);
    else if (nFrom == end)
        base = static_cast<LONGLONG>(m_length);
    const LONGLONG target = base + lOff;
    if (target < 0)
        AfxThrowInvalidArgException();
    m_position = static_cast<size_t>(target);
    return m_position;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    GrowTo(static_cast<size_t>(dwNewLen));
    if (dwNewLen > m_length)
        std::memset(m_data.data() + m_length, 0, static_cast<size_t>(dwNewLen) - m_length);
    m_length = static_cast<size_t>(dwNewLen);
    m_position = std::min(m_position, m_length);
}
