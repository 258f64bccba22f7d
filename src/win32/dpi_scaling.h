// Dots per inch of a window or of the system, asked of the APIs that exist on
// the running Windows (per-monitor on Windows 10, system-wide before).
#pragma once

#include <windows.h>

namespace orvanta::win32 {

int DpiForWindow(HWND window);
int SystemDpi();
// The window rectangle whose client area is `clientWidth` x `clientHeight` at `dpi`.
RECT WindowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);
int SystemMetricForDpi(int index, int dpi);

}  // namespace orvanta::win32
