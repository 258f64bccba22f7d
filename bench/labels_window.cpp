// The second start-up baseline: the floor for putting the main window's text
// on the screen. A bare window, built like the first baseline, that shows
// every caption of the main window's layout as a plain label at its place,
// in the windows' 9-point GB2312 face (宋体, or the same stand-in the program
// chooses), and nothing else: no controls to edit, no layout pass.
#include <windows.h>

#include "baseline_window.h"
#include "dpi_scaling.h"
#include "frm_main.h"
#include "text_convert.h"
#include "window_font.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    using namespace orvanta;
    if (!baseline::RegisterWindowClass(instance, L"LabelsWindow")) return 1;
    const win32::SystemReports system = win32::BindSystemReports();
    const int dpi = win32::SystemDpi(system);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    const RECT outer = win32::WindowRectForClient(system, ui::TwipsToPixels(ui::kMainLayout.clientWidthTwips, dpi),
                                                  ui::TwipsToPixels(ui::kMainLayout.clientHeightTwips, dpi), style, 0,
                                                  dpi);
    HWND window = CreateWindowExW(0, L"LabelsWindow", L"Labels", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance,
                                  nullptr);
    if (!window) return 1;
    const win32::WindowFont font(9, dpi, false);
    for (const ui::ControlLayout& c : ui::kMainControls) {
        const auto [left, top] = ui::PositionInWindow(ui::kMainLayout, c);
        const int width = c.widthTwips == ui::kSizeToCaption ? 1800 : c.widthTwips;
        HWND label = CreateWindowExW(0, L"STATIC", win32::Widen(c.caption).c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX,
                                     ui::TwipsToPixels(left, dpi), ui::TwipsToPixels(top, dpi),
                                     ui::TwipsToPixels(width, dpi), ui::TwipsToPixels(180, dpi), window, nullptr,
                                     instance, nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.Handle()), FALSE);
    }
    return baseline::ShowAndRun(window, show);
}
