// CFileVersion: the four numbers of a file's FileVersion text, as the version
// check of the language resource libraries compares them.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

class MORVA_API CFileVersion
{
public:
    enum { PartCount = 4 };

    CFileVersion() = default;
    CFileVersion(int major, int minor, int patch, int build) : m_part{major, minor, patch, build} {}

    // Splits "a.b.c.d" at its dots into at most four numbers; missing ones are 0.
    static CFileVersion Parse(LPCWSTR text);
    // The FileVersion text of the file's version resource, in its first listed
    // translation; all 0 when the file has none or cannot be read.
    static CFileVersion Read(LPCWSTR path);

    bool operator==(const CFileVersion& other) const;

    int m_part[PartCount] = {}; // major, minor, patch and build numbers
};
