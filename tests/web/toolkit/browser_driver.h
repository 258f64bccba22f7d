// Drives the browser toolkit as the user would, for the toolkits' tests:
// the forms open in real windows on the page in headless Chromium; keys and
// clicks are real input, given by the test runner outside the page
// (run_toolkit_tests.mjs, through Playwright), and each action is handled
// by the toolkit to its end, events and message boxes included, before it returns.
#pragma once

#include <functional>
#include <string_view>

#include "toolkit_driver.h"
#include "web_toolkit.h"

namespace orvanta::web::testing {

class BrowserDriver : public contract::ToolkitDriver {
public:
    BrowserDriver();
    BrowserDriver(const BrowserDriver&) = delete;
    BrowserDriver& operator=(const BrowserDriver&) = delete;

    ui::Toolkit& Modals() override { return toolkit_; }
    ui::FormHost& Open(ui::Form& form) override;
    bool Run(ui::Form& form, const std::function<void()>& whileRunning) override;

    void Type(std::string_view text) override;   // each character a key press
    void Paste(std::string_view text) override;  // the text inserted at once
    void Press(contract::Key key) override;
    void Click(const ui::Form& form, ui::ControlId id) override;  // the mouse where the control stands

    ui::ControlId Focused(const ui::Form& form) override;
    contract::Selection SelectionOf(const ui::Form& form, ui::ControlId id) override;

    void OnNextMessageBox(std::function<void(const contract::SeenMessage&)> whileOpen) override;
    void OnNextModal(std::function<void(ui::Form&)> whileOpen) override;

private:
    // Has the test runner give the real input, then handles what it caused.
    void Act(const char* action, std::string_view argument);
    int PageId(const ui::Form& form) const;

    ToolkitWatch watch_;
    WebToolkit toolkit_;
    std::function<void(const contract::SeenMessage&)> nextBox_;
    std::function<void(ui::Form&)> nextModal_;
    std::function<void()> whileRunning_;
};

}  // namespace orvanta::web::testing
