// An in-memory toolkit that keeps the toolkits' contract (tests/contract),
// which also holds it to that contract: events are raised synchronously from
// inside the operations that cause them. Besides the operations the forms
// use, it offers the user's actions (type, paste, Tab, click, Enter), which a
// window under a message box or a modal window does not take, and records
// message boxes and shell calls.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit.h"

namespace orvanta::ui::testing {

std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

struct MessageRecord {
    std::string text;
    MessageIcon icon;
    std::string title;
};

class MemoryToolkit;

class MemoryWindow : public FormHost {
public:
    MemoryWindow(MemoryToolkit& toolkit, Form& form, IconRef icon);

    // FormHost
    std::string Text(ControlId id) const override;
    int TextLength(ControlId id) const override;
    void SetText(ControlId id, std::string_view text) override;
    void SetSelStart(ControlId id, int start) override;
    void SetSelLength(ControlId id, int length) override;
    void SetSelText(ControlId id, std::string_view text) override;
    void SetFocus(ControlId id) override;
    void SetEnabled(ControlId id, bool enabled) override;
    int Value(ControlId checkBox) const override;
    int ListIndex(ControlId combo) const override;
    void SetListIndex(ControlId combo, int index) override;
    void AddItem(ControlId combo, std::string_view item) override;
    void MsgBox(std::string_view text, MessageIcon icon, std::string_view title) override;
    void Unload() override;
    IconRef Icon() const override { return icon_; }
    void SetIcon(IconRef icon) override { icon_ = icon; }
    CursorRef MouseIcon(ControlId label) const override;
    void SetMouseIcon(ControlId label, CursorRef cursor) override;

    // What the user does.
    void Type(std::string_view text);        // keystrokes into the focused field
    void Paste(std::string_view text);       // the clipboard's text into the focused field
    void Tab(bool backward = false);         // to the next (previous) control in the tab order
    void Click(ControlId id);                // mouse click: buttons and check boxes take the focus
    void PressEnter();                       // the default button, unless a push button has the focus
    void PickItem(ControlId list, int index);  // choose an item from a drop-down list

    // What the user sees.
    const Form& LoadedForm() const { return form_; }
    ControlId Focused() const { return focus_; }
    int SelStart(ControlId id) const { return controls_.at(id).selStart; }
    int SelLength(ControlId id) const { return controls_.at(id).selLength; }
    bool Enabled(ControlId id) const { return controls_.at(id).enabled; }
    const std::vector<std::string>& Items(ControlId combo) const { return controls_.at(combo).items; }
    bool Unloaded() const { return unloaded_; }
    // Neither unloaded nor under a message box or a modal window.
    bool TakesInput() const { return !unloaded_ && blocked_ == 0; }
    const std::vector<MessageRecord>& Messages() const { return messages_; }

private:
    struct Control {
        ControlLayout layout;
        std::u16string text;
        int selStart = 0;
        int selLength = 0;
        bool enabled = true;
        int value = 0;
        std::vector<std::string> items;
        int listIndex = -1;
        CursorRef cursor = 0;
    };
    // The controls Tab visits, in order, starting from the first.
    std::vector<ControlId> TabStops() const;
    bool IsTextBox(ControlId id) const;
    bool CanFocus(ControlId id) const;
    void Raise(ControlId id, Event event);
    void Replace(ControlId id, std::u16string text);
    // The user's text in place of the focused field's selection, a keystroke's or a paste's.
    void Input(std::u16string_view text);

    friend class MemoryToolkit;
    MemoryToolkit& toolkit_;
    Form& form_;
    std::vector<Control> controls_;
    ControlId focus_ = kNoControl;
    ControlId entered_ = kNoControl;  // whose GotFocus the form heard last, until its LostFocus
    IconRef icon_;
    bool unloaded_ = false;
    int blocked_ = 0;
    std::vector<MessageRecord> messages_;
};

inline constexpr CursorRef kHandCursor = 0x4A4E44;  // the toolkit's hand cursor
inline constexpr IconRef kApplicationIcon = 0x1C0;  // the program's icon

struct ShellCall {
    const Form* owner;
    std::string operation, file, parameters, directory;
    ShowCommand show;
};

class RecordingShell : public Shell {
public:
    void Execute(const Form* owner, std::string_view operation, std::string_view file,
                 std::string_view parameters, std::string_view directory, ShowCommand show) override {
        calls.push_back({owner, std::string(operation), std::string(file), std::string(parameters),
                         std::string(directory), show});
    }
    std::vector<ShellCall> calls;
};

class MemoryToolkit : public Toolkit {
public:
    // Loads the start-up window: Form_Load, then the focus to the first tab stop.
    MemoryWindow& Start(Form& form);
    // Runs `whileModal` for the user's actions while a modal window is open;
    // the window must be unloaded by then, as the real loop only returns then.
    void ShowModal(Form& form, Form* owner) override;

    std::function<void(MemoryWindow& modal)> whileModal;
    // Runs once, while the next message box is open.
    std::function<void(const MessageRecord& box)> whileNextMessageBox;
    int modalCount = 0;
    std::vector<std::unique_ptr<MemoryWindow>> windows;

private:
    MemoryWindow& Load(Form& form, IconRef icon);
};

}  // namespace orvanta::ui::testing
