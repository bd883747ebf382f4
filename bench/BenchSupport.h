// Shared support of the benchmarks: timing with QueryPerformanceCounter,
// medians over repeated runs, scaling series with their fitted growth order, a
// result table that holds each workload beside the native control and its goal,
// heap measurements in a fresh process, and the window chores of the event
// workloads (focus, key presses, clicks, forced repaints, WM_PRINTCLIENT).
#pragma once
#include <windows.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace bench {

// ---- Options ---------------------------------------------------------------

struct Options
{
    bool quick = false;             // small sizes only: the whole run takes about a minute
    bool full = false;              // also what the budget or a known quadratic native path would skip
    std::vector<std::string> child; // arguments after --child: one measurement in a fresh process
};
// Reads --quick, --full and --child ... from the command line into Options().
void ParseOptions(int argc, char** argv);
const Options& GetOptions();

// Runs of each workload; the median is reported.
const int kRuns = 3;
// A workload whose first run at a size took longer than this is not run
// again at that size.
const double kRepeatSeconds = 5.0;
// A sequence whose required first step (a fill) is predicted to take longer
// than this runs once at that size.
const double kRepeatSequenceSeconds = 10.0;
// A run predicted to take longer than this is skipped unless --full is given.
const double kBudgetSeconds = 20.0;
// Growth order up to which a series counts as linear.
const double kLinearOrder = 1.2;

// ---- Timing ----------------------------------------------------------------

double Now(); // seconds since an arbitrary start, from QueryPerformanceCounter
template <class F>
double Seconds(F&& f)
{
    const double start = Now();
    f();
    return Now() - start;
}
double Median(std::vector<double> values); // 0 for no values

// ---- Scaling series --------------------------------------------------------

// Times of one workload of one control ("ours" or "native") over list sizes:
// every run's seconds at each size, the sizes skipped and why.
class Series
{
public:
    Series(std::string workload, std::string who);
    const std::string& Workload() const { return m_workload; }
    const std::string& Who() const { return m_who; }

    // Whether runs at n are measured: not when n was excluded, nor (without
    // --full) when the smaller sizes predict one run to exceed the budget.
    // The first refusal at n is recorded as a skip.
    bool Wanted(int n);
    // Leaves n out with the reason printed under the scaling table (--full
    // measures it all the same).
    void Exclude(int n, const std::string& reason);
    // A workload that others start from (a fill) is never skipped.
    void SetRequired() { m_required = true; }
    // Whether another run at n is to be made: always for a required
    // workload, else while n is wanted and its first run was not long.
    bool Repeat(int n);
    // Times f as one run at n when another run is to be made; answers
    // whether it ran.
    template <class F>
    bool Time(int n, F&& f)
    {
        if (!Repeat(n))
            return false;
        Add(n, Seconds(f));
        return true;
    }
    void Add(int n, double seconds);

    // Median seconds over the runs at n; negative when n was not measured.
    double At(int n) const;
    int RunsAt(int n) const;
    // Seconds one run at n is predicted to take from the measured smaller
    // sizes (the growth of the last step, at least linear); 0 when none.
    double Predict(int n) const;
    // Least-squares slope of log(time) over log(n) over the measured sizes,
    // and the slope between the two largest; NaN with fewer than two sizes.
    double Order() const;
    double LastStepOrder() const;
    // Sizes measured or skipped, ascending.
    std::vector<int> Sizes() const;
    // Why n was skipped; empty when it was not.
    std::string SkipNote(int n) const;

private:
    std::string m_workload;                        // what is timed
    std::string m_who;                             // "ours" or "native"
    std::map<int, std::vector<double>> m_samples;  // seconds of every run, by size
    std::map<int, std::string> m_skipped;          // sizes left out, with the reason
    std::map<int, std::string> m_excluded;         // sizes excluded beforehand, with the reason
    bool m_required = false;                       // never skipped: other workloads start from it
};

// Runs to make of a sequence of workloads at n that starts with a required
// one: kRuns, or 1 when that is predicted to exceed kRepeatSequenceSeconds.
int RunsFor(Series& required, int n);

// ---- Result table and goals --------------------------------------------------

