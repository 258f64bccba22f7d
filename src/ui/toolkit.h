// The windowing operations the forms use, and nothing more: the contract
// every toolkit keeps. The forms are written against this interface only;
// the Win32 program, the browser page and the tests each provide an
// implementation. Texts are UTF-8; positions, lengths and selections inside
// a text count UTF-16 code units, as the controls do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "form_layout.h"

namespace orvanta::ui {

enum class Event { Click, Change, GotFocus, LostFocus };
enum class MessageIcon { Information, Warning };

using IconRef = std::uintptr_t;    // an icon the toolkit handed out; 0 is none
using CursorRef = std::uintptr_t;  // a mouse cursor the toolkit handed out; 0 is the default

// One loaded window, as its form sees it.
class FormHost {
public:
    virtual ~FormHost() = default;

    virtual std::string Text(ControlId id) const = 0;
    // Length of the text in UTF-16 code units, without reading it.
    virtual int TextLength(ControlId id) const = 0;
    // Raises Change on a text box only when the text really changes.
    virtual void SetText(ControlId id, std::string_view text) = 0;
    virtual void SetSelStart(ControlId id, int start) = 0;
    virtual void SetSelLength(ControlId id, int length) = 0;
    virtual void SetSelText(ControlId id, std::string_view text) = 0;
    virtual void SetFocus(ControlId id) = 0;
    virtual void SetEnabled(ControlId id, bool enabled) = 0;
    virtual int Value(ControlId checkBox) const = 0;
    virtual int ListIndex(ControlId combo) const = 0;
    virtual void SetListIndex(ControlId combo, int index) = 0;
    virtual void AddItem(ControlId combo, std::string_view item) = 0;
    // Waits until the user has closed the box.
    virtual void MsgBox(std::string_view text, MessageIcon icon, std::string_view title) = 0;
    virtual void Unload() = 0;

    virtual IconRef Icon() const = 0;
    virtual void SetIcon(IconRef icon) = 0;
    virtual CursorRef MouseIcon(ControlId label) const = 0;
    virtual void SetMouseIcon(ControlId label, CursorRef cursor) = 0;
};

// A window's logic: its layout, its load step and its event handlers.
class Form {
public:
    virtual ~Form() = default;
    virtual const FormLayout& Layout() const = 0;
    virtual void Form_Load() = 0;
    // The one place where a form's events are routed to its named handlers.
    virtual void OnEvent(ControlId id, Event event) = 0;

    // Set by the toolkit while the window exists, null otherwise.
    void Attach(FormHost* host) { host_ = host; }
    FormHost* Host() const { return host_; }

protected:
    FormHost& host() const { return *host_; }

private:
    FormHost* host_ = nullptr;
};

class Toolkit {
public:
    virtual ~Toolkit() = default;
    // Creates the window, runs Form_Load, shows it and returns when it is
    // unloaded. A modal window disables every other window of the program
    // meanwhile; `owner` is the window it is centred over and stays above.
    // A failure of Form_Load goes on to the caller; the window does not open.
    virtual void ShowModal(Form& form, Form* owner) = 0;
};

// How the shell shows the window of what it opens.
enum class ShowCommand {
    ShowNormal,  // activated, at its normal size and place even if it was minimised or maximised
    Show,        // activated, at its current size and place
};

// The platform shell that opens links (the narrow-character entry point:
// the texts reach it in the system's ANSI code page).
class Shell {
public:
    virtual ~Shell() = default;
    // `owner` is the loaded form whose window owns what the shell shows, or null for none.
    virtual void Execute(const Form* owner, std::string_view operation, std::string_view file,
                         std::string_view parameters, std::string_view directory, ShowCommand show) = 0;
};

}  // namespace orvanta::ui
