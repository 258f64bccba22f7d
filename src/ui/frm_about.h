// The About window: name, version, picture, credits and three contact links.
#pragma once

#include <array>
#include <string>

#include "program_info.h"
#include "toolkit.h"

namespace orvanta::ui {

class frmMain;

namespace about_controls {
enum : ControlId {
    Image1, Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Command1, Count
};
}

extern const std::array<ControlLayout, about_controls::Count> kAboutControls;
extern const FormLayout kAboutLayout;

// Who made the program and where to reach them.
inline constexpr std::string_view kHomePage = "https://orvanta.example.com/";
inline constexpr std::string_view kAccount = "20080513";
inline constexpr std::string_view kMailAddress = "orvanta@example.com";
inline constexpr std::string_view kChatScheme = "tovix";
inline constexpr std::string_view kChatSite = ORVANTA_NAME;

std::string ChatLink();

class frmAbout : public Form {
public:
    frmAbout(const Form& mainForm, Shell& shell) : main_(mainForm), shell_(shell) {}

    const FormLayout& Layout() const override { return kAboutLayout; }
    void Form_Load() override;
    void OnEvent(ControlId id, Event event) override;

    void Command1_Click();
    void Label4_Click();
    void Label6_Click();
    void Label8_Click();

private:
    const Form& main_;
    Shell& shell_;
};

}  // namespace orvanta::ui
