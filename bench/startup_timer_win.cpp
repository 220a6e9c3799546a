// startup_timer [--seconds LIMIT] EMPTY_CLASS EMPTY_PROGRAM FLOOR_CLASS FLOOR_PROGRAM
//               CLASS PROGRAM LABEL_NAME LABEL_PREFIX
//
// Times the start-up of PROGRAM against FLOOR_PROGRAM (the same window,
// controls, texts and fonts without the program behind them) and
// EMPTY_PROGRAM (an empty window), from process creation until its window is
// filled and painted, then closes it and waits for it to end. After one
// discarded warm-up run of each, the three take turns in the order empty,
// floor, program, program, floor, empty, so that a drift in the machine's
// load weighs on all alike; the runs of one turn form two triples. Triples
// are added until the 95 % bootstrap interval of the ratio of medians
// program / floor lies within +-0.05 of the ratio, or until LIMIT seconds
// (default 240) have passed.
//
// "Filled": the control LABEL_NAME (as the window description names it) of
// the program and of the floor shows a text that starts with LABEL_PREFIX
// (the empty window has nothing to fill). "Painted": the window is visible,
// its thread has answered a message sent to it, so it has come back to its
// message loop after creating and showing the window (and after
// UpdateWindow where the program calls it), and neither the window nor a
// visible child of it has an update region left, so no WM_PAINT is pending.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "form/window_description.h"

namespace {

constexpr double kHalfWidth = 0.05;
constexpr int kLeastPairs = 10;
constexpr int kResamples = 2000;
constexpr double kRunLimitSeconds = 30.0;

struct Program {
    std::wstring className;
    std::wstring commandLine;
    int labelId = 0;  // 0: nothing to wait for
    std::wstring labelPrefix;
    std::vector<double> times;
};

double secondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK matchChild(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (GetDlgCtrlID(child) == search->id) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

bool labelFilled(HWND window, const Program& program) {
    if (program.labelId == 0) {
        return true;
    }
    // The label may sit inside a frame: every level is searched.
    ChildSearch search{program.labelId, nullptr};
    EnumChildWindows(window, matchChild, reinterpret_cast<LPARAM>(&search));
    HWND label = search.found;
    if (label == nullptr) {
        return false;
    }
    wchar_t text[256] = {};
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(label, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 1000, &copied) == 0) {
        return false;
    }
    return std::wcsncmp(text, program.labelPrefix.c_str(), program.labelPrefix.size()) == 0 &&
           std::wcslen(text) > program.labelPrefix.size();
}

BOOL CALLBACK childNeedsPaint(HWND child, LPARAM param) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(param) = true;
        return FALSE;
    }
    return TRUE;
}

