#include "frm_main.h"

#include "frm_about.h"

namespace orvanta::ui {

using namespace main_controls;

const char* const kVipItems[] = {"VIP1", "VIP2", "VIP3", "VIP4", "VIP5", "VIP6"};

// Twips, measured from the window's client area or from the frame that holds
// the control. A field's name for screen readers stands beside its first text:
// the caption of its frame or of the label before it; the member list, which
// has neither, takes the report's word for the member level.
constexpr std::array<ControlLayout, Count> kMainControls = {{
    {Frame1, "Frame1", ControlKind::Frame, kNoControl, 120, 120, 2535, 615, 9, "当前等级"},
    {txtGradeCur, "txtGradeCur", ControlKind::TextBox, Frame1, 120, 240, 2295, 270, 0, "0", "当前等级"},
    {Frame2, "Frame2", ControlKind::Frame, kNoControl, 120, 840, 2535, 615, 10, "目标等级(可直接输入)"},
    {cboGradeDir, "cboGradeDir", ControlKind::EditCombo, Frame2, 120, 240, 2295, 300, 1, "16", "目标等级(可直接输入)"},
    {Frame3, "Frame3", ControlKind::Frame, kNoControl, 120, 1560, 2535, 1215, 11, "其它(不清楚的项可以不填)"},
    {Check1, "Check1", ControlKind::CheckBox, Frame3, 120, 240, 1095, 180, 2, "我是会员"},
    {cboGradeVip, "cboGradeVip", ControlKind::ListCombo, Frame3, 1160, 195, 1255, 300, 3, "", "会员等级",
     kStartsDisabled, kVipItems},
    {Label2, "Label2", ControlKind::Label, Frame3, 120, 645, kSizeToCaption, 180, 13, "下次升级剩余天数:"},
    {txtGradeNext, "txtGradeNext", ControlKind::TextBox, Frame3, 1650, 600, 760, 270, 4, UnknownMark.data(),
     "下次升级剩余天数:"},
    {Label3, "Label3", ControlKind::Label, Frame3, 120, 920, kSizeToCaption, 180, 14, "(此项登陆Tovix时可查询到)"},
    {Frame4, "Frame4", ControlKind::Frame, kNoControl, 2760, 120, 2775, 2655, 12, "计算结果"},
    {txtResult, "txtResult", ControlKind::ResultBox, Frame4, 120, 240, 2535, 2295, 5, "", "计算结果"},
    {Command3, "Command3", ControlKind::PushButton, kNoControl, 120, 2880, 1095, 375, 6, "关于(&A)..."},
    {Command1, "Command1", ControlKind::PushButton, kNoControl, 3240, 2880, 1095, 375, 7, "计算", nullptr,
     kDefaultButton},
    {Command2, "Command2", ControlKind::PushButton, kNoControl, 4440, 2880, 1095, 375, 8, "退出"},
}};
static_assert(RowsStandAtTheirIds(kMainControls), "every row of kMainControls stands at its control's id");

const FormLayout kMainLayout = {
    "frmMain", kAppTitle.data(), 5625, 3345, StartPosition::CenterScreen, kMinButton | kApplicationIcon,
    kMainControls.data(), kMainControls.size(),
};

namespace {

using FieldNormalizer = void (*)(FormHost& host, ControlId field);

void NormalizeLevelField(FormHost& host, ControlId field) {
    host.SetText(field, NormalizeGradeText(host.Text(field)));
}

// The trimmed text is written first; only a text other than the unknown mark is read.
void NormalizeNextDaysField(FormHost& host, ControlId field) {
    host.SetText(field, TrimSpaces(host.Text(field)));
    const std::string trimmed = host.Text(field);
    if (trimmed != UnknownMark) host.SetText(field, NormalizeNextDaysText(trimmed));
}

// The input fields, in the order a calculation normalises them: the control,
// the calculation's field it holds, where its text goes in GradeInputs, and
// how leaving it normalises it.
struct InputField {
    ControlId control;
    GradeField field;
    std::string GradeInputs::*text;
    FieldNormalizer normalize;
};

constexpr InputField kInputFields[] = {
    {cboGradeDir, GradeField::Target, &GradeInputs::dirText, NormalizeLevelField},
    {txtGradeCur, GradeField::Current, &GradeInputs::curText, NormalizeLevelField},
    {txtGradeNext, GradeField::NextDays, &GradeInputs::nextText, NormalizeNextDaysField},
};

// The control that shows a field of the calculation. A failure that names no
// field is put on the current level, the first number a calculation reads.
ControlId ControlOf(GradeField field) {
    for (const InputField& input : kInputFields)
        if (input.field == field) return input.control;
    return txtGradeCur;
}

// Normalises the field in place, as leaving it does. Throws OverflowError
// naming the field when its number is out of range; its text stays as typed.
void Normalize(FormHost& host, const InputField& input) {
    InField(input.field, [&] { input.normalize(host, input.control); });
}

// Leaving a field normalises it. A number out of range leaves the text as
// typed and says nothing: the calculation is where it is reported.
void Leave(FormHost& host, ControlId control) {
    for (const InputField& input : kInputFields) {
        if (input.control != control) continue;
        try {
            Normalize(host, input);
        } catch (const OverflowError&) {
        }
    }
}

GradeInputs ReadInputs(const FormHost& host) {
    GradeInputs inputs;
    for (const InputField& input : kInputFields) inputs.*input.text = host.Text(input.control);
    inputs.isMember = host.Value(Check1) != 0;
    inputs.vipIndex = host.ListIndex(cboGradeVip);
    return inputs;
}

// A message box over the window, then the focus to the field it is about.
void Warn(FormHost& host, std::string_view text, MessageIcon icon, GradeField field) {
    host.MsgBox(text, icon, kAppTitle);
    host.SetFocus(ControlOf(field));
}

void ShowOutcome(FormHost& host, const GradeOutcome& outcome) {
    if (outcome.kind == GradeOutcome::Kind::Warning) {
        Warn(host, outcome.text,
             outcome.icon == GradeOutcome::Icon::Warning ? MessageIcon::Warning : MessageIcon::Information,
             outcome.focus);
        return;
    }
    // The block goes after everything already in the result box.
    host.SetSelStart(txtResult, host.TextLength(txtResult));
    host.SetSelText(txtResult, outcome.text);
    host.SetFocus(txtResult);
}

void SelectAll(FormHost& host, ControlId field) {
    host.SetSelStart(field, 0);
    host.SetSelLength(field, host.TextLength(field));
}

}  // namespace

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

void frmMain::cboGradeDir_LostFocus() { Leave(host(), cboGradeDir); }
void frmMain::txtGradeCur_LostFocus() { Leave(host(), txtGradeCur); }
void frmMain::txtGradeNext_LostFocus() { Leave(host(), txtGradeNext); }

void frmMain::txtGradeCur_Change() { host().SetText(txtGradeNext, UnknownMark); }

void frmMain::txtGradeCur_GotFocus() { SelectAll(host(), txtGradeCur); }
void frmMain::txtGradeNext_GotFocus() { SelectAll(host(), txtGradeNext); }

void frmMain::Check1_Click() { host().SetEnabled(cboGradeVip, host().Value(Check1) != 0); }

void frmMain::Command2_Click() { host().Unload(); }

void frmMain::Command3_Click() {
    frmAbout about(*this, shell_);
    toolkit_.ShowModal(about, this);
}

void frmMain::Command1_Click() {
    try {
        // The fields are normalised exactly as if each had just been left, in
        // this order; a number out of range stops the calculation there.
        for (const InputField& input : kInputFields) Normalize(host(), input);
        last_ = RunCalculation(ReadInputs(host()));
    } catch (const OverflowError& error) {
        Warn(host(), kOutOfRangeMessage, MessageIcon::Warning, error.field());
        return;
    }
    ShowOutcome(host(), last_);
}

}  // namespace orvanta::ui
