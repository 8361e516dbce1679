// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The converter's fixed interface, end to end: backups, relative paths, the report, questions and
// their answers, the colour modes, no settings file, help, version, the manual page and batch
// conversion. Usage errors and failure lines are cases of test_cli_runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

#include "CliTest.h"
#include "TolvVersion.h"

using namespace tolv::test;
namespace fs = std::filesystem;

namespace {

const std::string kHma = Hma(3, 2, {0, 100, 65535, 7, 8, 9});
const std::string kUsage = "usage: tolvconv [OPTIONS] INPUT [OUTPUT]\n";

} // namespace

// Paths are taken from the working folder; the extension picks the writer in any case, and the
// file replaced is kept under its backup name, in the path's case, replacing an older backup.
TEST(CliContract, RelativePathsAndBackups)
{
    for (const std::string output : {"out.ter", "OUT.TER"}) {
        TempDir dir;
        fs::create_directories(dir / "a/b");
        WriteFileText(dir / "in.hma", kHma);
        WriteFileText(dir / ("a/" + output), "previous");
        WriteFileText(dir / "a/out.bak", "older backup");
        WriteFileText(dir / "a/OUT.bak", "older backup");
        ProcessResult r = Conv({"--info", "../../in.hma", "./../b/../" + output}, dir / "a/b");
        EXPECT_EQ(std::pair(r.exitCode, r.err), std::pair(0, std::string())) << output;
        EXPECT_EQ(r.out.substr(0, 44), "format: Terragen Terrain heightmap\ncode: 10\n");
        EXPECT_EQ(ReadFileText(dir / ("a/" + output.substr(0, 3) + ".bak")), "previous");
        EXPECT_TRUE(fs::is_empty(dir / "a/b"));
        r = Conv({"--info", output}, dir / "a"); // without OUTPUT, the report is of INPUT
        EXPECT_EQ(r.out.substr(0, r.out.find("file size:")), "format: Terragen Terrain heightmap\ncode: 10\n");
    }
}

TEST(CliContract, QuestionsTakeTheDefaultOrTheAnswerGiven)
{
    // A Terragen file with only its altitude chunk: opening it asks whether the guessed square is right.
    const std::string ter = std::string(TOLV_SOURCE_DIR) + "/tests/data/ter/no-size-chunks-square-yes.ter";
    const std::string question =
        "TOLV question:\nThis Terragen file does not contain any Size or XPts/YPts dimension information.\n"
        "As a square-aspect terrain heightmap it appears to be 3x3.\n\nContinue with opening this file?\nanswer: ";
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{}, "Yes"}, {{"--yes"}, "Yes"}, {{"--no"}, "No"}, {{"--yes", "--no"}, "No"}};
    for (const auto& [options, answer] : rows) {
        SCOPED_TRACE(answer + " " + std::to_string(options.size()));
        TempDir dir;
        std::vector<std::string> args = options;
        args.insert(args.end(), {"--info", ter, dir / "out.r16"});
        ProcessResult r = Conv(args);
        const bool yes = answer == "Yes";
        EXPECT_EQ(r.err, question + answer + "\n\n" + (yes ? "" : "tolvconv: cannot read " + ter + "\n"));
        EXPECT_EQ(r.exitCode, yes ? 0 : 1);
        EXPECT_EQ(fs::exists(dir / "out.r16"), yes);
        EXPECT_EQ(r.out.find("resolution: 3 x 3\nrange: L: 1 \xC2\xB7 H: 9") != std::string::npos, yes) << r.out;
    }
}

