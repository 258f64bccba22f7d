// Orvanta's entry point: the main window, its toolkit and the shell for the links.
#include <windows.h>

#include <commctrl.h>

#include "callback_guard.h"
#include "dll_search.h"
#include "frm_main.h"
#include "program_info.h"
#include "shell_links.h"
#include "system_reports.h"
#include "win32_toolkit.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    using namespace orvanta;
    win32::LimitDllSearchToSystemFolder();
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
