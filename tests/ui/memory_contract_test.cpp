// The toolkits' contract kept by the in-memory toolkit, on which the forms'
// own tests stand.
#include "memory_toolkit.h"
#include "toolkit_contract.h"

namespace orvanta::contract {
namespace {

using ui::testing::MemoryToolkit;
using ui::testing::MemoryWindow;

class MemoryDriver : public ToolkitDriver {
public:
    ui::Toolkit& Modals() override { return toolkit_; }
    ui::FormHost& Open(ui::Form& form) override { return toolkit_.Start(form); }
    bool Run(ui::Form& form, const std::function<void()>& whileRunning) override {
        const MemoryWindow& window = toolkit_.Start(form);
        whileRunning();
        return window.Unloaded();
    }
    void Type(std::string_view text) override { Keyboard().Type(text); }
    void Paste(std::string_view text) override { Keyboard().Paste(text); }
    void Press(Key key) override {
        if (key == Key::Enter) Keyboard().PressEnter();
        else Keyboard().Tab(key == Key::ShiftTab);
    }
    void Click(const ui::Form& form, ui::ControlId id) override { WindowOf(form).Click(id); }
    ui::ControlId Focused(const ui::Form& form) override { return WindowOf(form).Focused(); }
    Selection SelectionOf(const ui::Form& form, ui::ControlId id) override {
        return {WindowOf(form).SelStart(id), WindowOf(form).SelLength(id)};
    }
    void OnNextMessageBox(std::function<void(const SeenMessage&)> whileOpen) override {
        if (!whileOpen) return void(toolkit_.whileNextMessageBox = nullptr);
        toolkit_.whileNextMessageBox = [whileOpen](const ui::testing::MessageRecord& box) {
            whileOpen({box.text, box.title, box.icon});
        };
    }
    void OnNextModal(std::function<void(ui::Form&)> whileOpen) override {
        toolkit_.whileModal = [whileOpen](MemoryWindow& modal) {
            whileOpen(const_cast<ui::Form&>(modal.LoadedForm()));
        };
    }

private:
    MemoryWindow& WindowOf(const ui::Form& form) {
        for (const auto& window : toolkit_.windows)
            if (&window->LoadedForm() == &form && !window->Unloaded()) return *window;
        throw std::logic_error("no window of that form is open");
    }
    // The keys go to the newest window that takes input: a window under a
    // modal one takes none.
    MemoryWindow& Keyboard() {
        for (auto it = toolkit_.windows.rbegin(); it != toolkit_.windows.rend(); ++it)
            if ((*it)->TakesInput()) return **it;
        throw std::logic_error("no window takes the keys");
    }
    MemoryToolkit toolkit_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, ToolkitContract, MemoryDriver);

}  // namespace
}  // namespace orvanta::contract
