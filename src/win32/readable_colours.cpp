#include "readable_colours.h"

namespace orvanta::win32 {

namespace {

constexpr COLORREF kPureBlue = RGB(0, 0, 255);

// x to the power 2.4, for x in (0, 1]: x² times the fifth root of x², by
// Newton's method from above (a general power function would be many times
// the size of the program's need).
double PowerTwoPointFour(double x) {
    const double square = x * x;
    double root = 1.0;
    for (int i = 0; i < 30; ++i) root = (4 * root + square / (root * root * root * root)) / 5;
    return square * root;
}

// A channel's share of the light, from its sRGB value.
double Linear(BYTE channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : PowerTwoPointFour((c + 0.055) / 1.055);
}

double Luminance(COLORREF colour) {
    return 0.2126 * Linear(GetRValue(colour)) + 0.7152 * Linear(GetGValue(colour)) +
           0.0722 * Linear(GetBValue(colour));
}

}  // namespace

double ContrastRatio(COLORREF a, COLORREF b) {
    const double la = Luminance(a) + 0.05, lb = Luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

COLORREF ReadableOn(COLORREF background, std::initializer_list<COLORREF> preferred) {
    for (COLORREF colour : preferred)
        if (ContrastRatio(colour, background) >= kReadableContrast) return colour;
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

COLORREF LinkColour(bool highContrast) {
    const COLORREF background = GetSysColor(COLOR_BTNFACE);
    const COLORREF hyperlink = GetSysColor(COLOR_HOTLIGHT), text = GetSysColor(COLOR_BTNTEXT);
    return highContrast ? ReadableOn(background, {hyperlink, text})
                        : ReadableOn(background, {kPureBlue, hyperlink, text});
}

COLORREF ResultTextColour() {
    return ReadableOn(GetSysColor(COLOR_MENU), {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_MENUTEXT)});
}

}  // namespace orvanta::win32
