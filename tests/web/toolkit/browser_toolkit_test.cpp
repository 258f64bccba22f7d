// The browser toolkit keeps what the forms rely on from any toolkit, with
// real keys and clicks in Chromium: Change only for a real change, the
// order of LostFocus and GotFocus (a message box inside LostFocus too), Tab
// over disabled controls, Enter for the default button, the combo box's
// selection on entry, modality.
#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "browser_driver.h"

namespace orvanta::web::testing {
namespace {

using ui::ControlKind;
using ui::Event;
enum : ui::ControlId { txtFirst, cboSecond, txtDisabled, txtThird, cmdOther, cmdDefault, Count };

const std::array<ui::ControlLayout, Count> kControls = {{
    {txtFirst, "txtFirst", ControlKind::TextBox, ui::kNoControl, 120, 120, 1500, 270, 0, "5", "first"},
    {cboSecond, "cboSecond", ControlKind::EditCombo, ui::kNoControl, 120, 480, 1500, 300, 1, "16", "second"},
    {txtDisabled, "txtDisabled", ControlKind::TextBox, ui::kNoControl, 120, 840, 1500, 270, 2, "", "off",
     ui::kStartsDisabled},
    {txtThird, "txtThird", ControlKind::TextBox, ui::kNoControl, 120, 1200, 1500, 270, 3, "未知", "third"},
    {cmdOther, "cmdOther", ControlKind::PushButton, ui::kNoControl, 120, 1560, 1095, 375, 4, "Other"},
    {cmdDefault, "cmdDefault", ControlKind::PushButton, ui::kNoControl, 1320, 1560, 1095, 375, 5, "OK", nullptr,
     ui::kDefaultButton},
}};
const ui::FormLayout kLayout = {"frmFields", "Fields", 2600, 2100, ui::StartPosition::CenterScreen,
                                ui::kNoFormFlags, kControls.data(), kControls.size()};

// A form that notes every event, in order, and lets a test react to them.
class RecordingForm : public ui::Form {
public:
    const ui::FormLayout& Layout() const override { return kLayout; }
    void Form_Load() override {}
    void OnEvent(ui::ControlId id, Event event) override {
        events.emplace_back(id, event);
        if (react) react(id, event);
    }
    int Count(ui::ControlId id, Event event) const {
        int n = 0;
        for (const auto& e : events) n += e == std::make_pair(id, event);
        return n;
    }
    using ui::Form::host;
    std::vector<std::pair<ui::ControlId, Event>> events;
    std::function<void(ui::ControlId, Event)> react;
};

class BrowserToolkit : public ::testing::Test {
protected:
    void SetUp() override {
        host = &driver.Open(form);
        form.events.clear();
    }
    BrowserDriver driver;
    RecordingForm form;
    ui::FormHost* host = nullptr;
};

TEST_F(BrowserToolkit, ChangeComesOnlyForARealChangeByProgramOrKeys) {
    host->SetText(txtFirst, "5");
    EXPECT_EQ(form.Count(txtFirst, Event::Change), 0) << "the same text written again";
    host->SetText(txtFirst, "42");
    EXPECT_EQ(form.Count(txtFirst, Event::Change), 1);
    EXPECT_EQ(driver.SelectionOf(form, txtFirst), (Selection{0, 0})) << "the caret at the start after a write";
    host->SetSelStart(txtFirst, 0);
    host->SetSelLength(txtFirst, 2);
    driver.Type("4");
    driver.Type("2");
    EXPECT_EQ(form.Count(txtFirst, Event::Change), 3) << "two keys, two changes";
    host->SetSelStart(txtFirst, 0);
    host->SetSelLength(txtFirst, 99);
    driver.Paste("42");
    EXPECT_EQ(form.Count(txtFirst, Event::Change), 3) << "the same text pasted over itself";
    EXPECT_EQ(host->Text(txtFirst), "42");
}

TEST_F(BrowserToolkit, SelectionOperationsCountUtf16AndStopAtTheEnd) {
    host->SetText(txtThird, "未知𝄞x");
    EXPECT_EQ(host->TextLength(txtThird), 5);
    host->SetSelStart(txtThird, 99);
    EXPECT_EQ(driver.SelectionOf(form, txtThird), (Selection{5, 0}));
    host->SetSelStart(txtThird, 2);
    host->SetSelLength(txtThird, 2);
    host->SetSelText(txtThird, "!");
    EXPECT_EQ(host->Text(txtThird), "未知!x");
    EXPECT_EQ(driver.SelectionOf(form, txtThird), (Selection{3, 0}));
}

TEST_F(BrowserToolkit, TabLeavesBeforeEnteringSkipsDisabledControlsAndSelectsTheCombo) {
    driver.Press(Key::Tab);
    EXPECT_EQ(form.events, (std::vector<std::pair<ui::ControlId, Event>>{{txtFirst, Event::LostFocus},
                                                                           {cboSecond, Event::GotFocus}}));
    EXPECT_EQ(driver.SelectionOf(form, cboSecond), (Selection{0, 2})) << "the combo box's text selected";
    driver.Press(Key::Tab);
    EXPECT_EQ(driver.Focused(form), txtThird) << "the disabled field is passed over";
    driver.Press(Key::ShiftTab);
    EXPECT_EQ(driver.Focused(form), cboSecond);
    EXPECT_EQ(driver.SelectionOf(form, cboSecond), (Selection{0, 2})) << "selected again on every entry";
    driver.Click(form, txtFirst);
    host->SetSelStart(cboSecond, 1);  // a caret left inside, which a click on it would not select all of
    driver.Click(form, cboSecond);
    EXPECT_EQ(driver.SelectionOf(form, cboSecond), (Selection{0, 2})) << "entered by a click";
}

TEST_F(BrowserToolkit, AMessageBoxInLostFocusComesBeforeTheNextControlsGotFocus) {
    SeenMessage seen;
    driver.OnNextMessageBox([&](const SeenMessage& box) {
        seen = box;
        EXPECT_EQ(form.Count(cboSecond, Event::GotFocus), 0) << "the next control waits for the box";
    });
    form.react = [&](ui::ControlId id, Event event) {
        if (id == txtFirst && event == Event::LostFocus) form.host().MsgBox("left", ui::MessageIcon::Warning, "T");
    };
    driver.Press(Key::Tab);
    EXPECT_EQ(seen.text, "left");
    EXPECT_EQ(seen.icon, ui::MessageIcon::Warning);
    EXPECT_EQ(driver.Focused(form), cboSecond);
    EXPECT_EQ(form.Count(cboSecond, Event::GotFocus), 1);
    EXPECT_EQ(form.Count(txtFirst, Event::LostFocus), 1);
}

TEST_F(BrowserToolkit, EnterPressesTheDefaultButtonFromAFieldAndLeavesTheFocus) {
    driver.Press(Key::Enter);
    EXPECT_EQ(form.events, (std::vector<std::pair<ui::ControlId, Event>>{{cmdDefault, Event::Click}}));
    EXPECT_EQ(driver.Focused(form), txtFirst);
    driver.Click(form, cmdOther);
    form.events.clear();
    driver.Press(Key::Enter);
    EXPECT_EQ(form.events, (std::vector<std::pair<ui::ControlId, Event>>{{cmdOther, Event::Click}}))
        << "a push button with the focus presses itself";
}

// A small window with one button, away from where the owner's buttons stand.
const std::array<ui::ControlLayout, 1> kModalControls = {{
    {0, "cmdClose", ControlKind::PushButton, ui::kNoControl, 120, 120, 1095, 375, 0, "Close"},
}};
const ui::FormLayout kModalLayout = {"frmModal", "Modal", 1500, 700, ui::StartPosition::CenterOwner,
                                     ui::kNoFormFlags, kModalControls.data(), kModalControls.size()};

class ModalForm : public RecordingForm {
public:
    const ui::FormLayout& Layout() const override { return kModalLayout; }
};

TEST_F(BrowserToolkit, AModalWindowReturnsOnlyOnceClosedAndItsOwnerTakesNoInput) {
    ModalForm modal;
    bool returned = false;
    driver.OnNextModal([&](ui::Form& shown) {
        EXPECT_EQ(&shown, &modal);
        driver.Click(form, cmdOther);
        EXPECT_EQ(form.Count(cmdOther, Event::Click), 0) << "the owner takes no clicks";
        EXPECT_FALSE(returned);
        driver.Click(modal, 0);
        EXPECT_EQ(modal.Count(0, Event::Click), 1);
        modal.host().Unload();
    });
    driver.Modals().ShowModal(modal, &form);
    returned = true;
    EXPECT_EQ(modal.Host(), nullptr);
}

TEST(BrowserToolkitRun, UnloadingTheStartUpFormEndsTheLoop) {
    BrowserDriver driver;
    RecordingForm form;
    form.react = [&](ui::ControlId id, Event event) {
        if (id == cmdOther && event == Event::Click) form.host().Unload();
    };
    EXPECT_TRUE(driver.Run(form, [&] { driver.Click(form, cmdOther); }));
}

}  // namespace
}  // namespace orvanta::web::testing
