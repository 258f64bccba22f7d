// Dots per inch of a window or of the system, from what the running Windows
// reports (per window on Windows 10 1607 and later, per monitor on Windows
// 8.1 and 10, system-wide before).
#pragma once

#include <windows.h>

#include "system_reports.h"

namespace orvanta::win32 {

// The dpi `window` has: what Windows 10 1607 and later say of it; before
// them, on Windows 8.1 and 10, the dpi of the monitor it stands on (a
// per-monitor-aware window is told of its dpi only when that changes, and
// asks at creation); without either, `expected`, the dpi it was made for.
int DpiForWindow(const SystemReports& system, HWND window, int expected);
int SystemDpi(const SystemReports& system);
// The window rectangle whose client area is `clientWidth` x `clientHeight` at `dpi`.
RECT WindowRectForClient(const SystemReports& system, int clientWidth, int clientHeight, DWORD style, DWORD exStyle,
                         int dpi);
int SystemMetricForDpi(const SystemReports& system, int index, int dpi);

// WM_GETDPISCALEDSIZE, which Windows 10 1703 and later send before a dpi change.
inline constexpr UINT kGetDpiScaledSize = 0x02E4;

}  // namespace orvanta::win32
