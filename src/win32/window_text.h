// The texts Windows keeps for a window and for a combo box's items, in UTF-16.
#pragma once

#include <windows.h>

#include <string>

namespace orvanta::win32 {

std::wstring WindowText(HWND window);
std::wstring ComboItemText(HWND combo, LRESULT index);

}  // namespace orvanta::win32
