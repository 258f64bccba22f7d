// Where the keyboard focus is in one form window, and the rules that follow
// from it: whether the user left a field or the window, when a field's
// selection is kept, which control the focus goes back to, and which push
// button Enter presses.
//
// Leaving the window (for another program, by minimising it, or while the
// program's own message box or modal window keeps it disabled) is not
// leaving a field, and coming back is not entering one: the form sees
// neither, and the field the user comes back to has its text, caret and
// selection (with its direction) as they were. A field keeps those itself;
// this unit tells the window that nothing may touch them meanwhile.
#pragma once

#include <functional>

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
        Passed,         // nothing to the form: a control gets the focus it has
                        // for the form already, or loses one it never had for it
    };

    // Where the focus goes when a control loses it.
    struct Destination {
        bool anyWindow;       // false: to no window at all
        bool theFormWindow;   // to the form's window itself (minimised, say)
        bool sameThread;      // to a window of this program's thread
        ui::ControlId control = ui::kNoControl;  // the control of this window it goes to
    };

    // `id` gets the focus.
    Move Gaining(ui::ControlId id);
    // `id` loses the focus to `to`: a window of the program's own (another
    // control, a message box, the About window) is leaving the field; no
    // window, the window itself or another program's window is leaving the
    // window.
    //
    // Windows puts the focus on the next control before it tells the last one
    // that it lost it. A handler that opens a window meanwhile (a message
    // box) takes the focus from a control that the form has not yet heard
    // entered; once that window closes, the focus goes on to where it was
    // going, and the form hears that control entered once.
    Move Losing(ui::ControlId id, Destination to);

    // While Windows handles `id`'s gaining or losing the focus as `move`:
    // whether nothing may change its selection (the user leaving the window
    // or coming back), until Moved().
    void Moving(ui::ControlId id, Move move);
    void Moved() { keeping_ = ui::kNoControl; }
    bool SelectionKept(ui::ControlId id) const { return id != ui::kNoControl && id == keeping_; }
    // Whether `move` is the form's GotFocus or LostFocus.
    static bool ForTheForm(Move move) { return move == Move::FieldEntered || move == Move::FieldLeft; }

    // The control that has the focus now, or kNoControl.
    ui::ControlId Current() const { return where_ == Where::InControl ? control_ : ui::kNoControl; }

    // The control the focus goes back to when the window is entered: the one
    // that had it, while it can take it, else the first tab stop.
    ui::ControlId ReturnTarget(const std::function<bool(ui::ControlId)>& canTakeIt, ui::ControlId firstTabStop) const;
    // The push button that Enter presses and that carries the default
    // border: the one with the focus, as in a dialog, else the window's
    // default button.
    ui::ControlId DefaultButton(const std::function<bool(ui::ControlId)>& isPushButton,
                                ui::ControlId windowDefault) const;

private:
    enum class Where {
        Elsewhere,  // at start, or in another of the program's windows
        InControl,  // in control_
        Away,       // the user left the window from control_
    };
    ui::ControlId control_ = ui::kNoControl;
    ui::ControlId entered_ = ui::kNoControl;  // the control the form last heard entered, until it hears it left
    Where where_ = Where::Elsewhere;
    ui::ControlId keeping_ = ui::kNoControl;
};

}  // namespace orvanta::win32
