// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The converter's transform options: each runs the main window's command frame, with the
// command's dialog answered from the option value through the dialog's own rules.
#include "cli/CliTransforms.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include "heightmap/CommandTable.h"
#include "heightmap/FrmAltitudeRules.h"
#include "heightmap/FrmResolutionRules.h"
#include "heightmap/FrmSplitStitchRules.h"
#include "heightmap/FrmTrimRules.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/vbMsgBox.h"
#include "shell/vbShowDialog.h"

namespace tolv::cli {

// What a step's dialog is answered with, and why a value found no dialog state.
struct StepAnswers {
    std::map<DialogId, std::function<void()>> dialogs;
    std::string refusal;
};

namespace {

// Wraps the installed host for one step: answers the step's dialog and counts error reports, so
// a step that ended with one stops the converter.
class StepHost : public UiHost {
public:
    StepHost(UiHost& inner, const StepAnswers& answers) : inner_(inner), answers_(answers) { InstallHost(this); }
    ~StepHost() override { InstallHost(&inner_); }
    StepHost(const StepHost&) = delete;
    StepHost& operator=(const StepHost&) = delete;

    void ShowMessage(MessageKind kind, const std::string& text, const std::string& caption, int help) override
    {
        if (kind == MessageKind::ErrorReport) ++errorReports;
        inner_.ShowMessage(kind, text, caption, help);
    }
    bool AskQuestion(const std::string& text, const std::string& caption, bool defaultNo, int help) override
    {
        return inner_.AskQuestion(text, caption, defaultNo, help);
    }
    void ShowDialog(DialogId dialog) override
    {
        auto it = answers_.dialogs.find(dialog);
        if (it != answers_.dialogs.end()) it->second();
        else inner_.ShowDialog(dialog);
    }
    Pointer CurrentPointer() const override { return inner_.CurrentPointer(); }
    void SetPointer(Pointer p) override { inner_.SetPointer(p); }
    void EnableCommands(bool enabled) override { inner_.EnableCommands(enabled); }
    void ShowProgress(const std::string& text) override { inner_.ShowProgress(text); }
    void ShowPanelText(int panel, const std::string& text) override { inner_.ShowPanelText(panel, text); }
    void Refresh(Display what) override { inner_.Refresh(what); }
    void SetModified(bool modified) override { inner_.SetModified(modified); }

