// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The converter's fixed interface, end to end: backups, relative paths, questions and their
// answers, the colour mode, the report lines, exit statuses, and no settings file.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "RunProcess.h"
#include "TempDir.h"

using namespace tolv::test;
namespace fs = std::filesystem;

namespace {

ProcessResult Conv(const std::vector<std::string>& args, const std::string& cwd = "")
{
    return RunProcess(TOLVCONV_PATH, args, cwd);
}

const char* kHma = "TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth 3\r\nHeight 2\r\n0 100 65535\r\n7 8 9\r\n";

std::set<std::string> Listing(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

// A Terragen file with only its altitude chunk: opening it asks whether the guessed square is right.
void WriteSizelessTerragen(const std::string& path)
{
    std::vector<uint8_t> b;
    for (char c : std::string("TERRAGENTERRAIN ALTW")) b.push_back(uint8_t(c));
    b.insert(b.end(), {32, 0, 0, 0});
    for (int i = 0; i < 25; ++i) {
        const int16_t v = int16_t(i * 100 - 300);
        b.push_back(uint8_t(v)), b.push_back(uint8_t(uint16_t(v) >> 8));
    }
    for (char c : std::string("EOF ")) b.push_back(uint8_t(c));
    WriteFileBytes(path, b);
}

const char* kTerragenQuestion =
    "TOLV question:\nThis Terragen file does not contain any Size or XPts/YPts dimension information.\n"
    "As a square-aspect terrain heightmap it appears to be 5x5.\n\nContinue with opening this file?\n";

} // namespace

TEST(CliContract, BackupOnlyWhenAWriterRuns)
{
    struct Row {
        std::string output;
        int exit;
        std::string backup; // "" = no backup may appear
    };
    const Row rows[] = {
        {"out.ter", 0, "out.bak"},
        {"OUT.TER", 0, "OUT.bak"}, // the extension picks the writer in any case; the backup keeps the path's case
        {"out.raw", 1, ""},        // no writer
        {"out.tga", 1, ""},        // open only
        {"out", 1, ""},            // no extension
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.output);
        TempDir dir;
        WriteFileText(dir / "in.hma", kHma);
        WriteFileText(dir / row.output, "previous");
        WriteFileText(dir / "out.bak", "older backup");
        if (row.backup == "OUT.bak") WriteFileText(dir / "OUT.bak", "older backup");
        ProcessResult r = Conv({dir / "in.hma", dir / row.output});
        EXPECT_EQ(r.exitCode, row.exit) << r.err;
        if (row.backup.empty()) {
            EXPECT_EQ(ReadFileText(dir / row.output), "previous");
            EXPECT_EQ(ReadFileText(dir / "out.bak"), "older backup");
        } else {
            EXPECT_EQ(ReadFileText(dir / row.backup), "previous"); // an older backup is replaced
            EXPECT_EQ(ReadFileText(dir / row.output).substr(0, 8), "TERRAGEN");
        }
    }
}

TEST(CliContract, FailedReadLeavesAnExistingOutputAlone)
{
    TempDir dir;
    WriteFileText(dir / "out.hmb", "previous");
    ProcessResult r = Conv({"--info", dir / "missing.hma", dir / "out.hmb"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Listing(dir.Path()), (std::set<std::string>{"out.hmb"}));
    EXPECT_EQ(ReadFileText(dir / "out.hmb"), "previous");
}

TEST(CliContract, RelativePathsAreTakenFromTheWorkingFolder)
{
    TempDir dir;
    fs::create_directories(dir / "a/b");
    WriteFileText(dir / "in.hma", kHma);
    WriteFileText(dir / "a/out.hmb", "previous");
    ProcessResult r = Conv({"../../in.hma", "./../b/../out.hmb"}, dir / "a/b");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileText(dir / "a/out.bak"), "previous");
    EXPECT_EQ(ReadFileBytes(dir / "a/out.hmb").size(), 44u);
    EXPECT_EQ(Listing(dir / "a/b"), std::set<std::string>{});
    // Back again, reading the relative output of the first run.
    r = Conv({"--info", "out.hmb"}, dir / "a");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("resolution: 3 x 2\n"), std::string::npos) << r.out;
}

TEST(CliContract, QuestionsTakeTheDefaultOrTheAnswerGiven)
{
    struct Row {
        std::vector<std::string> options;
        std::string answer;
        int exit;
    };
    const Row rows[] = {{{}, "Yes", 0}, {{"--yes"}, "Yes", 0}, {{"--no"}, "No", 1}, {{"--yes", "--no"}, "No", 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer + " " + std::to_string(row.options.size()));
        TempDir dir;
        WriteSizelessTerragen(dir / "in.ter");
        std::vector<std::string> args = row.options;
        args.insert(args.end(), {"--info", dir / "in.ter", dir / "out.r16"});
        ProcessResult r = Conv(args);
        EXPECT_EQ(r.exitCode, row.exit);
        EXPECT_EQ(r.err, std::string(kTerragenQuestion) + "answer: " + row.answer + "\n\n");
        if (row.exit == 0) {
            EXPECT_EQ(ReadFileBytes(dir / "out.r16").size(), 50u);
            EXPECT_NE(r.out.find("resolution: 5 x 5\nrange: L: 0 \xC2\xB7 H: 2400"), std::string::npos) << r.out;
        } else {
            EXPECT_EQ(r.out, "");
            EXPECT_FALSE(fs::exists(dir / "out.r16"));
        }
    }
}

