// Where the keyboard focus is in one form window, and whether the user has
// left the window: for another program, by minimising it, or while the
// program's own message box or modal window keeps it disabled.
//
// Leaving the window is not leaving a field, and coming back is not entering
// one: the form sees neither, and the field the user comes back to has its
// text, caret and selection (with its direction) as they were. A field keeps
// those itself; what this state tells the window is that nothing may touch
// them while the user is away or coming back.
#pragma once

#include "toolkit.h"

namespace orvanta::win32 {

class WindowFocus {
public:
    // What a control's gaining or losing the focus is to the form.
    enum class Move {
        FieldEntered,   // the form's GotFocus
        FieldLeft,      // the form's LostFocus
        WindowEntered,  // the user is back: no event, the field as it was
        WindowLeft,     // the user has gone: no event, the field as it is
    };

    // `id` gets the focus.
    Move Gaining(ui::ControlId id);
    // `id` loses the focus: to a window of the program's own (another
    // control, a message box, the About window), or out of the window (to
    // no window, to the window itself, to another program's window).
    Move Losing(ui::ControlId id, bool toOwnWindow);

    // The control that has the focus, or had it last; kNoControl before any.
    ui::ControlId Last() const { return control_; }
    // The control that has the focus now, or kNoControl.
    ui::ControlId Current() const { return where_ == Where::InControl ? control_ : ui::kNoControl; }
    bool Away() const { return where_ == Where::Away; }

private:
    enum class Where {
        Elsewhere,  // at start, or in another of the program's windows
        InControl,  // in control_
        Away,       // the user left the window from control_
    };
    ui::ControlId control_ = ui::kNoControl;
    Where where_ = Where::Elsewhere;
};

}  // namespace orvanta::win32
