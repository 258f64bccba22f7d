// Opens links through ShellExecuteA of shell32.dll, bound by name on first use.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit.h"

namespace orvanta::win32 {

using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// Finds ShellExecuteA; returns null when it cannot be had.
ShellExecuteAFunction BindShellExecuteA();

class Win32Toolkit;

class ShellLinks : public ui::Shell {
public:
    // `windows` has the windows of the forms that own the shell's windows.
    explicit ShellLinks(const Win32Toolkit& windows, std::function<ShellExecuteAFunction()> bind = BindShellExecuteA)
        : windows_(windows), bind_(std::move(bind)) {}

    // The owner form's window and the SW_ value go to the shell, the texts in
    // the ANSI code page; its result is ignored, since a link that cannot be
    // opened is no fault of the program.
    void Execute(const ui::Form* owner, std::string_view operation, std::string_view file,
                 std::string_view parameters, std::string_view directory, ui::ShowCommand show) override;

private:
    const Win32Toolkit& windows_;
    std::function<ShellExecuteAFunction()> bind_;
    ShellExecuteAFunction function_ = nullptr;
    bool bound_ = false;
};

}  // namespace orvanta::win32
