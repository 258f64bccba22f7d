#include "shell_links.h"

#include "dll_function.h"
#include "text_convert.h"
#include "win32_toolkit.h"

namespace orvanta::win32 {

namespace {

int ShowCommandOf(ui::ShowCommand show) {
    switch (show) {
    case ui::ShowCommand::ShowNormal: return SW_SHOWNORMAL;
    case ui::ShowCommand::Show: return SW_SHOW;
    }
    return SW_SHOWNORMAL;
}

}  // namespace

ShellExecuteAFunction BindShellExecuteA() {
    return DllFunction<ShellExecuteAFunction>(LoadLibraryA("shell32.dll"), "ShellExecuteA");
}

void ShellLinks::Execute(const ui::Form* owner, std::string_view operation, std::string_view file,
                         std::string_view parameters, std::string_view directory, ui::ShowCommand show) {
    if (!bound_) {
        function_ = bind_();
        bound_ = true;
    }
    if (!function_) return;
    const std::string op = ToAnsi(operation), target = ToAnsi(file), params = ToAnsi(parameters),
                      dir = ToAnsi(directory);
    const FormWindow* ownerWindow = owner ? windows_.WindowOf(*owner) : nullptr;
    function_(ownerWindow ? ownerWindow->Handle() : nullptr, op.c_str(), target.c_str(), params.c_str(), dir.c_str(),
              ShowCommandOf(show));
}

}  // namespace orvanta::win32
