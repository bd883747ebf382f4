#include "BenchSupport.h"
#include <algorithm>
#include <cstdio>

double TimeIt(const std::function<void()>& f, int repeat)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double best = 1e30;
    for (int i = 0; i < repeat; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        f();
        QueryPerformanceCounter(&end);
        best = std::min(best, static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
    }
    return best;
}

void Report(const std::string& workload, double ours, double native)
{
    if (native <= 0)
        std::printf("%-46s %12.4f s %14s\n", workload.c_str(), ours, "(skipped)");
    else
        std::printf("%-46s %12.4f s %12.4f s %8.2fx\n", workload.c_str(), ours, native, ours / native);
    std::fflush(stdout);
}

SIZE_T PrivateBytes()
{
    // Walks the address space: the process counters are not kept up to date everywhere.
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* p = nullptr; VirtualQuery(p, &info, sizeof(info)) == sizeof(info);
         p = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
    }
    return total;
}

HWND CreateHostWindow()
{
    return CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                           nullptr, nullptr);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
