// The shell of the browser page: the About window's links open as the page's
// own links do (a web address in a new tab, mail and chat links handed to
// whatever the system has for them, nothing at all where nothing does).
#pragma once

#include "toolkit.h"

namespace orvanta::web {

class WebShell : public ui::Shell {
public:
    void Execute(const ui::Form* owner, std::string_view operation, std::string_view file,
                 std::string_view parameters, std::string_view directory, ui::ShowCommand show) override;
};

}  // namespace orvanta::web
