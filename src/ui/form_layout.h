// The vocabulary of a form's layout: the kinds of control, the rows of a
// layout table in twips and the window's own settings. What a toolkit does
// with a loaded form is in toolkit.h.
#pragma once

#include <array>
#include <cstddef>

namespace orvanta::ui {

using ControlId = int;  // index of a control in its form's layout table
inline constexpr ControlId kNoControl = -1;

enum class ControlKind {
    Frame,       // group box with a caption; a container for the controls inside it
    Label,       // static text
    LinkLabel,   // label in blue, underlined, with its own mouse cursor and a click event
    TextBox,     // single-line edit field
    ResultBox,   // multi-line, read-only, vertical scroll bar, menu-colour background
    EditCombo,   // drop-down combo box with an edit field
    ListCombo,   // drop-down list without edit field
    CheckBox,
    PushButton,
    Picture,     // stretches the form's picture resource to its size
};

// Whether a control of this kind can take the keyboard focus: frames,
// labels and pictures never do.
constexpr bool TakesFocus(ControlKind kind) {
    return kind != ControlKind::Frame && kind != ControlKind::Label && kind != ControlKind::LinkLabel &&
           kind != ControlKind::Picture;
}

inline constexpr int kSizeToCaption = -1;  // a label's width (or height) follows its caption
inline constexpr int kNoTabIndex = -1;     // controls that are not in the tab order at all

// What a control starts with besides its place and caption; combined with |.
enum ControlFlags : unsigned {
    kNoControlFlags = 0,
    kDefaultButton = 1u << 0,   // the window's default push button
    kStartsDisabled = 1u << 1,  // disabled until the form enables it
    kWithHandCursor = 1u << 2,  // the hand cursor while the mouse is over the control
};
constexpr ControlFlags operator|(ControlFlags a, ControlFlags b) {
    return static_cast<ControlFlags>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

// The items a list holds from the start, in order: a constant array of texts.
class ListItems {
public:
    constexpr ListItems() = default;
    template <std::size_t N>
    constexpr ListItems(const char* const (&items)[N]) : first_(items), count_(N) {}
    constexpr const char* const* begin() const { return first_; }
    constexpr const char* const* end() const { return first_ + count_; }

private:
    const char* const* first_ = nullptr;
    std::size_t count_ = 0;
};

// One row of a form's layout table. A form's control enum gives each
// control its id, and the row of that control stands at that position; each
// table checks this where it is defined (RowsStandAtTheirIds).
struct ControlLayout {
    ControlId id;
    const char* name;
    ControlKind kind;
    ControlId container;  // kNoControl: the window's client area
    int leftTwips;
    int topTwips;
    int widthTwips;
    int heightTwips;
    int tabIndex;
    const char* caption;  // caption or initial text
    // The name a screen reader gives a field, which shows no caption of its
    // own: the text a sighted user reads for it, a label's caption or its
    // frame's. Null where the control's own caption names it (buttons, check
    // boxes, frames, labels).
    const char* accessibleName = nullptr;
    ControlFlags flags = kNoControlFlags;
    ListItems items{};

    constexpr bool IsDefault() const { return (flags & kDefaultButton) != 0; }
    constexpr bool StartsEnabled() const { return (flags & kStartsDisabled) == 0; }
    constexpr bool HasHandCursor() const { return (flags & kWithHandCursor) != 0; }
};

template <std::size_t N>
constexpr bool RowsStandAtTheirIds(const std::array<ControlLayout, N>& rows) {
    for (std::size_t i = 0; i < N; ++i)
        if (rows[i].id != static_cast<ControlId>(i)) return false;
    return true;
}

enum class StartPosition { CenterScreen, CenterOwner };

// What a window has besides its size and first position; combined with |.
enum FormFlags : unsigned {
    kNoFormFlags = 0,
    kMinButton = 1u << 0,
    kMaxButton = 1u << 1,
    kApplicationIcon = 1u << 2,  // the window starts with the program's icon
};
constexpr FormFlags operator|(FormFlags a, FormFlags b) {
    return static_cast<FormFlags>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

struct FormLayout {
    const char* name;
    const char* caption;
    int clientWidthTwips;
    int clientHeightTwips;
    StartPosition startPosition;
    FormFlags flags;
    const ControlLayout* controls;
    std::size_t controlCount;

    constexpr bool Has(FormFlags flag) const { return (flags & flag) != 0; }
};

struct TwipsPoint {
    int left;
    int top;
};

// Where a control stands in its window's client area: a control in a frame
// is placed from the frame's corner.
constexpr TwipsPoint PositionInWindow(const FormLayout& form, const ControlLayout& control) {
    if (control.container == kNoControl) return {control.leftTwips, control.topTwips};
    const ControlLayout& frame = form.controls[control.container];
    return {frame.leftTwips + control.leftTwips, frame.topTwips + control.topTwips};
}

// Twips to pixels: 1440 twips an inch, so 15 twips a pixel at 96 dpi.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

}  // namespace orvanta::ui
