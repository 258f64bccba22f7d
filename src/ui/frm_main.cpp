#include "frm_main.h"

#include <iterator>

#include "frm_about.h"

namespace orvanta::ui {

using namespace main_controls;

const char* const kVipItems[] = {"VIP1", "VIP2", "VIP3", "VIP4", "VIP5", "VIP6"};

// Twips, measured from the window's client area or from the frame that holds the control.
const std::array<ControlLayout, Count> kMainControls = {{
    {"Frame1", ControlKind::Frame, kNoControl, 120, 120, 2535, 615, 9, "当前等级"},
    {"txtGradeCur", ControlKind::TextBox, Frame1, 120, 240, 2295, 270, 0, "0"},
    {"Frame2", ControlKind::Frame, kNoControl, 120, 840, 2535, 615, 10, "目标等级(可直接输入)"},
    {"cboGradeDir", ControlKind::EditCombo, Frame2, 120, 240, 2295, 300, 1, "16"},
    {"Frame3", ControlKind::Frame, kNoControl, 120, 1560, 2535, 1215, 11, "其它(不清楚的项可以不填)"},
    {"Check1", ControlKind::CheckBox, Frame3, 120, 240, 1095, 180, 2, "我是会员"},
    {"cboGradeVip", ControlKind::ListCombo, Frame3, 1160, 195, 1255, 300, 3, "", false, /*enabled=*/false, false,
     kVipItems, std::size(kVipItems)},
    {"Label2", ControlKind::Label, Frame3, 120, 645, kSizeToCaption, 180, 13, "下次升级剩余天数:"},
    {"txtGradeNext", ControlKind::TextBox, Frame3, 1650, 600, 760, 270, 4, UnknownMark.data()},
    {"Label3", ControlKind::Label, Frame3, 120, 920, kSizeToCaption, 180, 14, "(此项登陆Tovix时可查询到)"},
    {"Frame4", ControlKind::Frame, kNoControl, 2760, 120, 2775, 2655, 12, "计算结果"},
    {"txtResult", ControlKind::ResultBox, Frame4, 120, 240, 2535, 2295, 5, ""},
    {"Command3", ControlKind::PushButton, kNoControl, 120, 2880, 1095, 375, 6, "关于(&A)..."},
    {"Command1", ControlKind::PushButton, kNoControl, 3240, 2880, 1095, 375, 7, "计算", /*isDefault=*/true},
    {"Command2", ControlKind::PushButton, kNoControl, 4440, 2880, 1095, 375, 8, "退出"},
}};

const FormLayout kMainLayout = {
    "frmMain", kAppTitle.data(), 5625, 3345, /*minButton=*/true, /*maxButton=*/false,
    StartPosition::CenterScreen, /*applicationIcon=*/true, kMainControls.data(), kMainControls.size(),
};

void frmMain::OnEvent(ControlId id, Event event) {
    switch (event) {
    case Event::Click:
        if (id == Command1) Command1_Click();
        else if (id == Command2) Command2_Click();
        else if (id == Command3) Command3_Click();
        else if (id == Check1) Check1_Click();
        break;
    case Event::Change:
        if (id == txtGradeCur) txtGradeCur_Change();
        break;
    case Event::GotFocus:
        if (id == txtGradeCur) txtGradeCur_GotFocus();
        else if (id == txtGradeNext) txtGradeNext_GotFocus();
        break;
    case Event::LostFocus:
        if (id == cboGradeDir) cboGradeDir_LostFocus();
        else if (id == txtGradeCur) txtGradeCur_LostFocus();
        else if (id == txtGradeNext) txtGradeNext_LostFocus();
        break;
    }
}

void frmMain::Form_Load() {
    for (const char* level : {"16", "32", "48", "64"}) host().AddItem(cboGradeDir, level);
    host().SetListIndex(cboGradeVip, 0);
}

void frmMain::NormalizeLevelField(ControlId id) { host().SetText(id, NormalizeGradeText(host().Text(id))); }

void frmMain::NormalizeNextDaysField() {
    host().SetText(txtGradeNext, TrimSpaces(host().Text(txtGradeNext)));
    const std::string trimmed = host().Text(txtGradeNext);
    if (trimmed != UnknownMark) host().SetText(txtGradeNext, NormalizeNextDaysText(trimmed));
}

// Leaving a field normalises it. A number out of range leaves the text as
// typed: the calculation is where it is reported.
void frmMain::cboGradeDir_LostFocus() {
    try {
        NormalizeLevelField(cboGradeDir);
    } catch (const OverflowError&) {
    }
}

void frmMain::txtGradeCur_LostFocus() {
    try {
        NormalizeLevelField(txtGradeCur);
    } catch (const OverflowError&) {
    }
}

void frmMain::txtGradeNext_LostFocus() {
    try {
        NormalizeNextDaysField();
    } catch (const OverflowError&) {
    }
}

void frmMain::txtGradeCur_Change() { host().SetText(txtGradeNext, UnknownMark); }

void frmMain::SelectAll(ControlId id) {
    host().SetSelStart(id, 0);
    host().SetSelLength(id, host().TextLength(id));
}

void frmMain::txtGradeCur_GotFocus() { SelectAll(txtGradeCur); }
void frmMain::txtGradeNext_GotFocus() { SelectAll(txtGradeNext); }

void frmMain::Check1_Click() { host().SetEnabled(cboGradeVip, host().Value(Check1) != 0); }

void frmMain::Command2_Click() { host().Unload(); }

void frmMain::Command3_Click() {
    frmAbout about(*this, shell_);
    toolkit_.ShowModal(about, this);
}

void frmMain::ShowOutOfRange(ControlId field) {
    host().MsgBox(kOutOfRangeMessage, MessageIcon::Warning, kAppTitle);
    host().SetFocus(field);
}

void frmMain::Command1_Click() {
    // The fields are normalised exactly as if each had just been left, in
    // this order; a number out of range stops the calculation there.
    for (const ControlId field : {cboGradeDir, txtGradeCur, txtGradeNext}) {
        try {
            if (field == txtGradeNext) NormalizeNextDaysField();
            else NormalizeLevelField(field);
        } catch (const OverflowError&) {
            ShowOutOfRange(field);
            return;
        }
    }

    GradeInputs inputs;
    inputs.curText = host().Text(txtGradeCur);
    inputs.dirText = host().Text(cboGradeDir);
    inputs.nextText = host().Text(txtGradeNext);
    inputs.isMember = host().Value(Check1) != 0;
    inputs.vipIndex = host().ListIndex(cboGradeVip);

    GradeOutcome outcome;
    try {
        outcome = RunCalculation(inputs);
    } catch (const OverflowError& error) {
        ShowOutOfRange(error.field() == GradeField::Target     ? cboGradeDir
                       : error.field() == GradeField::NextDays ? txtGradeNext
                                                               : txtGradeCur);
        return;
    }
    last_ = outcome;

    if (outcome.kind == GradeOutcome::Kind::Warning) {
        host().MsgBox(outcome.text,
                      outcome.icon == GradeOutcome::Icon::Warning ? MessageIcon::Warning
                                                                  : MessageIcon::Information,
                      kAppTitle);
        host().SetFocus(outcome.focus == GradeField::NextDays ? txtGradeNext : txtGradeCur);
        return;
    }
    host().SetSelStart(txtResult, host().TextLength(txtResult));
    host().SetSelText(txtResult, outcome.text);
    host().SetFocus(txtResult);
}

}  // namespace orvanta::ui
