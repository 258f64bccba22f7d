#include "callback_guard.h"

#include "program_info.h"

namespace orvanta::win32 {

void ReportFailure(HWND owner, Failure failure) noexcept {
    static bool reporting = false;
    if (reporting) return;
    reporting = true;
    const wchar_t* text = failure == Failure::OutOfMemory ? L"内存不足，此操作未能完成。"
                                                          : L"发生意外错误，此操作未能完成。";
    MessageBoxW(owner, text, L"" ORVANTA_NAME, MB_OK | MB_ICONERROR);
    reporting = false;
}

}  // namespace orvanta::win32
