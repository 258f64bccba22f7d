#include "system_reports.h"

#include <shellscalingapi.h>

#include "dll_function.h"
#include "dll_search.h"

namespace orvanta::win32 {

namespace {

bool HighContrastOn() {
    HIGHCONTRASTW setting{sizeof setting};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

bool ChangesTheWindows(UINT action, const wchar_t* section) {
    return action == SPI_SETNONCLIENTMETRICS || action == SPI_SETHIGHCONTRAST ||
           (section && lstrcmpiW(section, L"WindowMetrics") == 0);
}

SystemReports BindSystemReports() {
    SystemReports reports;
    reports.highContrast = HighContrastOn;
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (const auto found = DllFunction<UINT(WINAPI*)(HWND)>(user32, "GetDpiForWindow")) reports.dpiForWindow = found;
    if (const auto found = DllFunction<UINT(WINAPI*)()>(user32, "GetDpiForSystem")) reports.dpiForSystem = found;
    using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    if (const auto found = DllFunction<AdjustFn>(user32, "AdjustWindowRectExForDpi"))
        reports.adjustWindowRectForDpi = [found](RECT* rect, DWORD style, DWORD exStyle, UINT dpi) {
            return found(rect, style, FALSE, exStyle, dpi);
        };
    if (const auto found = DllFunction<int(WINAPI*)(int, UINT)>(user32, "GetSystemMetricsForDpi"))
        reports.systemMetricForDpi = found;
    if (reports.dpiForWindow) return reports;
    // Only a Windows without the per-window calls loads shcore.dll (8.1 and 10 before 1607).
    using Fn = HRESULT(WINAPI*)(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*);
    if (const auto found = DllFunction<Fn>(LoadSystemDll(L"shcore.dll"), "GetDpiForMonitor"))
        reports.monitorDpi = [found](HMONITOR monitor) {
            UINT dpiX = 0, dpiY = 0;
            return SUCCEEDED(found(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) ? dpiX : 0u;
        };
    return reports;
}

}  // namespace orvanta::win32
