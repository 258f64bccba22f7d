#include "control_kinds.h"

namespace orvanta::win32 {

using ui::ControlKind;

const wchar_t* WindowClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Frame:
    case ControlKind::CheckBox:
    case ControlKind::PushButton: return L"BUTTON";
    case ControlKind::TextBox:
    case ControlKind::ResultBox: return L"EDIT";
    case ControlKind::EditCombo:
    case ControlKind::ListCombo: return L"COMBOBOX";
    case ControlKind::Label:
    case ControlKind::LinkLabel:
    case ControlKind::Picture: break;
    }
    return L"STATIC";
}

DWORD StyleOf(const ui::ControlLayout& c) {
    const DWORD style = WS_CHILD | WS_VISIBLE | (c.StartsEnabled() ? 0 : WS_DISABLED);
    // Every control that takes the focus starts a group of its own, so that
    // the arrow keys do not wander between them as in a dialog's group.
    const DWORD tabStop = WS_TABSTOP | WS_GROUP;
    switch (c.kind) {
    case ControlKind::Frame: return style | BS_GROUPBOX;
    case ControlKind::Label: return style | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    case ControlKind::LinkLabel: return style | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY;
    case ControlKind::Picture: return style | SS_OWNERDRAW | SS_NOTIFY;
    case ControlKind::TextBox: return style | tabStop | ES_AUTOHSCROLL;
    case ControlKind::ResultBox:
        return style | tabStop | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
    case ControlKind::EditCombo: return style | tabStop | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    case ControlKind::ListCombo: return style | tabStop | WS_VSCROLL | CBS_DROPDOWNLIST;
    case ControlKind::CheckBox: return style | tabStop | BS_AUTOCHECKBOX;
    case ControlKind::PushButton: return style | tabStop | (c.IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    }
    return style;
}

DWORD ExStyleOf(ControlKind kind) { return IsEdit(kind) ? WS_EX_CLIENTEDGE : 0; }

bool IsEdit(ControlKind kind) { return kind == ControlKind::TextBox || kind == ControlKind::ResultBox; }

bool IsCombo(ControlKind kind) { return kind == ControlKind::EditCombo || kind == ControlKind::ListCombo; }

bool IsInputField(ControlKind kind) { return kind == ControlKind::TextBox || kind == ControlKind::EditCombo; }

bool TakesFocus(ControlKind kind) {
    return kind != ControlKind::Frame && kind != ControlKind::Label && kind != ControlKind::LinkLabel &&
           kind != ControlKind::Picture;
}

bool HasCaption(ControlKind kind) { return kind != ControlKind::ListCombo && kind != ControlKind::Picture; }

}  // namespace orvanta::win32
