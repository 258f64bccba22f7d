// Drives the browser toolkit as the user would, for the toolkits' tests:
// the forms open in real windows on the page in headless Chromium; keys and
// clicks are real input, given by the test runner outside the page
// (run_toolkit_tests.mjs, through Playwright), and each action is handled
// by the toolkit to its end, events and message boxes included, before it returns.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "toolkit.h"
#include "web_toolkit.h"

namespace orvanta::web::testing {

enum class Key { Tab, ShiftTab, Enter };

struct Selection {
    int start = 0, length = 0;  // in UTF-16 code units, as the control shows it
    bool operator==(const Selection& other) const { return start == other.start && length == other.length; }
};

struct SeenMessage {
    std::string text, title;
    ui::MessageIcon icon = ui::MessageIcon::Information;
};

class BrowserDriver {
public:
    BrowserDriver();
    ~BrowserDriver();
    BrowserDriver(const BrowserDriver&) = delete;
    BrowserDriver& operator=(const BrowserDriver&) = delete;

    ui::Toolkit& Modals() { return toolkit_; }
    // Loads `form` into a window on the page, with the focus on its first tab stop.
    ui::FormHost& Open(ui::Form& form);
    // Runs the program's loop with `form` and `whileRunning` once it waits for
    // the user; true when the loop ended by itself (the form was unloaded).
    bool Run(ui::Form& form, const std::function<void()>& whileRunning);

    void Type(std::string_view text);   // each character a key press
    void Paste(std::string_view text);  // the text inserted at once
    void Press(Key key);
    void Click(const ui::Form& form, ui::ControlId id);  // the mouse at the control

    ui::ControlId Focused(const ui::Form& form);
    Selection SelectionOf(const ui::Form& form, ui::ControlId id);

    // The next message box runs `whileOpen`, then the user clicks its OK.
    void OnNextMessageBox(std::function<void(const SeenMessage&)> whileOpen);
    // The next modal window runs `whileOpen`, which closes it as the user would.
    void OnNextModal(std::function<void(ui::Form&)> whileOpen);

private:
    // Has the test runner give the real input, then handles what it caused.
    void Act(const char* action, std::string_view argument);
    int PageId(const ui::Form& form) const;

    ToolkitWatch watch_;
    WebToolkit toolkit_;
    std::function<void(const SeenMessage&)> nextBox_;
    std::function<void(ui::Form&)> nextModal_;
    std::function<void()> whileRunning_;
};

}  // namespace orvanta::web::testing
