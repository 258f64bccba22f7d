// The windowing toolkit on a browser page: loads forms into windows on the
// page, runs the one message loop and the modal loops. The page queues what
// the user does; every handler runs here, on the program's one stack, and
// may itself wait for a message box or a modal window, as on Windows.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "page_calls.h"
#include "toolkit.h"
#include "web_window.h"

namespace orvanta::web {

class WebToolkit : public ui::Toolkit {
public:
    // Loads the start-up form and handles the user's events until it is unloaded.
    void Run(ui::Form& startup);
    void ShowModal(ui::Form& form, ui::Form* owner) override;
    // Opens a message box over every window and waits until it is closed.
    void MessageBox(std::string_view text, page::BoxIcon icon, std::string_view title);

    // Loads a form into a window and shows it, without a loop of its own.
    WebWindow& Load(ui::Form& form, bool modal);
    // Handles the events already queued, without waiting for more.
    void HandleQueued();
    // Unloaded windows go; the window of `form`, while it is loaded.
    void Forget(const WebWindow& window);
    WebWindow* WindowOf(const ui::Form& form) const;

private:
    // Handles events, waiting for each, until `done` says so.
    void Loop(const std::function<bool()>& done);
    void Dispatch(const page::Event& event);
    // Every window that stands when a modal one opens takes no input until
    // it closes, however it closes.
    class OthersCovered;

    std::vector<std::unique_ptr<WebWindow>> windows_;
    std::vector<int> closedBoxes_;
};

}  // namespace orvanta::web
