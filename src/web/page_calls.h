// The page's side of the browser toolkit, as the C++ side calls it: each
// function is one call into the page's script (page/orvanta_page.js), which
// makes and changes the page's elements and queues what the user does.
// Windows and message boxes are numbered by the page; texts are UTF-8;
// positions and lengths inside a text count UTF-16 code units, as the page's
// own text fields count them.
#pragma once

#include <string>
#include <string_view>

#include "form_layout.h"

namespace orvanta::web::page {

// What the page queues, one entry for each thing the user did.
enum class EventKind {
    Click,       // a button, a check box or a link was clicked (or pressed by key)
    Input,       // a field's text may have changed
    Focus,       // the keyboard focus moved inside the window
    Enter,       // Enter was pressed in a control that is not a push button
    Close,       // the window's close box
    BoxClosed,   // a message box was closed
};

struct Event {
    int window;
    ui::ControlId control;
    EventKind kind;
};

// Waits until the user does something (the one place where the program waits).
Event Next();
// The next queued event without waiting, if there is one.
bool TakeQueued(Event& event);

// A window, hidden until shown; `modal` windows open above all others.
int CreateWindow(std::string_view caption, int clientWidthPx, int clientHeightPx, bool modal);
void AddControl(int window, const ui::ControlLayout& control, const ui::ControlLayout* container);
void ShowWindow(int window);
void CloseWindow(int window);
void SetWindowIcon(int window, bool applicationIcon);

std::string Text(int window, ui::ControlId id);
int TextLength(int window, ui::ControlId id);
void SetText(int window, ui::ControlId id, std::string_view text);
int SelStart(int window, ui::ControlId id);
int SelEnd(int window, ui::ControlId id);
void Select(int window, ui::ControlId id, int start, int end);
void ReplaceSelection(int window, ui::ControlId id, std::string_view text);
// Gives the control the keyboard focus; the window's control that has it, or kNoControl.
void Focus(int window, ui::ControlId id);
ui::ControlId Focused(int window);
void SetEnabled(int window, ui::ControlId id, bool enabled);
bool Checked(int window, ui::ControlId id);
int ListIndex(int window, ui::ControlId id);
void SetListIndex(int window, ui::ControlId id, int index);
void AddItem(int window, ui::ControlId id, std::string_view item);
void SetHandCursor(int window, ui::ControlId id, bool hand);
// Reads a text aloud to screen readers, without moving the focus.
void Announce(std::string_view text);

enum class BoxIcon { Information, Warning, Error };
// A modal message box over everything, with an OK button; returns its number.
int OpenMessageBox(std::string_view text, BoxIcon icon, std::string_view title);

// Opens a link from the program's own fixed addresses; what the page may not open it ignores.
void OpenLink(std::string_view url);

}  // namespace orvanta::web::page
