// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "cli/CliOptions.h"

#include <filesystem>
#include <set>

namespace tolv::cli {
namespace {

const std::set<std::string> kFlagTransforms = {"--flip-h", "--flip-v", "--rotate-ccw", "--rotate-cw", "--crop"};
const std::set<std::string> kValueTransforms = {"--scale", "--move", "--interpolate", "--resample", "--trim", "--split"};

std::string Absolute(const std::string& p)
{
    std::error_code ec;
    auto abs = std::filesystem::absolute(p, ec);
    return ec ? p : abs.lexically_normal().string();
}

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

} // namespace

const char* UsageText()
{
    return "usage: tolvconv [OPTIONS] INPUT [OUTPUT]\n"
           "       tolvconv [OPTIONS] --stitch UL,UR,LL,LR OUTPUT\n"
           "options: --yes --no --info --raw-size WxH --pgm p2|p5 --spacing N --flip-normals\n"
           "         --no-object-name --no-smooth --color gray|green|ask\n"
           "transforms (in order): --flip-h --flip-v --rotate-ccw --rotate-cw --crop --invert[=MID]\n"
           "         --scale 8bit|16bit|P%|LOW:HIGH --move highest|midpoint|lowest|BASE\n"
           "         --interpolate F[:V] --resample F[:cut|average] --trim WxH[:lt|lb|rt|rb|c]\n"
           "         --split CxR[:seamless]\n";
}

CliOptions ParseArguments(const std::vector<std::string>& args)
{
    CliOptions o;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string a = args[i];
        std::string value;
        bool hasValue = false;
        if (a.rfind("--", 0) == 0) {
            size_t eq = a.find('=');
            if (eq != std::string::npos) {
                value = a.substr(eq + 1);
                a = a.substr(0, eq);
                hasValue = true;
            }
        }
        auto need = [&]() -> std::string {
            if (hasValue) return value;
            if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
            return args[++i];
        };
        auto noValue = [&]() {
            if (hasValue) throw UsageError(a + " takes no value");
        };
        if (a == "--yes") { noValue(); o.answer = AnswerMode::Yes; }
        else if (a == "--no") { noValue(); o.answer = AnswerMode::No; }
        else if (a == "--info") { noValue(); o.info = true; }
        else if (a == "--flip-normals") { noValue(); o.flipNormals = true; }
        else if (a == "--no-object-name") { noValue(); o.noObjectName = true; }
        else if (a == "--no-smooth") { noValue(); o.noSmooth = true; }
        else if (a == "--raw-size") {
            std::string v = need();
            if (!ParseSize(v, o.rawWidth, o.rawHeight)) throw UsageError("--raw-size wants WxH, not " + v);
            o.hasRawSize = true;
        } else if (a == "--pgm") {
            std::string v = need();
            if (v == "p2" || v == "P2") o.pgmP5 = false;
            else if (v == "p5" || v == "P5") o.pgmP5 = true;
            else throw UsageError("--pgm wants p2 or p5, not " + v);
        } else if (a == "--spacing") {
            o.spacing = need();
            // The spacing box takes digits only.
            if (o.spacing.empty() || o.spacing.find_first_not_of("0123456789") != std::string::npos)
                throw UsageError("--spacing wants a whole number, not " + o.spacing);
        } else if (a == "--color") {
            std::string v = need();
            if (v == "gray") o.color = 0;
            else if (v == "green") o.color = 1;
            else if (v == "ask") o.color = 2;
            else throw UsageError("--color wants gray, green or ask, not " + v);
        } else if (a == "--stitch") {
            o.stitch = need();
            o.hasStitch = true;
        } else if (a == "--invert") {
            o.steps.push_back({a, value, hasValue});
        } else if (kFlagTransforms.count(a)) {
            noValue();
            o.steps.push_back({a, "", false});
        } else if (kValueTransforms.count(a)) {
            o.steps.push_back({a, need(), true});
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError("unknown option " + a);
        } else {
            positional.push_back(args[i]);
        }
    }
    if (o.hasStitch) {
        if (positional.size() != 1) throw UsageError("--stitch takes exactly one positional argument, OUTPUT");
        o.output = Absolute(positional[0]);
        return o;
    }
    if (positional.empty()) throw UsageError("missing INPUT");
    if (positional.size() > 2) throw UsageError("too many arguments");
    o.input = Absolute(positional[0]);
    if (positional.size() == 2) o.output = Absolute(positional[1]);
    return o;
}

} // namespace tolv::cli
