// The layout tables: each number as designed, and the arrangement the windows
// promise (pixel rectangles are checked against the real controls under Wine).
#include <gtest/gtest.h>

#include "designed_layout.h"
#include "form_arrangement.h"

namespace orvanta::ui {
namespace {

// Width of a one-line caption in 9-point 宋体: 90 twips a half-width character, 180 a full-width one.
int CaptionTwips(std::string_view utf8) {
    int twips = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) twips += 90;
        else if ((c & 0xC0) != 0x80) twips += 180;
    }
    return twips;
}

int Width(const ControlLayout& c) { return c.widthTwips == kSizeToCaption ? CaptionTwips(c.caption) : c.widthTwips; }

TEST(MainLayout, ControlsInFramesFitInsideThem) {
    for (const ControlLayout& c : kMainControls) {
        if (c.container == kNoControl) {
            EXPECT_LE(c.leftTwips + Width(c), kMainLayout.clientWidthTwips) << c.name;
            EXPECT_LE(c.topTwips + c.heightTwips, kMainLayout.clientHeightTwips) << c.name;
            continue;
        }
        const ControlLayout& frame = kMainControls[c.container];
        EXPECT_EQ(frame.kind, ControlKind::Frame) << c.name;
        EXPECT_GE(c.topTwips, 195) << c.name << " would cover its frame's caption";
        EXPECT_LE(c.leftTwips + Width(c), frame.widthTwips) << c.name;
        EXPECT_LE(c.topTwips + c.heightTwips, frame.heightTwips) << c.name;
    }
}

// The table gives every control the place and size the design gives it.
void ExpectAsDesigned(const FormLayout& layout, const designed::Window& design) {
    EXPECT_EQ(layout.clientWidthTwips, design.clientWidth);
    EXPECT_EQ(layout.clientHeightTwips, design.clientHeight);
    ASSERT_EQ(layout.controlCount, design.count);
    for (const designed::Control& d : design) {
        const ControlLayout& c = layout.controls[d.id];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.container, d.frame);
        EXPECT_EQ(c.leftTwips, d.left);
        EXPECT_EQ(c.topTwips, d.top);
        EXPECT_EQ(c.heightTwips, d.height);
        if (!d.toCaption) {
            EXPECT_EQ(c.widthTwips, d.width);
        } else {
            EXPECT_EQ(c.widthTwips, kSizeToCaption);
            if (d.width != 0) {
                EXPECT_EQ(CaptionTwips(c.caption), d.width) << "in 9-point 宋体";
            }
        }
    }
}

TEST(MainLayout, EveryControlStandsAsDesigned) { ExpectAsDesigned(kMainLayout, designed::kMain); }

TEST(AboutLayout, EveryControlStandsAsDesigned) { ExpectAsDesigned(kAboutLayout, designed::kAbout); }

// Layout twips become the nearest pixel, a half rounded away from zero as
// Windows' MulDiv does; a truncation would lose a pixel here at every dpi.
TEST(TwipsToPixels, RoundToTheNearestPixelAtEveryDpi) {
    const struct {
        int twips, dpi, pixels;
    } cases[] = {
        {10, 96, 1},     {195, 96, 13},    {90, 120, 8},       {1160, 120, 97},   {195, 144, 20},
        {1755, 144, 176}, {-195, 144, -20}, {195, 168, 23},     {5625, 168, 656},  {2535, 168, 296},
    };
    for (const auto& c : cases) EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
}

TEST(AboutLayout, LinksStandRightOfTheirCaptionsOnTheSameRow) {
    using namespace about_controls;
    const std::pair<ControlId, ControlId> rows[] = {{Label3, Label4}, {Label5, Label6}, {Label7, Label8}};
    for (const auto& [caption, link] : rows) {
        EXPECT_EQ(kAboutControls[caption].topTwips, kAboutControls[link].topTwips);
        EXPECT_LT(kAboutControls[caption].leftTwips + Width(kAboutControls[caption]), kAboutControls[link].leftTwips);
        EXPECT_LE(kAboutControls[link].leftTwips + Width(kAboutControls[link]), kAboutLayout.clientWidthTwips);
    }
    int handCursors = 0;
    for (const ControlLayout& c : kAboutControls) handCursors += c.HasHandCursor();
    EXPECT_EQ(handCursors, 1);  // the layout gives it to the home-page link; loading copies it
}

// The z-order Windows reads for Tab and for screen readers: each frame
// before its first control, each field's name just before it (a hidden one
// where no label names it), a frame's hints after its last field.
TEST(CreationOrder, FramesNamesAndHintsStandWhereWindowsLooksForThem) {
    using namespace main_controls;
    const std::vector<CreationStep> main = {
        {Frame1},    {txtGradeCur, true}, {txtGradeCur}, {Frame2},       {cboGradeDir, true}, {cboGradeDir},
        {Frame3},    {Check1},            {cboGradeVip, true}, {cboGradeVip}, {Label2},      {txtGradeNext},
        {Label3},    {Frame4},            {txtResult, true},   {txtResult},   {Command3},    {Command1},
        {Command2}};
    EXPECT_TRUE(CreationOrder(kMainLayout) == main);
    namespace a = about_controls;
    const std::vector<CreationStep> about = {{a::Label1}, {a::Label2}, {a::Command1}, {a::Label3}, {a::Label4},
                                             {a::Label5}, {a::Label6}, {a::Label7}, {a::Label8}, {a::Label9},
                                             {a::Image1}};
    EXPECT_TRUE(CreationOrder(kAboutLayout) == about);
}

// Centred over the owner's window (away from the screen's centre) where the
// form asks for it and has an owner, else on the work area, wherever it lies.
TEST(FirstPosition, CentredOverTheOwnerOrOnTheWorkArea) {
    const ScreenRect work{0, 30, 1280, 1024}, owner{8, 38, 408, 288};
    const struct {
        StartPosition start;
        std::optional<ScreenRect> owner;
        ScreenRect placed;
    } cases[] = {
        {StartPosition::CenterScreen, std::nullopt, {490, 427, 790, 627}},
        {StartPosition::CenterScreen, owner, {490, 427, 790, 627}},
        {StartPosition::CenterOwner, owner, {58, 63, 358, 263}},
        {StartPosition::CenterOwner, std::nullopt, {490, 427, 790, 627}},
    };
    for (const auto& c : cases) EXPECT_TRUE(FirstPosition(c.start, c.owner, work, 300, 200) == c.placed);
}

}  // namespace
}  // namespace orvanta::ui
