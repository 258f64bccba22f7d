// The baseline for start-up time and memory: a bare Win32 window, built like Orvanta.
#include <windows.h>

#include "baseline_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    if (!baseline::RegisterWindowClass(instance, L"BareWindow")) return 1;
    HWND window = CreateWindowExW(0, L"BareWindow", L"Bare", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 391, 262, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    return baseline::ShowAndRun(window, show);
}
