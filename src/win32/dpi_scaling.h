// Dots per inch of a window or of the system, asked of the APIs that exist on
// the running Windows (per window on Windows 10 1607 and later, per monitor
// on Windows 8.1, system-wide before).
#pragma once

#include <windows.h>

namespace orvanta::win32 {

// The dpi `window` has: what Windows 10 1607 and later say of it; before
// them, on Windows 8.1 and 10, the dpi of the monitor it stands on (a
// per-monitor-aware window is told of its dpi only when that changes, and
// asks at creation); without either, `expected`, the dpi it was made for.
int DpiForWindow(HWND window, int expected);
int SystemDpi();
// The window rectangle whose client area is `clientWidth` x `clientHeight` at `dpi`.
RECT WindowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);
int SystemMetricForDpi(int index, int dpi);

// WM_GETDPISCALEDSIZE, which Windows 10 1703 and later send before a dpi change.
inline constexpr UINT kGetDpiScaledSize = 0x02E4;

// For tests, which run on a Windows that has every dpi call: while one of
// these lives, the per-window calls of Windows 10 1607 (GetDpiForWindow,
// GetDpiForSystem, AdjustWindowRectExForDpi, GetSystemMetricsForDpi) count as
// missing, as on Windows 8.1 and on 10 before 1607, and `monitorDpi` answers
// for GetDpiForMonitor.
class PerWindowDpiCallsMissing {
public:
    using MonitorDpiFunction = UINT (*)(HMONITOR monitor);
    explicit PerWindowDpiCallsMissing(MonitorDpiFunction monitorDpi);
    ~PerWindowDpiCallsMissing();
    PerWindowDpiCallsMissing(const PerWindowDpiCallsMissing&) = delete;
    PerWindowDpiCallsMissing& operator=(const PerWindowDpiCallsMissing&) = delete;
};

}  // namespace orvanta::win32
