#include "window_focus.h"

namespace orvanta::win32 {

WindowFocus::Move WindowFocus::Gaining(ui::ControlId id) {
    const bool returning = where_ == Where::Away;
    control_ = id;
    where_ = Where::InControl;
    return returning ? Move::WindowEntered : Move::FieldEntered;
}

WindowFocus::Move WindowFocus::Losing(ui::ControlId id, Destination to) {
    const bool toOwnWindow = to.anyWindow && !to.theFormWindow && to.sameThread;
    control_ = id;
    where_ = toOwnWindow ? Where::Elsewhere : Where::Away;
    return toOwnWindow ? Move::FieldLeft : Move::WindowLeft;
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
