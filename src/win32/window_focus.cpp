#include "window_focus.h"

namespace orvanta::win32 {

WindowFocus::Move WindowFocus::Gaining(ui::ControlId id) {
    const bool returning = where_ == Where::Away;
    control_ = id;
    where_ = Where::InControl;
    return returning ? Move::WindowEntered : Move::FieldEntered;
}

WindowFocus::Move WindowFocus::Losing(ui::ControlId id, bool toOwnWindow) {
    control_ = id;
    where_ = toOwnWindow ? Where::Elsewhere : Where::Away;
    return toOwnWindow ? Move::FieldLeft : Move::WindowLeft;
}

}  // namespace orvanta::win32
