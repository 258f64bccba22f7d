// Orvanta's entry point: the main window, its toolkit and the shell for the links.
#include <windows.h>

#include <commctrl.h>

#include "callback_guard.h"
#include "frm_main.h"
#include "program_info.h"
#include "shell_links.h"
#include "system_reports.h"
#include "win32_toolkit.h"

#include <cstdlib>

// The program has no console: an exception that escaped everything would end
// it at once anyway, without the library's console report (and the name
// demangler that report links in).
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    using namespace orvanta;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const win32::SystemReports system = win32::BindSystemReports();
    win32::Win32Toolkit toolkit(instance, system);
    win32::ShellLinks shell(toolkit);
    ui::frmMain mainForm(toolkit, shell);
    const int exitCode = win32::Guarded(nullptr, win32::Win32Toolkit::kCouldNotStart, [&] {
        return toolkit.Initialize() ? toolkit.Run(mainForm, show) : win32::Win32Toolkit::kCouldNotStart;
    });
    if (exitCode != win32::Win32Toolkit::kCouldNotStart) return exitCode;
    MessageBoxW(nullptr, L"无法创建窗口。", L"" ORVANTA_NAME, MB_OK | MB_ICONERROR);
    return 1;
}
