// The About window: opened modally from the main window, its load step and its links.
#include <gtest/gtest.h>

#include "frm_about.h"
#include "frm_main.h"
#include "memory_toolkit.h"

namespace orvanta::ui {
namespace {

using testing::kApplicationIcon;
using testing::kHandCursor;
using testing::MemoryToolkit;
using testing::MemoryWindow;
using testing::RecordingShell;

class AboutWindowTest : public ::testing::Test {
protected:
    AboutWindowTest() : main(toolkit, shell), w(toolkit.Start(main)) {}
    // Opens the About window with the About button, runs `act` while it is open.
    void OpenAbout(const std::function<void(MemoryWindow&)>& act) {
        toolkit.whileModal = act;
        w.Click(main_controls::Command3);
    }
    MemoryToolkit toolkit;
    RecordingShell shell;
    frmMain main;
    MemoryWindow& w;
};

TEST_F(AboutWindowTest, LoadsWithTheMainIconAndTheHandOverEveryLink) {
    OpenAbout([](MemoryWindow& about) {
        EXPECT_EQ(about.Icon(), kApplicationIcon);
        for (ControlId link : {about_controls::Label4, about_controls::Label6, about_controls::Label8})
            EXPECT_EQ(about.MouseIcon(link), kHandCursor);
        EXPECT_EQ(about.MouseIcon(about_controls::Label5), 0u);
        EXPECT_EQ(about.Focused(), about_controls::Command1);
        EXPECT_EQ(about.Text(about_controls::Label1), "Virelo | Orvanta1.2");
        about.Click(about_controls::Command1);
    });
    EXPECT_EQ(toolkit.modalCount, 1);
}

TEST_F(AboutWindowTest, EveryOpeningLoadsAfresh) {
    for (int i = 0; i < 3; ++i) {
        OpenAbout([](MemoryWindow& about) {
            EXPECT_EQ(about.MouseIcon(about_controls::Label8), kHandCursor);
            about.PressEnter();  // OK has the focus
            EXPECT_TRUE(about.Unloaded());
        });
    }
    EXPECT_EQ(toolkit.modalCount, 3);
    EXPECT_FALSE(w.Unloaded());
}

TEST_F(AboutWindowTest, EachLinkCallsTheShellWithExactArgumentsForWhatItShows) {
    const Form* aboutForm = nullptr;
    std::string shown[3];
    OpenAbout([&](MemoryWindow& about) {
        aboutForm = &about.LoadedForm();
        shown[0] = about.Text(about_controls::Label4), shown[1] = about.Text(about_controls::Label6);
        shown[2] = about.Text(about_controls::Label8);
        about.Click(about_controls::Label4);
        about.Click(about_controls::Label6);
        about.Click(about_controls::Label8);
        EXPECT_FALSE(about.Unloaded());
        about.Click(about_controls::Command1);
    });
    ASSERT_NE(aboutForm, nullptr);
    ASSERT_EQ(shell.calls.size(), 3u);
    const auto& home = shell.calls[0];
    EXPECT_EQ(home.owner, aboutForm);
    EXPECT_EQ(home.operation, "open");
    EXPECT_EQ(home.file, "https://orvanta.example.com/");
    EXPECT_EQ(home.file, shown[0]);
    EXPECT_EQ(home.show, ShowCommand::ShowNormal);
    const auto& chat = shell.calls[1];
    EXPECT_EQ(chat.owner, nullptr);
    EXPECT_EQ(chat.operation, "");
    EXPECT_EQ(chat.file, "tovix://message?uin=20080513&Site=Orvanta&Menu=yes");
    EXPECT_NE(chat.file.find("uin=" + shown[1] + "&"), std::string::npos);
    EXPECT_EQ(chat.show, ShowCommand::Show);
    const auto& mail = shell.calls[2];
    EXPECT_EQ(mail.owner, aboutForm);
    EXPECT_EQ(mail.file, "mailto:orvanta@example.com");
    EXPECT_EQ(mail.file, "mailto:" + shown[2]);
    EXPECT_EQ(mail.show, ShowCommand::ShowNormal);
    for (const auto& call : shell.calls) {
        EXPECT_EQ(call.parameters, "");
        EXPECT_EQ(call.directory, "");
    }
}

TEST_F(AboutWindowTest, ClickingAnythingButTheLinksDoesNothing) {
    OpenAbout([&](MemoryWindow& about) {
        for (ControlId id : {about_controls::Image1, about_controls::Label1, about_controls::Label2,
                             about_controls::Label3, about_controls::Label5, about_controls::Label7,
                             about_controls::Label9})
            about.Click(id);
        EXPECT_FALSE(about.Unloaded());
        about.Click(about_controls::Command1);
    });
    EXPECT_TRUE(shell.calls.empty());
}

}  // namespace
}  // namespace orvanta::ui
