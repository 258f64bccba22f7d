// The toolkits' contract kept by the real windows, with keys and clicks
// given as the keyboard and the mouse give them.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "toolkit_contract.h"
#include "window_driver.h"

namespace orvanta::contract {
namespace {

using namespace win32;

class Win32Driver : public ToolkitDriver {
public:
    Win32Driver() { EXPECT_TRUE(toolkit_.Initialize()); }
    ~Win32Driver() override {
        for (FormWindow* window : opened_) toolkit_.Forget(window);
    }

    ui::Toolkit& Modals() override { return modal_; }
    ui::FormHost& Open(ui::Form& form) override {
        opened_.push_back(toolkit_.Load(form, nullptr));
        testing::SwitchTo(toolkit_, WindowOf(form).Handle());
        return WindowOf(form);
    }
    // The test's steps run once the loop waits: a timer comes only then.
    bool Run(ui::Form& form, const std::function<void()>& whileRunning) override {
        running = {this, &form, &whileRunning, false};
        SetTimer(nullptr, 0, 0, WhileRunning);
        toolkit_.Run(form, SW_SHOWNORMAL);
        return running.ended;
    }

    void Type(std::string_view text) override {
        for (wchar_t unit : Widen(text)) {
            INPUT keys[2] = {};
            for (INPUT& key : keys) key.type = INPUT_KEYBOARD, key.ki.wScan = unit, key.ki.dwFlags = KEYEVENTF_UNICODE;
            keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
            SendInput(2, keys, sizeof(INPUT));
        }
        testing::Settle(toolkit_);
    }
    void Paste(std::string_view text) override {
        const std::wstring wide = Widen(text);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(memory), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        testing::PressWith(toolkit_, VK_CONTROL, 'V');
    }
    void Press(Key key) override {
        if (key == Key::ShiftTab) testing::PressWith(toolkit_, VK_SHIFT, VK_TAB);
        else testing::PressKeys(toolkit_, {static_cast<WORD>(key == Key::Tab ? VK_TAB : VK_RETURN)});
    }
    void Click(const ui::Form& form, ui::ControlId id) override {
        testing::ClickAt(toolkit_, WindowOf(form).ControlHandle(id), 1);
    }

    ui::ControlId Focused(const ui::Form& form) override {
        for (ui::ControlId id = 0; id < static_cast<ui::ControlId>(form.Layout().controlCount); ++id)
            if (GetFocus() && IsSameOrChild(WindowOf(form).ControlHandle(id), GetFocus())) return id;
        return ui::kNoControl;
    }
    // A combo box's selection is its edit field's, which counts beyond 16 bits.
    Selection SelectionOf(const ui::Form& form, ui::ControlId id) override {
        HWND field = WindowOf(form).ControlHandle(id);
        if (COMBOBOXINFO combo{sizeof combo}; GetComboBoxInfo(field, &combo)) field = combo.hwndItem;
        DWORD start = 0, end = 0;
        SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end - start)};
    }

    void OnNextMessageBox(std::function<void(const SeenMessage&)> whileOpen) override {
        if (!whileOpen) return testing::OnNextMessageBox(nullptr);
        testing::OnNextMessageBox([whileOpen](const testing::MessageBoxSeen& box) {
            whileOpen({Narrow(box.text), Narrow(box.title),
                       box.icon == MB_ICONWARNING ? ui::MessageIcon::Warning : ui::MessageIcon::Information});
        });
    }
    void OnNextModal(std::function<void(ui::Form&)> whileOpen) override {
        modal_.whileOpen = [whileOpen](FormWindow& modal) { whileOpen(modal.GetForm()); };
    }

private:
    static bool IsSameOrChild(HWND control, HWND window) { return window == control || IsChild(control, window); }
    FormWindow& WindowOf(const ui::Form& form) {
        if (FormWindow* window = toolkit_.WindowOf(form)) return *window;
        throw std::logic_error("no window of that form is open");
    }

    static inline struct {
        Win32Driver* driver;
        ui::Form* form;
        const std::function<void()>* steps;
        bool ended;
    } running{};
    static void CALLBACK WhileRunning(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        FormWindow& window = running.driver->WindowOf(*running.form);
        testing::SwitchTo(running.driver->toolkit_, window.Handle());
        (*running.steps)();
        running.ended = window.IsUnloaded();
        window.Unload();  // else the loop would wait for ever
    }

    SystemReports system_ = BindSystemReports();
    Win32Toolkit toolkit_{GetModuleHandleW(nullptr), system_};
    testing::ModalProbe modal_{toolkit_};
    std::vector<FormWindow*> opened_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ToolkitContract, Win32Driver);

}  // namespace
}  // namespace orvanta::contract
