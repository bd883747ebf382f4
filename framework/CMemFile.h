// CFile (the interface) and CMemFile: a file held in memory that grows in steps.
#pragma once
#include <windows.h>
#include <vector>
#include "framework/CObject.h"

class MORVA_API CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    virtual UINT Read(void* lpBuf, UINT nCount) = 0;
    virtual void Write(const void* lpBuf, UINT nCount) = 0;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom) = 0;
    virtual ULONGLONG GetLength() const = 0;
    virtual ULONGLONG GetPosition() const = 0;
    virtual void Flush() {}
    virtual void Close() {}
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
};

class MORVA_API CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    // nGrowBytes: the storage grows in multiples of this many bytes.
    explicit CMemFile(UINT nGrowBytes = 1024);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    // Seeking before the start raises CInvalidArgException; past the end is allowed
    // and a later write fills the gap with zeros.
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override { return m_length; }
    ULONGLONG GetPosition() const override { return m_position; }
    void SetLength(ULONGLONG dwNewLen);
    // Bytes of storage currently reserved (a multiple of the growth step).
    size_t GetBufferSize() const { return m_data.size(); }

private:
    void GrowTo(size_t nSize);

    std::vector<BYTE> m_data; // storage; only the first m_length bytes are content
    size_t m_length = 0;      // length of the file's content
    size_t m_position = 0;    // current read/write position
    UINT m_nGrowBytes;        // growth step of the storage
};
