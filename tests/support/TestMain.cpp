// Entry point of every test program. A crash must end the process with a
// failure code at once: under Wine an unhandled fault would otherwise start a
// debugger and the run would wait for it. Before it ends, it says which test
// crashed, where (module and offset of each frame, for addr2line) and the
// steps a randomised test noted last.
//
// Faults are caught by a vectored handler, before any frame sees them: one
// raised inside a window procedure that the system called back (WM_PAINT, a
// message sent from elsewhere) is otherwise swallowed by the callback
// dispatcher, on 64-bit Windows as under Wine, and the test would go on with
// whatever the fault left half done.
//
// After every test the heaps of the process are validated: under Wine's heap
// checking (WINEDEBUG=warn+heap, which scripts/test.sh sets for one pass) blocks
// carry guard bytes and freed blocks a fill pattern, so an overrun or a write
// after free is found here, in the test that made it, not later or never.
#include <windows.h>
#include <commctrl.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdlib.h>
#include <gtest/gtest.h>
#include "support/HeapChecks.h"
#include "support/RandomRuns.h"

namespace {
void PrintCurrentTest()
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (test != nullptr)
        std::fprintf(stderr, "in test %s.%s\n", test->test_suite_name(), test->name());
}

void PrintFrame(int n, DWORD64 pc)
{
    HMODULE module = nullptr;
    char path[MAX_PATH] = "?";
    if (::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             reinterpret_cast<LPCSTR>(pc), &module))
        ::GetModuleFileNameA(module, path, MAX_PATH);
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p)
        name = (*p == '\\' || *p == '/') ? p + 1 : name;
    std::fprintf(stderr, "  #%d %s+0x%llx\n", n, name,
                 static_cast<unsigned long long>(pc - reinterpret_cast<DWORD64>(module)));
}

// Unwinds through the unwind tables both compilers emit for x64.
void PrintStack(const CONTEXT& start)
{
    CONTEXT context = start;
    for (int n = 0; n < 40 && context.Rip != 0; ++n) {
        PrintFrame(n, context.Rip);
        DWORD64 imageBase = 0;
        PRUNTIME_FUNCTION function = ::RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
        if (function == nullptr) { // a leaf: the return address is on top of the stack
            context.Rip = *reinterpret_cast<DWORD64*>(context.Rsp);
            context.Rsp += 8;
            continue;
        }
        PVOID handlerData = nullptr;
        DWORD64 establisher = 0;
        ::RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context, &handlerData, &establisher,
                           nullptr);
    }
}

LONG WINAPI ExitOnCrash(EXCEPTION_POINTERS* info)
{
    std::fprintf(stderr, "\nFATAL: unhandled exception 0x%08lX at %p\n",
                 info->ExceptionRecord->ExceptionCode, info->ExceptionRecord->ExceptionAddress);
    PrintCurrentTest();
    PrintStack(*info->ContextRecord);
    PrintCrashNotes();
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}
bool IsFault(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_IN_PAGE_ERROR:
    case 0xC0000374: // STATUS_HEAP_CORRUPTION
    case 0xC0000409: // STATUS_STACK_BUFFER_OVERRUN
    case 0xC0000420: // STATUS_ASSERTION_FAILURE, the tree's debug checks
        return true;
    default:
        return false;
    }
}

LONG WINAPI StopOnFault(EXCEPTION_POINTERS* info)
{
    return IsFault(info->ExceptionRecord->ExceptionCode) ? ExitOnCrash(info) : EXCEPTION_CONTINUE_SEARCH;
}

// A failed assert aborts: end the process with a failure code instead of
// showing the runtime's message box, which nobody would close.
void ExitOnAbort(int)
{
    std::fprintf(stderr, "\nFATAL: abort\n");
    PrintCurrentTest();
    PrintCrashNotes();
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
}

// Validates every heap of the process after each test; a heap found corrupt
// fails the test that just ran (the listener runs while it is still current).
class HeapCheck : public testing::EmptyTestEventListener
{
public:
    void OnTestEnd(const testing::TestInfo& test) override
    {
        const std::string corrupt = CorruptHeaps();
        if (corrupt.empty())
            return;
        std::fprintf(stderr, "HEAP CHECK: %s after %s.%s\n", corrupt.c_str(), test.test_suite_name(), test.name());
        std::fflush(stderr);
        ADD_FAILURE() << corrupt << " after this test (see Wine's err:heap lines above)";
    }
};

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
    AddVectoredExceptionHandler(1, StopOnFault);
    // Room for the report when the stack overflows.
    ULONG guarantee = 64 * 1024;
    SetThreadStackGuarantee(&guarantee);
    _set_error_mode(_OUT_TO_STDERR);
    std::signal(SIGABRT, ExitOnAbort);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    WaitForDesktop();
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new HeapCheck);
    return RUN_ALL_TESTS();
}
