#include "dpi_scaling.h"

#include <shellscalingapi.h>

#include "dll_function.h"

namespace orvanta::win32 {

namespace {

// Set while a test runs the windows as on a Windows without the per-window calls.
PerWindowDpiCallsMissing::MonitorDpiFunction monitorDpiForTesting = nullptr;

template <typename Function>
Function User32Function(const char* name) {
    static HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return DllFunction<Function>(user32, name);
}

// A per-window call of Windows 10 1607 and later, as found in user32: null
// where it is missing, or while a test runs the windows as if it were.
template <typename Function>
Function PerWindowCall(Function found) {
    return monitorDpiForTesting ? nullptr : found;
}

// The effective dpi of the monitor `window` stands on, as Windows 8.1 and
// later tell it to a per-monitor-aware program; 0 where GetDpiForMonitor is
// missing (before 8.1). shcore.dll is loaded only here, on a Windows that
// lacks GetDpiForWindow.
int MonitorDpi(HWND window) {
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (monitorDpiForTesting) return static_cast<int>(monitorDpiForTesting(monitor));
    using Fn = HRESULT(WINAPI*)(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*);
    static const Fn getDpiForMonitor =
        DllFunction<Fn>(LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
    UINT dpiX = 0, dpiY = 0;
    if (!getDpiForMonitor || FAILED(getDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY))) return 0;
    return static_cast<int>(dpiX);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int DpiForWindow(HWND window, int expected) {
    using Fn = UINT(WINAPI*)(HWND);
    static const Fn found = User32Function<Fn>("GetDpiForWindow");
    if (const Fn getDpiForWindow = PerWindowCall(found)) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    const int monitorDpi = MonitorDpi(window);
    return monitorDpi > 0 ? monitorDpi : expected;
}

int SystemDpi() {
    using Fn = UINT(WINAPI*)();
    static const Fn found = User32Function<Fn>("GetDpiForSystem");
    const Fn getDpiForSystem = PerWindowCall(found);
    if (getDpiForSystem) {
        const UINT dpi = getDpiForSystem();
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

RECT WindowRectForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi) {
    RECT rect{0, 0, clientWidth, clientHeight};
    using Fn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const Fn found = User32Function<Fn>("AdjustWindowRectExForDpi");
    const Fn adjustForDpi = PerWindowCall(found);
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

int SystemMetricForDpi(int index, int dpi) {
    using Fn = int(WINAPI*)(int, UINT);
    static const Fn found = User32Function<Fn>("GetSystemMetricsForDpi");
    const Fn metricForDpi = PerWindowCall(found);
    if (metricForDpi) return metricForDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}

PerWindowDpiCallsMissing::PerWindowDpiCallsMissing(MonitorDpiFunction monitorDpi) { monitorDpiForTesting = monitorDpi; }

PerWindowDpiCallsMissing::~PerWindowDpiCallsMissing() { monitorDpiForTesting = nullptr; }

}  // namespace orvanta::win32
