// Functions of Windows' own DLLs that are found by name at run time, where
// the program must start without them or should not load them at start-up.
#pragma once

#include <windows.h>

namespace orvanta::win32 {

// The function `name` of `module` as a `Function` pointer; null when the
// module or the function is missing.
template <typename Function>
Function DllFunction(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace orvanta::win32
