#include "dll_search.h"

#include <string>

#include "dll_function.h"

namespace orvanta::win32 {

namespace {

// SetDefaultDllDirectories, and with it the LOAD_LIBRARY_SEARCH_ flags, came
// with Windows 8, and to Windows 7 with its update KB2533623: Microsoft's
// documented test for the flags is whether kernel32 has the function.
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories() {
    return DllFunction<SetDefaultDllDirectoriesFunction>(GetModuleHandleW(L"kernel32.dll"),
                                                         "SetDefaultDllDirectories");
}

}  // namespace

void LimitDllSearchToSystemFolder() {
    const SetDefaultDllDirectoriesFunction setDefault = FindSetDefaultDllDirectories();
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    SetDllDirectoryW(L"");  // takes the current folder out of the search
}

HMODULE LoadSystemDll(const wchar_t* name) {
    if (FindSetDefaultDllDirectories()) return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Without the flags: the DLL by its full path in System32, and the DLLs it
    // needs searched for from there first.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace orvanta::win32
