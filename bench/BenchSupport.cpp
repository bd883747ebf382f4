#include "BenchSupport.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

namespace bench {

// ---- Options ---------------------------------------------------------------

namespace {
Options g_options; // as read from the command line
} // namespace

void ParseOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            g_options.quick = true;
        } else if (arg == "--full") {
            g_options.full = true;
        } else if (arg == "--child") {
            g_options.child.assign(argv + i + 1, argv + argc);
            break;
        }
    }
}

const Options& GetOptions()
{
    return g_options;
}

// ---- Timing ----------------------------------------------------------------

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// ---- Scaling series --------------------------------------------------------

Series::Series(std::string workload, std::string who) : m_workload(std::move(workload)), m_who(std::move(who)) {}

bool Series::Wanted(int n)
{
    if (m_skipped.count(n) != 0)
        return false;
    if (GetOptions().full || m_required)
        return true;
    const auto excluded = m_excluded.find(n);
    if (excluded != m_excluded.end()) {
        m_skipped[n] = excluded->second;
        return false;
    }
    const double predicted = Predict(n);
    if (predicted > kBudgetSeconds) {
        char text[96];
        std::snprintf(text, sizeof(text), "a run was predicted to take %.0f s", predicted);
        m_skipped[n] = text;
        return false;
    }
    return true;
}

void Series::Exclude(int n, const std::string& reason)
{
    m_excluded[n] = reason;
}

void Series::Add(int n, double seconds)
{
    m_samples[n].push_back(seconds);
}

double Series::At(int n) const
{
    const auto it = m_samples.find(n);
    return it == m_samples.end() || it->second.empty() ? -1.0 : Median(it->second);
}

int Series::RunsAt(int n) const
{
    const auto it = m_samples.find(n);
    return it == m_samples.end() ? 0 : static_cast<int>(it->second.size());
}

double Series::Predict(int n) const
{
    std::vector<std::pair<int, double>> below;
    for (const auto& entry : m_samples) {
        const double t = At(entry.first);
        if (entry.first < n && t > 0)
            below.emplace_back(entry.first, t);
    }
    if (below.empty())
        return 0;
    const auto& last = below.back();
    double order = 1;
    if (below.size() >= 2) {
        const auto& before = below[below.size() - 2];
        order = std::log(last.second / before.second) / std::log(static_cast<double>(last.first) / before.first);
        order = std::min(std::max(order, 1.0), 3.0);
    }
    return last.second * std::pow(static_cast<double>(n) / last.first, order);
}

double Series::Order() const
{
    std::vector<double> xs;
    std::vector<double> ys;
    for (const auto& entry : m_samples) {
        const double t = At(entry.first);
        if (t > 0) {
            xs.push_back(std::log(static_cast<double>(entry.first)));
            ys.push_back(std::log(t));
        }
    }
    if (xs.size() < 2)
        return NAN;
    double mx = 0;
    double my = 0;
    for (size_t i = 0; i < xs.size(); ++i) {
        mx += xs[i];
        my += ys[i];
    }
    mx /= static_cast<double>(xs.size());
    my /= static_cast<double>(ys.size());
    double sxy = 0;
    double sxx = 0;
    for (size_t i = 0; i < xs.size(); ++i) {
        sxy += (xs[i] - mx) * (ys[i] - my);
        sxx += (xs[i] - mx) * (xs[i] - mx);
    }
    return sxy / sxx;
}

double Series::LastStepOrder() const
{
    std::vector<std::pair<int, double>> measured;
    for (const auto& entry : m_samples) {
        const double t = At(entry.first);
        if (t > 0)
            measured.emplace_back(entry.first, t);
    }
    if (measured.size() < 2)
        return NAN;
    const auto& a = measured[measured.size() - 2];
    const auto& b = measured.back();
    return std::log(b.second / a.second) / std::log(static_cast<double>(b.first) / a.first);
}

std::vector<int> Series::Sizes() const
{
    std::set<int> sizes;
    for (const auto& entry : m_samples)
        sizes.insert(entry.first);
    for (const auto& entry : m_skipped)
        sizes.insert(entry.first);
    return std::vector<int>(sizes.begin(), sizes.end());
}

