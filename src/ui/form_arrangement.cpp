#include "form_arrangement.h"

#include <climits>
#include <string_view>

namespace orvanta::ui {

namespace {

// The label whose caption names `field`: a label in the same container
// whose caption is the field's name.
ControlId LabelNaming(const FormLayout& form, const ControlLayout& field) {
    for (std::size_t i = 0; i < form.controlCount; ++i) {
        const ControlLayout& c = form.controls[i];
        if (c.kind == ControlKind::Label && c.container == field.container &&
            std::string_view(c.caption) == field.accessibleName)
            return static_cast<ControlId>(i);
    }
    return kNoControl;
}

}  // namespace

std::vector<CreationStep> CreationOrder(const FormLayout& form) {
    const auto at = [&form](std::size_t i) -> const ControlLayout& { return form.controls[i]; };
    // The controls by tab index, those without one last, each in table order
    // among its equals (an insertion sort: a form has a handful of controls).
    const auto key = [&](std::size_t i) { return at(i).tabIndex < 0 ? INT_MAX : at(i).tabIndex; };
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < form.controlCount; ++i) {
        auto place = order.end();
        while (place != order.begin() && key(*(place - 1)) > key(i)) --place;
        order.insert(place, i);
    }
    std::vector<CreationStep> steps;
    std::vector<bool> made(form.controlCount, false);
    const auto make = [&](ControlId id) {
        if (made.at(static_cast<std::size_t>(id))) return;
        made.at(static_cast<std::size_t>(id)) = true;
        steps.push_back({id});
    };
    // The last control of each frame in this order, after which its other
    // labels (hints that name no field) are read.
    std::vector<ControlId> lastInFrame(form.controlCount, kNoControl);
    for (std::size_t index : order)
        if (at(index).container != kNoControl && at(index).kind != ControlKind::Label)
            lastInFrame.at(static_cast<std::size_t>(at(index).container)) = static_cast<ControlId>(index);
    for (std::size_t index : order) {
        const ControlLayout& c = at(index);
        const auto id = static_cast<ControlId>(index);
        if (c.container != kNoControl) make(c.container);
        if (c.accessibleName) {
            const ControlId label = LabelNaming(form, c);
            if (label != kNoControl && !made.at(static_cast<std::size_t>(label))) make(label);
            else steps.push_back({id, true});
        }
        make(id);
        if (c.container != kNoControl && lastInFrame.at(static_cast<std::size_t>(c.container)) == id)
            for (std::size_t i = 0; i < form.controlCount; ++i)
                if (at(i).kind == ControlKind::Label && at(i).container == c.container) make(static_cast<ControlId>(i));
    }
    return steps;
}

ScreenRect FirstPosition(StartPosition start, const std::optional<ScreenRect>& owner, const ScreenRect& workArea,
                         long width, long height) {
    const ScreenRect& area = start == StartPosition::CenterOwner && owner ? *owner : workArea;
    const long left = area.left + ((area.right - area.left) - width) / 2;
    const long top = area.top + ((area.bottom - area.top) - height) / 2;
    return {left, top, left + width, top + height};
}

}  // namespace orvanta::ui
