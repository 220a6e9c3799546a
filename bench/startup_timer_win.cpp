// startup_timer RUNS CLASS PROGRAM: starts PROGRAM RUNS times, measures each
// time from process creation to a visible top-level window of class CLASS,
// closes it and waits for it to end. Prints one line per run and a summary.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

double secondsSince(const LARGE_INTEGER& start, const LARGE_INTEGER& frequency) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Milliseconds to a visible window, or a negative value when none came.
double timeOneRun(const std::wstring& className, std::wstring commandLine) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1.0;
    }
    double elapsed = -1.0;
    while (secondsSince(start, frequency) < 30.0) {
        HWND window = FindWindowW(className.c_str(), nullptr);
        if (window != nullptr && IsWindowVisible(window)) {
            elapsed = secondsSince(start, frequency) * 1000.0;
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
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fwprintf(stderr, L"usage: startup_timer RUNS CLASS PROGRAM\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    const std::wstring className = argv[2];
    const std::wstring program = std::wstring(L"\"") + argv[3] + L"\"";

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const double ms = timeOneRun(className, program);
        if (ms < 0) {
            std::fwprintf(stderr, L"run %d: no window\n", run + 1);
            return 1;
        }
        std::wprintf(L"run %d: %.1f ms\n", run + 1, ms);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2 == 1
                              ? times[times.size() / 2]
                              : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2.0;
    std::wprintf(L"median %.1f ms, min %.1f ms, max %.1f ms, runs %zu\n", median, times.front(),
                 times.back(), times.size());
    return 0;
}
