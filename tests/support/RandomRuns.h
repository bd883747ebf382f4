// Seeds and lengths of the randomised tests, and the trail a crash prints.
//
// Each seed is a test of its own, named after it ("seed7"), so one seed reruns
// with --gtest_filter='*seed7'. The environment overrides the defaults:
//   MORVA_SEEDS  a list of seeds and ranges, e.g. "7", "3,9,20-30", "1-2000"
//                (the long run: scripts/test.sh passes it on);
//   MORVA_STEPS  steps per seed.
//   MORVA_TRACE  set: every step and owner act is printed as it happens.
#pragma once
#include <deque>
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

// The last steps and owner actions of a run, for its failure messages; each
// line is noted for a crash as well.
class RunTrail
{
public:
    void Note(const std::string& line);
    std::string Text() const;

private:
    std::deque<std::string> m_lines; // the last 40
};

// How much a run's owner meddles, by seed: percent of notifications it changes
// something in, and whether it may destroy the window.
struct Temper
{
    int meddle;   // percent of notifications answered with a change
    bool destroy; // the owner destroys the window now and then
};
Temper TemperOf(unsigned seed);
