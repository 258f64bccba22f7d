// Orvanta's entry point: the main window, its toolkit and the shell for the links.
#include <windows.h>

#include <commctrl.h>

#include "frm_main.h"
#include "program_info.h"
#include "shell_links.h"
#include "win32_toolkit.h"

#include <cstdlib>

// The program has no console: an exception that escaped everything would end
// it at once anyway, without the library's console report (and the name
// demangler that report links in).
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    orvanta::win32::Win32Toolkit toolkit(instance);
    int exitCode = 1;
    if (toolkit.Initialize()) {
        orvanta::win32::ShellLinks shell;
        orvanta::ui::frmMain mainForm(toolkit, shell);
        exitCode = toolkit.Run(mainForm);
    } else {
        MessageBoxW(nullptr, L"\x65E0\x6CD5\x521B\x5EFA\x7A97\x53E3\x3002", L"" ORVANTA_NAME, MB_OK | MB_ICONERROR);
    }
    return exitCode;
}
