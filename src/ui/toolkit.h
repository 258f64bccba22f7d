// The windowing operations the forms use, and nothing more. The forms are
// written against this interface only; the Win32 program and the tests each
// provide an implementation. Texts are UTF-8; positions, lengths and
// selections inside a text count UTF-16 code units, as the controls do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

inline constexpr int kSizeToCaption = -1;  // a label's width (or height) follows its caption
inline constexpr int kNoTabIndex = -1;     // controls that are not in the tab order at all

struct ControlLayout {
    const char* name;
    ControlKind kind;
    ControlId container;  // kNoControl: the window's client area
    int leftTwips;
    int topTwips;
    int widthTwips;
    int heightTwips;
    int tabIndex;
    const char* caption;      // caption or initial text
    bool isDefault = false;   // the window's default push button
    bool enabled = true;
    bool handCursor = false;  // the hand cursor while the mouse is over the control
    const char* const* items = nullptr;  // a list's items from the start, in order
    std::size_t itemCount = 0;
};

enum class StartPosition { CenterScreen, CenterOwner };

struct FormLayout {
    const char* name;
    const char* caption;
    int clientWidthTwips;
    int clientHeightTwips;
    bool minButton;
    bool maxButton;
    StartPosition startPosition;
    bool applicationIcon;  // the window starts with the program's icon
    const ControlLayout* controls;
    std::size_t controlCount;
};

// Twips to pixels: 1440 twips an inch, so 15 twips a pixel at 96 dpi.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

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
    virtual std::uintptr_t WindowHandle() const = 0;
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
    virtual void ShowModal(Form& form, Form* owner) = 0;
};

// The platform shell that opens links (the narrow-character entry point:
// the texts reach it in the system's ANSI code page).
class Shell {
public:
    virtual ~Shell() = default;
    virtual void Execute(std::uintptr_t owner, std::string_view operation, std::string_view file,
                         std::string_view parameters, std::string_view directory, int showCommand) = 0;
};

}  // namespace orvanta::ui
