// The windows' font: 9-point 宋体 in the GB2312 character set, or the closest
// face with Simplified Chinese coverage where 宋体 is not installed.
#pragma once

#include <windows.h>

#include <string>

namespace orvanta::win32 {

// The face used for 宋体 on this system.
const std::wstring& ChineseFaceName();

// Owns one font; deleted with it.
class WindowFont {
public:
    WindowFont() = default;
    WindowFont(int pointSize, int dpi, bool underline);
    ~WindowFont();
    WindowFont(WindowFont&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
    WindowFont& operator=(WindowFont&& other) noexcept;
    WindowFont(const WindowFont&) = delete;
    WindowFont& operator=(const WindowFont&) = delete;

    HFONT Handle() const { return font_; }

private:
    HFONT font_ = nullptr;
};

}  // namespace orvanta::win32
