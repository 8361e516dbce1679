// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The converter's fixed interface, end to end: backups, relative paths, message blocks, questions
// and their answers, the colour mode, the report lines, exit statuses, and no settings file.
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

// A 24-bit Targa of the given pixels (blue, green, red each), one row, top-left origin.
std::vector<uint8_t> Tga(const std::vector<uint8_t>& bgr)
{
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 2, tga[12] = uint8_t(bgr.size() / 3), tga[14] = 1, tga[16] = 24, tga[17] = 0x20;
    tga.insert(tga.end(), bgr.begin(), bgr.end());
    return tga;
}

} // namespace

TEST(CliContract, WritersBackUpAndFailuresLeaveFilesAlone)
{
    const std::string noFile = "TOLV error:\nAn error occurred validating the TOLV Binary file header.\n\n"
                               "Error Number: 53\nFile not found\n\n";
    struct Row {
        std::string input, output;
        int exit;
        std::string backup; // "" = the output and the older backup stay as they were
        std::string err;    // the message blocks, then the line naming the file that failed
        const char* failed = ""; // "read" names INPUT, "write" OUTPUT
    };
    const Row rows[] = {
        {"in.hma", "out.ter", 0, "out.bak", ""},
        // The extension picks the writer in any case; the backup keeps the path's case.
        {"in.hma", "OUT.TER", 0, "OUT.bak", ""},
        {"in.hma", "out.raw", 1, "", "TOLV warning:\nUnable to determine the save file type.\n\n", "write"},
        {"in.hma", "out", 1, "", "TOLV warning:\nUnable to determine the save file type.\n\n", "write"},
        {"in.hma", "out.tga", 1, "", "TOLV info:\nThis format is only supported for opening.\n\n", "write"},
        {"missing.hmb", "out.ter", 1, "", noFile, "read"},
        {"bad.hma", "out.ter", 1, "", "TOLV warning:\nThe heightmap value is non-numeric at 2 x 1.\n\n", "read"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input + " " + row.output);
        TempDir dir;
        WriteFileText(dir / "in.hma", kHma);
        WriteFileText(dir / "bad.hma", "TOLV ASCII Heightmap\r\nV\r\nWidth 2\r\nHeight 1\r\n1\r\n");
        WriteFileText(dir / row.output, "previous");
        WriteFileText(dir / "out.bak", "older backup");
        if (row.backup == "OUT.bak") WriteFileText(dir / "OUT.bak", "older backup");
        const auto before = Listing(dir.Path());
        ProcessResult r = Conv({"--info", dir / row.input, dir / row.output});
        EXPECT_EQ(r.exitCode, row.exit);
        const std::string failed = row.failed, file = failed == "read" ? row.input : row.output;
        EXPECT_EQ(r.err, failed.empty() ? "" : row.err + "tolvconv: cannot " + failed + " " + (dir / file) + "\n");
        if (row.backup.empty()) {
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(Listing(dir.Path()), before);
            EXPECT_EQ(ReadFileText(dir / row.output), "previous");
            EXPECT_EQ(ReadFileText(dir / "out.bak"), "older backup");
        } else {
            EXPECT_EQ(r.out.substr(0, 36), "format: Terragen Terrain heightmap\nc");
            EXPECT_EQ(ReadFileText(dir / row.backup), "previous"); // an older backup is replaced
            EXPECT_EQ(ReadFileText(dir / row.output).substr(0, 8), "TERRAGEN");
        }
    }
}

TEST(CliContract, RelativePathsAreTakenFromTheWorkingFolder)
{
    TempDir dir;
    fs::create_directories(dir / "a/b");
    WriteFileText(dir / "in.hma", kHma);
    WriteFileText(dir / "a/out.hmb", "previous");
    ProcessResult r = Conv({"--info", "../../in.hma", "./../b/../out.hmb"}, dir / "a/b");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "format: TOLV Binary heightmap\ncode: 2\nfile size: 44\nresolution: 3 x 2\n"
                     "range: L: 0 \xC2\xB7 H: 65535 \xC2\xB7 D: 65536  (16 bits)\nmean: 10943\nmidpoint: 32768\n");
    EXPECT_EQ(ReadFileText(dir / "a/out.bak"), "previous");
    EXPECT_EQ(Listing(dir / "a/b"), std::set<std::string>{});
    // And back again, from the relative output of the first run.
    r = Conv({"out.hmb", "again.hma"}, dir / "a");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileText(dir / "a/again.hma"), kHma);
}

