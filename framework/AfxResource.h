// The framework's resource modules. Dialog templates, icons, menus, cursors and
// strings are loaded from the current resource module (the language resource
// library, once a host has loaded one). AfxFindResourceHandle searches the chain:
// the current resource module, the modules added with AfxAddResourceModule (most
// recent first), then the host's executable.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

// The host's executable module.
MORVA_API HINSTANCE AfxGetInstanceHandle();
// Current resource module; the host's executable until one is set.
MORVA_API HINSTANCE AfxGetResourceHandle();
MORVA_API void AfxSetResourceHandle(HINSTANCE hInstResource);
// The module last given to AfxSetResourceHandle; null while none is set (and
// AfxGetResourceHandle answers the executable).
MORVA_API HINSTANCE AfxGetCurrentResourceModule();
// Appends a module to the search chain (ignored when null or already present).
MORVA_API void AfxAddResourceModule(HINSTANCE hModule);
MORVA_API void AfxRemoveResourceModule(HINSTANCE hModule);
// First module of the chain that holds the resource; the current resource module
// when none does.
MORVA_API HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType);
// The module of this library itself.
MORVA_API HINSTANCE AfxGetLibraryHandle();
