// Orvanta's entry point on the browser page: the main window, its toolkit and the shell for the links.
#include "frm_main.h"
#include "page_calls.h"
#include "program_info.h"
#include "web_shell.h"
#include "web_toolkit.h"

int main() {
    using namespace orvanta;
    web::WebToolkit toolkit;
    web::WebShell shell;
    ui::frmMain mainForm(toolkit, shell);
    try {
        toolkit.Run(mainForm);
    } catch (...) {
        web::page::OpenMessageBox("无法创建窗口。", web::page::BoxIcon::Error, ORVANTA_NAME);
        return 1;
    }
    return 0;
}
