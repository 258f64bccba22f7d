#include "web_shell.h"

#include "page_calls.h"

namespace orvanta::web {

// The page opens a link itself, with no window of its own for it: only the
// default action ("open", or no verb) is there, and the owner and the show
// command do not apply.
void WebShell::Execute(const ui::Form*, std::string_view operation, std::string_view file, std::string_view,
                       std::string_view, ui::ShowCommand) {
    if (operation.empty() || operation == "open") page::OpenLink(file);
}

}  // namespace orvanta::web
