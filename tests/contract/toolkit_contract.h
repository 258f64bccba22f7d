// What the forms rely on from any toolkit, written once and run against each
// through its driver (INSTANTIATE_TYPED_TEST_SUITE_P), on the forms' own
// layouts in forms that only note their events.
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
using Events = std::vector<std::pair<ui::ControlId, Event>>;

template <class Driver>
class ToolkitContract : public ::testing::Test {
protected:
    void SetUp() override {
        window = &driver.Open(main);
        main.events.clear();
    }
    ui::ControlId Focused() { return driver.Focused(main); }
    Selection SelectionOf(ui::ControlId id) { return driver.SelectionOf(main, id); }
    Events FocusEvents() const {
        Events moves;
        for (const auto& raised : main.events)
            if (raised.second == Event::GotFocus || raised.second == Event::LostFocus) moves.push_back(raised);
        return moves;
    }

    RecordingForm main{ui::kMainLayout};  // outlives the driver's windows
    Driver driver;
    ui::FormHost* window = nullptr;
};

TYPED_TEST_SUITE_P(ToolkitContract);

inline const std::string kTwoChinese = "\xE6\x9C\xAA\xE7\x9F\xA5";  // 未知: two UTF-16 units, six bytes

// Change comes for each write, keystroke or paste that leaves another text, and for nothing else.
TYPED_TEST_P(ToolkitContract, ChangeComesExactlyWhenTheTextChanges) {
    auto& w = *this->window;
    auto& driver = this->driver;
    const std::string longPaste = std::string(32998, '0') + kTwoChinese;
    for (ui::ControlId field : {txtGradeCur, cboGradeDir}) {
        SCOPED_TRACE(ui::kMainControls[field].name);
        w.SetFocus(field);
        const struct {
            const char* what;
            std::function<void()> act;
            std::string text;
            int changes;
        } steps[] = {
            {"the same text written", [&] { w.SetText(field, w.Text(field)); }, w.Text(field), 0},
            {"another text written", [&] { w.SetText(field, "7"); }, "7", 1},
            {"nothing put in the selection", [&] { w.SetSelText(field, ""); }, "7", 0},
            {"a key over the same character", [&] { w.SetSelLength(field, 1), driver.Type("7"); }, "7", 0},
            {"two keys", [&] { driver.Type("12"); }, "712", 2},
            {"a paste", [&] { driver.Paste(kTwoChinese); }, "712" + kTwoChinese, 1},
            {"the same text pasted over itself",
             [&] { w.SetSelStart(field, 3), w.SetSelLength(field, 2), driver.Paste(kTwoChinese); },
             "712" + kTwoChinese, 0},
            {"a paste past the controls' default limit",
             [&] { w.SetSelStart(field, 0), w.SetSelLength(field, 5), driver.Paste(longPaste); }, longPaste, 1},
        };
        for (const auto& step : steps) {
            this->main.events.clear();
            step.act();
            EXPECT_EQ(w.Text(field), step.text) << step.what;
            EXPECT_EQ(this->main.Count(field, Event::Change), step.changes) << step.what;
        }
        EXPECT_EQ(w.TextLength(field), 33000);
    }
}

// Positions count UTF-16 units and stop at the end; a write puts the caret
// at the start, a replaced selection after the new text; beyond 16 bits too.
TYPED_TEST_P(ToolkitContract, SelectionsAfterEachWrite) {
    auto& w = *this->window;
    for (ui::ControlId field : {txtGradeCur, cboGradeDir, txtResult}) {
        SCOPED_TRACE(ui::kMainControls[field].name);
        std::string longText;  // in lines in the result box, as reports come
        while (longText.size() < 40000) longText += field == txtResult ? "12345678\r\n" : "1234567890";
        const struct {
            std::function<void()> act;
            Selection selection;
            std::string text;
        } steps[] = {
            {[&] { w.SetText(field, kTwoChinese + "345"); }, {0, 0}, kTwoChinese + "345"},
            {[&] { w.SetSelStart(field, 2), w.SetSelLength(field, 2); }, {2, 2}, kTwoChinese + "345"},
            {[&] { w.SetSelText(field, "ab"); }, {4, 0}, kTwoChinese + "ab5"},
            {[&] { w.SetSelStart(field, 99), w.SetSelText(field, "6"); }, {6, 0}, kTwoChinese + "ab56"},
            {[&] { w.SetSelStart(field, 1), w.SetSelLength(field, 99); }, {1, 5}, kTwoChinese + "ab56"},
            {[&] { w.SetText(field, longText), w.SetSelStart(field, 39990), w.SetSelLength(field, 5); },
             {39990, 5}, longText},
            {[&] { w.SetSelText(field, "0"); }, {39991, 0}, longText.substr(0, 39990) + "0" + longText.substr(39995)},
        };
        w.SetFocus(field);
        for (const auto& step : steps) {
            step.act();
            EXPECT_EQ(this->SelectionOf(field), step.selection) << "row " << &step - steps;
            EXPECT_TRUE(w.Text(field) == step.text) << "row " << &step - steps;
        }
    }
}

// Tab leaves a field for a combo box or a text box while the field's
// LostFocus handler does nothing, shows a message box or moves the focus
// itself: the form hears the field left, then one control entered, never
// one that the focus only passed.
TYPED_TEST_P(ToolkitContract, LeavingAFieldIsHeardBeforeEnteringTheNext) {
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
                if (id == f.left && event == Event::LostFocus) this->main.react = nullptr, c.onLeaving();
            };
            this->main.events.clear();
            this->driver.Press(Key::Tab);
            EXPECT_EQ(boxes, c.boxes);
            EXPECT_EQ(this->Focused(), c.focus);
            EXPECT_EQ(this->FocusEvents(), (Events{{f.left, Event::LostFocus}, {c.focus, Event::GotFocus}}));
            this->main.react = nullptr;
            this->driver.OnNextMessageBox(nullptr);
        }
    }
}

