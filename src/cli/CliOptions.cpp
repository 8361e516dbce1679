// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "cli/CliOptions.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "cli/CliTransforms.h"
#include "formats/vbFileManagement.h"

namespace tolv::cli {
namespace {

enum class OptionGroup { Questions, DialogValues, Transforms, Stitch, Report, Batch, Program };

// One row per option: the parser and --help both read this table (the transforms are added from
// TransformOptions).
struct OptionRow {
    const char* name;  // "--scale"
    const char* alias; // "-h", or "" when there is none
    OptionValue value;
    const char* valueName; // "8bit|16bit|P%|LOW:HIGH", "" for a flag
    OptionGroup group;
    const char* help; // one line
    void (*apply)(CliOptions& o, const std::string& name, const std::string& value, bool hasValue);
};

bool ParseSize(const std::string& v, int& w, int& h)
{
    size_t x = v.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 >= v.size()) return false;
    try {
        size_t used1 = 0, used2 = 0;
        w = std::stoi(v.substr(0, x), &used1);
        h = std::stoi(v.substr(x + 1), &used2);
        return used1 == x && used2 == v.size() - x - 1 && w >= 0 && h >= 0;
    } catch (...) {
        return false;
    }
}

void ParseStitch(CliOptions& o, const std::string&, const std::string& v, bool)
{
    size_t start = 0, count = 0;
    for (;;) {
        const size_t comma = v.find(',', start);
        const std::string entry = v.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (count < 4) o.sections[count] = entry.empty() ? "" : Absolute(entry);
        ++count;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (count != 4)
        throw UsageError("--stitch wants four comma-separated section files UL,UR,LL,LR (empty entries allowed), not " +
                         v);
    o.stitch = v;
    o.hasStitch = true;
}

// The extensions the save dialog offers, from its filter list ("...|*.hma|...").
std::vector<std::string> WritableExtensions()
{
    std::vector<std::string> exts;
    const std::string filters = SaveFilterList();
    for (size_t p = filters.find("|*."); p != std::string::npos; p = filters.find("|*.", p + 1)) {
        const size_t end = filters.find('|', p + 1);
        std::string ext = filters.substr(p + 3, end == std::string::npos ? std::string::npos : end - p - 3);
        if (ext != "*" && std::find(exts.begin(), exts.end(), ext) == exts.end()) exts.push_back(ext);
    }
    std::sort(exts.begin(), exts.end());
    return exts;
}

void ParseTo(CliOptions& o, const std::string&, const std::string& v, bool)
{
    std::string ext = v.starts_with(".") ? v.substr(1) : v;
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    const auto exts = WritableExtensions();
    if (std::find(exts.begin(), exts.end(), ext) == exts.end()) {
        std::string list;
        for (const std::string& e : exts) list += (list.empty() ? "" : ", ") + e;
        throw UsageError("--to wants the extension of a format TOLV writes (" + list + "), not " + v);
    }
    o.toExtension = ext;
}

void PushStep(CliOptions& o, const std::string& name, const std::string& v, bool hasValue)
{
    o.steps.push_back({name, v, hasValue, FindConverterOption(name)->id});
}

// clang-format off
const std::vector<OptionRow> kOptions = {
    {"--help", "-h", OptionValue::None, "", OptionGroup::Program, "print this help and exit",
     [](CliOptions& o, const std::string&, const std::string&, bool) { o.help = true; }},
    {"--version", "", OptionValue::None, "", OptionGroup::Program, "print the version and exit",
     [](CliOptions& o, const std::string&, const std::string&, bool) { o.version = true; }},

    {"--yes", "", OptionValue::None, "", OptionGroup::Questions, "answer Yes to every question",
     [](CliOptions& o, const std::string&, const std::string&, bool) { o.answer = AnswerMode::Yes; }},
    {"--no", "", OptionValue::None, "", OptionGroup::Questions, "answer No to every question",
     [](CliOptions& o, const std::string&, const std::string&, bool) { o.answer = AnswerMode::No; }},

    {"--raw-size", "", OptionValue::Required, "WxH", OptionGroup::DialogValues,
     "raw files: the size typed into the raw size dialog (default: proposed)",
     [](CliOptions& o, const std::string&, const std::string& v, bool) {
         if (!ParseSize(v, o.rawWidth, o.rawHeight)) throw UsageError("--raw-size wants WxH, not " + v);
         o.hasRawSize = true;
     }},
    {"--pgm", "", OptionValue::Required, "p2|p5", OptionGroup::DialogValues,
     "PGM files: text (p2, default) or binary (p5) samples",
     [](CliOptions& o, const std::string&, const std::string& v, bool) {
         if (v == "p2" || v == "P2") o.pgmP5 = false;
         else if (v == "p5" || v == "P5") o.pgmP5 = true;
         else throw UsageError("--pgm wants p2 or p5, not " + v);
     }},
    {"--spacing", "", OptionValue::Required, "N", OptionGroup::DialogValues,
     "STL and OBJ files: the vertex spacing (default 16)",
     [](CliOptions& o, const std::string&, const std::string& v, bool) {
         // The spacing box takes digits only.
         if (v.empty() || v.find_first_not_of("0123456789") != std::string::npos)
             throw UsageError("--spacing wants a whole number, not " + v);
         o.spacing = v;
     }},
    {"--flip-normals", "", OptionValue::None, "", OptionGroup::DialogValues, "STL files: flip the surface normals",
     [](CliOptions& o, const std::string&, const std::string&, bool) { o.flipNormals = true; }},
    {"--no-object-name", "", OptionValue::None, "", OptionGroup::DialogValues,
     "OBJ files: leave out the \"o Heightmap\" line",
     [](CliOptions& o, const std::string&, const std::string&, bool) { o.noObjectName = true; }},
    {"--no-smooth", "", OptionValue::None, "", OptionGroup::DialogValues, "OBJ files: leave out the \"s 1\" line",
     [](CliOptions& o, const std::string&, const std::string&, bool) { o.noSmooth = true; }},
    {"--color", "", OptionValue::Required, "gray|green|ask", OptionGroup::DialogValues,
     "colour images: altitude from gray (default) or green, or ask",
     [](CliOptions& o, const std::string&, const std::string& v, bool) {
         if (v == "gray") o.color = 0;
         else if (v == "green") o.color = 1;
         else if (v == "ask") o.color = 2;
         else throw UsageError("--color wants gray, green or ask, not " + v);
     }},

    {"--stitch", "", OptionValue::Required, "UL,UR,LL,LR", OptionGroup::Stitch,
     "merge four section files (entries may be empty), not INPUT", ParseStitch},

    {"--info", "", OptionValue::None, "", OptionGroup::Report,
     "print format, file size, resolution and altitudes on standard output",
     [](CliOptions& o, const std::string&, const std::string&, bool) { o.info = true; }},

    {"--to", "", OptionValue::Required, "EXT", OptionGroup::Batch,
     "convert each INPUT to <base name>.EXT (a format TOLV writes)", ParseTo},
    {"--out-dir", "", OptionValue::Required, "DIR", OptionGroup::Batch,
     "write in DIR, made when missing (default: beside each INPUT)",
     [](CliOptions& o, const std::string&, const std::string& v, bool) {
         if (v.empty()) throw UsageError("--out-dir wants a folder");
         o.outDir = v;
     }},
    {"--verbose", "-v", OptionValue::None, "", OptionGroup::Batch, "batch: one line per file on standard error",
     [](CliOptions& o, const std::string&, const std::string&, bool) { o.verbose = true; }},
};
// clang-format on

const std::vector<OptionRow>& AllOptions()
{
    static const std::vector<OptionRow> all = [] {
        std::vector<OptionRow> options = kOptions;
        for (const TransformOption& t : TransformOptions())
            options.push_back({FindCommand(t.command)->converterOption, "", t.value, t.valueName,
                               OptionGroup::Transforms, t.help, PushStep});
        return options;
    }();
    return all;
}

const OptionRow* FindOption(const std::string& name)
{
    for (const OptionRow& row : AllOptions())
        if (name == row.name || name == row.alias) return &row;
    return nullptr;
}

std::string Synopsis(const OptionRow& row)
{
    std::string s = row.alias[0] ? std::string(row.alias) + ", " + row.name : row.name;
    if (row.value == OptionValue::Required) s += std::string(" ") + row.valueName;
    if (row.value == OptionValue::Attached) s += std::string("[=") + row.valueName + "]";
    return s;
}

} // namespace

std::string Absolute(const std::string& p)
{
    std::error_code ec;
    auto abs = std::filesystem::absolute(p, ec);
    return ec ? p : abs.lexically_normal().string();
}

std::string UsageText()
{
    return "usage: tolvconv [OPTIONS] INPUT [OUTPUT]\n"
           "       tolvconv [OPTIONS] --stitch UL,UR,LL,LR OUTPUT\n"
           "       tolvconv [OPTIONS] --to EXT [--out-dir DIR] INPUT...\n"
           "Run tolvconv --help for the options.\n";
}

std::string HelpText()
{
    static const std::pair<OptionGroup, const char*> headings[] = {
        {OptionGroup::Questions, "Questions (without these, each takes its default button):"},
        {OptionGroup::DialogValues, "Dialog values:"},
        {OptionGroup::Transforms, "Transforms, run in the order given:"},
        {OptionGroup::Stitch, "Stitch (no INPUT; the only positional argument is OUTPUT):"},
        {OptionGroup::Report, "Report:"},
        {OptionGroup::Batch, "Batch:"},
        {OptionGroup::Program, "Program:"},
    };
    constexpr size_t kColumn = 30;
    std::string text = "usage: tolvconv [OPTIONS] INPUT [OUTPUT]\n"
                       "       tolvconv [OPTIONS] --stitch UL,UR,LL,LR OUTPUT\n"
                       "       tolvconv [OPTIONS] --to EXT [--out-dir DIR] INPUT...\n"
                       "Reads INPUT (the reader chosen by its extension), runs the transforms and writes OUTPUT\n"
                       "(the writer chosen by its extension; an existing OUTPUT is first moved to its .bak name).\n"
                       "Messages go to standard error.\n";
    for (const auto& [group, heading] : headings) {
        text += std::string("\n") + heading + "\n";
        for (const OptionRow& row : AllOptions()) {
            if (row.group != group) continue;
            std::string line = "  " + Synopsis(row);
            line += line.size() + 2 <= kColumn ? std::string(kColumn - line.size(), ' ')
                                               : "\n" + std::string(kColumn, ' ');
            text += line + row.help + "\n";
        }
    }
    text += "\nExit status: 0 done; 1 a file could not be read, transformed or written; 2 a usage error.\n"
            "See man tolvconv for the details.\n";
    return text;
}

CliOptions ParseArguments(const std::vector<std::string>& args)
{
    CliOptions o;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        if (name.starts_with("--")) {
            const size_t eq = name.find('=');
            if (eq != std::string::npos) {
                value = name.substr(eq + 1);
                name = name.substr(0, eq);
                hasValue = true;
            }
        }
        const OptionRow* row = FindOption(name);
        if (!row) {
            if (name.size() > 1 && name[0] == '-') throw UsageError("unknown option " + name);
            positional.push_back(args[i]);
            continue;
        }
        if (row->value == OptionValue::None && hasValue) throw UsageError(name + " takes no value");
        if (row->value == OptionValue::Required && !hasValue) {
            if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
            value = args[++i];
            hasValue = true;
        }
        row->apply(o, row->name, value, hasValue);
        if (o.help || o.version) return o;
    }

    if (!o.toExtension.empty()) {
        if (o.hasStitch) throw UsageError("--stitch does not combine with --to");
        if (HasSplit(o)) throw UsageError("--split does not combine with --to");
        if (positional.empty()) throw UsageError("missing INPUT");
        o.inputs = positional;
    } else if (!o.outDir.empty()) {
        throw UsageError("--out-dir needs --to");
    } else if (o.hasStitch) {
        if (positional.size() != 1) throw UsageError("--stitch takes exactly one positional argument, OUTPUT");
        o.output = positional[0];
    } else {
        if (positional.empty()) throw UsageError("missing INPUT");
        if (positional.size() > 2) throw UsageError("too many arguments");
        o.inputs = {positional[0]};
        if (positional.size() == 2) o.output = positional[1];
    }
    for (const TransformStep& step : o.steps)
        if (auto wrong = CheckTransformForm(step, o)) throw UsageError(*wrong);
    return o;
}

} // namespace tolv::cli