std::string Series::SkipNote(int n) const
{
    const auto it = m_skipped.find(n);
    return it == m_skipped.end() ? std::string() : it->second;
}

bool Series::Repeat(int n)
{
    if (!Wanted(n))
        return false;
    return m_required || RunsAt(n) == 0 || At(n) <= kRepeatSeconds;
}

int RunsFor(Series& required, int n)
{
    return required.Predict(n) > kRepeatSequenceSeconds ? 1 : kRuns;
}

// ---- Formatting --------------------------------------------------------------

std::string SizeName(int n)
{
    int exponent = 0;
    int mantissa = n;
    while (mantissa >= 10 && mantissa % 10 == 0) {
        mantissa /= 10;
        ++exponent;
    }
    if (mantissa >= 10 || exponent == 0)
        return std::to_string(n);
    return std::to_string(mantissa) + "e" + std::to_string(exponent);
}

std::string FormatMs(double seconds)
{
    const double ms = seconds * 1000;
    char text[32];
    if (ms >= 100)
        std::snprintf(text, sizeof(text), "%.0f", ms);
    else if (ms >= 10)
        std::snprintf(text, sizeof(text), "%.1f", ms);
    else if (ms >= 1)
        std::snprintf(text, sizeof(text), "%.2f", ms);
    else
        std::snprintf(text, sizeof(text), "%.3f", ms);
    return text;
}

namespace {
std::string FormatValue(double value, bool bytes)
{
    if (value < 0)
        return "-";
    if (bytes) {
        char text[32];
        std::snprintf(text, sizeof(text), "%.0f B", value);
        return text;
    }
    return FormatMs(value) + " ms";
}

std::string FormatOrder(double order)
{
    if (std::isnan(order))
        return "-";
    char text[16];
    std::snprintf(text, sizeof(text), "%.2f", order);
    return text;
}

// Text of a limit in seconds for n, scaled from refN; says so when scaled.
std::string LimitText(double limit, int refN, int n)
{
    std::string text = "<= " + FormatMs(limit) + " ms";
    if (n != refN)
        text += " (scaled)";
    return text;
}
} // namespace

// ---- Goals -----------------------------------------------------------------

void GoalAtMostNative(Row& row)
{
    row.goal = "<= native";
    row.met = row.ours < 0 || row.native < 0 ? -1 : (row.ours <= row.native ? 1 : 0);
}

void GoalAtMostSeconds(Row& row, double limitAtRef, int refN, int n)
{
    const double limit = limitAtRef * n / refN;
    row.goal = LimitText(limit, refN, n);
    row.met = row.ours < 0 ? -1 : (row.ours <= limit ? 1 : 0);
}

void GoalAtMostBytes(Row& row, double limit)
{
    char text[32];
    std::snprintf(text, sizeof(text), "<= %.0f B", limit);
    row.goal = text;
    row.met = row.ours < 0 ? -1 : (row.ours <= limit ? 1 : 0);
}

void GoalLinear(Row& row, const Series& ours, double limitAtRef, int refN, int n)
{
    const double order = ours.Order();
    row.goal = "linear";
    row.met = std::isnan(order) ? -1 : (order <= kLinearOrder ? 1 : 0);
    row.note = "order " + FormatOrder(order) + ", last step " + FormatOrder(ours.LastStepOrder());
    if (limitAtRef > 0) {
        const double limit = limitAtRef * n / refN;
        row.goal += ", " + LimitText(limit, refN, n);
        if (row.ours < 0)
            row.met = -1;
        else if (row.met == 1 && row.ours > limit)
            row.met = 0;
    }
}

// ---- Result table ----------------------------------------------------------

Results::Results(std::string program) : m_program(std::move(program)) {}

void Results::Section(const std::string& title)
{
    std::printf("\n== %s\n", title.c_str());
    std::printf("%-52s %12s %12s %7s  %-24s %s\n", "workload", "ours", "native", "ratio", "goal", "met");
    std::fflush(stdout);
}

