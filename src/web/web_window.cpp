#include "web_window.h"

#include <algorithm>

#include "form_arrangement.h"
#include "web_toolkit.h"

namespace orvanta::web {

using ui::ControlId;
using ui::ControlKind;
using ui::kNoControl;

WebWindow::WebWindow(WebToolkit& toolkit, ui::Form& form, bool modal) : toolkit_(toolkit), form_(form) {
    const ui::FormLayout& layout = form.Layout();
    page_ = page::CreateWindow(layout.caption, ui::TwipsToPixels(layout.clientWidthTwips, 96),
                               ui::TwipsToPixels(layout.clientHeightTwips, 96), modal);
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        const ui::ControlLayout& row = layout.controls[i];
        controls_.push_back({row, row.caption, row.StartsEnabled(), row.HasHandCursor() ? kHandCursor : 0});
    }
    // The page reads its elements in the order Windows reads the controls
    // (the tab stops in tab order, each frame before what it holds), for Tab
    // and for screen readers alike; a field's name is given to it directly.
    for (const ui::CreationStep& step : ui::CreationOrder(layout)) {
        if (step.hiddenName) continue;
        const ui::ControlLayout& row = layout.controls[step.id];
        page::AddControl(page_, row, row.container == kNoControl ? nullptr : &layout.controls[row.container]);
        for (const char* item : row.items) page::AddItem(page_, row.id, item);
    }
    if (layout.Has(ui::kApplicationIcon)) SetIcon(kApplicationIcon);
}

WebWindow::~WebWindow() { page::CloseWindow(page_); }

void WebWindow::Show() {
    page::ShowWindow(page_);
    ControlId first = kNoControl;
    for (const Control& c : controls_) {
        const ui::ControlLayout& row = c.layout;
        if (row.tabIndex < 0 || !ui::TakesFocus(row.kind) || !c.enabled) continue;
        if (first == kNoControl || row.tabIndex < At(first).layout.tabIndex) first = row.id;
    }
    if (first != kNoControl) SetFocus(first);
}

bool WebWindow::HoldsText(ControlId id) const {
    const ControlKind kind = At(id).layout.kind;
    return kind == ControlKind::TextBox || kind == ControlKind::ResultBox || kind == ControlKind::EditCombo;
}

void WebWindow::Raise(ControlId id, ui::Event event) {
    if (!unloaded_) form_.OnEvent(id, event);
}

void WebWindow::TextMayHaveChanged(ControlId id) {
    std::string now = page::Text(page_, id);
    if (now == At(id).text) return;
    At(id).text = std::move(now);
    Raise(id, ui::Event::Change);
}

// The form hears the control it was told of left, then the one entered; a
// control that the focus only passed while a LostFocus handler sent it
// elsewhere (or showed a message box) is neither entered nor left.
void WebWindow::FocusMovedTo(ControlId id) {
    focus_ = id;
    if (entered_ != kNoControl && entered_ != id) {
        const ControlId left = entered_;
        entered_ = kNoControl;
        Raise(left, ui::Event::LostFocus);
    }
    if (focus_ == id && entered_ != id) {
        entered_ = id;
        Raise(id, ui::Event::GotFocus);
    }
}

ControlId WebWindow::DefaultButton() const {
    for (const Control& c : controls_)
        if (c.layout.IsDefault()) return c.layout.id;
    return kNoControl;
}

void WebWindow::Handle(const page::Event& event) {
    // Only the focus follows the page while a modal window is open above this
    // one (the page gives it back there when that window closes); what the
    // user did before that window opened and had not been handled is dropped.
    switch (event.kind) {
    case page::EventKind::Focus: {
        const ControlId now = page::Focused(page_);
        if (now != kNoControl && now != focus_) FocusMovedTo(now);
        break;
    }
    case page::EventKind::Input:
        if (event.control != kNoControl && HoldsText(event.control)) TextMayHaveChanged(event.control);
        break;
    case page::EventKind::Click:
        if (covered_ || event.control == kNoControl || !At(event.control).enabled) break;
        // Buttons and check boxes take the focus when clicked, before their click.
        if (ui::TakesFocus(At(event.control).layout.kind)) SetFocus(event.control);
        Raise(event.control, ui::Event::Click);
        break;
    case page::EventKind::Enter: {
        // Enter presses the default button from any other control, and leaves the focus where it is.
        const ControlId button = DefaultButton();
        if (!covered_ && button != kNoControl && At(button).enabled) Raise(button, ui::Event::Click);
        break;
    }
    case page::EventKind::Close:
        if (!covered_) Unload();
        break;
    case page::EventKind::BoxClosed:
        break;
    }
}

std::string WebWindow::Text(ControlId id) const { return page::Text(page_, id); }

int WebWindow::TextLength(ControlId id) const { return page::TextLength(page_, id); }

// Change comes only when the text really changes; the caret goes to the start, as in Windows' edit fields.
void WebWindow::SetText(ControlId id, std::string_view text) {
    if (!HoldsText(id)) {
        page::SetText(page_, id, text);
        return;
    }
    if (page::Text(page_, id) == text) return;
    page::SetText(page_, id, text);
    TextMayHaveChanged(id);
}

void WebWindow::SetSelStart(ControlId id, int start) {
    start = std::clamp(start, 0, page::TextLength(page_, id));
    page::Select(page_, id, start, start);
}

void WebWindow::SetSelLength(ControlId id, int length) {
    const int start = page::SelStart(page_, id);
    page::Select(page_, id, start, start + std::clamp(length, 0, page::TextLength(page_, id) - start));
}

void WebWindow::SetSelText(ControlId id, std::string_view text) {
    if (text.empty()) return;  // replacing nothing with nothing changes nothing
    page::ReplaceSelection(page_, id, text);
    // The result box is a polite live region: a new report is read aloud.
    if (At(id).layout.kind == ControlKind::ResultBox) page::Announce(text);
    TextMayHaveChanged(id);
}

// A control that has the focus already keeps it, with no event; one that
// had it when the user left the window gets it back, also with none.
void WebWindow::SetFocus(ControlId id) {
    if (focus_ == id) {
        if (page::Focused(page_) != id) page::Focus(page_, id);
        return;
    }
    page::Focus(page_, id);
    FocusMovedTo(id);
}

void WebWindow::SetEnabled(ControlId id, bool enabled) {
    At(id).enabled = enabled;
    page::SetEnabled(page_, id, enabled);
}

int WebWindow::Value(ControlId id) const { return page::Checked(page_, id) ? 1 : 0; }
int WebWindow::ListIndex(ControlId id) const { return page::ListIndex(page_, id); }
void WebWindow::SetListIndex(ControlId id, int index) { page::SetListIndex(page_, id, index); }
void WebWindow::AddItem(ControlId id, std::string_view item) { page::AddItem(page_, id, item); }

void WebWindow::MsgBox(std::string_view text, ui::MessageIcon icon, std::string_view title) {
    toolkit_.MessageBox(text, icon == ui::MessageIcon::Warning ? page::BoxIcon::Warning : page::BoxIcon::Information,
                        title);
}

void WebWindow::Unload() { unloaded_ = true; }

void WebWindow::SetIcon(ui::IconRef icon) {
    icon_ = icon;
    page::SetWindowIcon(page_, icon == kApplicationIcon);
}

ui::CursorRef WebWindow::MouseIcon(ControlId id) const { return At(id).cursor; }

void WebWindow::SetMouseIcon(ControlId id, ui::CursorRef cursor) {
    At(id).cursor = cursor;
    page::SetHandCursor(page_, id, cursor == kHandCursor);
}

}  // namespace orvanta::web
