// Opens links through ShellExecuteA of shell32.dll, bound by name on first use,
// when the shell's associations (shlwapi.dll, also bound by name) have a
// program for the link.
#pragma once

#include <windows.h>

#include <shlwapi.h>

#include <functional>

#include "toolkit.h"

namespace orvanta::win32 {

using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using ParseURLWFunction = HRESULT(WINAPI*)(LPCWSTR, PARSEDURLW*);
using AssocQueryStringWFunction = HRESULT(WINAPI*)(ASSOCF, ASSOCSTR, LPCWSTR, LPCWSTR, LPWSTR, DWORD*);

// Finds ShellExecuteA; returns null when it cannot be had.
ShellExecuteAFunction BindShellExecuteA();

// The shell's functions that tell a link's scheme and the program registered
// for it; each is null when it cannot be had.
struct ShellAssociations {
    ParseURLWFunction parseUrl = nullptr;
    AssocQueryStringWFunction queryString = nullptr;
    // Windows 8 or later, whose associations know protocols as such and packaged apps.
    bool windows8 = false;
};
ShellAssociations BindShellAssociations();

class Win32Toolkit;

class ShellLinks : public ui::Shell {
public:
    // `windows` has the windows of the forms that own the shell's windows.
    explicit ShellLinks(const Win32Toolkit& windows, std::function<ShellExecuteAFunction()> bind = BindShellExecuteA,
                        std::function<ShellAssociations()> bindAssociations = BindShellAssociations)
        : windows_(windows), bind_(std::move(bind)), bindAssociations_(std::move(bindAssociations)) {}

    // The owner form's window and the SW_ value go to the shell, the texts in
    // the ANSI code page; its result is ignored, since a link that cannot be
    // opened is no fault of the program. A link whose scheme has no program
    // registered for the verb (or only Windows' own Open With prompt) is not
    // handed to the shell at all: Windows would answer it with a prompt of its
    // own (to look for an app, or an error box), and such a link is to pass
    // without anything shown.
    void Execute(const ui::Form* owner, std::string_view operation, std::string_view file,
                 std::string_view parameters, std::string_view directory, ui::ShowCommand show) override;

private:
    const Win32Toolkit& windows_;
    std::function<ShellExecuteAFunction()> bind_;
    std::function<ShellAssociations()> bindAssociations_;
    ShellExecuteAFunction function_ = nullptr;
    ShellAssociations associations_;
    bool bound_ = false;
};

}  // namespace orvanta::win32
