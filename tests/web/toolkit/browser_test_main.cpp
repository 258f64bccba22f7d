// The browser toolkit tests' entry point: runs every test, then leaves the
// exit code in the page's title for the runner (the program's end is not
// reported by itself once its loop has waited for the page).
#include <emscripten.h>
#include <gtest/gtest.h>

// clang-format off
EM_JS(void, report_exit, (int code), { document.title = 'exit ' + code; });
// clang-format on

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int code = RUN_ALL_TESTS();
    report_exit(code);
    return code;
}
