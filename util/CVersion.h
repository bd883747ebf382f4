// CVersion: a three-part version number (major.minor.build) packed into 32 bits
// so that versions compare as plain integers: major in bits 24-31, minor in
// bits 16-23, build in bits 0-15.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"
#include "framework/CString.h"

class MORVA_API CVersion
{
public:
    // Styles of Format.
    enum FormatStyle
    {
        FormatDotted = 1,       // "1.2.1234"
        FormatHex = 2,          // the raw value as eight hex digits, "010204D2"
        FormatGroupedBuild = 3, // "1.2.1.234": build split before its last three digits
    };

    // Construction
    CVersion(DWORD value = 0) : m_value(value) {}
    virtual ~CVersion() = default;
    CVersion(const CVersion& other) = default;
    CVersion& operator=(const CVersion& other) = default;

    // Attributes
    DWORD GetValue() const { return m_value; }
    void SetValue(DWORD value) { m_value = value; }
    int GetMajor() const { return static_cast<int>(m_value >> 24); }
    int GetMinor() const { return static_cast<int>((m_value >> 16) & 0xFF); }
    int GetBuild() const { return static_cast<int>(m_value & 0xFFFF); }

    // Operations. ((major << 8) + minor) << 16, plus build: a part wider than
    // its field carries into the next one.
    void Set(int major, int minor, int build);
    // An empty string for an unknown style.
    CString Format(int style) const;

    bool operator==(const CVersion& other) const { return m_value == other.m_value; }
    bool operator!=(const CVersion& other) const { return m_value != other.m_value; }
    bool operator<(const CVersion& other) const { return m_value < other.m_value; }

private:
    DWORD m_value; // packed major, minor and build
};
