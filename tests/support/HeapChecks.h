// Heap validation for the tests. Under Wine's heap checking (WINEDEBUG with
// warn+heap, one pass of scripts/test.sh) blocks carry guard bytes and freed
// blocks a fill pattern, which HeapValidate checks: an overrun of a block still
// held, or a write into a freed one, is found at the next validation.
#pragma once
#include <string>

// Whether Wine checks the heaps in this run.
bool UnderWineHeapChecking();
// Randomised tests validate the heaps after every step, so that a corruption is
// pinned to the step that made it: under Wine's heap checking, or with
// MORVA_HEAP_STEPS set.
bool CheckHeapsEveryStep();
// Empty when every heap of the process is valid, else which one is not. Each
// heap is reported once: a corrupt heap stays corrupt.
std::string CorruptHeaps();
