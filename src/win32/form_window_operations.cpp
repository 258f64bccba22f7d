// The operations a form asks of its window, carried out on the real controls.
#include "control_kinds.h"
#include "form_window.h"
#include "text_convert.h"
#include "win32_toolkit.h"
#include "window_text.h"

namespace orvanta::win32 {

using ui::ControlId;
using ui::ControlKind;

std::string FormWindow::Text(ControlId id) const {
    const Control& c = At(id);
    if (c.layout.kind == ControlKind::ListCombo) {
        const LRESULT index = SendMessageW(c.hwnd, CB_GETCURSEL, 0, 0);
        return index < 0 ? std::string() : Narrow(ComboItemText(c.hwnd, index));
    }
    return Narrow(WindowText(c.hwnd));
}

int FormWindow::TextLength(ControlId id) const { return GetWindowTextLengthW(At(id).hwnd); }

void FormWindow::SetText(ControlId id, std::string_view text) {
    Control& c = At(id);
    const std::wstring wide = Widen(text);
    if (IsInputField(c.layout.kind) && WindowText(c.hwnd) == wide) return;  // no write, no change
    SetWindowTextW(c.hwnd, wide.c_str());
    // An edit field reports the write itself; a combo box's edit field does not.
    if (c.layout.kind == ControlKind::EditCombo) ReportText(id, wide);
}

// Selections are set in the field that holds the text (a combo box's edit
// field), whose positions are not limited to 16 bits as the combo box's are.
void FormWindow::SetSelStart(ControlId id, int start) {
    SendMessageW(FocusHandle(id), EM_SETSEL, static_cast<WPARAM>(start), start);
}

void FormWindow::SetSelLength(ControlId id, int length) {
    const HWND field = FocusHandle(id);
    DWORD start = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SendMessageW(field, EM_SETSEL, start, static_cast<LPARAM>(start + length));
}

void FormWindow::SetSelText(ControlId id, std::string_view text) {
    if (text.empty()) return;  // replacing nothing with nothing changes nothing
    const std::wstring wide = Widen(text);
    SendMessageW(At(id).hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

// A combo box with an edit field takes the focus in that field; a control
// that has the focus already keeps it, with no notification.
void FormWindow::SetFocus(ControlId id) {
    HWND target = FocusHandle(id);
    if (GetFocus() != target) ::SetFocus(target);
}

void FormWindow::SetEnabled(ControlId id, bool enabled) { EnableWindow(At(id).hwnd, enabled); }

int FormWindow::Value(ControlId id) const { return static_cast<int>(SendMessageW(At(id).hwnd, BM_GETCHECK, 0, 0)); }

int FormWindow::ListIndex(ControlId id) const {
    return static_cast<int>(SendMessageW(At(id).hwnd, CB_GETCURSEL, 0, 0));
}

void FormWindow::SetListIndex(ControlId id, int index) {
    SendMessageW(At(id).hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void FormWindow::AddItem(ControlId id, std::string_view item) {
    const std::wstring wide = Widen(item);
    SendMessageW(At(id).hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void FormWindow::MsgBox(std::string_view text, ui::MessageIcon icon, std::string_view title) {
    MessageBoxW(window_, Widen(text).c_str(), Widen(title).c_str(),
                MB_OK | (icon == ui::MessageIcon::Warning ? MB_ICONWARNING : MB_ICONINFORMATION));
}

void FormWindow::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    PostMessageW(window_, WM_NULL, 0, 0);  // wakes the loop that waits for this window
}

void FormWindow::SetIcon(ui::IconRef icon) {
    bigIcon_ = reinterpret_cast<HICON>(icon);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(toolkit_.SmallIconFor(bigIcon_)));
}

ui::CursorRef FormWindow::MouseIcon(ControlId id) const { return reinterpret_cast<ui::CursorRef>(At(id).cursor); }

void FormWindow::SetMouseIcon(ControlId id, ui::CursorRef cursor) { At(id).cursor = reinterpret_cast<HCURSOR>(cursor); }

}  // namespace orvanta::win32
