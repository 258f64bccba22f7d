#include "memory_toolkit.h"

#include <algorithm>
#include <stdexcept>

namespace orvanta::ui::testing {

std::u16string ToUtf16(std::string_view s) {
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        char32_t cp;
        int n;
        if (c < 0x80) cp = c, n = 1;
        else if ((c >> 5) == 6) cp = c & 0x1F, n = 2;
        else if ((c >> 4) == 14) cp = c & 0x0F, n = 3;
        else cp = c & 0x07, n = 4;
        for (int k = 1; k < n && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string ToUtf8(std::u16string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size()) cp = 0x10000 + ((cp - 0xD800) << 10) + (s[++i] - 0xDC00);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

MemoryWindow::MemoryWindow(MemoryToolkit& toolkit, Form& form, IconRef icon)
    : toolkit_(toolkit), form_(form), icon_(icon) {
    const FormLayout& layout = form.Layout();
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        Control c;
        c.layout = layout.controls[i];
        c.enabled = c.layout.StartsEnabled();
        c.cursor = c.layout.HasHandCursor() ? kHandCursor : 0;
        if (c.layout.kind != ControlKind::ListCombo) c.text = ToUtf16(c.layout.caption);
        c.items.assign(c.layout.items.begin(), c.layout.items.end());
        controls_.push_back(std::move(c));
    }
}

bool MemoryWindow::IsTextBox(ControlId id) const {
    const ControlKind kind = controls_.at(id).layout.kind;
    return kind == ControlKind::TextBox || kind == ControlKind::ResultBox || kind == ControlKind::EditCombo;
}

bool MemoryWindow::CanFocus(ControlId id) const {
    return TakesFocus(controls_.at(id).layout.kind) && controls_.at(id).enabled;
}

void MemoryWindow::Raise(ControlId id, Event event) {
    if (!unloaded_) form_.OnEvent(id, event);
}

std::string MemoryWindow::Text(ControlId id) const {
    const Control& c = controls_.at(id);
    if (c.layout.kind == ControlKind::ListCombo) return c.listIndex < 0 ? std::string() : c.items.at(c.listIndex);
    return ToUtf8(c.text);
}

int MemoryWindow::TextLength(ControlId id) const { return static_cast<int>(ToUtf16(Text(id)).size()); }

void MemoryWindow::Replace(ControlId id, std::u16string text) {
    Control& c = controls_.at(id);
    if (c.text == text) return;
    c.text = std::move(text);
    c.selStart = std::min<int>(c.selStart, static_cast<int>(c.text.size()));
    c.selLength = 0;
    Raise(id, Event::Change);
}

void MemoryWindow::SetText(ControlId id, std::string_view text) {
    if (!IsTextBox(id)) {
        controls_.at(id).text = ToUtf16(text);
        return;
    }
    controls_.at(id).selStart = 0;
    Replace(id, ToUtf16(text));
}

void MemoryWindow::SetSelStart(ControlId id, int start) {
    Control& c = controls_.at(id);
    c.selStart = std::clamp<int>(start, 0, static_cast<int>(c.text.size()));
    c.selLength = 0;
}

void MemoryWindow::SetSelLength(ControlId id, int length) {
    Control& c = controls_.at(id);
    c.selLength = std::clamp<int>(length, 0, static_cast<int>(c.text.size()) - c.selStart);
}

void MemoryWindow::SetSelText(ControlId id, std::string_view text) {
    Control& c = controls_.at(id);
    const std::u16string inserted = ToUtf16(text);
    std::u16string next = c.text;
    next.replace(c.selStart, c.selLength, inserted);
    const int caret = c.selStart + static_cast<int>(inserted.size());
    Replace(id, std::move(next));
    c.selStart = caret;
    c.selLength = 0;
}

// The focus is on the new control before the old one hears it is left, as
// on Windows: a handler that moves the focus meanwhile decides where it
// ends, and the control it only passed hears nothing.
void MemoryWindow::SetFocus(ControlId id) {
    if (!CanFocus(id)) throw std::logic_error("SetFocus on a control that cannot take the focus");
    if (focus_ == id) return;
    const ControlId old = focus_;
    focus_ = id;
    // An editable combo box selects its whole text when it is entered and
    // clears the selection when it is left, as Windows' does.
    if (old != kNoControl && controls_.at(old).layout.kind == ControlKind::EditCombo)
        controls_.at(old).selStart = controls_.at(old).selLength = 0;
    if (controls_.at(id).layout.kind == ControlKind::EditCombo) {
        controls_.at(id).selStart = 0;
        controls_.at(id).selLength = static_cast<int>(controls_.at(id).text.size());
    }
    if (old != kNoControl && old == entered_) {
        entered_ = kNoControl;
        Raise(old, Event::LostFocus);
    }
    if (focus_ == id && entered_ != id) {
        entered_ = id;
        Raise(id, Event::GotFocus);
    }
}

void MemoryWindow::SetEnabled(ControlId id, bool enabled) { controls_.at(id).enabled = enabled; }
int MemoryWindow::Value(ControlId id) const { return controls_.at(id).value; }
int MemoryWindow::ListIndex(ControlId id) const { return controls_.at(id).listIndex; }

void MemoryWindow::SetListIndex(ControlId id, int index) {
    Control& c = controls_.at(id);
    if (index < -1 || index >= static_cast<int>(c.items.size())) throw std::out_of_range("list index");
    c.listIndex = index;
}

void MemoryWindow::AddItem(ControlId id, std::string_view item) { controls_.at(id).items.emplace_back(item); }

void MemoryWindow::MsgBox(std::string_view text, MessageIcon icon, std::string_view title) {
    messages_.push_back({std::string(text), icon, std::string(title)});
    const auto whileOpen = std::move(toolkit_.whileNextMessageBox);
    toolkit_.whileNextMessageBox = nullptr;
    ++blocked_;
    if (whileOpen) whileOpen(messages_.back());
    --blocked_;
}

void MemoryWindow::Unload() { unloaded_ = true; }

CursorRef MemoryWindow::MouseIcon(ControlId id) const { return controls_.at(id).cursor; }
void MemoryWindow::SetMouseIcon(ControlId id, CursorRef cursor) { controls_.at(id).cursor = cursor; }

void MemoryWindow::Input(std::u16string_view text) {
    if (focus_ == kNoControl || !IsTextBox(focus_)) throw std::logic_error("typing without a text field focused");
    Control& c = controls_.at(focus_);
    if (c.layout.kind == ControlKind::ResultBox) return;  // read-only
    std::u16string next = c.text;
    next.replace(c.selStart, c.selLength, text);
    const int caret = c.selStart + static_cast<int>(text.size());
    const ControlId id = focus_;
    Replace(id, std::move(next));
    controls_.at(id).selStart = caret;
    controls_.at(id).selLength = 0;
}

void MemoryWindow::Type(std::string_view text) {
    if (!TakesInput()) return;
    for (const char16_t ch : ToUtf16(text)) Input(std::u16string_view(&ch, 1));
}

void MemoryWindow::Paste(std::string_view text) {
    if (TakesInput()) Input(ToUtf16(text));
}

std::vector<ControlId> MemoryWindow::TabStops() const {
    std::vector<ControlId> stops;
    for (ControlId id = 0; id < static_cast<ControlId>(controls_.size()); ++id)
        if (controls_[id].layout.tabIndex >= 0 && CanFocus(id)) stops.push_back(id);
    std::sort(stops.begin(), stops.end(), [this](ControlId a, ControlId b) {
        return controls_[a].layout.tabIndex < controls_[b].layout.tabIndex;
    });
    return stops;
}

void MemoryWindow::Tab(bool backward) {
    std::vector<ControlId> stops = TabStops();
    if (stops.empty() || !TakesInput()) return;
    if (backward) std::reverse(stops.begin(), stops.end());
    auto it = std::find(stops.begin(), stops.end(), focus_);
    const ControlId next = (it == stops.end() || ++it == stops.end()) ? stops.front() : *it;
    SetFocus(next);
    // As in a dialog, tabbing into an edit field selects its whole text.
    if (IsTextBox(next) && focus_ == next) {
        controls_.at(next).selStart = 0;
        controls_.at(next).selLength = static_cast<int>(controls_.at(next).text.size());
    }
}

void MemoryWindow::Click(ControlId id) {
    Control& c = controls_.at(id);
    if (!c.enabled || !TakesInput()) return;
    if (c.layout.kind == ControlKind::CheckBox) c.value = c.value ? 0 : 1;
    if (CanFocus(id)) SetFocus(id);
    if (!unloaded_) Raise(id, Event::Click);
}

void MemoryWindow::PressEnter() {
    if (!TakesInput()) return;
    if (focus_ != kNoControl && controls_.at(focus_).layout.kind == ControlKind::PushButton) {
        Raise(focus_, Event::Click);
        return;
    }
    for (ControlId id = 0; id < static_cast<ControlId>(controls_.size()); ++id)
        if (controls_[id].layout.IsDefault() && controls_[id].enabled) Raise(id, Event::Click);
}

void MemoryWindow::PickItem(ControlId id, int index) {
    if (controls_.at(id).enabled && TakesInput()) SetListIndex(id, index);
}

MemoryWindow& MemoryToolkit::Load(Form& form, IconRef icon) {
    windows.push_back(std::make_unique<MemoryWindow>(*this, form, icon));
    MemoryWindow& window = *windows.back();
    form.Attach(&window);
    try {
        form.Form_Load();
    } catch (...) {
        // As with the real windows: a failed load goes on to the caller and the window does not open.
        form.Attach(nullptr);
        windows.pop_back();
        throw;
    }
    const std::vector<ControlId> stops = window.TabStops();
    if (!stops.empty()) window.SetFocus(stops.front());
    return window;
}

MemoryWindow& MemoryToolkit::Start(Form& form) { return Load(form, kApplicationIcon); }

void MemoryToolkit::ShowModal(Form& form, Form* /*owner*/) {
    ++modalCount;
    MemoryWindow& window = Load(form, 0);
    std::vector<MemoryWindow*> under;
    for (const auto& other : windows)
        if (other.get() != &window) under.push_back(other.get());
    for (MemoryWindow* other : under) ++other->blocked_;
    if (whileModal) whileModal(window);
    for (MemoryWindow* other : under) --other->blocked_;
    if (!window.Unloaded()) throw std::logic_error("a modal window returned before it was unloaded");
    form.Attach(nullptr);
}

}  // namespace orvanta::ui::testing
