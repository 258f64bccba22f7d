// What the running Windows reports that the windows follow: the dpi of a
// window, of the system and of a monitor, frames and metrics for a dpi, high
// contrast, and the icons scaled for a size. Bound once at start-up from the
// calls this Windows has, and given to the toolkit; a test gives it answers
// of its own instead.
#pragma once

#include <windows.h>

#include <shellscalingapi.h>

namespace orvanta::win32 {

struct SystemReports {
    // Windows 10 1607 and later: GetDpiForWindow, GetDpiForSystem,
    // AdjustWindowRectExForDpi, GetSystemMetricsForDpi. Null where missing.
    UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
    UINT(WINAPI* dpiForSystem)() = nullptr;
    BOOL(WINAPI* adjustWindowRectForDpi)(RECT*, DWORD style, BOOL menu, DWORD exStyle, UINT dpi) = nullptr;
    int(WINAPI* systemMetricForDpi)(int index, UINT dpi) = nullptr;
    // Windows 8.1 and later: GetDpiForMonitor, bound only where GetDpiForWindow is missing.
    HRESULT(WINAPI* dpiForMonitor)(HMONITOR, MONITOR_DPI_TYPE, UINT* x, UINT* y) = nullptr;
    // Whether the user has asked Windows for high contrast.
    bool (*highContrast)() = nullptr;
    // LoadIconWithScaleDown, of the common controls 6 that the manifest asks
    // for (mingw-w64's import library lacks it), from the comctl32 the
    // program runs with. Null where missing.
    HRESULT(WINAPI* loadIconWithScaleDown)(HINSTANCE, PCWSTR name, int cx, int cy, HICON* icon) = nullptr;
};

SystemReports BindSystemReports();

// Whether a settings broadcast (WM_SETTINGCHANGE's action and section) is of
// what the windows' frames and controls depend on: the metrics of title
// bars and borders, named by the call or by the section, and high contrast.
// Windows broadcasts many others (the environment, regional settings,
// policies, the task bar), some many times a day.
bool ChangesTheWindows(UINT action, const wchar_t* section);

}  // namespace orvanta::win32
