// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The converter's transform options: each runs the main window's command frame, with the
// command's dialog answered from the option value through the dialog's own rules.
#include "cli/CliTransforms.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include "heightmap/FrmAltitudeRules.h"
#include "heightmap/FrmResolutionRules.h"
#include "heightmap/FrmSplitStitchRules.h"
#include "heightmap/FrmTrimRules.h"
#include "heightmap/MapCommands.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/vbMsgBox.h"
#include "shell/vbShowDialog.h"

namespace tolv::cli {
namespace {

// Wraps the installed host for one step: answers the step's dialog and counts error reports, so
// a step that ended with one stops the converter.
class StepHost : public UiHost {
public:
    explicit StepHost(UiHost& inner) : inner_(inner) { InstallHost(this); }
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
        auto it = answers.find(dialog);
        if (it != answers.end()) it->second();
        else inner_.ShowDialog(dialog);
    }
    Pointer CurrentPointer() const override { return inner_.CurrentPointer(); }
    void SetPointer(Pointer p) override { inner_.SetPointer(p); }
    void EnableCommands(bool enabled) override { inner_.EnableCommands(enabled); }
    void ShowProgress(const std::string& text) override { inner_.ShowProgress(text); }
    void ShowPanelText(int panel, const std::string& text) override { inner_.ShowPanelText(panel, text); }
    void Refresh(Display what) override { inner_.Refresh(what); }
    void SetModified(bool modified) override { inner_.SetModified(modified); }

