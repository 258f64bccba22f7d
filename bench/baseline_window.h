// What the two start-up baselines share: a top-level window class whose
// window ends the program when it is closed, and the message loop.
#pragma once

#include <windows.h>

namespace baseline {

inline LRESULT CALLBACK QuitOnDestroy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

inline bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = QuitOnDestroy;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0;
}

// Shows the window and runs until it is closed; the program's exit code.
inline int ShowAndRun(HWND window, int show) {
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace baseline
