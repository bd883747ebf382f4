#include "support/HeapChecks.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

bool UnderWineHeapChecking()
{
    const char* debug = std::getenv("WINEDEBUG");
    return debug != nullptr && std::strstr(debug, "warn+heap") != nullptr;
}

bool CheckHeapsEveryStep()
{
    static const bool every = UnderWineHeapChecking() || std::getenv("MORVA_HEAP_STEPS") != nullptr;
    return every;
}

std::string CorruptHeaps()
{
    static std::set<HANDLE> reported; // heaps found corrupt before
    HANDLE heaps[256];
    const DWORD count = ::GetProcessHeaps(256, heaps);
    std::string found;
    for (DWORD i = 0; i < count && i < 256; ++i) {
        if (reported.count(heaps[i]) != 0 || ::HeapValidate(heaps[i], 0, nullptr))
            continue;
        reported.insert(heaps[i]);
        char text[64];
        std::snprintf(text, sizeof(text), "%sheap %p is corrupt", found.empty() ? "" : "; ", heaps[i]);
        found += text;
    }
    return found;
}
