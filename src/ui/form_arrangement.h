// What a form's layout table implies beyond its numbers: the order in which
// its window's controls are made, which Windows reads for Tab and for screen
// readers, and where the window first stands.
#pragma once

#include <optional>
#include <vector>

#include "form_layout.h"

namespace orvanta::ui {

// One step of making a window's controls: the control `id`, or, where
// `hiddenName` is set, a static text that is never shown and only names the
// field `id` for screen readers.
struct CreationStep {
    ControlId id;
    bool hiddenName = false;
    bool operator==(const CreationStep& other) const { return id == other.id && hiddenName == other.hiddenName; }
};

// The controls in the z-order that Windows reads for Tab and for
// accessibility (a new child window goes below its siblings):
// - the tab stops in tab order, then the rest;
// - each frame just before the first control it holds, as a screen reader
//   looks back from a control for the group box around it (as in a dialog
//   box: the controls are drawn over their frame, and a group box lets
//   clicks through to them);
// - just before each field with a name, the static text that names it:
//   Windows names an edit field or a combo box by the nearest static text
//   before it, shown or not. That is the form's label with that caption in
//   the same container where there is one still to be made, else a hidden one;
// - a frame's other labels (hints) just after its last field, so that they
//   are read with the fields they are about.
std::vector<CreationStep> CreationOrder(const FormLayout& form);

// A window's rectangle, in screen pixels.
struct ScreenRect {
    long left, top, right, bottom;
    bool operator==(const ScreenRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// A window of `width` x `height` pixels at its first position: centred over
// its owner's window where the form starts so and has one, else centred on
// the work area of the screen it opens on.
ScreenRect FirstPosition(StartPosition start, const std::optional<ScreenRect>& owner, const ScreenRect& workArea,
                         long width, long height);

}  // namespace orvanta::ui
