#include "framework/AfxResource.h"
#include <algorithm>
#include <vector>

namespace {
HINSTANCE g_resource = nullptr;

std::vector<HINSTANCE>& Chain()
{
    static std::vector<HINSTANCE> chain;
    return chain;
}

bool Holds(HINSTANCE module, LPCWSTR name, LPCWSTR type)
{
    return module != nullptr && FindResourceW(module, name, type) != nullptr;
}
} // namespace

HINSTANCE AfxGetInstanceHandle()
{
    return GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_resource != nullptr ? g_resource : AfxGetInstanceHandle();
}

HINSTANCE AfxGetCurrentResourceModule()
{
    return g_resource;
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_resource = hInstResource;
}

void AfxAddResourceModule(HINSTANCE hModule)
{
    auto& chain = Chain();
    if (hModule != nullptr && std::find(chain.begin(), chain.end(), hModule) == chain.end())
        chain.push_back(hModule);
}

void AfxRemoveResourceModule(HINSTANCE hModule)
{
    auto& chain = Chain();
    chain.erase(std::remove(chain.begin(), chain.end(), hModule), chain.end());
}

HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType)
{
    if (Holds(g_resource, lpszName, lpszType))
        return g_resource;
    const auto& chain = Chain();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (Holds(*it, lpszName, lpszType))
            return *it;
    }
    if (Holds(AfxGetInstanceHandle(), lpszName, lpszType))
        return AfxGetInstanceHandle();
    return AfxGetResourceHandle();
}

HINSTANCE AfxGetLibraryHandle()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&AfxGetLibraryHandle), &module);
    return module;
}
