// Started by the planted-DLL test (dll_search_test.cpp) from a folder of its
// own, with DLLs named as Windows' own beside it: it limits the DLL search as
// the program does first thing, then loads every DLL that the program loads
// itself, and what Windows loads for them while it decodes the About picture.
// Exits 0 once every function the program binds was found, 1 otherwise.
#include <windows.h>

#include "about_picture.h"
#include "dll_search.h"
#include "resource_ids.h"
#include "shell_links.h"
#include "win32_toolkit.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace orvanta::win32;
    LimitDllSearchToSystemFolder();
    const SystemReports system = BindSystemReports();
    Win32Toolkit toolkit(instance, system);
    if (!toolkit.Initialize()) return 1;
    const ResourcePicture picture(IDR_ABOUT_PICTURE);
    const bool shellBound = BindShellExecuteA() != nullptr;
    const ShellAssociations associations = BindShellAssociations();
    // As Windows' own components load DLLs for the program later on: by name alone.
    const bool loadedByName = LoadLibraryW(L"dwmapi.dll") != nullptr;
    const bool bound =
        picture.Loaded() && shellBound && associations.parseUrl && associations.queryString && loadedByName;
    return bound ? 0 : 1;
}
