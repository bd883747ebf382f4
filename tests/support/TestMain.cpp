// Entry point of every test program. A crash must end the process with a
// failure code at once: under Wine an unhandled fault would otherwise start a
// debugger and the run would wait for it.
#include <windows.h>
#include <commctrl.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdlib.h>
#include <gtest/gtest.h>

namespace {
LONG WINAPI ExitOnCrash(EXCEPTION_POINTERS* info)
{
    std::fprintf(stderr, "\nFATAL: unhandled exception 0x%08lX at %p\n",
                 info->ExceptionRecord->ExceptionCode, info->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}
// A failed assert aborts: end the process with a failure code instead of
// showing the runtime's message box, which nobody would close.
void ExitOnAbort(int)
{
    std::fprintf(stderr, "\nFATAL: abort\n");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
}

// Wine starts its desktop process on the first window of a session; until it
// is up, window creation fails. Wait for it here rather than in every test.
void WaitForDesktop()
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        if (probe != nullptr) {
            DestroyWindow(probe);
            return;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "warning: no window could be created; window tests will fail\n");
}
} // namespace

int main(int argc, char** argv)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(ExitOnCrash);
    _set_error_mode(_OUT_TO_STDERR);
    std::signal(SIGABRT, ExitOnAbort);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    WaitForDesktop();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