bool painted(HWND window) {
    // The answer comes only when the window's thread takes messages again.
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) == 0) {
        return false;
    }
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    bool pending = false;
    EnumChildWindows(window, childNeedsPaint, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

// Milliseconds to a filled and painted window, or a negative value when none came.
double timeOneRun(const Program& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = program.commandLine;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1.0;
    }
    double elapsed = -1.0;
    while (secondsSince(start) < kRunLimitSeconds) {
        HWND window = FindWindowW(program.className.c_str(), nullptr);
        if (window != nullptr && IsWindowVisible(window) && labelFilled(window, program) &&
            painted(window)) {
            elapsed = secondsSince(start) * 1000.0;
            PostMessageW(window, WM_CLOSE, 0, 0);
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            break;  // ended without a window
        }
        Sleep(1);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        elapsed = -1.0;  // a run that does not end is no run
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    return times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2.0;
}

struct Interval {
    double ratio;
    double low;
    double high;
};

// The ratio of medians and its 95 % percentile bootstrap interval, resampling
// whole pairs so that what one turn's load did to both stays together. The
// seed is fixed: every ratio of one run resamples the same turns.
Interval ratioOfMedians(const std::vector<double>& base, const std::vector<double>& program) {
    std::mt19937 random(20261209u);
    std::uniform_int_distribution<std::size_t> pick(0, base.size() - 1);
    std::vector<double> ratios;
    ratios.reserve(kResamples);
    std::vector<double> a(base.size());
    std::vector<double> b(base.size());
    for (int r = 0; r < kResamples; ++r) {
        for (std::size_t i = 0; i < base.size(); ++i) {
            const std::size_t chosen = pick(random);
            a[i] = base[chosen];
            b[i] = program[chosen];
        }
        ratios.push_back(median(b) / median(a));
    }
    std::sort(ratios.begin(), ratios.end());
    const auto at = [&](double fraction) {
        return ratios[static_cast<std::size_t>(fraction * (kResamples - 1))];
    };
    return {median(program) / median(base), at(0.025), at(0.975)};
}

bool run(Program& program, bool keep) {
    const double ms = timeOneRun(program);
    if (ms < 0) {
        std::fwprintf(stderr, L"%ls: no filled and painted window\n", program.commandLine.c_str());
        return false;
    }
    if (keep) {
        program.times.push_back(ms);
    }
    return true;
}

void printSummary(const Program& program) {
    const auto [low, high] = std::minmax_element(program.times.begin(), program.times.end());
    std::wprintf(L"%ls: median %.1f ms, min %.1f ms, max %.1f ms, runs %zu\n",
                 program.className.c_str(), median(program.times), *low, *high,
                 program.times.size());
}

// The child-window id of the dialog's control called `name` (as Label5), from
// the window description the dialog itself is built from; 0 for none.
int controlIdNamed(const wchar_t* name) {
    for (const form::ControlDescription& control : form::controlDescriptions()) {
        if (std::equal(control.name.begin(), control.name.end(), name, name + std::wcslen(name))) {
            return form::kFirstControlId + static_cast<int>(control.id);
        }
    }
    return 0;
}

void printRatio(const wchar_t* what, const Interval& interval) {
    std::wprintf(L"%ls: ratio of medians %.2f, 95 %% interval %.2f to %.2f\n", what, interval.ratio,
                 interval.low, interval.high);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    double limitSeconds = 240.0;
    int arg = 1;
    if (argc > 2 && std::wcscmp(argv[1], L"--seconds") == 0) {
        limitSeconds = _wtof(argv[2]);
        arg = 3;
    }
    if (argc - arg != 8 || limitSeconds <= 0) {
        std::fwprintf(stderr,
                      L"usage: startup_timer [--seconds LIMIT] EMPTY_CLASS EMPTY_PROGRAM "
                      L"FLOOR_CLASS FLOOR_PROGRAM CLASS PROGRAM LABEL_NAME LABEL_PREFIX\n");
        return 2;
    }
    const int labelId = controlIdNamed(argv[arg + 6]);
    if (labelId == 0) {
        std::fwprintf(stderr, L"startup_timer: the dialog has no control named %ls\n",
                      argv[arg + 6]);
        return 2;
    }
    const auto quoted = [](const wchar_t* path) { return std::wstring(L"\"") + path + L"\""; };
    Program empty{argv[arg], quoted(argv[arg + 1]), 0, L"", {}};
    Program floor{argv[arg + 2], quoted(argv[arg + 3]), labelId, argv[arg + 7], {}};
    Program program{argv[arg + 4], quoted(argv[arg + 5]), labelId, argv[arg + 7], {}};

    // The first start of each loads what later starts find in the caches.
    if (!run(empty, false) || !run(floor, false) || !run(program, false)) {
        return 1;
    }
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    Interval overFloor{};
    bool narrow = false;
    while (!narrow && secondsSince(start) < limitSeconds) {
        // One turn: empty, floor, program, program, floor, empty; two triples.
        for (Program* next : {&empty, &floor, &program, &program, &floor, &empty}) {
            if (!run(*next, true)) {
                return 1;
            }
        }
        if (empty.times.size() >= kLeastPairs) {
            overFloor = ratioOfMedians(floor.times, program.times);
            narrow = overFloor.high - overFloor.ratio <= kHalfWidth &&
                     overFloor.ratio - overFloor.low <= kHalfWidth;
        }
    }
    if (empty.times.size() < kLeastPairs) {
        overFloor = ratioOfMedians(floor.times, program.times);
    }
    printSummary(empty);
    printSummary(floor);
    printSummary(program);
    printRatio(L"program / floor", overFloor);
    printRatio(L"program / empty window", ratioOfMedians(empty.times, program.times));
    printRatio(L"floor / empty window", ratioOfMedians(empty.times, floor.times));
    std::wprintf(L"%zu triples in %.0f s%ls\n", empty.times.size(), secondsSince(start),
                 narrow ? L"" : L" (program / floor wider than +-0.05: time limit reached)");
    return 0;
}
