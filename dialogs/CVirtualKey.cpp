#include "dialogs/CVirtualKey.h"
#include "dialogs/DialogHelpers.h"

namespace {
KeyStringLoader LoaderOf(HINSTANCE hResource)
{
    return [hResource](UINT id) { return LoadResourceString(hResource, id); };
}
} // namespace

void CVirtualKey::Set(HINSTANCE hResource, UINT firstModifier, UINT secondModifier, UINT key)
{
    m_hResource = hResource;
    m_nFirstModifier = firstModifier;
    m_nSecondModifier = secondModifier;
    m_nKey = key;
}

void CVirtualKey::Get(UINT* pFirstModifier, UINT* pSecondModifier, UINT* pKey) const
{
    if (pFirstModifier != nullptr)
        *pFirstModifier = m_nFirstModifier;
    if (pSecondModifier != nullptr)
        *pSecondModifier = m_nSecondModifier;
    if (pKey != nullptr)
        *pKey = m_nKey;
}

CString CVirtualKey::GetText() const
{
    return HotkeyChordText(HotkeyChord{m_nFirstModifier, m_nSecondModifier, m_nKey}, LoaderOf(m_hResource));
}

bool CVirtualKey::IsPressed() const
{
    for (UINT code : {m_nFirstModifier, m_nSecondModifier, m_nKey}) {
        // Codes beyond the key table are never down.
        if (code != 0 && (code > 0xFF || ::GetKeyState(static_cast<int>(code)) >= 0))
            return false;
    }
    return true;
}

CString CVirtualKey::KeyName(HINSTANCE hResource, UINT code)
{
    return VirtualKeyName(code, LoaderOf(hResource));
}
