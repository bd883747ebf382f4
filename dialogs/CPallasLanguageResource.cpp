#include "dialogs/CPallasLanguageResource.h"

CPallasLanguageResource::CPallasLanguageResource(WORD language)
    : CLanguageResource(language)
{
    m_fallbackFolder = CFileName::FolderSharedResources;
    m_fileName.SetFileName(L"MorvaCommonResU.dll");
}