// Tab and Shift+Tab go round the tab stops in order, past disabled
// controls; the keyboard selects the whole text of a field it enters, and
// the editable combo box's whenever it is entered, and a field that is left
// keeps no selection.
TYPED_TEST_P(ToolkitContract, TabGoesRoundTheTabStopsAndSelectsWhatItEnters) {
    auto& w = *this->window;
    for (ui::ControlId next : {cboGradeDir, Check1, txtGradeNext, txtResult, Command3, Command1, Command2, txtGradeCur}) {
        this->driver.Press(Key::Tab);
        EXPECT_EQ(this->Focused(), next) << ui::kMainControls[next].name;
    }
    w.SetEnabled(cboGradeVip, true);
    const struct {
        std::function<void()> enter;
        ui::ControlId field;
    } entries[] = {
        {[&] { w.SetFocus(txtGradeNext), this->driver.Press(Key::ShiftTab); }, cboGradeVip},
        {[&] { w.SetFocus(Check1), this->driver.Press(Key::Tab), this->driver.Press(Key::Tab); }, txtGradeNext},
        {[&] { w.SetFocus(txtGradeCur), this->driver.Press(Key::Tab); }, cboGradeDir},
        {[&] { w.SetFocus(Check1), this->driver.Press(Key::ShiftTab); }, cboGradeDir},
        {[&] { w.SetFocus(txtGradeNext), w.SetFocus(cboGradeDir); }, cboGradeDir},
    };
    for (const auto& entry : entries) {
        SCOPED_TRACE(&entry - entries);
        entry.enter();
        ASSERT_EQ(this->Focused(), entry.field);
        if (entry.field == cboGradeVip) continue;
        EXPECT_EQ(this->SelectionOf(entry.field), (Selection{0, w.TextLength(entry.field)}));
        this->driver.Type("32");
        w.SetSelStart(entry.field, 1), w.SetSelLength(entry.field, 1);
        this->driver.Press(Key::Tab);
        if (entry.field == cboGradeDir) { EXPECT_EQ(this->SelectionOf(entry.field).length, 0); }
    }
}

// Enter presses the default button from any control but another push button, which it presses itself.
TYPED_TEST_P(ToolkitContract, EnterPressesTheDefaultButtonOrTheFocusedButton) {
    const std::pair<ui::ControlId, ui::ControlId> cases[] = {{txtGradeCur, Command1}, {cboGradeDir, Command1},
                                                             {Check1, Command1},      {txtResult, Command1},
                                                             {Command3, Command3},    {Command2, Command2}};
    for (const auto& [focus, pressed] : cases) {
        this->window->SetFocus(focus);
        this->main.events.clear();
        this->driver.Press(Key::Enter);
        EXPECT_EQ(this->main.events, (Events{{pressed, Event::Click}})) << ui::kMainControls[focus].name;
    }
}

// A message box and a modal window hold the handler that opened them until
// the user closes them, and the window under them takes no input meanwhile;
// unloading the start-up window ends the program's loop.
TYPED_TEST_P(ToolkitContract, WindowsThatWaitForTheUser) {
    auto& driver = this->driver;
    auto& main = this->main;
    RecordingForm about{ui::kAboutLayout}, second{ui::kMainLayout};
    const auto unloadOn = [](RecordingForm& form, ui::ControlId button) {
        form.react = [&form, button](ui::ControlId id, Event event) {
            if (id == button && event == Event::Click) form.host().Unload();
        };
    };
    unloadOn(about, ui::about_controls::Command1);
    unloadOn(second, Command2);
    const ui::MessageIcon icons[] = {ui::MessageIcon::Information, ui::MessageIcon::Warning};
    bool waiting = false;
    main.react = [&](ui::ControlId id, Event event) {
        if (event != Event::Click) return;
        waiting = true;
        for (ui::MessageIcon icon : icons)
            if (id == Command1) main.host().MsgBox(kTwoChinese, icon, "Orvanta");
        if (id == Command3) driver.Modals().ShowModal(about, &main);
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
    std::function<void(const SeenMessage&)> box = [&](const SeenMessage& seen) {
        EXPECT_EQ(seen.text, kTwoChinese);
        EXPECT_EQ(seen.title, "Orvanta");
        EXPECT_EQ(seen.icon, icons[opened]);
        clickUnder();
        if (opened < 2) driver.OnNextMessageBox(box);
    };
    driver.OnNextMessageBox(box);
    driver.Click(main, Command1);
    driver.OnNextModal([&](ui::Form& modal) {
        EXPECT_EQ(&modal, &about);
        clickUnder();
        driver.Click(about, ui::about_controls::Command1);
    });
    driver.Click(main, Command3);
    EXPECT_EQ(opened, 3);
    EXPECT_FALSE(waiting);
    EXPECT_TRUE(driver.Run(second, [&] { driver.Click(second, Command2); }));
}

REGISTER_TYPED_TEST_SUITE_P(ToolkitContract, ChangeComesExactlyWhenTheTextChanges, SelectionsAfterEachWrite,
                            LeavingAFieldIsHeardBeforeEnteringTheNext, TabGoesRoundTheTabStopsAndSelectsWhatItEnters,
                            EnterPressesTheDefaultButtonOrTheFocusedButton, WindowsThatWaitForTheUser);

}  // namespace orvanta::contract
