// What the forms rely on from any toolkit, written once and run against each
// toolkit through its driver (INSTANTIATE_TYPED_TEST_SUITE_P): Change only
// for a real change, the selection after each write, the order of the focus
// events, Tab, Enter and the combo box's selection on entry, and windows
// that wait for the user. It runs on the forms' own layouts, in forms that
// only note their events.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "frm_about.h"
#include "frm_main.h"
#include "toolkit_driver.h"

namespace orvanta::contract {

using namespace ui::main_controls;
using ui::Event;

template <class Driver>
class ToolkitContract : public ::testing::Test {
protected:
    void SetUp() override {
        window = &driver.Open(main);
        main.events.clear();
    }
    ui::ControlId Focused() { return driver.Focused(main); }
    Selection SelectionOf(ui::ControlId id) { return driver.SelectionOf(main, id); }
    // The focus events the form has heard, in order.
    std::vector<std::pair<ui::ControlId, Event>> FocusEvents() const {
        std::vector<std::pair<ui::ControlId, Event>> moves;
        for (const auto& raised : main.events)
            if (raised.second == Event::GotFocus || raised.second == Event::LostFocus) moves.push_back(raised);
        return moves;
    }

    RecordingForm main{ui::kMainLayout};  // outlives the driver's windows
    Driver driver;
    ui::FormHost* window = nullptr;
};

TYPED_TEST_SUITE_P(ToolkitContract);

// "未知" as the fields hold it: two characters, six bytes.
inline const std::string kTwoChinese = "\xE6\x9C\xAA\xE7\x9F\xA5";

// A field's Change comes for each write, keystroke or paste that leaves
// another text, and for nothing else.
TYPED_TEST_P(ToolkitContract, ChangeComesExactlyWhenTheTextChanges) {
    auto& w = *this->window;
    auto& driver = this->driver;
    for (ui::ControlId field : {txtGradeCur, cboGradeDir}) {
        SCOPED_TRACE(ui::kMainControls[field].name);
        w.SetFocus(field);
        const struct {
            const char* what;
            std::function<void()> act;
            std::string text;
            int changes;
        } steps[] = {
            {"a write of the same text", [&] { w.SetText(field, w.Text(field)); }, w.Text(field), 0},
            {"a write of another text", [&] { w.SetText(field, "7"); }, "7", 1},
            {"the same write again", [&] { w.SetText(field, "7"); }, "7", 0},
            {"nothing put in the selection", [&] { w.SetSelText(field, ""); }, "7", 0},
            {"a key over the same character", [&] { w.SetSelLength(field, 1), driver.Type("7"); }, "7", 0},
            {"two keys", [&] { driver.Type("12"); }, "712", 2},
            {"a paste", [&] { driver.Paste(kTwoChinese); }, "712" + kTwoChinese, 1},
            {"a paste over the same text",
             [&] { w.SetSelStart(field, 3), w.SetSelLength(field, 2), driver.Paste(kTwoChinese); },
             "712" + kTwoChinese, 0},
        };
        for (const auto& step : steps) {
            this->main.events.clear();
            step.act();
            EXPECT_EQ(w.Text(field), step.text) << step.what;
            EXPECT_EQ(this->main.Count(field, Event::Change), step.changes) << step.what;
        }
        EXPECT_EQ(w.TextLength(field), 5) << "UTF-16 code units";
    }
}

// Positions count UTF-16 code units; a position past the end is the end; a
// write puts the caret at the start; a replaced selection leaves the caret
// after what replaced it. Long texts reach past 16-bit positions.
TYPED_TEST_P(ToolkitContract, SelectionsAfterEachWrite) {
    auto& w = *this->window;
    for (ui::ControlId field : {txtGradeCur, cboGradeDir, txtResult}) {
        SCOPED_TRACE(ui::kMainControls[field].name);
        // The result box's text comes in lines, as the reports do.
        std::string longText;
        while (longText.size() < 40000) longText += field == txtResult ? "12345678\r\n" : "1234567890";
        w.SetFocus(field);
        const struct {
            std::function<void()> act;
            Selection selection;
            std::string text;
        } steps[] = {
            {[&] { w.SetText(field, kTwoChinese + "345"); }, {0, 0}, kTwoChinese + "345"},
            {[&] { w.SetSelStart(field, 2); }, {2, 0}, kTwoChinese + "345"},
            {[&] { w.SetSelLength(field, 2); }, {2, 2}, kTwoChinese + "345"},
            {[&] { w.SetSelText(field, "ab"); }, {4, 0}, kTwoChinese + "ab5"},
            {[&] { w.SetSelStart(field, 99); }, {5, 0}, kTwoChinese + "ab5"},
            {[&] { w.SetSelText(field, "6"); }, {6, 0}, kTwoChinese + "ab56"},
            {[&] { w.SetSelStart(field, 1), w.SetSelLength(field, 99); }, {1, 5}, kTwoChinese + "ab56"},
            {[&] { w.SetText(field, longText); }, {0, 0}, longText},
            {[&] { w.SetSelStart(field, 39990), w.SetSelLength(field, 5); }, {39990, 5}, longText},
            {[&] { w.SetSelText(field, "0"); }, {39991, 0}, longText.substr(0, 39990) + "0" + longText.substr(39995)},
        };
        int row = 0;
        for (const auto& step : steps) {
            step.act();
            EXPECT_EQ(this->SelectionOf(field), step.selection) << "row " << row;
            EXPECT_TRUE(w.Text(field) == step.text) << "row " << row;
            ++row;
        }
    }
}

// The user leaves a field by Tab for the next, a combo box or a text box;
// its LostFocus handler does nothing, shows a message box, or moves the
// focus itself. The form hears the field left before any other is entered,
// each once, and never of a control that the focus only passed.
TYPED_TEST_P(ToolkitContract, LeavingAFieldIsHeardBeforeEnteringTheNext) {
    using Moves = std::vector<std::pair<ui::ControlId, Event>>;
    auto& w = *this->window;
    const struct {
        ui::ControlId left, next, elsewhere;
    } fields[] = {{txtGradeCur, cboGradeDir, txtGradeNext}, {txtGradeNext, txtResult, txtGradeCur}};
    for (const auto& f : fields) {
        const struct {
            const char* what;
            std::function<void()> onLeaving;
            ui::ControlId focus;
            int boxes;
        } cases[] = {
            {"nothing", [] {}, f.next, 0},
            {"a message box", [&] { w.MsgBox("!", ui::MessageIcon::Warning, "Orvanta"); }, f.next, 1},
            {"the focus moved elsewhere", [&] { w.SetFocus(f.elsewhere); }, f.elsewhere, 0},
            {"the focus moved back", [&] { w.SetFocus(f.left); }, f.left, 0},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(ui::kMainControls[f.left].name) + " left, " + c.what);
            w.SetFocus(f.left);
            int boxes = 0;
            this->driver.OnNextMessageBox([&](const SeenMessage&) { ++boxes; });
            this->main.react = [&](ui::ControlId id, Event event) {
                if (id != f.left || event != Event::LostFocus) return;
                this->main.react = nullptr;
                c.onLeaving();
            };
            this->main.events.clear();
            this->driver.Press(Key::Tab);
            EXPECT_EQ(boxes, c.boxes);
            EXPECT_EQ(this->Focused(), c.focus);
            EXPECT_EQ(this->FocusEvents(), (Moves{{f.left, Event::LostFocus}, {c.focus, Event::GotFocus}}));
            this->main.react = nullptr;
            this->driver.OnNextMessageBox(nullptr);
        }
    }
}

