#include "browser_driver.h"

#include <emscripten.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "page_calls.h"

namespace orvanta::web::testing {

namespace {

// The runner's own function (Playwright's exposeFunction): real keys and
// clicks in the page, resolved once the browser has dispatched them.
// clang-format off
EM_ASYNC_JS(void, runner_act, (const char* action, const char* argument, int length), {
    await orvantaDriver(UTF8ToString(action), UTF8ToString(argument, length));
});
// clang-format on

}  // namespace

BrowserDriver::BrowserDriver() : toolkit_(watch_) {
    watch_.messageBoxShown = [this](std::string_view text, page::BoxIcon icon, std::string_view title) {
        const auto whileOpen = std::move(nextBox_);
        nextBox_ = nullptr;
        if (whileOpen) {
            whileOpen({std::string(text), std::string(title),
                       icon == page::BoxIcon::Warning ? ui::MessageIcon::Warning : ui::MessageIcon::Information});
        } else {
            ADD_FAILURE() << "a message box nobody expected: " << text;
        }
        Act("close-message-box", "");
    };
    watch_.modalShown = [this](ui::Form& form) {
        const auto whileOpen = std::move(nextModal_);
        nextModal_ = nullptr;
        if (whileOpen) whileOpen(form);
        else ADD_FAILURE() << "a modal window nobody expected: " << form.Layout().name;
    };
    watch_.waiting = [this] {
        const auto whileRunning = std::move(whileRunning_);
        whileRunning_ = nullptr;
        if (whileRunning) whileRunning();
    };
}

ui::FormHost& BrowserDriver::Open(ui::Form& form) { return toolkit_.Load(form, false); }

bool BrowserDriver::Run(ui::Form& form, const std::function<void()>& whileRunning) {
    bool ended = true;
    whileRunning_ = [&] {
        whileRunning();
        // A loop that would wait on for ever ends here, and says so.
        if (WebWindow* window = toolkit_.WindowOf(form); window && !window->IsUnloaded()) {
            ended = false;
            window->Unload();
        }
    };
    toolkit_.Run(form);
    return ended;
}

void BrowserDriver::Act(const char* action, std::string_view argument) {
    runner_act(action, argument.data(), static_cast<int>(argument.size()));
    toolkit_.HandleQueued();
}

// One key at a time, each handled before the next, as in the browser when
// the program waits for the user (it takes each key's input event before
// the browser dispatches the next key).
void BrowserDriver::Type(std::string_view text) {
    for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
        length = 1;
        while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) ++length;
        Act("type", text.substr(at, length));
    }
}
void BrowserDriver::Paste(std::string_view text) { Act("paste", text); }

void BrowserDriver::Press(contract::Key key) {
    using contract::Key;
    Act("press", key == Key::Tab ? "Tab" : key == Key::ShiftTab ? "Shift+Tab" : "Enter");
}

int BrowserDriver::PageId(const ui::Form& form) const {
    const WebWindow* window = toolkit_.WindowOf(form);
    if (!window) throw std::logic_error("no window of that form is open");
    return window->PageId();
}

void BrowserDriver::Click(const ui::Form& form, ui::ControlId id) {
    Act("click", "[data-window=\"" + std::to_string(PageId(form)) + "\"] [data-control=\"" + std::to_string(id) +
                     "\"]");
}

ui::ControlId BrowserDriver::Focused(const ui::Form& form) { return page::Focused(PageId(form)); }

contract::Selection BrowserDriver::SelectionOf(const ui::Form& form, ui::ControlId id) {
    const int start = page::SelStart(PageId(form), id);
    return {start, page::SelEnd(PageId(form), id) - start};
}

void BrowserDriver::OnNextMessageBox(std::function<void(const contract::SeenMessage&)> whileOpen) {
    nextBox_ = std::move(whileOpen);
}

void BrowserDriver::OnNextModal(std::function<void(ui::Form&)> whileOpen) { nextModal_ = std::move(whileOpen); }

}  // namespace orvanta::web::testing