TEST(CliContract, ColourModesAndNoSettingsFile)
{
    // A Targa of red, green, blue and white: the gray rule weighs each channel and rounds once per pixel.
    const std::vector<uint8_t> tga = {0, 0, 2,   0, 0,   0, 0,   0, 0, 0,   0,   0,  4, 0, 1, 0, 24, 0x20, // header
                                      0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};                     // pixels
    const std::vector<uint8_t> gray = {76, 0, 150, 0, 28, 0, 254, 0}, green = {0, 0, 255, 0, 0, 0, 255, 0};
    const std::string question = "TOLV question:\nConvert image to grayscale for altitude data?\nanswer: ";
    const struct {
        std::vector<std::string> options;
        std::string err;
        std::vector<uint8_t> samples; // as raw 16-bit bytes
    } rows[] = {
        {{}, "", gray}, // a settings file beside the input asking for green is not read
        {{"--color", "green"}, "", green},
        {{"--color", "ask"}, question + "Yes\n\n", gray},
        {{"--no", "--color=ask"}, question + "No\n\n", green},
        {{"--color", "gray", "--no"}, "", gray}, // no question without the ask mode
    };
    const std::string programFolder = fs::path(TOLVCONV_PATH).parent_path().string();
    auto settingsFiles = [&] {
        auto names = Listing(programFolder);
        std::erase_if(names, [](const std::string& name) { return !name.ends_with(".ini"); });
        return names;
    };
    const auto before = settingsFiles();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.options.empty() ? "default" : row.options.back());
        TempDir dir;
        WriteFileBytes(dir / "in.tga", tga);
        WriteFileText(dir / "tolvconv.ini", "[Options]\r\nConvertColorToGrayscale=1\r\n");
        std::vector<std::string> args = row.options;
        args.insert(args.end(), {"in.tga", "out.r16"});
        ProcessResult r = Conv(args, dir.Path());
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, row.err);
        EXPECT_EQ(ReadFileBytes(dir / "out.r16"), row.samples);
        EXPECT_EQ(Listing(dir.Path()), (std::set<std::string>{"in.tga", "out.r16", "tolvconv.ini"}));
    }
    EXPECT_EQ(settingsFiles(), before); // nor one beside the program
}

TEST(CliContract, HelpVersionAndTheManualPage)
{
    const std::string version = std::string("tolvconv ") + tolv::kProgramVersion + "\n";
    // clang-format off
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--help"}, kUsage}, {{"-h", "--bogus", "missing.hma"}, kUsage}, {{"in.hma", "out.hmb", "--help"}, kUsage},
        {{"--version"}, version}, {{"--version", "--scale", "bad"}, version}};
    for (const auto& [args, starts] : rows) {
        SCOPED_TRACE(args[0]);
        TempDir dir;
        ProcessResult r = Conv(args, dir.Path());
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_TRUE(r.out.starts_with(starts)) << r.out;
        EXPECT_EQ(r.out == version, starts == version) << r.out; // the version alone, the help never
        EXPECT_TRUE(fs::is_empty(dir.Path()));
    }
    EXPECT_TRUE(std::regex_match(tolv::kProgramVersion, std::regex(R"(\d+\.\d+\.\d+)"))) << tolv::kProgramVersion;

    // Every option of the help's option lines ("  -v, --verbose   ...") is in the manual page.
    std::set<std::string> options;
    std::istringstream lines(Conv({"--help"}).out);
    const std::regex name("(^|[ ,])(--?[a-z][a-z0-9-]*)");
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("  -")) continue;
        const std::string synopsis = line.substr(0, line.find("  ", 2));
        for (std::sregex_iterator it(synopsis.begin(), synopsis.end(), name), end; it != end; ++it)
            options.insert((*it)[2]);
    }
    for (const char* known : {"--yes", "--raw-size", "--invert", "--split", "--stitch", "--info", "--to", "--out-dir",
                              "-v", "--verbose", "-h", "--help", "--version"})
        EXPECT_TRUE(options.count(known)) << known;
    const std::string page = std::string(TOLV_SOURCE_DIR) + "/docs/man/tolvconv.1";
    const std::string man = std::regex_replace(std::regex_replace(ReadFileText(page), std::regex(R"(\\f[BIRP])"), ""),
                                               std::regex(R"(\\-)"), "-");
    for (const std::string& option : options)
        EXPECT_TRUE(std::regex_search(man, std::regex("(^|[ ,\\n])" + option + "([ ,\\[=\\n]|$)"))) << option;
    if (fs::exists("/usr/bin/groff")) { // valid roff where groff is installed
        ProcessResult g = RunProcess("/usr/bin/groff", {"-man", "-ww", "-z", page});
        EXPECT_EQ(g.exitCode, 0);
        EXPECT_EQ(g.err, "");
    }
}

