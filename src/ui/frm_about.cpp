#include "frm_about.h"
#include "program_info.h"

namespace orvanta::ui {

using namespace about_controls;

// The value column (the three links) stands a little right of where the
// captions would touch it: "Tovix:" is 540 twips wide from 1080.
constexpr int kLinkLeft = 1680;

// Every label takes the width of its caption in the face in use (in 宋体:
// 450 twips for "主页:" and "邮箱:", 900 for the date).
constexpr std::array<ControlLayout, Count> kAboutControls = {{
    {Image1, "Image1", ControlKind::Picture, kNoControl, 240, 120, 555, 600, kNoTabIndex, ""},
    {Label1, "Label1", ControlKind::Label, kNoControl, 1080, 120, kSizeToCaption, 180, 0,
     ORVANTA_INTERNAL_NAME " | " ORVANTA_NAME ORVANTA_VERSION},  // Virelo | Orvanta1.2
    {Label2, "Label2", ControlKind::Label, kNoControl, 1080, 480, kSizeToCaption, 180, 1, "作者:" ORVANTA_AUTHOR},
    {Label3, "Label3", ControlKind::Label, kNoControl, 1080, 720, kSizeToCaption, 180, 3, "主页:"},
    {Label4, "Label4", ControlKind::LinkLabel, kNoControl, kLinkLeft, 720, kSizeToCaption, 180, 4,
     kHomePage.data(), nullptr, kWithHandCursor},
    {Label5, "Label5", ControlKind::Label, kNoControl, 1080, 960, kSizeToCaption, 180, 5, "Tovix:"},
    {Label6, "Label6", ControlKind::LinkLabel, kNoControl, kLinkLeft, 960, kSizeToCaption, 180, 6, kAccount.data()},
    {Label7, "Label7", ControlKind::Label, kNoControl, 1080, 1200, kSizeToCaption, 180, 7, "邮箱:"},
    {Label8, "Label8", ControlKind::LinkLabel, kNoControl, kLinkLeft, 1200, kSizeToCaption, 180, 8,
     kMailAddress.data()},
    {Label9, "Label9", ControlKind::Label, kNoControl, 1080, 1560, kSizeToCaption, 180, 9, "2008-05-13"},
    {Command1, "Command1", ControlKind::PushButton, kNoControl, 1800, 1920, 1215, 330, 2, "确定"},
}};
static_assert(RowsStandAtTheirIds(kAboutControls), "every row of kAboutControls stands at its control's id");

const FormLayout kAboutLayout = {
    "frmAbout", "关于", 4890, 2400, StartPosition::CenterOwner, kNoFormFlags,
    kAboutControls.data(), kAboutControls.size(),
};

std::string ChatLink() {
    return std::string(kChatScheme) + "://message?uin=" + std::string(kAccount) + "&Site=" +
           std::string(kChatSite) + "&Menu=yes";
}

void frmAbout::OnEvent(ControlId id, Event event) {
    if (event != Event::Click) return;
    switch (id) {
    case Command1: Command1_Click(); break;
    case Label4: Label4_Click(); break;
    case Label6: Label6_Click(); break;
    case Label8: Label8_Click(); break;
    default: break;
    }
}

void frmAbout::Form_Load() {
    host().SetIcon(main_.Host()->Icon());
    host().SetMouseIcon(Label6, host().MouseIcon(Label4));
    host().SetMouseIcon(Label8, host().MouseIcon(Label4));
}

void frmAbout::Command1_Click() { host().Unload(); }

void frmAbout::Label4_Click() { shell_.Execute(this, "open", kHomePage, "", "", ShowCommand::ShowNormal); }

void frmAbout::Label6_Click() { shell_.Execute(nullptr, "", ChatLink(), "", "", ShowCommand::Show); }

void frmAbout::Label8_Click() {
    shell_.Execute(this, "open", "mailto:" + std::string(kMailAddress), "", "", ShowCommand::ShowNormal);
}

}  // namespace orvanta::ui
