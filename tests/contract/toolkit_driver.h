// What each toolkit's test driver does for the contract: it opens forms in
// the toolkit's windows, acts as the user (keys to where the focus is,
// clicks to a control of a form's window) and reads back what the user
// sees. Each action is handled to its end, events and all, before it returns.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit.h"

namespace orvanta::contract {

enum class Key { Tab, ShiftTab, Enter };

struct Selection {
    int start = 0, length = 0;  // in UTF-16 code units, as the control shows it
    bool operator==(const Selection& other) const { return start == other.start && length == other.length; }
};

// A message box as its user sees it.
struct SeenMessage {
    std::string text, title;
    ui::MessageIcon icon = ui::MessageIcon::Information;
};

class ToolkitDriver {
public:
    virtual ~ToolkitDriver() = default;

    // The toolkit that forms under test open their modal windows with.
    virtual ui::Toolkit& Modals() = 0;
    // Loads `form` and shows it as the program's first window, active, with
    // the focus on its first tab stop. It stays open until the driver goes.
    virtual ui::FormHost& Open(ui::Form& form) = 0;
    // Runs the program's loop with `form` as its start-up window and
    // `whileRunning` once the loop waits for the user; true when the loop
    // has ended, as it must once the form is unloaded.
    virtual bool Run(ui::Form& form, const std::function<void()>& whileRunning) = 0;

    virtual void Type(std::string_view text) = 0;   // each character a keystroke
    virtual void Paste(std::string_view text) = 0;  // the text from the clipboard at once
    virtual void Press(Key key) = 0;
    virtual void Click(const ui::Form& form, ui::ControlId button) = 0;  // a button or a check box

    // The control of `form`'s window that has the focus, or kNoControl.
    virtual ui::ControlId Focused(const ui::Form& form) = 0;
    virtual Selection SelectionOf(const ui::Form& form, ui::ControlId id) = 0;

    // `whileOpen` runs once the next message box is shown and waits; then the user closes it with OK.
    virtual void OnNextMessageBox(std::function<void(const SeenMessage&)> whileOpen) = 0;
    // `whileOpen` runs once the next modal window is shown and waits, and closes it as the user would.
    virtual void OnNextModal(std::function<void(ui::Form&)> whileOpen) = 0;
};

// A form that handles nothing: it notes every event its window raises, in
// order, and lets a test react to them.
class RecordingForm : public ui::Form {
public:
    explicit RecordingForm(const ui::FormLayout& layout) : layout_(layout) {}
    const ui::FormLayout& Layout() const override { return layout_; }
    void Form_Load() override {}
    void OnEvent(ui::ControlId id, ui::Event event) override {
        events.emplace_back(id, event);
        const auto reaction = react;  // which may replace itself
        if (reaction) reaction(id, event);
    }
    int Count(ui::ControlId id, ui::Event event) const {
        int count = 0;
        for (const auto& raised : events) count += raised == std::make_pair(id, event);
        return count;
    }
    using ui::Form::host;

    std::vector<std::pair<ui::ControlId, ui::Event>> events;
    std::function<void(ui::ControlId, ui::Event)> react;

private:
    const ui::FormLayout& layout_;
};

}  // namespace orvanta::contract