// Tab and Shift+Tab go round the tab stops in their order, past disabled
// controls; entering a field by the keyboard selects its whole text.
TYPED_TEST_P(ToolkitContract, TabGoesRoundTheTabStopsInOrderPastDisabledControls) {
    auto& w = *this->window;
    const ui::ControlId round[] = {cboGradeDir, Check1,   txtGradeNext, txtResult,
                                   Command3,    Command1, Command2,     txtGradeCur};
    for (ui::ControlId next : round) {
        this->driver.Press(Key::Tab);
        EXPECT_EQ(this->Focused(), next) << ui::kMainControls[next].name;
    }
    w.SetEnabled(cboGradeVip, true);
    w.SetFocus(txtGradeNext);
    this->driver.Press(Key::ShiftTab);
    EXPECT_EQ(this->Focused(), cboGradeVip);
    this->driver.Press(Key::ShiftTab);
    EXPECT_EQ(this->Focused(), Check1);
    w.SetText(txtGradeNext, kTwoChinese);
    for (Key key : {Key::Tab, Key::Tab}) this->driver.Press(key);
    ASSERT_EQ(this->Focused(), txtGradeNext);
    EXPECT_EQ(this->SelectionOf(txtGradeNext), (Selection{0, 2}));
}

// The editable combo box selects its whole text whenever it is entered
// (by Tab, Shift+Tab or the program) and keeps no selection once left.
TYPED_TEST_P(ToolkitContract, TheEditableComboSelectsItsWholeTextOnEveryEntry) {
    auto& w = *this->window;
    const std::function<void()> entries[] = {
        [&] { w.SetFocus(txtGradeCur), this->driver.Press(Key::Tab); },
        [&] { w.SetFocus(Check1), this->driver.Press(Key::ShiftTab); },
        [&] { w.SetFocus(txtGradeNext), w.SetFocus(cboGradeDir); },
    };
    int entry = 0;
    for (const auto& enter : entries) {
        SCOPED_TRACE(entry++);
        enter();
        ASSERT_EQ(this->Focused(), cboGradeDir);
        EXPECT_EQ(this->SelectionOf(cboGradeDir), (Selection{0, w.TextLength(cboGradeDir)}));
        this->driver.Type("32");
        w.SetSelStart(cboGradeDir, 1), w.SetSelLength(cboGradeDir, 1);
        this->driver.Press(Key::Tab);
        EXPECT_EQ(this->SelectionOf(cboGradeDir).length, 0) << "no selection left behind";
    }
}

