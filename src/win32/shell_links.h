// Opens links through ShellExecuteA of shell32.dll, bound by name on first use.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit.h"

namespace orvanta::win32 {

using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// Finds ShellExecuteA; returns null when it cannot be had.
ShellExecuteAFunction BindShellExecuteA();

class ShellLinks : public ui::Shell {
public:
    explicit ShellLinks(std::function<ShellExecuteAFunction()> bind = BindShellExecuteA) : bind_(std::move(bind)) {}

    // The texts go to the shell in the ANSI code page; its result is ignored,
    // since a link that cannot be opened is no fault of the program.
    void Execute(std::uintptr_t owner, std::string_view operation, std::string_view file,
                 std::string_view parameters, std::string_view directory, int showCommand) override;

private:
    std::function<ShellExecuteAFunction()> bind_;
    ShellExecuteAFunction function_ = nullptr;
    bool bound_ = false;
};

}  // namespace orvanta::win32
