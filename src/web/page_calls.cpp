// Each function calls the page's script (orvantaPage, page/orvanta_page.js).
// Only Next() waits: the program is suspended there (Asyncify) until the
// page has an event, and the page never calls into the program itself.
#include "page_calls.h"

#include <emscripten.h>

#include <cstdlib>

namespace orvanta::web::page {

namespace {

// clang-format off
EM_ASYNC_JS(void, page_next_event, (int* out), {
    const event = await orvantaPage.nextEvent();
    HEAP32[(out >> 2) + 0] = event[0];
    HEAP32[(out >> 2) + 1] = event[1];
    HEAP32[(out >> 2) + 2] = event[2];
});
EM_JS(int, page_take_event, (int* out), {
    const event = orvantaPage.takeEvent();
    if (!event) return 0;
    HEAP32[(out >> 2) + 0] = event[0];
    HEAP32[(out >> 2) + 1] = event[1];
    HEAP32[(out >> 2) + 2] = event[2];
    return 1;
});
EM_JS(int, page_create_window, (const char* caption, int length, int width, int height, int modal), {
    return orvantaPage.createWindow(UTF8ToString(caption, length), width, height, !!modal);
});
EM_JS(void, page_add_control, (int window, int id, int kind, int container, int left, int top, int width,
                               int height, const char* caption, const char* name, int flags), {
    orvantaPage.addControl(window, id, kind, container, left, top, width, height, UTF8ToString(caption),
                           name ? UTF8ToString(name) : null, flags);
});
EM_JS(void, page_show_window, (int window), { orvantaPage.showWindow(window); });
EM_JS(void, page_close_window, (int window), { orvantaPage.closeWindow(window); });
EM_JS(void, page_set_window_icon, (int window, int shown), { orvantaPage.setWindowIcon(window, !!shown); });
EM_JS(char*, page_text, (int window, int id), { return allocateUTF8(orvantaPage.text(window, id)); });
EM_JS(int, page_text_length, (int window, int id), { return orvantaPage.text(window, id).length; });
EM_JS(void, page_set_text, (int window, int id, const char* text, int length), {
    orvantaPage.setText(window, id, UTF8ToString(text, length));
});
EM_JS(int, page_sel_start, (int window, int id), { return orvantaPage.selStart(window, id); });
EM_JS(int, page_sel_end, (int window, int id), { return orvantaPage.selEnd(window, id); });
EM_JS(void, page_select, (int window, int id, int start, int end), { orvantaPage.select(window, id, start, end); });
EM_JS(void, page_replace_selection, (int window, int id, const char* text, int length), {
    orvantaPage.replaceSelection(window, id, UTF8ToString(text, length));
});
EM_JS(void, page_focus, (int window, int id), { orvantaPage.focus(window, id); });
EM_JS(int, page_focused, (int window), { return orvantaPage.focused(window); });
EM_JS(void, page_set_enabled, (int window, int id, int enabled), { orvantaPage.setEnabled(window, id, !!enabled); });
EM_JS(int, page_checked, (int window, int id), { return orvantaPage.checked(window, id) ? 1 : 0; });
EM_JS(int, page_list_index, (int window, int id), { return orvantaPage.listIndex(window, id); });
EM_JS(void, page_set_list_index, (int window, int id, int index), { orvantaPage.setListIndex(window, id, index); });
EM_JS(void, page_add_item, (int window, int id, const char* item, int length), {
    orvantaPage.addItem(window, id, UTF8ToString(item, length));
});
EM_JS(void, page_set_hand_cursor, (int window, int id, int hand), { orvantaPage.setHandCursor(window, id, !!hand); });
EM_JS(void, page_announce, (const char* text, int length), { orvantaPage.announce(UTF8ToString(text, length)); });
EM_JS(int, page_open_message_box, (const char* text, int textLength, int icon, const char* title,
                                   int titleLength), {
    return orvantaPage.openMessageBox(UTF8ToString(text, textLength), icon, UTF8ToString(title, titleLength));
});
EM_JS(void, page_open_link, (const char* url, int length), { orvantaPage.openLink(UTF8ToString(url, length)); });
// clang-format on

int Length(std::string_view text) { return static_cast<int>(text.size()); }

Event FromBuffer(const int (&buffer)[3]) {
    return {buffer[0], buffer[1], static_cast<EventKind>(buffer[2])};
}

}  // namespace

Event Next() {
    int buffer[3] = {};
    page_next_event(buffer);
    return FromBuffer(buffer);
}

bool TakeQueued(Event& event) {
    int buffer[3] = {};
    if (!page_take_event(buffer)) return false;
    event = FromBuffer(buffer);
    return true;
}

int CreateWindow(std::string_view caption, int width, int height, bool modal) {
    return page_create_window(caption.data(), Length(caption), width, height, modal);
}

void AddControl(int window, const ui::ControlLayout& c, const ui::ControlLayout* container) {
    // Places are sent in CSS pixels (15 twips each); a control in a frame is
    // placed from the frame's corner, as the table gives it.
    const auto px = [](int twips) { return twips < 0 ? twips : ui::TwipsToPixels(twips, 96); };
    page_add_control(window, c.id, static_cast<int>(c.kind), container ? container->id : ui::kNoControl,
                     px(c.leftTwips), px(c.topTwips), px(c.widthTwips), px(c.heightTwips), c.caption,
                     c.accessibleName, static_cast<int>(c.flags));
}

void ShowWindow(int window) { page_show_window(window); }
void CloseWindow(int window) { page_close_window(window); }
void SetWindowIcon(int window, bool applicationIcon) { page_set_window_icon(window, applicationIcon); }

std::string Text(int window, ui::ControlId id) {
    char* text = page_text(window, id);
    std::string result = text ? text : "";
    std::free(text);
    return result;
}

int TextLength(int window, ui::ControlId id) { return page_text_length(window, id); }
void SetText(int window, ui::ControlId id, std::string_view text) {
    page_set_text(window, id, text.data(), Length(text));
}
int SelStart(int window, ui::ControlId id) { return page_sel_start(window, id); }
int SelEnd(int window, ui::ControlId id) { return page_sel_end(window, id); }
void Select(int window, ui::ControlId id, int start, int end) { page_select(window, id, start, end); }
void ReplaceSelection(int window, ui::ControlId id, std::string_view text) {
    page_replace_selection(window, id, text.data(), Length(text));
}
void Focus(int window, ui::ControlId id) { page_focus(window, id); }
ui::ControlId Focused(int window) { return page_focused(window); }
void SetEnabled(int window, ui::ControlId id, bool enabled) { page_set_enabled(window, id, enabled); }
bool Checked(int window, ui::ControlId id) { return page_checked(window, id) != 0; }
int ListIndex(int window, ui::ControlId id) { return page_list_index(window, id); }
void SetListIndex(int window, ui::ControlId id, int index) { page_set_list_index(window, id, index); }
void AddItem(int window, ui::ControlId id, std::string_view item) {
    page_add_item(window, id, item.data(), Length(item));
}
void SetHandCursor(int window, ui::ControlId id, bool hand) { page_set_hand_cursor(window, id, hand); }
void Announce(std::string_view text) { page_announce(text.data(), Length(text)); }

int OpenMessageBox(std::string_view text, BoxIcon icon, std::string_view title) {
    return page_open_message_box(text.data(), Length(text), static_cast<int>(icon), title.data(), Length(title));
}

void OpenLink(std::string_view url) { page_open_link(url.data(), Length(url)); }

}  // namespace orvanta::web::page
