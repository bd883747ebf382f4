#include "framework/CArchive.h"
#include <algorithm>
#include <cstring>

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize)
    : m_pFile(pFile), m_nMode(nMode & load), m_buf(static_cast<size_t>(std::max(nBufSize, 128)))
{
}

CArchive::~CArchive()
{
    Close();
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading() || m_pFile == nullptr || lpBuf == nullptr)
        return 0;
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_bufCur == m_bufEnd) {
            m_bufCur = 0;
            m_bufEnd = m_pFile->Read(m_buf.data(), static_cast<UINT>(m_buf.size()));
            if (m_bufEnd == 0)
                break;
        }
        const size_t n = std::min<size_t>(nMax - done, m_bufEnd - m_bufCur);
        std::memcpy(out + done, m_buf.data() + m_bufCur, n);
        m_bufCur += n;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (!IsStoring() || m_pFile == nullptr || lpBuf == nullptr)
        return;
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_bufCur == m_buf.size())
            Flush();
        const size_t n = std::min<size_t>(nMax - done, m_buf.size() - m_bufCur);
        std::memcpy(m_buf.data() + m_bufCur, in + done, n);
        m_bufCur += n;
        done += static_cast<UINT>(n);
    }
}

void CArchive::Flush()
{
    if (IsStoring() && m_pFile != nullptr && m_bufCur > 0) {
        m_pFile->Write(m_buf.data(), static_cast<UINT>(m_bufCur));
        m_bufCur = 0;
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

HRESULT CArchiveStream::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IStream) || IsEqualIID(riid, IID_ISequentialStream)) {
        *ppv = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT CArchiveStream::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    const UINT n = m_pArchive ? m_pArchive->Read(pv, cb) : 0;
    m_pos += n;
    if (pcbRead != nullptr)
        *pcbRead = n;
    return n == cb ? S_OK : S_FALSE;
}

HRESULT CArchiveStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    if (m_pArchive == nullptr)
        return STG_E_ACCESSDENIED;
    m_pArchive->Write(pv, cb);
    m_pos += cb;
    if (pcbWritten != nullptr)
        *pcbWritten = cb;
    return S_OK;
}

HRESULT CArchiveStream::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition)
{
    // Only position queries are possible on a sequential archive.
    if (dwOrigin == STREAM_SEEK_CUR && dlibMove.QuadPart == 0) {
        if (plibNewPosition != nullptr)
            plibNewPosition->QuadPart = m_pos;
        return S_OK;
    }
    return STG_E_INVALIDFUNCTION;
}
