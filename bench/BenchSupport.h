// Timing and reporting for the benchmarks.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Seconds one run of f takes (the best of `repeat` runs).
double TimeIt(const std::function<void()>& f, int repeat = 1);
// One result line: workload, this library's time, the native control's time, ratio.
void Report(const std::string& workload, double ours, double native);
// Bytes the process has committed for itself (private usage).
SIZE_T PrivateBytes();
// A top-level window to host the controls of a benchmark.
HWND CreateHostWindow();
// Handles the messages queued for this thread (paints, timers).
void PumpMessages();