void Results::Add(const Row& row)
{
    std::string ratio = "-";
    if (row.ours > 0 && row.native > 0) {
        char text[16];
        std::snprintf(text, sizeof(text), "%.2f", row.ours / row.native);
        ratio = text;
    }
    const char* verdict = row.goal.empty() ? "" : row.met == 1 ? "yes" : row.met == 0 ? "no" : "n/a";
    std::printf("%-52s %12s %12s %7s  %-24s %-3s %s\n", row.label.c_str(), FormatValue(row.ours, row.bytes).c_str(),
                FormatValue(row.native, row.bytes).c_str(), ratio.c_str(), row.goal.c_str(), verdict,
                row.note.c_str());
    std::fflush(stdout);
    if (row.goal.empty())
        return;
    auto it = m_groupMet.find(row.group);
    if (it == m_groupMet.end()) {
        m_groups.push_back(row.group);
        m_groupMet[row.group] = row.met;
    } else if (it->second == 1 || row.met == 0) {
        it->second = row.met; // a missed or unmeasured row decides the group
    }
}

void Results::Note(const std::string& text)
{
    std::printf("  %s\n", text.c_str());
    std::fflush(stdout);
}

void Results::PrintScaling(const std::vector<const Series*>& series)
{
    std::set<int> all;
    for (const Series* s : series) {
        for (int n : s->Sizes())
            all.insert(n);
    }
    const std::vector<int> sizes(all.begin(), all.end());
    std::printf("\n== scaling: milliseconds per run at each n (median of %d runs; #: fewer, as a first run over %.0f s "
                "is not repeated); order = least-squares slope of log(time) over log(n)\n",
                kRuns, kRepeatSeconds);
    std::printf("%-44s %-7s", "workload", "who");
    for (int n : sizes)
        std::printf(" %9s", SizeName(n).c_str());
    std::printf(" %7s %9s\n", "order", "last step");
    std::vector<std::string> notes;
    for (size_t i = 0; i < series.size(); ++i) {
        const Series* s = series[i];
        const bool first = i == 0 || s->Workload() != series[i - 1]->Workload();
        std::printf("%-44s %-7s", first ? s->Workload().c_str() : "", s->Who().c_str());
        for (int n : sizes) {
            const double t = s->At(n);
            std::string cell;
            if (t >= 0) {
                cell = FormatMs(t) + (s->RunsAt(n) < kRuns ? "#" : "");
            } else if (!s->SkipNote(n).empty()) {
                const std::string note = s->SkipNote(n);
                auto it = std::find(notes.begin(), notes.end(), note);
                if (it == notes.end())
                    it = notes.insert(notes.end(), note);
                cell = "skip" + std::string(1, static_cast<char>('a' + (it - notes.begin())));
            }
            std::printf(" %9s", cell.c_str());
        }
        std::printf(" %7s %9s\n", FormatOrder(s->Order()).c_str(), FormatOrder(s->LastStepOrder()).c_str());
    }
    for (size_t i = 0; i < notes.size(); ++i)
        std::printf("  skip%c: %s%s\n", static_cast<char>('a' + i), notes[i].c_str(),
                    GetOptions().full ? "" : " (--full runs it)");
    std::fflush(stdout);
}

void Results::PrintSummary(const std::vector<const Series*>& oursSeries)
{
    int met = 0;
    std::string missed;
    for (const std::string& group : m_groups) {
        if (m_groupMet[group] == 1)
            ++met;
        else
            missed += (missed.empty() ? "" : "; ") + group + (m_groupMet[group] == 0 ? "" : " (not measured)");
    }
    int over = 0;
    int orders = 0;
    double worst = NAN;
    std::string worstName;
    std::string overNames;
    for (const Series* s : oursSeries) {
        const double order = s->Order();
        if (std::isnan(order))
            continue;
        ++orders;
        if (order > kLinearOrder) {
            ++over;
            overNames += (overNames.empty() ? "" : "; ") + s->Workload() + " " + FormatOrder(order);
        }
        if (std::isnan(worst) || order > worst) {
            worst = order;
            worstName = s->Workload();
        }
    }
    std::printf("\n%s: %d of %zu workloads at goal%s%s%s\n", m_program.c_str(), met, m_groups.size(),
                missed.empty() ? "" : " (missed: ", missed.c_str(), missed.empty() ? "" : ")");
    std::printf("%s: growth orders of this library: %d of %d series above %.1f%s%s%s\n", m_program.c_str(), over,
                orders, kLinearOrder, overNames.empty() ? "" : " (", overNames.c_str(), overNames.empty() ? "" : ")");
    // Read by scripts/bench.sh, which prints one summary over the programs.
    std::printf("TALLY %s %d %zu %d %d %s %s\n", m_program.c_str(), met, m_groups.size(), over, orders,
                FormatOrder(worst).c_str(), worstName.c_str());
    std::fflush(stdout);
}

