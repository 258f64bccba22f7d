// The windowing toolkit on a browser page: loads forms into windows on the
// page, runs the one message loop and the modal loops. The page queues what
// the user does; every handler runs here, on the program's one stack, and
// may itself wait for a message box or a modal window, as on Windows.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "page_calls.h"
#include "toolkit.h"
#include "web_window.h"

namespace orvanta::web {

// What a test driver watches for, given to the toolkit once; the program gives none.
struct ToolkitWatch {
    // A message box is shown; the loop that waits for its closing follows.
    std::function<void(std::string_view text, page::BoxIcon icon, std::string_view title)> messageBoxShown;
    // A modal window is shown; the loop that waits for its unloading follows.
    std::function<void(ui::Form& form)> modalShown;
    // The loop has handled every event and is about to wait for the user.
    std::function<void()> waiting;
};

class WebToolkit : public ui::Toolkit {
public:
    WebToolkit() = default;
    explicit WebToolkit(const ToolkitWatch& watch) : watch_(&watch) {}

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

    const ToolkitWatch* watch_ = nullptr;
    std::vector<std::unique_ptr<WebWindow>> windows_;
    std::vector<int> closedBoxes_;
};

}  // namespace orvanta::web