TEST(CliContract, BatchConvertsEachInputIndependently)
{
    const std::string a = Hma(3, 2, {1, 2, 3, 4, 5, 6}), flippedA = Hma(3, 2, {3, 2, 1, 6, 5, 4});
    const std::string c = Hma(2, 2, {7, 8, 9, 10}), flippedC = Hma(2, 2, {8, 7, 10, 9});
    const struct {
        std::vector<std::string> args;
        int exit;
        std::vector<std::pair<std::string, std::string>> files; // written, with their text ("" = absent)
        std::vector<std::string> errLines;                      // the converter's own, in order
        std::string out = "";
    } rows[] = {
        // One bad file among three: the others are written, into a folder made for them.
        {{"-v", "--flip-h", "--to", "hma", "--out-dir", "out/sub", "a.hma", "bad.hma", "sub/c.hma"}, 1,
         {{"out/sub/a.hma", flippedA}, {"out/sub/c.hma", flippedC}, {"out/sub/bad.hma", ""}},
         {"tolvconv: converted a.hma to out/sub/a.hma", "tolvconv: cannot read bad.hma",
          "tolvconv: converted sub/c.hma to out/sub/c.hma"}},
        // Beside each input, silent on success; an existing output is backed up.
        {{"--flip-h", "--to", "hma", "a.hma", "sub/c.hma", "noext"}, 1,
         {{"a.hma", flippedA}, {"a.bak", a}, {"sub/c.hma", flippedC}, {"sub/c.bak", c}, {"noext.hma", ""}},
         {"tolvconv: cannot read noext"}},
        // A rule of one map fails that file only; a missing input does not stop the rest.
        {{"--move", "lowest", "--to", "hma", "--out-dir", "o", "full.hma", "missing.hma", "a.hma"}, 1,
         {{"o/full.hma", ""}, {"o/a.hma", Hma(3, 2, {0, 1, 2, 3, 4, 5})}},
         {"tolvconv: --move is disabled for this 2 x 1 map: Move needs a heightmap whose altitudes do not span all "
          "of 0 to 65535", "tolvconv: cannot convert full.hma", "tolvconv: cannot read missing.hma"}},
        {{"--to", "ter", "--out-dir", "a.hma/o", "sub/c.hma"}, 1, {{"sub/c.ter", ""}},
         {"tolvconv: cannot make the folder a.hma/o"}},
        // One report per written file, each after its name.
        {{"--info", "--to", "hmb", "a.hma", "sub/c.hma"}, 0, {}, {},
         "file: a.hmb\nformat: TOLV Binary heightmap\ncode: 2\nfile size: 44\nresolution: 3 x 2\n"
         "range: L: 1 \xC2\xB7 H: 6 \xC2\xB7 D: 6  (3 bits)\nmean: 4\nmidpoint: 4\n"
         "file: sub/c.hmb\nformat: TOLV Binary heightmap\ncode: 2\nfile size: 40\nresolution: 2 x 2\n"
         "range: L: 7 \xC2\xB7 H: 10 \xC2\xB7 D: 4  (2 bits)\nmean: 8\nmidpoint: 8\n"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args[row.args.size() - 2]);
        TempDir dir;
        fs::create_directory(dir / "sub");
        WriteFileText(dir / "a.hma", a);
        WriteFileText(dir / "sub/c.hma", c);
        WriteFileText(dir / "noext", a);
        WriteFileText(dir / "full.hma", Hma(2, 1, {0, 65535}));
        WriteFileText(dir / "bad.hma", "TOLV ASCII Heightmap\r\n");
        ProcessResult r = Conv(row.args, dir.Path());
        EXPECT_EQ(r.exitCode, row.exit);
        EXPECT_EQ(r.out, row.out);
        for (const auto& [file, text] : row.files) // ReadFileText gives "" for a missing file
            EXPECT_EQ(std::pair(fs::exists(dir / file), ReadFileText(dir / file)), std::pair(!text.empty(), text))
                << file;
        std::string ours, expected; // the converter's own lines, without the message blocks between them
        std::istringstream lines(r.err);
        for (std::string line; std::getline(lines, line);) ours += line.starts_with("tolvconv: ") ? line + "\n" : "";
        for (const std::string& line : row.errLines) expected += line + "\n";
        EXPECT_EQ(ours, expected);
    }
}
