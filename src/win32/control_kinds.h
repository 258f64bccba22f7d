// What each kind of control of the layout tables is on Win32: its window
// class, its styles and what it can do.
#pragma once

#include <windows.h>

#include "toolkit.h"

namespace orvanta::win32 {

const wchar_t* WindowClassOf(ui::ControlKind kind);
DWORD StyleOf(const ui::ControlLayout& control);
DWORD ExStyleOf(ui::ControlKind kind);

// An EDIT control: the single-line fields and the result box.
bool IsEdit(ui::ControlKind kind);
bool IsCombo(ui::ControlKind kind);
// A field the user types into, whose Change the window reports itself.
bool IsInputField(ui::ControlKind kind);
// A control that can take the keyboard focus.
bool TakesFocus(ui::ControlKind kind);
// Whether the control shows its layout caption as its window text.
bool HasCaption(ui::ControlKind kind);

}  // namespace orvanta::win32