TEST(CliContract, ColourModes)
{
    // Two 24-bit pixels, top-left origin: pure red and pure green.
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 2, tga[12] = 2, tga[14] = 1, tga[16] = 24, tga[17] = 0x20;
    tga.insert(tga.end(), {0, 0, 255, 0, 255, 0});
    const std::string question = "TOLV question:\nConvert image to grayscale for altitude data?\nanswer: ";
    struct Row {
        std::vector<std::string> options;
        std::string err;
        std::vector<uint8_t> samples; // as raw 16-bit bytes
    };
    const Row rows[] = {
        {{}, "", {76, 0, 150, 0}},
        {{"--color", "gray"}, "", {76, 0, 150, 0}},
        {{"--color", "green"}, "", {0, 0, 255, 0}},
        {{"--color", "ask"}, question + "Yes\n\n", {76, 0, 150, 0}},
        {{"--no", "--color=ask"}, question + "No\n\n", {0, 0, 255, 0}},
        {{"--color", "green", "--no"}, "", {0, 0, 255, 0}}, // no question without the ask mode
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.options.empty() ? "default" : row.options.back());
        TempDir dir;
        WriteFileBytes(dir / "in.tga", tga);
        std::vector<std::string> args = row.options;
        args.insert(args.end(), {dir / "in.tga", dir / "out.r16"});
        ProcessResult r = Conv(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, row.err);
        EXPECT_EQ(ReadFileBytes(dir / "out.r16"), row.samples);
    }
    ProcessResult r = Conv({"--color", "blue", "x.tga"});
    EXPECT_EQ(r.exitCode, 2);
}

TEST(CliContract, ReportOfTheWrittenFileOrElseTheInput)
{
    TempDir dir;
    std::vector<uint8_t> raw(513 * 513 * 2);
    for (size_t i = 0; i < raw.size(); ++i) raw[i] = uint8_t(i * 31 / 7);
    raw[0] = raw[1] = 0, raw[raw.size() - 2] = raw[raw.size() - 1] = 0xFF;
    WriteFileBytes(dir / "in.r16", raw);
    // 513 x 513 is not a power of two: written without a question, as File > Save does.
    ProcessResult r = Conv({"--info", dir / "in.r16", dir / "out.ter"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.substr(0, r.out.find("mean:")),
              "format: Terragen Terrain heightmap\ncode: 10\nfile size: 526,422\nresolution: 513 x 513\n"
              "range: L: 0 \xC2\xB7 H: 65535 \xC2\xB7 D: 65536  (16 bits)\n");
    r = Conv({"--info", dir / "in.r16"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("resolution:")),
              "format: Raw 16-bit binary heightmap\ncode: 8\nfile size: 526,338\n");
    // A refused save reports nothing on standard output.
    r = Conv({"--info", dir / "in.r16", dir / "out.gif"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "TOLV info:\nThis format is only supported for opening.\n\n");
}

TEST(CliContract, NoSettingsFileIsReadOrWritten)
{
    TempDir dir;
    const fs::path programFolder = fs::path(TOLVCONV_PATH).parent_path();
    auto settingsFiles = [](const std::string& folder) {
        std::set<std::string> names;
        for (const std::string& n : Listing(folder))
            if (n.size() > 4 && n.compare(n.size() - 4, 4, ".ini") == 0) names.insert(n);
        return names;
    };
    const auto before = settingsFiles(programFolder.string());
    // One red 24-bit pixel; a settings file in the working folder asking for the green value
    // must not be taken.
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 2, tga[12] = 1, tga[14] = 1, tga[16] = 24, tga[17] = 0x20;
    tga.insert(tga.end(), {0, 0, 255});
    WriteFileBytes(dir / "in.tga", tga);
    WriteFileText(dir / "tolvconv.ini", "[Options]\r\nConvertColorToGrayscale=1\r\n");
    ProcessResult r = Conv({"in.tga", "out.r16"}, dir.Path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir / "out.r16"), (std::vector<uint8_t>{76, 0}));
    EXPECT_EQ(Listing(dir.Path()), (std::set<std::string>{"in.tga", "out.r16", "tolvconv.ini"}));
    EXPECT_EQ(settingsFiles(programFolder.string()), before);
}

TEST(CliContract, UsageErrorsExitTwoAndTouchNothing)
{
    TempDir dir;
    WriteFileText(dir / "in.hma", kHma);
    const std::vector<std::vector<std::string>> rows = {
        {"--yes=1", "in.hma", "out.hmb"},
        {"--info", "--no", "out.hmb", "in.hma", "third.hmb"},
        {"in.hma", "out.hmb", "--spacing"},
        {"--stitch", "a.bmp,b.bmp,c.bmp,d.bmp"},
        {"--stitch", "a.bmp,b.bmp,c.bmp,d.bmp", "in.hma", "out.bmp"},
        {"--pgm", "p6", "in.hma", "out.pgm"},
        {"--raw-size", "3x", "in.hma", "out.hmb"},
        {"--colour", "gray", "in.hma", "out.hmb"},
    };
    for (const auto& args : rows) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        ProcessResult r = Conv(args, dir.Path());
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("tolvconv: ", 0), 0u) << r.err;
        EXPECT_EQ(Listing(dir.Path()), std::set<std::string>{"in.hma"});
    }
}
