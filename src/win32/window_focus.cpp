#include "window_focus.h"

namespace orvanta::win32 {

WindowFocus::Move WindowFocus::Gaining(ui::ControlId id) {
    const bool returning = where_ == Where::Away;
    control_ = id;
    where_ = Where::InControl;
    if (returning) return Move::WindowEntered;
    if (entered_ == id) return Move::Passed;
    entered_ = id;
    return Move::FieldEntered;
}

WindowFocus::Move WindowFocus::Losing(ui::ControlId id, Destination to) {
    if (!to.anyWindow || to.theFormWindow || !to.sameThread) {
        control_ = id;
        where_ = Where::Away;
        return Move::WindowLeft;
    }
    control_ = to.control != ui::kNoControl ? to.control : id;
    where_ = Where::Elsewhere;
    if (entered_ != id) return Move::Passed;
    entered_ = ui::kNoControl;
    return Move::FieldLeft;
}

void WindowFocus::Moving(ui::ControlId id, Move move) { keeping_ = ForTheForm(move) ? ui::kNoControl : id; }

ui::ControlId WindowFocus::ReturnTarget(const std::function<bool(ui::ControlId)>& canTakeIt,
                                        ui::ControlId firstTabStop) const {
    return control_ != ui::kNoControl && canTakeIt(control_) ? control_ : firstTabStop;
}

ui::ControlId WindowFocus::DefaultButton(const std::function<bool(ui::ControlId)>& isPushButton,
                                         ui::ControlId windowDefault) const {
    const ui::ControlId focused = Current();
    return focused != ui::kNoControl && isPushButton(focused) ? focused : windowDefault;
}

}  // namespace orvanta::win32
