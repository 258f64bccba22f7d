// The two windows as designed, in twips (1/1440 inch, 15 to a pixel at 96
// dpi), written down apart from the windows' own tables so that a wrong
// number on either side shows. Left and Top count from the control's
// container: the window's client area, or the frame that holds it.
#pragma once

#include <cstddef>
#include <iterator>

#include "frm_about.h"
#include "frm_main.h"

namespace orvanta::designed {

struct Control {
    ui::ControlId id;
    ui::ControlId frame;  // ui::kNoControl: the window's client area
    int left, top, width, height;
    // A label as wide as its caption in the face in use; `width` is then that
    // width in 9-point 宋体, or 0 where only the caption gives it.
    bool toCaption = false;
};

struct Window {
    int clientWidth, clientHeight;
    const Control* rows;  // in the order of the window's control ids
    std::size_t count;

    const Control* begin() const { return rows; }
    const Control* end() const { return rows + count; }
    const Control& operator[](ui::ControlId id) const { return rows[id]; }
    // Left and top in the window's client area.
    int Left(const Control& c) const { return c.left + (c.frame == ui::kNoControl ? 0 : rows[c.frame].left); }
    int Top(const Control& c) const { return c.top + (c.frame == ui::kNoControl ? 0 : rows[c.frame].top); }
    // The right edge a control must stay within: its frame's, or the client area's.
    int RightLimit(const Control& c) const {
        return c.frame == ui::kNoControl ? clientWidth : rows[c.frame].left + rows[c.frame].width;
    }
};

template <std::size_t N>
constexpr bool InIdOrder(const Control (&rows)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (rows[i].id != static_cast<ui::ControlId>(i)) return false;
    return true;
}

namespace main_window {
using namespace ui::main_controls;
inline constexpr Control kRows[] = {
    {Frame1, ui::kNoControl, 120, 120, 2535, 615},
    {txtGradeCur, Frame1, 120, 240, 2295, 270},
    {Frame2, ui::kNoControl, 120, 840, 2535, 615},
    {cboGradeDir, Frame2, 120, 240, 2295, 300},
    {Frame3, ui::kNoControl, 120, 1560, 2535, 1215},
    {Check1, Frame3, 120, 240, 1095, 180},
    {cboGradeVip, Frame3, 1160, 195, 1255, 300},
    {Label2, Frame3, 120, 645, 1530, 180, true},
    {txtGradeNext, Frame3, 1650, 600, 760, 270},
    {Label3, Frame3, 120, 920, 0, 180, true},
    {Frame4, ui::kNoControl, 2760, 120, 2775, 2655},
    {txtResult, Frame4, 120, 240, 2535, 2295},
    {Command3, ui::kNoControl, 120, 2880, 1095, 375},
    {Command1, ui::kNoControl, 3240, 2880, 1095, 375},
    {Command2, ui::kNoControl, 4440, 2880, 1095, 375},
};
static_assert(std::size(kRows) == Count && InIdOrder(kRows));
}  // namespace main_window

namespace about_window {
using namespace ui::about_controls;
// The value column stands at 1680, not at 1560 where "Tovix:" (540 wide from
// 1080) would run into it.
inline constexpr Control kRows[] = {
    {Image1, ui::kNoControl, 240, 120, 555, 600},
    {Label1, ui::kNoControl, 1080, 120, 0, 180, true},
    {Label2, ui::kNoControl, 1080, 480, 0, 180, true},
    {Label3, ui::kNoControl, 1080, 720, 450, 180, true},
    {Label4, ui::kNoControl, 1680, 720, 0, 180, true},
    {Label5, ui::kNoControl, 1080, 960, 0, 180, true},
    {Label6, ui::kNoControl, 1680, 960, 0, 180, true},
    {Label7, ui::kNoControl, 1080, 1200, 450, 180, true},
    {Label8, ui::kNoControl, 1680, 1200, 0, 180, true},
    {Label9, ui::kNoControl, 1080, 1560, 900, 180, true},
    {Command1, ui::kNoControl, 1800, 1920, 1215, 330},
};
static_assert(std::size(kRows) == Count && InIdOrder(kRows));
}  // namespace about_window

inline constexpr Window kMain = {5625, 3345, main_window::kRows, std::size(main_window::kRows)};
inline constexpr Window kAbout = {4890, 2400, about_window::kRows, std::size(about_window::kRows)};

}  // namespace orvanta::designed
