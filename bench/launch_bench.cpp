// Starts programs in turn, again and again, waits until each one's main
// window is idle, reads its working set and closes it; prints the medians
// and the last program's ratios to the others.
// Usage: launch_bench [--runs N] PROGRAM.exe...
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

struct Launch {
    double startMs;
    double workingSetKb;
};

// Starts the program, waits until its main window is idle, reads its working
// set and closes it.
bool LaunchOnce(const char* program, Launch& launch) {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    std::string command = std::string("\"") + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER begin, idle;
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
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
    launch.startMs = 1000.0 * static_cast<double>(idle.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
    launch.workingSetKb = static_cast<double>(memory.WorkingSetSize) / 1024.0;
    if (found.window) PostMessageW(found.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

const char* BaseName(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\') name = p + 1;
    return name;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<const char*> programs;
    int runs = 15;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::atoi(argv[++i]);
        else programs.push_back(argv[i]);
    }
    if (programs.empty() || runs < 1) {
        std::fprintf(stderr, "usage: launch_bench [--runs N] PROGRAM.exe... (the last one is compared with the others)\n");
        return 2;
    }
    // The programs take turns, so that whatever else the machine does falls
    // on all of them alike. One launch each first, not counted, warms the caches.
    std::vector<std::vector<double>> startMs(programs.size()), workingSetKb(programs.size());
    for (int run = -1; run < runs; ++run) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            Launch launch{};
            if (!LaunchOnce(programs[p], launch)) {
                std::fprintf(stderr, "cannot start %s\n", programs[p]);
                return 1;
            }
            if (run < 0) continue;
            startMs[p].push_back(launch.startMs);
            workingSetKb[p].push_back(launch.workingSetKb);
        }
    }
    std::vector<double> start(programs.size()), memory(programs.size());
    for (std::size_t p = 0; p < programs.size(); ++p) {
        start[p] = Median(startMs[p]);
        memory[p] = Median(workingSetKb[p]);
        std::printf("%-20s start-up to idle window %7.1f ms, working set %7.0f KB (medians of %d)\n",
                    BaseName(programs[p]), start[p], memory[p], runs);
    }
    const std::size_t last = programs.size() - 1;
    for (std::size_t p = 0; p < last; ++p)
        std::printf("%s against %s: start-up %.2fx, working set %.2fx\n", BaseName(programs[last]),
                    BaseName(programs[p]), start[last] / start[p], memory[last] / memory[p]);
    return 0;
}