    std::map<DialogId, std::function<void()>> answers;
    int errorReports = 0;
    std::string refusal; // set by an answer that found no dialog state for the value

private:
    UiHost& inner_;
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

struct Command {
    MapCommand availability;
    DialogId dialog;
    std::function<bool()> run;
};

// Answers FrmScale: the dialog fills itself from the slots, the option picks the method and
// types into the field it enables.
std::optional<std::string> PrepareScale(const std::string& v, StepHost& host)
{
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
    host.answers[DialogId::Scale] = [=] {
        ScaleDialogState s = FillScaleDialog(GetDialogParam(1).AsInt(), GetDialogParam(2).AsInt(),
                                             GetDialogParam(3).AsInt(), GetDialogParam(4).AsInt(),
                                             GetDialogParam(5).AsInt(), GetDialogParam(6).AsInt());
        s.method = method;
        if (method == 2) s.percent = CheckScalePercent(percent);
        if (method == 3) {
            s.high = high;
            s.low = low;
            CheckScaleAltitudes(s.high, s.low);
        }
        SetDialogResult(3, s.method);
        SetDialogResult(4, s.percent);
        SetDialogResult(5, s.high);
        SetDialogResult(6, s.low);
        SetDialogCancelled(false);
    };
    return std::nullopt;
}

std::optional<std::string> PrepareMove(const std::string& v, StepHost& host)
{
    static const std::map<std::string, int32_t> methods = {{"highest", 0}, {"midpoint", 1}, {"lowest", 2}};
    int32_t method = 3;
    if (auto it = methods.find(v); it != methods.end()) method = it->second;
    else if (!AllDigits(v, 12)) return "--move wants highest, midpoint, lowest or a base altitude, not " + v;
    host.answers[DialogId::Move] = [=] {
        const MoveSetup setup = ComputeMoveSetup(GetDialogParam(1).AsInt(), GetDialogParam(2).AsInt());
        const std::string typed = method == 3 ? CheckMoveUserBase(v, setup) : "0";
        SetDialogResult(3, method);
        SetDialogResult(4, MoveNewBase(method, setup, typed));
        SetDialogCancelled(false);
    };
    return std::nullopt;
}

std::optional<std::string> PrepareInvert(const TransformStep& step, StepHost& host)
{
    const std::string v = step.value;
    if (step.hasValue) {
        const std::string digits = !v.empty() && v[0] == '-' ? v.substr(1) : v;
        if (!AllDigits(digits, 10)) return "--invert wants a midpoint altitude, not " + v;
    }
    host.answers[DialogId::Invert] = [v, has = step.hasValue, &host] {
        const std::vector<ComboEntry> entries = InvertEntries(GetDialogParam(1).AsInt(), GetDialogParam(2).AsInt());
        int index = 0;
        if (has) {
            const int64_t mid = std::stoll(v);
            index = -1;
            for (size_t i = 0; i < entries.size() && index < 0; ++i)
                if (entries[i].value == mid) index = static_cast<int>(i);
            if (index < 0) {
                host.refusal = "--invert=" + v + ": the invert dialog offers the midpoints " + Offered(entries);
                return;
            }
        }
        SetDialogResult(3, entries[static_cast<size_t>(index)].value);
        SetDialogCancelled(false);
    };
    return std::nullopt;
}

std::optional<std::string> PrepareInterpolate(const std::string& v, StepHost& host)
{
    std::string factor, variance;
    bool hasVariance;
    SplitAt(v, ':', factor, variance, hasVariance);
    bool valid = true;
    if (hasVariance) NormaliseVarianceText(variance, &valid);
    if (!AllDigits(factor) || (hasVariance && (variance.empty() || !FieldAccepts(variance, true) || !valid)))
        return "--interpolate wants F[:V] with a factor F and a variance V such as 0.5, not " + v;
    if (!hasVariance) variance = "0";
    host.answers[DialogId::Interpolate] = [=, &host] {
        const auto entries = InterpolateFactorEntries(GetDialogParam(1).AsInt(), GetDialogParam(2).AsInt());
        const int32_t f = std::stoi(factor);
        if (std::none_of(entries.begin(), entries.end(), [f](const ComboEntry& e) { return e.value == f; })) {
            host.refusal = "--interpolate " + factor + ": the interpolate dialog offers the factors " +
                           Offered(entries) + " for a " + MapSize() + " map";
            return;
        }
        SetDialogResult(3, NormaliseVarianceText(variance));
        SetDialogResult(4, f);
        SetDialogCancelled(false);
    };
    return std::nullopt;
}

std::optional<std::string> PrepareResample(const std::string& v, StepHost& host)
{
    std::string factor, methodText;
    bool hasMethod;
    SplitAt(v, ':', factor, methodText, hasMethod);
    int32_t method = 0;
    if (hasMethod && methodText == "average") method = 1;
    else if (hasMethod && methodText != "cut") return "--resample wants F[:cut|average], not " + v;
    if (!AllDigits(factor)) return "--resample wants F[:cut|average], not " + v;
    host.answers[DialogId::Resample] = [=, &host] {
        const auto entries = ResampleFactorEntries(GetDialogParam(1).AsInt(), GetDialogParam(2).AsInt());
        const int32_t f = std::stoi(factor);
        if (std::none_of(entries.begin(), entries.end(), [f](const ComboEntry& e) { return e.value == f; })) {
            host.refusal = "--resample " + factor + ": the resample dialog offers the factors " + Offered(entries) +
                           " for a " + MapSize() + " map";
            return;
        }
        SetDialogResult(3, f);
        SetDialogResult(4, method);
        SetDialogCancelled(false);
    };
    return std::nullopt;
}

std::optional<std::string> PrepareTrim(const std::string& v, StepHost& host)
{
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
    host.answers[DialogId::Trim] = [=] {
        SetDialogResult(1, anchor);
        SetDialogResult(2, CheckTrimDimension(w, HeightmapWidth()));
        SetDialogResult(3, CheckTrimDimension(h, HeightmapHeight()));
        SetDialogCancelled(false);
    };
    return std::nullopt;
}

std::optional<std::string> PrepareSplit(const std::string& v, const CliOptions& options, StepHost& host)
{
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
    host.answers[DialogId::Split] = [=] {
        const SplitTileSize t = ComputeSplitTileSize(GetDialogParam(1).AsInt(), GetDialogParam(2).AsInt(), columns, rows);
        SetDialogResult(3, columns);
        SetDialogResult(4, rows);
        SetDialogResult(5, t.width);
        SetDialogResult(6, t.height);
        SetDialogResult(7, hasFlag);
        SetDialogCancelled(false);
    };
    return std::nullopt;
}

} // namespace

StepResult RunTransform(const TransformStep& step, const CliOptions& options, std::string& message)
{
    static const std::map<std::string, MapCommand> availability = {
        {"--flip-h", MapCommand::FlipHorizontal}, {"--flip-v", MapCommand::FlipVertical},
        {"--rotate-ccw", MapCommand::RotateCCW},  {"--rotate-cw", MapCommand::RotateCW},
        {"--crop", MapCommand::Crop},             {"--invert", MapCommand::Invert},
        {"--scale", MapCommand::Scale},           {"--move", MapCommand::Move},
        {"--interpolate", MapCommand::Interpolate}, {"--resample", MapCommand::Resample},
        {"--trim", MapCommand::Trim},             {"--split", MapCommand::Split}};
    auto it = availability.find(step.option);
    if (it == availability.end()) {
        message = "unknown transform " + step.option;
        return StepResult::Usage;
    }
    // The converter holds a heightmap whenever a transform runs (it was read or stitched).
    if (!ComputeCommandAvailability(HeightmapLoaded()).Enabled(it->second)) {
        message = step.option + " is disabled for this " + MapSize() + " map: " + CommandRule(it->second);
        return StepResult::Usage;
    }

    StepHost host(Host());
    std::optional<std::string> usage;
    std::function<bool()> run;
    const std::string& v = step.value;
    if (step.option == "--flip-h") run = CommandFlipHorizontal;
    else if (step.option == "--flip-v") run = CommandFlipVertical;
    else if (step.option == "--rotate-ccw") run = CommandRotateCCW;
    else if (step.option == "--rotate-cw") run = CommandRotateCW;
    else if (step.option == "--crop") run = CommandCrop;
    else if (step.option == "--invert") { usage = PrepareInvert(step, host); run = CommandInvert; }
    else if (step.option == "--scale") { usage = PrepareScale(v, host); run = [] { return CommandScale(true); }; }
    else if (step.option == "--move") { usage = PrepareMove(v, host); run = CommandMove; }
    else if (step.option == "--interpolate") { usage = PrepareInterpolate(v, host); run = CommandInterpolate; }
    else if (step.option == "--resample") { usage = PrepareResample(v, host); run = CommandResample; }
    else if (step.option == "--trim") { usage = PrepareTrim(v, host); run = CommandTrim; }
    else {
        usage = PrepareSplit(v, options, host);
        const std::string output = options.output;
        run = [output] {
            return CommandSplit([output](std::string& path) {
                path = output;
                return true;
            });
        };
    }
    if (usage) {
        message = *usage;
        return StepResult::Usage;
    }
    run();
    if (!host.refusal.empty()) {
        message = host.refusal;
        return StepResult::Usage;
    }
    return host.errorReports > 0 ? StepResult::Failed : StepResult::Ok;
}

bool HasSplit(const CliOptions& options)
{
    for (const TransformStep& s : options.steps)
        if (s.option == "--split") return true;
    return false;
}

StepResult RunStitch(const CliOptions& options, std::string& message)
{
    std::array<std::string, 4> sections;
    size_t start = 0, count = 0;
    for (;;) {
        const size_t comma = options.stitch.find(',', start);
        const std::string entry = options.stitch.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (count < 4) sections[count] = entry;
        ++count;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (count != 4) {
        message = "--stitch wants four comma-separated section files UL,UR,LL,LR (empty entries allowed), not " +
                  options.stitch;
        return StepResult::Usage;
    }
    // As a file dialog would give them: absolute paths.
    for (std::string& s : sections) {
        if (s.empty()) continue;
        std::error_code ec;
        auto abs = std::filesystem::absolute(s, ec);
        if (!ec) s = abs.lexically_normal().string();
    }
    StepHost host(Host());
    bool refused = false;
    host.answers[DialogId::Stitch] = [&] {
        const StitchCheck check = CheckStitchSections(sections);
        if (!check.ok) {
            ShowWarning(check.warning); // the dialog stays open; the converter gives up
            refused = true;
            return;
        }
        for (int i = 0; i < 4; ++i) SetDialogResult(i + 1, sections[static_cast<size_t>(i)]);
        SetDialogCancelled(false);
    };
    const bool merged = CommandStitch();
    if (refused || !merged || host.errorReports > 0) return StepResult::Failed;
    return StepResult::Ok;
}

} // namespace tolv::cli
