#include "system_reports.h"

#include <commctrl.h>

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
    reports.dpiForWindow = DllFunction<decltype(reports.dpiForWindow)>(user32, "GetDpiForWindow");
    reports.dpiForSystem = DllFunction<decltype(reports.dpiForSystem)>(user32, "GetDpiForSystem");
    reports.adjustWindowRectForDpi =
        DllFunction<decltype(reports.adjustWindowRectForDpi)>(user32, "AdjustWindowRectExForDpi");
    reports.systemMetricForDpi = DllFunction<decltype(reports.systemMetricForDpi)>(user32, "GetSystemMetricsForDpi");
    HMODULE comctl32 = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&InitCommonControlsEx), &comctl32);
    reports.loadIconWithScaleDown =
        DllFunction<decltype(reports.loadIconWithScaleDown)>(comctl32, "LoadIconWithScaleDown");
    // Only a Windows without the per-window calls loads shcore.dll (8.1 and 10 before 1607).
    if (!reports.dpiForWindow)
        reports.dpiForMonitor = DllFunction<decltype(reports.dpiForMonitor)>(LoadSystemDll(L"shcore.dll"),
                                                                            "GetDpiForMonitor");
    return reports;
}

}  // namespace orvanta::win32
