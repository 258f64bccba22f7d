// The calculator window: its layout table and its handlers.
#pragma once

#include <array>

#include "grade_request.h"
#include "program_info.h"
#include "toolkit.h"

namespace orvanta::ui {

namespace main_controls {
enum : ControlId {
    Frame1, txtGradeCur, Frame2, cboGradeDir, Frame3, Check1, cboGradeVip, Label2, txtGradeNext,
    Label3, Frame4, txtResult, Command3, Command1, Command2, Count
};
}

extern const std::array<ControlLayout, main_controls::Count> kMainControls;
extern const FormLayout kMainLayout;

inline constexpr std::string_view kAppTitle = ORVANTA_NAME;
// Shown when a number leaves the signed 32-bit range during a calculation.
inline constexpr std::string_view kOutOfRangeMessage = "数值超出范围，无法计算。";

class frmMain : public Form {
public:
    frmMain(Toolkit& toolkit, Shell& shell) : toolkit_(toolkit), shell_(shell) {}

    const FormLayout& Layout() const override { return kMainLayout; }
    void Form_Load() override;
    void OnEvent(ControlId id, Event event) override;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Check1_Click();
    void cboGradeDir_LostFocus();
    void txtGradeCur_LostFocus();
    void txtGradeNext_LostFocus();
    void txtGradeCur_Change();
    void txtGradeCur_GotFocus();
    void txtGradeNext_GotFocus();

private:
    Toolkit& toolkit_;
    Shell& shell_;
    GradeOutcome last_;  // the values of the last calculation that got as far as its checks
};

}  // namespace orvanta::ui
