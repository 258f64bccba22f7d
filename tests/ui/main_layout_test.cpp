// The layout tables: the arrangement the windows promise, checked on the data
// itself (pixel rectangles are checked against the real controls under Wine).
#include <gtest/gtest.h>

#include <set>

#include "frm_about.h"
#include "frm_main.h"

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

TEST(MainLayout, ColumnsAndButtonRowLineUp) {
    using namespace main_controls;
    const auto right = [](ControlId id) { return kMainControls[id].leftTwips + kMainControls[id].widthTwips; };
    const auto bottom = [](ControlId id) { return kMainControls[id].topTwips + kMainControls[id].heightTwips; };
    EXPECT_EQ(right(Frame4), right(Command2));
    EXPECT_EQ(bottom(Frame4), bottom(Frame3));
    for (ControlId button : {Command1, Command2, Command3}) EXPECT_EQ(bottom(button), 3255);
    EXPECT_EQ(CaptionTwips(kMainControls[Label2].caption), 1530);
}

TEST(MainLayout, TabIndexesAreUniqueAndTheDefaultButtonIsCalculate) {
    std::set<int> indexes;
    int defaults = 0;
    for (const ControlLayout& c : kMainControls) {
        EXPECT_TRUE(indexes.insert(c.tabIndex).second) << c.name;
        defaults += c.IsDefault();
    }
    EXPECT_EQ(defaults, 1);
    EXPECT_TRUE(kMainControls[main_controls::Command1].IsDefault());
    EXPECT_EQ(kMainControls[main_controls::txtGradeCur].tabIndex, 0);
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

}  // namespace
}  // namespace orvanta::ui
