// CPallasLanguageResource: the resource library of this product family,
// "MorvaCommonResU.dll", with the shared resource folder as its fallback.
#pragma once
#include "dialogs/CLanguageResource.h"

class MORVA_API CPallasLanguageResource : public CLanguageResource
{
public:
    explicit CPallasLanguageResource(WORD language);
};
