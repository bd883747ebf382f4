// Seeds and lengths of the randomised tests, and the trail a crash prints.
//
// Each seed is a test of its own, named after it ("seed7"), so one seed reruns
// with --gtest_filter='*seed7'. The environment overrides the defaults:
//   MORVA_SEEDS  a list of seeds and ranges, e.g. "7", "3,9,20-30", "1-2000"
//                (the long run: scripts/test.sh passes it on);
//   MORVA_STEPS  steps per seed.
//   MORVA_TRACE  set: every step and owner act is printed as it happens.
#pragma once
#include <functional>
#include <string>
#include <vector>

std::vector<unsigned> SeedsFromEnvironment(const std::vector<unsigned>& defaults);
int StepsFromEnvironment(int defaults);
// Seeds first..last.
std::vector<unsigned> SeedRange(unsigned first, unsigned last);
// Registers one test per seed, "Seeds/<suite>.seed<N>", that calls run(seed).
// (Registered rather than value-parameterised: GoogleTest's parameterised
// suites compare type_info objects, which the Clang build cannot link.)
bool RegisterSeedTests(const char* suite, const char* file, int line, const std::vector<unsigned>& seeds,
                       std::function<void(unsigned)> run);

// The last lines noted here are printed when the process crashes, so that a
// crashing seed shows the steps that led there. Cheap enough for every step.
void NoteForCrash(const std::string& line);
// Forgets the noted lines (a new seed starts).
void ClearCrashNotes();
// Writes the noted lines, oldest first, to stderr; safe inside a crash handler.
void PrintCrashNotes();
