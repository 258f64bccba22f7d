#include "dpi_scaling.h"

namespace orvanta::win32 {

namespace {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int DpiForWindow(const SystemReports& system, HWND window, int expected) {
    if (system.dpiForWindow) {
        if (const UINT dpi = system.dpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
    }
    // The effective dpi of the monitor the window stands on.
    UINT dpiX = 0, dpiY = 0;
    if (system.dpiForMonitor &&
        SUCCEEDED(system.dpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), MDT_EFFECTIVE_DPI, &dpiX,
                                       &dpiY)) &&
        dpiX > 0)
        return static_cast<int>(dpiX);
    return expected;
}

int SystemDpi(const SystemReports& system) {
    if (system.dpiForSystem) {
        if (const UINT dpi = system.dpiForSystem(); dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

RECT WindowRectForClient(const SystemReports& system, int clientWidth, int clientHeight, DWORD style, DWORD exStyle,
                         int dpi) {
    RECT rect{0, 0, clientWidth, clientHeight};
    if (!system.adjustWindowRectForDpi ||
        !system.adjustWindowRectForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

int SystemMetricForDpi(const SystemReports& system, int index, int dpi) {
    if (system.systemMetricForDpi) return system.systemMetricForDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}

}  // namespace orvanta::win32