// ---- Memory ----------------------------------------------------------------

MemoryUse MeasureMemory()
{
    MemoryUse use;
    MEMORY_BASIC_INFORMATION info;
    for (const char* p = nullptr; VirtualQuery(p, &info, sizeof(info)) == sizeof(info);
         p = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            use.committed += static_cast<double>(info.RegionSize);
    }
    HANDLE heaps[256];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(256, heaps), 256);
    for (DWORD i = 0; i < count; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry)) {
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0)
                use.heapBlocks += static_cast<double>(entry.cbData) + entry.cbOverhead;
        }
        HeapUnlock(heaps[i]);
    }
    return use;
}

bool RunMemoryChild(const std::vector<std::string>& args, MemoryUse& perItem)
{
    WCHAR path[MAX_PATH];
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0)
        return false;
    std::wstring command = L"\"" + std::wstring(path) + L"\" --child";
    for (const std::string& arg : args)
        command += L" " + std::wstring(arg.begin(), arg.end());
    SECURITY_ATTRIBUTES security{sizeof(security), nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &security, 0))
        return false;
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = write;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(write);
    std::string output;
    if (started) {
        char buffer[512];
        DWORD got = 0;
        while (ReadFile(read, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            output.append(buffer, got);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(read);
    const size_t at = output.find("MEMORY ");
    return at != std::string::npos &&
           std::sscanf(output.c_str() + at, "MEMORY %lf %lf", &perItem.committed, &perItem.heapBlocks) == 2;
}

void PrintMemoryChildResult(const MemoryUse& before, const MemoryUse& after, int n)
{
    std::printf("MEMORY %.1f %.1f\n", (after.committed - before.committed) / n, (after.heapBlocks - before.heapBlocks) / n);
    std::fflush(stdout);
}

// ---- Windows and input -----------------------------------------------------

HWND CreateHostWindow()
{
    HWND host = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                nullptr, nullptr, nullptr);
    if (host != nullptr) {
        SetForegroundWindow(host);
        SetActiveWindow(host);
        PumpMessages();
    }
    return host;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void ReleaseKeys()
{
    BYTE keys[256] = {};
    SetKeyboardState(keys);
}

void PressKey(HWND hwnd, UINT vk)
{
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    const bool extended = vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT || vk == VK_PRIOR ||
                          vk == VK_NEXT || vk == VK_HOME || vk == VK_END;
    const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16) | (extended ? (1 << 24) : 0);
    SendMessageW(hwnd, WM_KEYDOWN, vk, down);
    SendMessageW(hwnd, WM_KEYUP, vk, down | 0xC0000000);
}

void Click(HWND hwnd, POINT point)
{
    const LPARAM at = MAKELPARAM(point.x, point.y);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

void SetRedraw(HWND hwnd, bool redraw)
{
    SendMessageW(hwnd, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void UpdateNow(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void ShowInTurn(HWND shown, HWND hidden)
{
    ShowWindow(hidden, SW_HIDE);
    ShowWindow(shown, SW_SHOW);
    UpdateNow(shown);
    PumpMessages();
}

double TimeEvent(HWND hwnd, const std::function<void()>& send)
{
    const double seconds = Seconds([&] {
        send();
        UpdateNow(hwnd);
    });
    PumpMessages(); // what the event posted runs outside the measurement
    return seconds;
}

double PrintClientMedian(HWND hwnd, int reps)
{
    RECT client;
    GetClientRect(hwnd, &client);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // The target's pixels are touched once before timing: a new bitmap's
    // pages fault in on first use (about 4 ms for a page-sized bitmap on
    // this machine), a cost of the measuring host, not of the control.
    PatBlt(memory, 0, 0, client.right, client.bottom, WHITENESS);
    std::vector<double> times;
    for (int i = 0; i < reps; ++i) {
        times.push_back(Seconds([&] {
            SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
        }));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return Median(times);
}

} // namespace bench
