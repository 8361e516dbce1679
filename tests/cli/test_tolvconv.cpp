// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "RunProcess.h"
#include "TempDir.h"
#include "cli/ConsoleHost.h"

#include <sstream>

using namespace tolv::test;

namespace {

ProcessResult Conv(const std::vector<std::string>& args, const std::string& cwd = "")
{
    return RunProcess(TOLVCONV_PATH, args, cwd);
}

void WriteSampleHma(const std::string& path)
{
    WriteFileText(path, "TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth 3\r\nHeight 2\r\n0 100 65535\r\n7 8 9\r\n");
}

} // namespace

TEST(Tolvconv, ConvertsAndReports)
{
    TempDir dir;
    WriteSampleHma(dir / "in.hma");
    ProcessResult r = Conv({"--info", dir / "in.hma", dir / "out.hmb"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "format: TOLV Binary heightmap\ncode: 2\nfile size: 44\nresolution: 3 x 2\n"
                     "range: L: 0 \xC2\xB7 H: 65535 \xC2\xB7 D: 65536  (16 bits)\nmean: 10943\nmidpoint: 32768\n");
    // And back again, from a relative path.
    r = Conv({"out.hmb", "again.hma"}, dir.Path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileText(dir / "again.hma"), ReadFileText(dir / "in.hma"));
}

TEST(Tolvconv, ExistingOutputIsBackedUp)
{
    TempDir dir;
    WriteSampleHma(dir / "in.hma");
    WriteFileText(dir / "out.hmb", "precious");
    ProcessResult r = Conv({dir / "in.hma", dir / "out.hmb"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(ReadFileText(dir / "out.bak"), "precious");
}

TEST(Tolvconv, MessagesAreBlocksOnStandardError)
{
    TempDir dir;
    WriteSampleHma(dir / "in.hma");
    ProcessResult r = Conv({dir / "in.hma", dir / "out.raw"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "TOLV warning:\nUnable to determine the save file type.\n\n");

    WriteFileText(dir / "bad.hma", "TOLV ASCII Heightmap\r\nV\r\nWidth 2\r\nHeight 1\r\n1\r\n");
    r = Conv({dir / "bad.hma"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "TOLV warning:\nThe heightmap value is non-numeric at 2 x 1.\n\n");

    r = Conv({dir / "missing.hmb"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "TOLV error:\nAn error occurred validating the TOLV Binary file header.\n\nError Number: 53\nFile not found\n\n");
}

TEST(ConsoleHost, BlocksAndAnswers)
{
    std::ostringstream err;
    tolv::cli::ConsoleHost host(err);
    host.ShowMessage(tolv::MessageKind::Info, "one\r\ntwo", "TOLV", 0);
    EXPECT_TRUE(host.AskQuestion("Continue?\r\nReally?", "TOLV", false, 0));
    EXPECT_FALSE(host.AskQuestion("Save?", "TOLV", true, 0));
    host.answerMode = tolv::cli::AnswerMode::Yes;
    EXPECT_TRUE(host.AskQuestion("Sure?", "TOLV", true, 0));
    host.answerMode = tolv::cli::AnswerMode::No;
    EXPECT_FALSE(host.AskQuestion("Sure?", "TOLV", false, 0));
    EXPECT_EQ(err.str(), "TOLV info:\none\ntwo\n\n"
                         "TOLV question:\nContinue?\nReally?\nanswer: Yes\n\n"
                         "TOLV question:\nSave?\nanswer: No\n\n"
                         "TOLV question:\nSure?\nanswer: Yes\n\n"
                         "TOLV question:\nSure?\nanswer: No\n\n");
}

TEST(Tolvconv, UsageErrors)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"--bogus", "a.hma"}, {"--pgm", "p9", "a.hma"}, {"--raw-size", "12", "a.raw"}, {"a", "b", "c"},
             {"--color"}}) {
        ProcessResult r = Conv(args);
        EXPECT_EQ(r.exitCode, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage: tolvconv"), std::string::npos);
    }
}