    int errorReports = 0;

private:
    UiHost& inner_;
    const StepAnswers& answers_;
};

bool AllDigits(const std::string& s, size_t maxLength = 9)
{
    if (s.empty() || s.size() > maxLength) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// "a:b" -> a, b (b empty and hasSecond false without a colon).
void SplitAt(const std::string& v, char sep, std::string& first, std::string& second, bool& hasSecond)
{
    size_t p = v.find(sep);
    hasSecond = p != std::string::npos;
    first = hasSecond ? v.substr(0, p) : v;
    second = hasSecond ? v.substr(p + 1) : "";
}

std::string Offered(const std::vector<ComboEntry>& entries)
{
    if (entries.empty()) return "nothing";
    std::string s;
    for (const ComboEntry& e : entries) s += (s.empty() ? "" : ", ") + std::to_string(e.value);
    return s;
}

std::string MapSize() { return std::to_string(HeightmapWidth()) + " x " + std::to_string(HeightmapHeight()); }

// Answers FrmScale: the dialog fills itself from the slots, the option picks the method and
// types into the field it enables.
std::optional<std::string> PrepareScale(const TransformStep& step, const CliOptions&, StepAnswers& answers)
{
    const std::string& v = step.value;
    int32_t method;
    std::string percent, low, high;
    bool hasSecond;
    if (v == "8bit") method = 0;
    else if (v == "16bit") method = 1;
    else if (v.size() > 1 && v.back() == '%' && AllDigits(v.substr(0, v.size() - 1), 12)) {
        method = 2;
        percent = v.substr(0, v.size() - 1);
    } else {
        SplitAt(v, ':', low, high, hasSecond);
        if (!hasSecond || !AllDigits(low, 12) || !AllDigits(high, 12))
            return "--scale wants 8bit, 16bit, P% or LOW:HIGH, not " + v;
        method = 3;
    }
    answers.dialogs[DialogId::Scale] = [=] {
        ScaleDialogState s = FillScaleDialog(ReadDialogParams<ScaleParams>());
        s.method = method;
        if (method == 2) s.percent = CheckScalePercent(percent);
        if (method == 3) {
            s.high = high;
            s.low = low;
            CheckScaleAltitudes(s.high, s.low);
        }
        ConfirmDialog(ScaleResult{s.method, s.percent, s.high, s.low});
    };
    return std::nullopt;
}

std::optional<std::string> PrepareMove(const TransformStep& step, const CliOptions&, StepAnswers& answers)
{
    const std::string& v = step.value;
    static const std::map<std::string, int32_t> methods = {{"highest", 0}, {"midpoint", 1}, {"lowest", 2}};
    int32_t method = 3;
    if (auto it = methods.find(v); it != methods.end()) method = it->second;
    else if (!AllDigits(v, 12)) return "--move wants highest, midpoint, lowest or a base altitude, not " + v;
    answers.dialogs[DialogId::Move] = [=] {
        const auto in = ReadDialogParams<MoveParams>();
        const MoveSetup setup = ComputeMoveSetup(in.lowest, in.highest);
        const std::string typed = method == 3 ? CheckMoveUserBase(v, setup) : "0";
        ConfirmDialog(MoveResult{method, MoveNewBase(method, setup, typed)});
    };
    return std::nullopt;
}

std::optional<std::string> PrepareInvert(const TransformStep& step, const CliOptions&, StepAnswers& answers)
{
    const std::string v = step.value;
    if (step.hasValue) {
        const std::string digits = !v.empty() && v[0] == '-' ? v.substr(1) : v;
        if (!AllDigits(digits, 10)) return "--invert wants a midpoint altitude, not " + v;
    }
    answers.dialogs[DialogId::Invert] = [v, has = step.hasValue, &answers] {
        const auto in = ReadDialogParams<InvertParams>();
        const std::vector<ComboEntry> entries = InvertEntries(in.lowest, in.highest);
        int index = 0;
        if (has) {
            const int64_t mid = std::stoll(v);
            index = -1;
            for (size_t i = 0; i < entries.size() && index < 0; ++i)
                if (entries[i].value == mid) index = static_cast<int>(i);
            if (index < 0) {
                answers.refusal = "--invert=" + v + ": the invert dialog offers the midpoints " + Offered(entries);
                return;
            }
        }
        ConfirmDialog(InvertResult{entries[static_cast<size_t>(index)].value});
    };
    return std::nullopt;
}

std::optional<std::string> PrepareInterpolate(const TransformStep& step, const CliOptions&, StepAnswers& answers)
{
    const std::string& v = step.value;
    std::string factor, variance;
    bool hasVariance;
    SplitAt(v, ':', factor, variance, hasVariance);
    bool valid = true;
    if (hasVariance) NormaliseVarianceText(variance, &valid);
    if (!AllDigits(factor) || (hasVariance && (variance.empty() || !FieldAccepts(variance, true) || !valid)))
        return "--interpolate wants F[:V] with a factor F and a variance V such as 0.5, not " + v;
    if (!hasVariance) variance = "0";
    answers.dialogs[DialogId::Interpolate] = [=, &answers] {
        const auto in = ReadDialogParams<InterpolateParams>();
        const auto entries = InterpolateFactorEntries(in.width, in.height);
        const int32_t f = std::stoi(factor);
        if (std::none_of(entries.begin(), entries.end(), [f](const ComboEntry& e) { return e.value == f; })) {
            answers.refusal = "--interpolate " + factor + ": the interpolate dialog offers the factors " +
                              Offered(entries) + " for a " + MapSize() + " map";
            return;
        }
        ConfirmDialog(InterpolateResult{NormaliseVarianceText(variance), f});
    };
    return std::nullopt;
}

std::optional<std::string> PrepareResample(const TransformStep& step, const CliOptions&, StepAnswers& answers)
{
    const std::string& v = step.value;
    std::string factor, methodText;
    bool hasMethod;
    SplitAt(v, ':', factor, methodText, hasMethod);
    int32_t method = 0;
    if (hasMethod && methodText == "average") method = 1;
    else if (hasMethod && methodText != "cut") return "--resample wants F[:cut|average], not " + v;
    if (!AllDigits(factor)) return "--resample wants F[:cut|average], not " + v;
    answers.dialogs[DialogId::Resample] = [=, &answers] {
        const auto in = ReadDialogParams<ResampleParams>();
        const auto entries = ResampleFactorEntries(in.width, in.height);
        const int32_t f = std::stoi(factor);
        if (std::none_of(entries.begin(), entries.end(), [f](const ComboEntry& e) { return e.value == f; })) {
            answers.refusal = "--resample " + factor + ": the resample dialog offers the factors " + Offered(entries) +
                              " for a " + MapSize() + " map";
            return;
        }
        ConfirmDialog(ResampleResult{f, method});
    };
    return std::nullopt;
}

std::optional<std::string> PrepareTrim(const TransformStep& step, const CliOptions&, StepAnswers& answers)
{
    const std::string& v = step.value;
    static const std::map<std::string, int32_t> anchors = {
        {"lt", TrimLeftTop}, {"lb", TrimLeftBottom}, {"rt", TrimRightTop}, {"rb", TrimRightBottom}, {"c", TrimCenter}};
    std::string size, anchorText;
    bool hasAnchor;
    SplitAt(v, ':', size, anchorText, hasAnchor);
    int32_t anchor = TrimCenter;
    if (hasAnchor) {
        auto it = anchors.find(anchorText);
        if (it == anchors.end()) return "--trim: there is no trim anchor " + anchorText + " (lt, lb, rt, rb or c)";
        anchor = it->second;
    }
    std::string w, h;
    bool hasH;
    SplitAt(size, 'x', w, h, hasH);
    // The size boxes take at most three digits.
    if (!hasH || !AllDigits(w, kTrimMaxChars) || !AllDigits(h, kTrimMaxChars))
        return "--trim wants WxH[:lt|lb|rt|rb|c] with sizes of up to three digits, not " + v;
    answers.dialogs[DialogId::Trim] = [=] {
        ConfirmDialog(
            TrimResult{anchor, CheckTrimDimension(w, HeightmapWidth()), CheckTrimDimension(h, HeightmapHeight())});
    };
    return std::nullopt;
}

std::optional<std::string> PrepareSplit(const TransformStep& step, const CliOptions& options, StepAnswers& answers)
{
    const std::string& v = step.value;
    std::string size, flag;
    bool hasFlag;
    SplitAt(v, ':', size, flag, hasFlag);
    std::string c, r;
    bool hasR;
    SplitAt(size, 'x', c, r, hasR);
    const auto& items = SplitCountItems();
    auto offered = [&](const std::string& s) { return std::find(items.begin(), items.end(), s) != items.end(); };
    if (!hasR || !offered(c) || !offered(r) || (hasFlag && flag != "seamless"))
        return "--split wants CxR[:seamless] with 1 to 4 columns and rows, not " + v;
    if (options.output.empty()) return "--split needs OUTPUT to name the tiles";
    const int32_t columns = std::stoi(c), rows = std::stoi(r);
    answers.dialogs[DialogId::Split] = [=] {
        const auto in = ReadDialogParams<SplitParams>();
        const SplitTileSize t = ComputeSplitTileSize(in.width, in.height, columns, rows);
        ConfirmDialog(SplitResult{columns, rows, t.width, t.height, hasFlag});
    };
    return std::nullopt;
}

// clang-format off
constexpr TransformOption kTransforms[] = {
    {CommandId::FlipHorizontal, OptionValue::None, "", "flip left to right"},
    {CommandId::FlipVertical, OptionValue::None, "", "flip top to bottom"},
    {CommandId::RotateCCW, OptionValue::None, "", "rotate 90 degrees counter-clockwise"},
    {CommandId::RotateCW, OptionValue::None, "", "rotate 90 degrees clockwise"},
    {CommandId::Crop, OptionValue::None, "", "keep the upper-left quadrant"},
    {CommandId::Invert, OptionValue::Attached, "MID", "mirror the altitudes about MID (default: the map's midpoint)",
     PrepareInvert},
    {CommandId::Scale, OptionValue::Required, "8bit|16bit|P%|LOW:HIGH",
     "stretch the altitudes to 8 bits, 16 bits, P percent or LOW to HIGH", PrepareScale},
    {CommandId::Move, OptionValue::Required, "highest|midpoint|lowest|BASE",
     "shift the altitudes: highest to the top, to the middle, lowest to 0 or BASE", PrepareMove},
    {CommandId::Interpolate, OptionValue::Required, "F[:V]",
     "enlarge F times (2..32), random variance V (0.0..1.0, default 0)", PrepareInterpolate},
    {CommandId::Resample, OptionValue::Required, "F[:cut|average]",
     "reduce to 1/F (2..32), keeping every F-th sample (default) or the mean", PrepareResample},
    {CommandId::Trim, OptionValue::Required, "WxH[:lt|lb|rt|rb|c]",
     "trim to W x H, anchored at a corner or the centre (default)", PrepareTrim},
    {CommandId::Split, OptionValue::Required, "CxR[:seamless]",
     "write C x R G16 tiles named from OUTPUT instead (seamless: shared edges)", PrepareSplit},
};
// clang-format on

// Every command the table gives a converter option is described here, and only those.
constexpr bool EachConverterOptionDescribedOnce()
{
    for (const CommandRow& row : kCommandRows) {
        int described = 0;
        for (const TransformOption& t : kTransforms) described += t.command == row.id ? 1 : 0;
        if (described != (row.converterOption ? 1 : 0)) return false;
    }
    return true;
}
static_assert(EachConverterOptionDescribedOnce());

const TransformOption* FindTransform(CommandId command)
{
    for (const TransformOption& t : kTransforms)
        if (t.command == command) return &t;
    return nullptr;
}

} // namespace

std::span<const TransformOption> TransformOptions() { return kTransforms; }

std::optional<std::string> CheckTransformForm(const TransformStep& step, const CliOptions& options)
{
    const TransformOption* t = FindTransform(step.command);
    if (!t) return "unknown transform " + step.option;
    StepAnswers scratch; // its answers are never run
    return t->prepare ? t->prepare(step, options, scratch) : std::nullopt;
}

StepResult RunTransform(const TransformStep& step, const CliOptions& options, const std::string& output,
                        std::string& message)
{
    const TransformOption* t = FindTransform(step.command);
    if (!t) {
        message = "unknown transform " + step.option;
        return StepResult::Usage;
    }
    const CommandRow& row = *FindCommand(step.command);
    // The converter holds a heightmap whenever a transform runs (it was read or stitched).
    if (!CommandEnabled(row, HeightmapLoaded())) {
        message = step.option + " is disabled for this " + MapSize() + " map: " + CommandRule(row);
        return StepResult::Usage;
    }
    StepAnswers answers;
    if (auto usage = t->prepare ? t->prepare(step, options, answers) : std::nullopt) {
        message = *usage;
        return StepResult::Usage;
    }
    StepHost host(Host(), answers);
    // A split names its tiles from OUTPUT, where the window asks with its save dialog.
    const auto outputPath = [&output](std::string& path) {
        path = output;
        return true;
    };
    row.run(CommandContext{true, outputPath});
    if (!answers.refusal.empty()) {
        message = answers.refusal;
        return StepResult::Usage;
    }
    return host.errorReports > 0 ? StepResult::Failed : StepResult::Ok;
}

bool HasSplit(const CliOptions& options)
{
    for (const TransformStep& s : options.steps)
        if (s.command == CommandId::Split) return true;
    return false;
}

bool RunStitch(const CliOptions& options)
{
    StepAnswers answers;
    bool refused = false;
    answers.dialogs[DialogId::Stitch] = [&] {
        const StitchCheck check = CheckStitchSections(options.sections);
        if (!check.ok) {
            ShowWarning(check.warning); // the dialog stays open; the converter gives up
            refused = true;
            return;
        }
        ConfirmDialog(StitchResult{options.sections});
    };
    StepHost host(Host(), answers);
    const bool merged = CommandStitch();
    return !refused && merged && host.errorReports == 0;
}

} // namespace tolv::cli
