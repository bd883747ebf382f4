// Export and import of the library's classes. Hosts include the headers as they
// are; the DLL build defines MORVA_BUILD_DLL, a static build MORVA_STATIC.
#pragma once

#if defined(MORVA_STATIC)
#define MORVA_API
#elif defined(MORVA_BUILD_DLL)
#define MORVA_API __declspec(dllexport)
#else
#define MORVA_API __declspec(dllimport)
#endif
