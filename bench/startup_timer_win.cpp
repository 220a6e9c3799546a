// startup_timer RUNS CLASS PROGRAM [CLASS PROGRAM]...: starts each PROGRAM
// RUNS times, taking turns so that whatever else the machine does weighs on
// all alike, and measures each time from process creation to a visible
// top-level window of its CLASS; then closes it and waits for it to end.
// Prints one summary line per program.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Program {
    std::wstring className;
    std::wstring commandLine;
    std::vector<double> times;
};

double secondsSince(const LARGE_INTEGER& start, const LARGE_INTEGER& frequency) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Milliseconds to a visible window, or a negative value when none came.
double timeOneRun(const Program& program) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = program.commandLine;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1.0;
    }
    double elapsed = -1.0;
    while (secondsSince(start, frequency) < 30.0) {
        HWND window = FindWindowW(program.className.c_str(), nullptr);
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

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    return times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2.0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::fwprintf(stderr, L"usage: startup_timer RUNS CLASS PROGRAM [CLASS PROGRAM]...\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    std::vector<Program> programs;
    for (int arg = 2; arg + 1 < argc; arg += 2) {
        programs.push_back({argv[arg], std::wstring(L"\"") + argv[arg + 1] + L"\"", {}});
    }

    for (int run = 0; run < runs; ++run) {
        for (Program& program : programs) {
            const double ms = timeOneRun(program);
            if (ms < 0) {
                std::fwprintf(stderr, L"%ls: no window\n", program.commandLine.c_str());
                return 1;
            }
            program.times.push_back(ms);
        }
    }
    for (const Program& program : programs) {
        const auto [low, high] = std::minmax_element(program.times.begin(), program.times.end());
        std::wprintf(L"%ls: median %.1f ms, min %.1f ms, max %.1f ms, runs %zu\n",
                     program.className.c_str(), median(program.times), *low, *high,
                     program.times.size());
    }
    return 0;
}
