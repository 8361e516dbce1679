// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The converter's help, version and manual page, and batch conversion with --to.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

#include "RunProcess.h"
#include "TempDir.h"
#include "TolvVersion.h"

using namespace tolv::test;
namespace fs = std::filesystem;

namespace {

ProcessResult Conv(const std::vector<std::string>& args, const std::string& cwd = "")
{
    return RunProcess(TOLVCONV_PATH, args, cwd);
}

std::string Hma(int w, int h, const std::vector<int>& samples)
{
    std::string text = "TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth " + std::to_string(w) + "\r\nHeight " +
                       std::to_string(h) + "\r\n";
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) text += (x ? " " : "") + std::to_string(samples[size_t(y * w + x)]);
        text += "\r\n";
    }
    return text;
}

// The option names of the help's option lines ("  -v, --verbose   ..." gives -v and --verbose).
std::set<std::string> HelpOptions(const std::string& help)
{
    std::set<std::string> names;
    std::istringstream lines(help);
    const std::regex name("(^|[ ,])(--?[a-z][a-z0-9-]*)");
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("  -")) continue;
        const std::string synopsis = line.substr(0, line.find("  ", 2));
        for (std::sregex_iterator it(synopsis.begin(), synopsis.end(), name), end; it != end; ++it)
            names.insert((*it)[2]);
    }
    return names;
}

// The man page's text with its font changes and escaped hyphens undone.
std::string ManText()
{
    const std::string roff = ReadFileText(std::string(TOLV_SOURCE_DIR) + "/docs/man/tolvconv.1");
    return std::regex_replace(std::regex_replace(roff, std::regex(R"(\\f[BIRP])"), ""), std::regex(R"(\\-)"), "-");
}

} // namespace

TEST(CliConventions, HelpAndVersionOnStandardOutput)
{
    const std::string version = std::string("tolvconv ") + tolv::kProgramVersion + "\n";
    const struct {
        std::vector<std::string> args;
        std::string starts;
    } rows[] = {
        {{"--help"}, "usage: tolvconv [OPTIONS] INPUT [OUTPUT]\n"},
        {{"-h", "--bogus", "missing.hma"}, "usage: tolvconv [OPTIONS] INPUT [OUTPUT]\n"},
        {{"in.hma", "out.hmb", "--help"}, "usage: tolvconv [OPTIONS] INPUT [OUTPUT]\n"},
        {{"--version"}, version},
        {{"--version", "--scale", "bad"}, version},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args[0]);
        TempDir dir;
        ProcessResult r = Conv(row.args, dir.Path());
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_TRUE(r.out.starts_with(row.starts)) << r.out;
        EXPECT_EQ(r.out == version, row.starts == version) << r.out; // the version alone, the help never
        EXPECT_TRUE(fs::is_empty(dir.Path()));
    }
    EXPECT_TRUE(std::regex_match(tolv::kProgramVersion, std::regex(R"(\d+\.\d+\.\d+)"))) << tolv::kProgramVersion;
}

TEST(CliConventions, TheManualListsEveryOptionOfTheHelp)
{
    const std::string help = Conv({"--help"}).out;
    const std::set<std::string> options = HelpOptions(help);
    for (const char* known : {"--yes", "--raw-size", "--invert", "--split", "--stitch", "--info", "--to", "--out-dir",
                              "-v", "--verbose", "-h", "--help", "--version"})
        EXPECT_TRUE(options.count(known)) << known;
    const std::string man = ManText();
    for (const std::string& option : options)
        EXPECT_TRUE(std::regex_search(man, std::regex("(^|[ ,\\n])" + option + "([ ,\\[=\\n]|$)"))) << option;

    // The page is valid roff where groff is installed.
    if (fs::exists("/usr/bin/groff")) {
        ProcessResult g = RunProcess("/usr/bin/groff", {"-man", "-ww", "-z", std::string(TOLV_SOURCE_DIR) + "/docs/man/tolvconv.1"});
        EXPECT_EQ(g.exitCode, 0);
        EXPECT_EQ(g.err, "");
    }
}

TEST(CliConventions, BatchConvertsEachInputIndependently)
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
        {{"-v", "--flip-h", "--to", "hma", "--out-dir", "out/sub", "a.hma", "bad.hma", "sub/c.hma"},
         1,
         {{"out/sub/a.hma", flippedA}, {"out/sub/c.hma", flippedC}, {"out/sub/bad.hma", ""}},
         {"tolvconv: converted a.hma to out/sub/a.hma", "tolvconv: cannot read bad.hma",
          "tolvconv: converted sub/c.hma to out/sub/c.hma"}},
        // Beside each input, silent on success; an existing output is backed up.
        {{"--flip-h", "--to", "hma", "a.hma", "sub/c.hma", "noext"},
         1,
         {{"a.hma", flippedA}, {"a.bak", a}, {"sub/c.hma", flippedC}, {"sub/c.bak", c}, {"noext.hma", ""}},
         {"tolvconv: cannot read noext"}},
        // A rule of one map fails that file only; a missing input does not stop the rest.
        {{"--move", "lowest", "--to", "hma", "--out-dir", "o", "full.hma", "missing.hma", "a.hma"},
         1,
         {{"o/full.hma", ""}, {"o/a.hma", Hma(3, 2, {0, 1, 2, 3, 4, 5})}},
         {"tolvconv: --move is disabled for this 2 x 1 map: Move needs a heightmap whose altitudes do not span all "
          "of 0 to 65535",
          "tolvconv: cannot convert full.hma", "tolvconv: cannot read missing.hma"}},
        {{"--to", "ter", "--out-dir", "a.hma/o", "sub/c.hma"}, 1, {{"sub/c.ter", ""}}, {"tolvconv: cannot make the folder a.hma/o"}},
        // One report per written file, each after its name.
        {{"--info", "--to", "hmb", "a.hma", "sub/c.hma"}, 0, {}, {},
         "file: a.hmb\nformat: TOLV Binary heightmap\ncode: 2\nfile size: 44\nresolution: 3 x 2\n"
         "range: L: 1 \xC2\xB7 H: 6 \xC2\xB7 D: 6  (3 bits)\nmean: 4\nmidpoint: 4\n"
         "file: sub/c.hmb\nformat: TOLV Binary heightmap\ncode: 2\nfile size: 40\nresolution: 2 x 2\n"
         "range: L: 7 \xC2\xB7 H: 10 \xC2\xB7 D: 4  (2 bits)\nmean: 8\nmidpoint: 8\n"},
    };
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
        for (const auto& [file, text] : row.files) {
            EXPECT_EQ(fs::exists(dir / file), !text.empty()) << file;
            if (!text.empty()) {
                EXPECT_EQ(ReadFileText(dir / file), text) << file;
            }
        }
        std::string ours; // between the message blocks
        std::istringstream lines(r.err);
        for (std::string line; std::getline(lines, line);)
            if (line.starts_with("tolvconv: ")) ours += line + "\n";
        std::string expected;
        for (const std::string& line : row.errLines) expected += line + "\n";
        EXPECT_EQ(ours, expected);
    }
}