TEST(CliContract, FailuresEndWithALineNamingTheFileAsGiven)
{
    const std::string noFile = "TOLV error:\nAn error occurred validating the TOLV ASCII file header.\n\n"
                               "Error Number: 53\nFile not found\n\n";
    const std::string noFolder = "tolvconv: the folder nodir does not exist\n";
    const struct {
        std::vector<std::string> args;
        std::string err; // "" = only the end is known: the line in tail follows some message block
        std::string tail;
    } rows[] = {
        {{"missing.hma", "out.hmb"}, noFile, "tolvconv: cannot read missing.hma\n"},
        // A missing folder is reported before anything is read, and is not made.
        {{"missing.hma", "nodir/out.hmb"}, noFolder, "tolvconv: cannot write nodir/out.hmb\n"},
        {{"in.hma", "./nodir/../nodir/out.hmb"}, "tolvconv: the folder ./nodir/../nodir does not exist\n",
         "tolvconv: cannot write ./nodir/../nodir/out.hmb\n"},
        {{"in.hma", "in.hma/out.hmb"}, "tolvconv: in.hma is not a folder\n", "tolvconv: cannot write in.hma/out.hmb\n"},
        {{"--split", "2x1", "in.hma", "nodir/tile.bmp"}, noFolder, "tolvconv: cannot write nodir/tile.bmp\n"},
        {{"--stitch", "in.hma,,,", "nodir/out.hmb"}, noFolder, "tolvconv: cannot write nodir/out.hmb\n"},
        // After the blocks of a writer, a transform and the stitch command.
        {{"in.hma", "folder.hmb"}, "", "\ntolvconv: cannot write folder.hmb\n"},
        {{"--crop", "--crop", "in.hma", "out.hmb"}, "", "\ntolvconv: cannot convert in.hma\n"},
        {{"--stitch", "in.hma,,missing.hma,", "out.hmb"}, "", "\ntolvconv: cannot stitch in.hma,,missing.hma,\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tail);
        TempDir dir;
        WriteFileText(dir / "in.hma", kHma);
        fs::create_directory(dir / "folder.hmb");
        const auto before = Listing(dir.Path());
        ProcessResult r = Conv(row.args, dir.Path());
        EXPECT_EQ(r.exitCode, 1);
        if (row.err.empty()) {
            EXPECT_TRUE(r.err.starts_with("TOLV ")) << r.err;
            EXPECT_TRUE(r.err.ends_with(row.tail)) << r.err;
        } else {
            EXPECT_EQ(r.err, row.err + row.tail);
        }
        EXPECT_EQ(Listing(dir.Path()), before);
    }
}

TEST(CliContract, QuestionsTakeTheDefaultOrTheAnswerGiven)
{
    // A Terragen file with only its altitude chunk: opening it asks whether the guessed square is right.
    std::vector<uint8_t> ter;
    for (char c : std::string("TERRAGENTERRAIN ALTW")) ter.push_back(uint8_t(c));
    ter.insert(ter.end(), {32, 0, 0, 0});
    for (int i = 0; i < 25; ++i) ter.push_back(uint8_t(i * 100 - 300)), ter.push_back(uint8_t((i * 100 - 300) >> 8));
    for (char c : std::string("EOF ")) ter.push_back(uint8_t(c));
    const std::string question =
        "TOLV question:\nThis Terragen file does not contain any Size or XPts/YPts dimension information.\n"
        "As a square-aspect terrain heightmap it appears to be 5x5.\n\nContinue with opening this file?\nanswer: ";
    struct Row {
        std::vector<std::string> options;
        std::string answer;
    };
    const Row rows[] = {{{}, "Yes"}, {{"--yes"}, "Yes"}, {{"--no"}, "No"}, {{"--yes", "--no"}, "No"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer + " " + std::to_string(row.options.size()));
        TempDir dir;
        WriteFileBytes(dir / "in.ter", ter);
        std::vector<std::string> args = row.options;
        args.insert(args.end(), {"--info", dir / "in.ter", dir / "out.r16"});
        ProcessResult r = Conv(args);
        EXPECT_EQ(r.err, question + row.answer + "\n\n" +
                             (row.answer == "No" ? "tolvconv: cannot read " + (dir / "in.ter") + "\n" : ""));
        if (row.answer == "Yes") {
            EXPECT_EQ(r.exitCode, 0);
            EXPECT_EQ(ReadFileBytes(dir / "out.r16").size(), 50u);
            EXPECT_NE(r.out.find("resolution: 5 x 5\nrange: L: 0 \xC2\xB7 H: 2400"), std::string::npos) << r.out;
        } else {
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_EQ(r.out, "");
            EXPECT_FALSE(fs::exists(dir / "out.r16"));
        }
    }
}

TEST(CliContract, ColourModes)
{
    // Red, green, blue and white: the gray rule weighs each channel and rounds once per pixel.
    const auto tga = Tga({0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255});
    const std::vector<uint8_t> gray = {76, 0, 150, 0, 28, 0, 254, 0}, green = {0, 0, 255, 0, 0, 0, 255, 0};
    const std::string question = "TOLV question:\nConvert image to grayscale for altitude data?\nanswer: ";
    struct Row {
        std::vector<std::string> options;
        std::string err;
        std::vector<uint8_t> samples; // as raw 16-bit bytes
    };
    const Row rows[] = {
        {{}, "", gray},
        {{"--color", "gray"}, "", gray},
        {{"--color", "green"}, "", green},
        {{"--color", "ask"}, question + "Yes\n\n", gray},
        {{"--no", "--color=ask"}, question + "No\n\n", green},
        {{"--color", "green", "--no"}, "", green}, // no question without the ask mode
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
}

TEST(CliContract, NoSettingsFileIsReadOrWritten)
{
    TempDir dir;
    const std::string programFolder = fs::path(TOLVCONV_PATH).parent_path().string();
    auto settingsFiles = [](const std::string& folder) {
        std::set<std::string> names;
        for (const std::string& n : Listing(folder))
            if (n.ends_with(".ini")) names.insert(n);
        return names;
    };
    const auto before = settingsFiles(programFolder);
    // A settings file in the working folder asking for the green value must not be taken.
    WriteFileBytes(dir / "in.tga", Tga({0, 0, 255}));
    WriteFileText(dir / "tolvconv.ini", "[Options]\r\nConvertColorToGrayscale=1\r\n");
    ProcessResult r = Conv({"in.tga", "out.r16"}, dir.Path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir / "out.r16"), (std::vector<uint8_t>{76, 0}));
    EXPECT_EQ(Listing(dir.Path()), (std::set<std::string>{"in.tga", "out.r16", "tolvconv.ini"}));
    EXPECT_EQ(settingsFiles(programFolder), before);
}

TEST(CliContract, UsageErrorsExitTwoAndTouchNothing)
{
    TempDir dir;
    WriteFileText(dir / "in.hma", kHma);
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{}, "missing INPUT"},
        {{"--yes=1", "in.hma", "out.hmb"}, "--yes takes no value"},
        {{"--info", "--no", "out.hmb", "in.hma", "third.hmb"}, "too many arguments"},
        {{"in.hma", "out.hmb", "--spacing"}, "--spacing needs a value"},
        {{"--spacing", "-5", "in.hma", "out.stl"}, "--spacing wants a whole number, not -5"},
        {{"--spacing=", "in.hma", "out.stl"}, "--spacing wants a whole number, not "},
        {{"--stitch", "a.bmp,b.bmp,c.bmp,d.bmp"}, "--stitch takes exactly one positional argument, OUTPUT"},
        {{"--stitch", "a.bmp,b.bmp,c.bmp,d.bmp", "in.hma", "out.bmp"},
         "--stitch takes exactly one positional argument, OUTPUT"},
        {{"--pgm", "p6", "in.hma", "out.pgm"}, "--pgm wants p2 or p5, not p6"},
        {{"--raw-size", "3x", "in.hma", "out.hmb"}, "--raw-size wants WxH, not 3x"},
        {{"--colour", "gray", "in.hma", "out.hmb"}, "unknown option --colour"},
        {{"--color", "blue", "in.hma", "out.hmb"}, "--color wants gray, green or ask, not blue"},
        // Values are checked before anything is read: the missing INPUT is never reached.
        {{"--scale", "in7.hma", "out8.hma"}, "--scale wants 8bit, 16bit, P% or LOW:HIGH, not in7.hma"},
        {{"--move", "-3", "missing.hma"}, "--move wants highest, midpoint, lowest or a base altitude, not -3"},
        {{"--invert=mid", "missing.hma"}, "--invert wants a midpoint altitude, not mid"},
        {{"--interpolate", "2:-1", "missing.hma"},
         "--interpolate wants F[:V] with a factor F and a variance V such as 0.5, not 2:-1"},
        {{"--resample", "4:median", "missing.hma"}, "--resample wants F[:cut|average], not 4:median"},
        {{"missing.hma", "--trim", "1000x2"},
         "--trim wants WxH[:lt|lb|rt|rb|c] with sizes of up to three digits, not 1000x2"},
        {{"--trim", "2x2:middle", "missing.hma"}, "--trim: there is no trim anchor middle (lt, lb, rt, rb or c)"},
        {{"--split", "5x1", "missing.hma", "t.bmp"}, "--split wants CxR[:seamless] with 1 to 4 columns and rows, not 5x1"},
        {{"--split", "2x2:seams", "missing.hma", "t.bmp"},
         "--split wants CxR[:seamless] with 1 to 4 columns and rows, not 2x2:seams"},
        {{"--split", "2x2", "missing.hma"}, "--split needs OUTPUT to name the tiles"},
        {{"--stitch", "a.hma,b.hma", "out.hma"},
         "--stitch wants four comma-separated section files UL,UR,LL,LR (empty entries allowed), not a.hma,b.hma"},
        {{"--to", "hmb", "--split", "2x2", "missing.hma"}, "--split does not combine with --to"},
        {{"--stitch", "in.hma,,,", "--to", "hmb", "missing.hma"}, "--stitch does not combine with --to"},
        {{"--out-dir", "made", "missing.hma", "out.hmb"}, "--out-dir needs --to"},
        {{"--to", "hmb", "--out-dir", "made"}, "missing INPUT"},
        {{"--to", "raw", "missing.hma"}, "--to wants the extension of a format TOLV writes (bmp, hma, hmb, obj, pam, "
                                         "pgm, png, r16, stl, t3d, ter, tif), not raw"},
        // Two inputs whose results would replace each other; the folder is not made either.
        {{"--to", "ter", "--out-dir", "made", "a/x.hma", "b/x.hmb"}, "a/x.hma and b/x.hmb would both be written to made/x.ter"},
        {{"--to", "hma", "in.hma", "./in.hma"}, "in.hma and ./in.hma would both be written to ./in.hma"},
    };
    for (const auto& [args, message] : rows) {
        SCOPED_TRACE(message);
        ProcessResult r = Conv(args, dir.Path());
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.substr(0, r.err.find("usage: tolvconv [OPTIONS] INPUT [OUTPUT]\n")), "tolvconv: " + message + "\n");
        EXPECT_EQ(Listing(dir.Path()), std::set<std::string>{"in.hma"});
    }
}
