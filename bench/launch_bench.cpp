// Starts a program again and again, waits until its main window is idle,
// reads its working set and closes it; prints the medians.
// Usage: launch_bench PROGRAM.exe [RUNS]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Found {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM lParam) {
    auto* found = reinterpret_cast<Found*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == found->process && IsWindowVisible(hwnd) && !GetWindow(hwnd, GW_OWNER)) {
        found->window = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: launch_bench PROGRAM.exe [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 15;
    std::vector<double> startMs, workingSetKb;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int run = 0; run < runs; ++run) {
        std::string command = std::string("\"") + argv[1] + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        LARGE_INTEGER begin, idle;
        QueryPerformanceCounter(&begin);
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            std::fprintf(stderr, "cannot start %s\n", argv[1]);
            return 1;
        }
        WaitForInputIdle(process.hProcess, 30000);
        Found found{process.dwProcessId, nullptr};
        for (int i = 0; i < 3000 && !found.window; ++i) {
            EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&found));
            if (!found.window) Sleep(1);
        }
        WaitForInputIdle(process.hProcess, 30000);
        QueryPerformanceCounter(&idle);
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
        startMs.push_back(1000.0 * static_cast<double>(idle.QuadPart - begin.QuadPart) /
                          static_cast<double>(frequency.QuadPart));
        workingSetKb.push_back(static_cast<double>(memory.WorkingSetSize) / 1024.0);
        if (found.window) PostMessageW(found.window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    std::printf("%s: start-up to idle window %.1f ms, working set %.0f KB (medians of %d runs)\n", argv[1],
                Median(startMs), Median(workingSetKb), runs);
    return 0;
}