// Enter presses the default button from any control but another push
// button, which Enter presses itself.
TYPED_TEST_P(ToolkitContract, EnterPressesTheDefaultButtonOrTheFocusedButton) {
    const struct {
        ui::ControlId focus, pressed;
    } cases[] = {{txtGradeCur, Command1}, {cboGradeDir, Command1}, {Check1, Command1},
                 {txtResult, Command1},   {Command3, Command3},   {Command2, Command2}};
    for (const auto& c : cases) {
        this->window->SetFocus(c.focus);
        this->main.events.clear();
        this->driver.Press(Key::Enter);
        EXPECT_EQ(this->main.events, (std::vector<std::pair<ui::ControlId, Event>>{{c.pressed, Event::Click}}))
            << ui::kMainControls[c.focus].name;
    }
}

// A message box and a modal window hold the handler that opened them until
// the user has closed them, and the window under them takes no input
// meanwhile; once the start-up window is unloaded, the program's loop ends.
TYPED_TEST_P(ToolkitContract, WindowsThatWaitForTheUser) {
    auto& driver = this->driver;
    auto& main = this->main;
    RecordingForm about{ui::kAboutLayout};
    about.react = [&](ui::ControlId id, Event event) {
        if (id == ui::about_controls::Command1 && event == Event::Click) about.host().Unload();
    };
    bool waiting = false;
    main.react = [&](ui::ControlId id, Event event) {
        if (event != Event::Click) return;
        waiting = true;
        if (id == Command1) main.host().MsgBox(kTwoChinese, ui::MessageIcon::Warning, "Orvanta");
        if (id == Command3) driver.Modals().ShowModal(about, &main);
        if (id == Command2) main.host().Unload();
        waiting = false;
    };
    int opened = 0;
    const auto clickUnder = [&] {
        ++opened;
        EXPECT_TRUE(waiting);
        main.events.clear();
        driver.Click(main, Command2);
        EXPECT_TRUE(main.events.empty()) << "the window under it took a click";
    };
    driver.OnNextMessageBox([&](const SeenMessage& seen) {
        EXPECT_EQ(seen.text, kTwoChinese);
        EXPECT_EQ(seen.title, "Orvanta");
        EXPECT_EQ(seen.icon, ui::MessageIcon::Warning);
        clickUnder();
    });
    driver.Click(main, Command1);
    driver.OnNextModal([&](ui::Form& modal) {
        EXPECT_EQ(&modal, &about);
        clickUnder();
        driver.Click(about, ui::about_controls::Command1);
    });
    driver.Click(main, Command3);
    EXPECT_EQ(opened, 2);
    EXPECT_FALSE(waiting);

    RecordingForm second{ui::kMainLayout};
    second.react = [&](ui::ControlId id, Event event) {
        if (id == Command2 && event == Event::Click) second.host().Unload();
    };
    EXPECT_TRUE(driver.Run(second, [&] { driver.Click(second, Command2); }));
}

REGISTER_TYPED_TEST_SUITE_P(ToolkitContract, ChangeComesExactlyWhenTheTextChanges, SelectionsAfterEachWrite,
                            LeavingAFieldIsHeardBeforeEnteringTheNext,
                            TabGoesRoundTheTabStopsInOrderPastDisabledControls,
                            TheEditableComboSelectsItsWholeTextOnEveryEntry,
                            EnterPressesTheDefaultButtonOrTheFocusedButton, WindowsThatWaitForTheUser);

}  // namespace orvanta::contract
