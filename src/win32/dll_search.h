// Where the program's DLLs come from: Windows' own folder, never the folder
// the program was started from. Orvanta is a portable program, started from
// wherever it was saved (a Downloads folder, say), and a DLL lying beside it
// under the name of one of Windows' own must never be loaded in its place.
#pragma once

#include <windows.h>

namespace orvanta::win32 {

// The first thing the program does: from then on, a DLL loaded by name, by
// the program or by Windows on its behalf, is searched for in System32 alone.
// Where Windows lacks that setting (Windows 7 without its update KB2533623),
// at least the current folder is no longer searched.
void LimitDllSearchToSystemFolder();

// Windows' DLL `name` ("shell32.dll"), from System32 alone; null when it is
// missing there.
HMODULE LoadSystemDll(const wchar_t* name);

}  // namespace orvanta::win32
