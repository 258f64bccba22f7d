#include "web_toolkit.h"

#include <algorithm>
#include <new>

#include "program_info.h"

namespace orvanta::web {

// Every window that stands when a modal one opens takes no input until that
// one closes, however it closes.
class WebToolkit::OthersCovered {
public:
    explicit OthersCovered(const WebToolkit& toolkit) : toolkit_(toolkit) {
        for (const auto& window : toolkit.windows_) {
            window->Cover(true);
            covered_.push_back(window->PageId());
        }
    }
    ~OthersCovered() {
        for (const auto& window : toolkit_.windows_)
            if (std::find(covered_.begin(), covered_.end(), window->PageId()) != covered_.end()) window->Cover(false);
    }
    OthersCovered(const OthersCovered&) = delete;
    OthersCovered& operator=(const OthersCovered&) = delete;

private:
    const WebToolkit& toolkit_;
    std::vector<int> covered_;
};

WebWindow& WebToolkit::Load(ui::Form& form, bool modal) {
    auto window = std::make_unique<WebWindow>(*this, form, modal);
    form.Attach(window.get());
    try {
        form.Form_Load();
    } catch (...) {
        // A failed load goes on to the caller; the window never opens.
        form.Attach(nullptr);
        throw;
    }
    windows_.push_back(std::move(window));
    WebWindow& loaded = *windows_.back();
    loaded.Show();
    return loaded;
}

WebWindow* WebToolkit::WindowOf(const ui::Form& form) const {
    for (const auto& window : windows_)
        if (&window->GetForm() == &form) return window.get();
    return nullptr;
}

void WebToolkit::Forget(const WebWindow& window) {
    window.GetForm().Attach(nullptr);
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [&window](const std::unique_ptr<WebWindow>& w) { return w.get() == &window; }),
                   windows_.end());
}

void WebToolkit::Run(ui::Form& startup) {
    WebWindow& window = Load(startup, false);
    Loop([&window] { return window.IsUnloaded(); });
    Forget(window);
}

void WebToolkit::ShowModal(ui::Form& form, ui::Form* /*owner: every window is covered*/) {
    const OthersCovered others(*this);
    WebWindow& window = Load(form, true);
    if (watch_ && watch_->modalShown) watch_->modalShown(form);
    Loop([&window] { return window.IsUnloaded(); });
    Forget(window);
}

void WebToolkit::MessageBox(std::string_view text, page::BoxIcon icon, std::string_view title) {
    const OthersCovered others(*this);
    const int box = page::OpenMessageBox(text, icon, title);
    if (watch_ && watch_->messageBoxShown) watch_->messageBoxShown(text, icon, title);
    Loop([this, box] {
        const auto closed = std::find(closedBoxes_.begin(), closedBoxes_.end(), box);
        if (closed == closedBoxes_.end()) return false;
        closedBoxes_.erase(closed);
        return true;
    });
}

void WebToolkit::Loop(const std::function<bool()>& done) {
    while (!done()) {
        page::Event event{};
        if (!page::TakeQueued(event)) {
            if (watch_ && watch_->waiting) {
                watch_->waiting();
                if (done()) break;  // what the watcher did may have ended the loop
            }
            if (!page::TakeQueued(event)) event = page::Next();
        }
        Dispatch(event);
    }
}

void WebToolkit::HandleQueued() {
    page::Event event{};
    while (page::TakeQueued(event)) Dispatch(event);
}

void WebToolkit::Dispatch(const page::Event& event) {
    if (event.kind == page::EventKind::BoxClosed) {
        closedBoxes_.push_back(event.window);
        return;
    }
    const auto found = std::find_if(windows_.begin(), windows_.end(),
                                    [&event](const auto& w) { return w->PageId() == event.window; });
    if (found == windows_.end()) return;  // a window that has gone since
    // A failure in a handler ends that event's work there; the user is told
    // and the program goes on. A failure while telling it is not told again.
    static bool reporting = false;
    const char* failure = nullptr;
    try {
        (*found)->Handle(event);
    } catch (const std::bad_alloc&) {
        failure = "内存不足，此操作未能完成。";
    } catch (...) {
        failure = "发生意外错误，此操作未能完成。";
    }
    if (!failure || reporting) return;
    reporting = true;
    try {
        MessageBox(failure, page::BoxIcon::Error, ORVANTA_NAME);
    } catch (...) {
    }
    reporting = false;
}

}  // namespace orvanta::web
