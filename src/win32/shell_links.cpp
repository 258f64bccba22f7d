#include "shell_links.h"

#include "text_convert.h"

namespace orvanta::win32 {

ShellExecuteAFunction BindShellExecuteA() {
    HMODULE shell32 = LoadLibraryA("shell32.dll");
    if (!shell32) return nullptr;
    return reinterpret_cast<ShellExecuteAFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell32, "ShellExecuteA")));
}

void ShellLinks::Execute(std::uintptr_t owner, std::string_view operation, std::string_view file,
                         std::string_view parameters, std::string_view directory, int showCommand) {
    if (!bound_) {
        function_ = bind_();
        bound_ = true;
    }
    if (!function_) return;
    const std::string op = ToAnsi(operation), target = ToAnsi(file), params = ToAnsi(parameters),
                      dir = ToAnsi(directory);
    function_(reinterpret_cast<HWND>(owner), op.c_str(), target.c_str(), params.c_str(), dir.c_str(), showCommand);
}

}  // namespace orvanta::win32
