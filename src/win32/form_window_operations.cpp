// The operations a form asks of its window, carried out on the real controls.
#include "form_window.h"
#include "text_convert.h"

namespace orvanta::win32 {

using ui::ControlId;

std::string FormWindow::Text(ControlId id) const { return At(id).Text(); }

int FormWindow::TextLength(ControlId id) const { return GetWindowTextLengthW(At(id).Handle()); }

void FormWindow::SetText(ControlId id, std::string_view text) { At(id).SetText(text, *this); }

// Selections are set and replaced in the field that holds the text (a combo
// box's edit field), whose positions are not limited to 16 bits as the
// combo box's are.
void FormWindow::SetSelStart(ControlId id, int start) {
    SendMessageW(At(id).FocusWindow(), EM_SETSEL, static_cast<WPARAM>(start), start);
}

void FormWindow::SetSelLength(ControlId id, int length) {
    const HWND field = At(id).FocusWindow();
    DWORD start = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SendMessageW(field, EM_SETSEL, start, static_cast<LPARAM>(start + length));
}

void FormWindow::SetSelText(ControlId id, std::string_view text) {
    if (text.empty()) return;  // replacing nothing with nothing changes nothing
    const std::wstring wide = Widen(text);
    SendMessageW(At(id).FocusWindow(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

// A combo box with an edit field takes the focus in that field; a control
// that has the focus already keeps it, with no notification.
void FormWindow::SetFocus(ControlId id) {
    HWND target = At(id).FocusWindow();
    if (GetFocus() != target) ::SetFocus(target);
}

void FormWindow::SetEnabled(ControlId id, bool enabled) { EnableWindow(At(id).Handle(), enabled); }

int FormWindow::Value(ControlId id) const { return static_cast<int>(SendMessageW(At(id).Handle(), BM_GETCHECK, 0, 0)); }

int FormWindow::ListIndex(ControlId id) const {
    return static_cast<int>(SendMessageW(At(id).Handle(), CB_GETCURSEL, 0, 0));
}

void FormWindow::SetListIndex(ControlId id, int index) {
    SendMessageW(At(id).Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void FormWindow::AddItem(ControlId id, std::string_view item) {
    const std::wstring wide = Widen(item);
    SendMessageW(At(id).Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
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
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(resources_.SmallIconFor(bigIcon_)));
}

ui::CursorRef FormWindow::MouseIcon(ControlId id) const { return reinterpret_cast<ui::CursorRef>(At(id).cursor); }

void FormWindow::SetMouseIcon(ControlId id, ui::CursorRef cursor) { At(id).cursor = reinterpret_cast<HCURSOR>(cursor); }

}  // namespace orvanta::win32
