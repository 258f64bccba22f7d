// One form's window on the page: made from the form's layout table, it
// carries out the form's operations on the page's elements and turns what
// the user does there into the form's events.
//
// As on Windows, the events that an operation causes are raised from inside
// that operation: SetText raises Change, SetFocus raises LostFocus then
// GotFocus. The page echoes such changes later as queued events; the window
// tells an echo from the user's own doing by what it last knew of each
// field's text and of the focus, so that no event is raised twice.
#pragma once

#include <string>
#include <vector>

#include "page_calls.h"
#include "toolkit.h"

namespace orvanta::web {

inline constexpr ui::IconRef kApplicationIcon = 1;  // the program's icon, the only one
inline constexpr ui::CursorRef kHandCursor = 1;     // the hand over the links, the only cursor

class WebToolkit;

class WebWindow : public ui::FormHost {
public:
    // Makes the window's elements (hidden) from the form's layout table.
    WebWindow(WebToolkit& toolkit, ui::Form& form, bool modal);
    ~WebWindow() override;
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

    // Shows the window and gives the focus to its first tab stop.
    void Show();
    // What the user did in this window.
    void Handle(const page::Event& event);

    int PageId() const { return page_; }
    ui::Form& GetForm() const { return form_; }
    bool IsUnloaded() const { return unloaded_; }
    // While a message box or a modal window is open above it, the window takes no input.
    void Cover(bool covered) { covered_ += covered ? 1 : -1; }

    // ui::FormHost
    std::string Text(ui::ControlId id) const override;
    int TextLength(ui::ControlId id) const override;
    void SetText(ui::ControlId id, std::string_view text) override;
    void SetSelStart(ui::ControlId id, int start) override;
    void SetSelLength(ui::ControlId id, int length) override;
    void SetSelText(ui::ControlId id, std::string_view text) override;
    void SetFocus(ui::ControlId id) override;
    void SetEnabled(ui::ControlId id, bool enabled) override;
    int Value(ui::ControlId checkBox) const override;
    int ListIndex(ui::ControlId combo) const override;
    void SetListIndex(ui::ControlId combo, int index) override;
    void AddItem(ui::ControlId combo, std::string_view item) override;
    void MsgBox(std::string_view text, ui::MessageIcon icon, std::string_view title) override;
    void Unload() override;
    ui::IconRef Icon() const override { return icon_; }
    void SetIcon(ui::IconRef icon) override;
    ui::CursorRef MouseIcon(ui::ControlId label) const override;
    void SetMouseIcon(ui::ControlId label, ui::CursorRef cursor) override;

private:
    struct Control {
        ui::ControlLayout layout;
        std::string text;  // a field's text as the form last saw it
        bool enabled;
        ui::CursorRef cursor;
    };
    const Control& At(ui::ControlId id) const { return controls_.at(static_cast<std::size_t>(id)); }
    Control& At(ui::ControlId id) { return controls_.at(static_cast<std::size_t>(id)); }
    bool HoldsText(ui::ControlId id) const;
    void Raise(ui::ControlId id, ui::Event event);
    // Raises Change where the field's text differs from what the form last saw.
    void TextMayHaveChanged(ui::ControlId id);
    // The focus is now at `id`, which the page moved it to or is about to.
    void FocusMovedTo(ui::ControlId id);
    ui::ControlId DefaultButton() const;

    WebToolkit& toolkit_;
    ui::Form& form_;
    int page_;
    std::vector<Control> controls_;
    ui::ControlId focus_ = ui::kNoControl;    // where the focus is
    ui::ControlId entered_ = ui::kNoControl;  // the control the form last heard entered and not yet left
    ui::IconRef icon_ = 0;
    int covered_ = 0;
    bool unloaded_ = false;
};

}  // namespace orvanta::web
