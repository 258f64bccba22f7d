// Successive calculations through the real main window: the time of each
// thousand, to show that the result box does not slow down as it grows.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "frm_main.h"
#include "shell_links.h"
#include "win32_toolkit.h"

int main(int argc, char** argv) {
    const int total = argc > 1 ? std::atoi(argv[1]) : 10000;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const orvanta::win32::SystemReports system = orvanta::win32::BindSystemReports();
    orvanta::win32::Win32Toolkit toolkit(GetModuleHandleW(nullptr), system);
    if (!toolkit.Initialize()) return 1;
    orvanta::win32::ShellLinks shell(toolkit);
    orvanta::ui::frmMain form(toolkit, shell);
    orvanta::win32::FormWindow* window = toolkit.Load(form, nullptr);
    if (!window) return 1;
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 1; i <= total; ++i) {
        form.Command1_Click();
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) toolkit.Dispatch(message);
        if (i % 1000 == 0) {
            QueryPerformanceCounter(&now);
            std::printf("calculations %5d-%5d: %8.1f ms\n", i - 999, i,
                        1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
            std::fflush(stdout);
            start = now;
        }
    }
    std::printf("result box: %d characters\n", window->TextLength(orvanta::ui::main_controls::txtResult));
    return 0;
}
