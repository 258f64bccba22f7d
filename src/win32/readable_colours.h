// The colours the program picks itself, kept readable in every colour scheme
// the user may choose: at least WCAG 2's contrast for text against the
// background they stand on.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace orvanta::win32 {

// WCAG 2's contrast ratio of two colours: 1 (the same luminance) to 21
// (black on white).
double ContrastRatio(COLORREF a, COLORREF b);
inline constexpr double kReadableContrast = 4.5;  // WCAG 2, level AA, for text

// The first of `preferred` that is readable on `background`; should none be,
// black or white, whichever contrasts more (one of them always is).
COLORREF ReadableOn(COLORREF background, std::initializer_list<COLORREF> preferred);

// The links' text on the window's background: pure blue wherever it is
// readable and high contrast is off; else the system's hyperlink colour, as
// Windows' own links; else the text colour Windows pairs with that background.
COLORREF LinkColour(bool highContrast);
// The result box's text on the menu colour.
COLORREF ResultTextColour();

}  // namespace orvanta::win32
