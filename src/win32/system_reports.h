// What the running Windows reports that the windows follow: the dpi of a
// window, of the system and of a monitor, frames and metrics for a dpi, and
// high contrast. Bound once at start-up from the calls this Windows has, and
// given to the toolkit; a test gives it answers of its own instead.
#pragma once

#include <windows.h>

#include <functional>

namespace orvanta::win32 {

struct SystemReports {
    // Windows 10 1607 and later: GetDpiForWindow, GetDpiForSystem,
    // AdjustWindowRectExForDpi, GetSystemMetricsForDpi. Empty where missing.
    std::function<UINT(HWND)> dpiForWindow;
    std::function<UINT()> dpiForSystem;
    std::function<BOOL(RECT*, DWORD style, DWORD exStyle, UINT dpi)> adjustWindowRectForDpi;
    std::function<int(int index, UINT dpi)> systemMetricForDpi;
    // Windows 8.1 and later: the effective dpi of a monitor (GetDpiForMonitor;
    // 0 where it cannot tell), bound only where GetDpiForWindow is missing.
    std::function<UINT(HMONITOR)> monitorDpi;
    // Whether the user has asked Windows for high contrast.
    std::function<bool()> highContrast;
};

SystemReports BindSystemReports();

// Whether a settings broadcast (WM_SETTINGCHANGE's action and section) is of
// what the windows' frames and controls depend on: the metrics of title
// bars and borders, named by the call or by the section, and high contrast.
// Windows broadcasts many others (the environment, regional settings,
// policies, the task bar), some many times a day.
bool ChangesTheWindows(UINT action, const wchar_t* section);

}  // namespace orvanta::win32
