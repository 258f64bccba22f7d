// Conversions at the boundary between the forms (UTF-8) and Windows (UTF-16, ANSI).
#pragma once

#include <string>
#include <string_view>

namespace orvanta::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// To the system's ANSI code page, for the narrow-character entry points.
std::string ToAnsi(std::string_view utf8);

}  // namespace orvanta::win32