// One printed result: this library against the native control (when it has
// an equivalent) with the goal of the workload.
struct Row
{
    std::string group;   // goal group: a workload printed on several lines meets its goal when all of them do
    std::string label;   // workload
    double ours = -1;    // seconds, or bytes for memory rows; negative when not measured
    double native = -1;  // likewise; negative when there is no native equivalent or it was skipped
    bool bytes = false;  // the values are bytes, not seconds
    std::string goal;    // goal as printed; empty for a row without a goal
    int met = -1;        // 1 met, 0 missed, -1 no goal or not measured
    std::string note;    // printed after the verdict
};

// Goal constructors: each fills goal, met and note of the row.
// ours <= native.
void GoalAtMostNative(Row& row);
// ours <= limit seconds (limit given for refN and scaled linearly to n, as
// the quick run uses smaller sizes).
void GoalAtMostSeconds(Row& row, double limitAtRef, int refN, int n);
// ours <= limit bytes.
void GoalAtMostBytes(Row& row, double limit);
// The series grows at most linearly (fitted order <= kLinearOrder); with a
// positive limit also ours <= limit seconds (scaled as above).
void GoalLinear(Row& row, const Series& ours, double limitAtRef = 0, int refN = 0, int n = 0);

class Results
{
public:
    explicit Results(std::string program);
    // Prints a section heading and the column titles.
    void Section(const std::string& title);
    // Prints the row at once (long runs show progress) and keeps its verdict.
    void Add(const Row& row);
    // Prints a line of explanation under the rows.
    void Note(const std::string& text);
    // Scaling table of the series: seconds at every size, the fitted order
    // and the order of the last step; the skips explained below it.
    void PrintScaling(const std::vector<const Series*>& series);
    // The program's closing lines: workloads at goal and growth orders of this
    // library's series, and one TALLY line that scripts/bench.sh adds up.
    void PrintSummary(const std::vector<const Series*>& oursSeries);

private:
    std::string m_program;                     // "list" or "tree"
    std::vector<std::string> m_groups;         // goal groups in the order met
    std::map<std::string, int> m_groupMet;     // 1 all rows met, 0 a row missed, -1 not measured
};

// Text of a size: 1000 -> "1e3", 40000 -> "4e4".
std::string SizeName(int n);
// Milliseconds with as many decimals as they deserve.
std::string FormatMs(double seconds);

// ---- Memory ----------------------------------------------------------------

struct MemoryUse
{
    double committed = 0;  // private committed bytes of the process (VirtualQuery over the address space)
    double heapBlocks = 0; // bytes of busy heap blocks, headers included, over every heap (HeapWalk)
};
MemoryUse MeasureMemory();
// Runs this program again with --child and the arguments, and reads back
// the two numbers the child prints on a line "MEMORY <committed> <heap>";
// false when the child failed.
bool RunMemoryChild(const std::vector<std::string>& args, MemoryUse& perItem);
// The child's side: prints the growth between two measurements divided by n.
void PrintMemoryChildResult(const MemoryUse& before, const MemoryUse& after, int n);

// ---- Windows and input -----------------------------------------------------

// A shown top-level window hosting the controls, active so that its children
// take the focus.
HWND CreateHostWindow();
// Handles the messages queued for this thread (paints, timers).
void PumpMessages();
// No key is held down: controls that ask GetKeyState see no Shift or Ctrl.
void ReleaseKeys();
// A key press as the keyboard would send it to the focused control.
void PressKey(HWND hwnd, UINT vk);
// A left click at the point (client coordinates).
void Click(HWND hwnd, POINT point);
// Redrawing off and back on around many changes, as hosts do
// (WM_SETREDRAW; turning it on invalidates the whole window).
void SetRedraw(HWND hwnd, bool redraw);
// Paints whatever the input invalidated in the control and its children, now.
void UpdateNow(HWND hwnd);
// Hides one control and shows the other, painted and with its posted
// messages run: the two controls of a side-by-side comparison take turns in
// the same place of the host window.
void ShowInTurn(HWND shown, HWND hidden);
// Seconds of one event: send(), then the forced repaint.
double TimeEvent(HWND hwnd, const std::function<void()>& send);
// Median seconds of reps paints of the whole client area into a memory DC of
// the client's size (WM_PRINTCLIENT with PRF_CLIENT | PRF_ERASEBKGND).
double PrintClientMedian(HWND hwnd, int reps);

} // namespace bench
