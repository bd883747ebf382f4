#include "support/RandomRuns.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <gtest/gtest.h>

std::vector<unsigned> SeedRange(unsigned first, unsigned last)
{
    std::vector<unsigned> seeds;
    for (unsigned seed = first; seed <= last; ++seed)
        seeds.push_back(seed);
    return seeds;
}

std::vector<unsigned> SeedsFromEnvironment(const std::vector<unsigned>& defaults)
{
    const char* text = std::getenv("MORVA_SEEDS");
    if (text == nullptr || *text == '\0')
        return defaults;
    std::vector<unsigned> seeds;
    std::istringstream in(text);
    std::string part;
    while (std::getline(in, part, ',')) {
        const size_t dash = part.find('-');
        const unsigned long first = std::strtoul(part.c_str(), nullptr, 10);
        const unsigned long last = dash == std::string::npos ? first : std::strtoul(part.c_str() + dash + 1, nullptr, 10);
        for (unsigned long seed = first; seed <= last; ++seed)
            seeds.push_back(static_cast<unsigned>(seed));
    }
    if (seeds.empty())
        std::fprintf(stderr, "MORVA_SEEDS=\"%s\" names no seed\n", text);
    return seeds;
}

namespace {
class SeedTest : public ::testing::Test
{
public:
    SeedTest(std::function<void(unsigned)> run, unsigned seed) : m_run(std::move(run)), m_seed(seed) {}
    void TestBody() override { m_run(m_seed); }

private:
    std::function<void(unsigned)> m_run; // the run of one seed
    unsigned m_seed;                      // its seed
};
} // namespace

bool RegisterSeedTests(const char* suite, const char* file, int line, const std::vector<unsigned>& seeds,
                       std::function<void(unsigned)> run)
{
    const std::string suiteName = std::string("Seeds/") + suite;
    for (unsigned seed : seeds) {
        ::testing::RegisterTest(suiteName.c_str(), ("seed" + std::to_string(seed)).c_str(), nullptr,
                                std::to_string(seed).c_str(), file, line,
                                [run, seed]() -> ::testing::Test* { return new SeedTest(run, seed); });
    }
    return true;
}

int StepsFromEnvironment(int defaults)
{
    const char* text = std::getenv("MORVA_STEPS");
    const int steps = text != nullptr ? std::atoi(text) : 0;
    return steps > 0 ? steps : defaults;
}

namespace {
// A ring of fixed lines: nothing to allocate when the crash handler prints it.
const int kNoteLines = 24;
const size_t kNoteChars = 200;
char g_notes[kNoteLines][kNoteChars];
int g_nextNote = 0;  // slot of the next line
int g_noteCount = 0; // lines held
} // namespace

void NoteForCrash(const std::string& line)
{
    // MORVA_TRACE=1 prints every note as it is made: a run that hangs shows
    // where it is.
    static const bool trace = std::getenv("MORVA_TRACE") != nullptr;
    if (trace) {
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
    }
    const size_t n = line.size() < kNoteChars - 1 ? line.size() : kNoteChars - 1;
    std::memcpy(g_notes[g_nextNote], line.data(), n);
    g_notes[g_nextNote][n] = '\0';
    g_nextNote = (g_nextNote + 1) % kNoteLines;
    g_noteCount += g_noteCount < kNoteLines;
}

void ClearCrashNotes()
{
    g_noteCount = 0;
}

void PrintCrashNotes()
{
    if (g_noteCount == 0)
        return;
    std::fprintf(stderr, "last steps noted, oldest first:\n");
    for (int i = 0; i < g_noteCount; ++i)
        std::fprintf(stderr, "  %s\n", g_notes[(g_nextNote - g_noteCount + i + kNoteLines) % kNoteLines]);
}

void RunTrail::Note(const std::string& line)
{
    NoteForCrash(line);
    m_lines.push_back(line);
    if (m_lines.size() > 40)
        m_lines.pop_front();
}

std::string RunTrail::Text() const
{
    std::string out = "trail, oldest first:\n";
    for (const std::string& line : m_lines)
        out += "  " + line + "\n";
    return out;
}

Temper TemperOf(unsigned seed)
{
    switch (seed % 4) {
    case 0: return {0, false}; // vetoes and answers only
    case 1: return {6, false};
    case 2: return {14, false};
    default: return {10, true};
    }
}
