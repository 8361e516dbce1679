// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// tolvconv runs case by case from tests/cli/data/runs.txt: each option reaching its dialog or
// command, values ruled out, usage errors and failures; then the tiles a split writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "CliTest.h"

using namespace tolv::test;
namespace fs = std::filesystem;

TEST(CliRuns, CasesFromTheTable)
{
    std::ifstream cases(std::string(TOLV_SOURCE_DIR) + "/tests/cli/data/runs.txt");
    ASSERT_TRUE(cases);
    TempDir dir; // the inputs the table names
    WriteFileText(dir / "in.hma", Hma(4, 2, Ramp(8)));
    WriteFileText(dir / "big.hma", Hma(32, 32, Ramp(1024)));
    WriteFileText(dir / "mesh.hma", Hma(2, 2, {10, 20, 30, 40}));
    WriteFileText(dir / "odd.hma", Hma(3, 1, {1, 2, 3}));
    WriteFileText(dir / "flat.hma", Hma(2, 1, {5, 5}));
    WriteFileText(dir / "full.hma", Hma(2, 1, {0, 65535}));
    WriteFileText(dir / "wide.hma", Hma(256, 2, Ramp(512)));
    fs::create_directory(dir / "folder.hmb");
    // clang-format off
    for (auto [name, bytes] : {std::pair{"a.r16", 8450}, {"b.raw", 131072}, {"c.r16", 1026}, {"d.r16", 2 * 257 * 257},
                               {"e.r16", 2 * 513 * 513}})
        // clang-format on
        WriteFileBytes(dir / name, std::vector<uint8_t>(size_t(bytes), 0));
    const auto inputs = Listing(dir.Path());
    int count = 0;
    for (std::string line; std::getline(cases, line);) {
        if (line.empty() || line[0] == '#') continue;
        SCOPED_TRACE(line);
        ++count;
        const size_t arrow = line.find("=> ");
        std::istringstream result(line.substr(arrow + 3));
        std::vector<std::string> args = Words(line.substr(0, arrow));
        std::string output, kind, text;
        result >> output;
        if (output != "exit") args.push_back(output), result >> kind;
        std::getline(result.ignore(1), text);
        text = Unescape(text);
        const ProcessResult p = Conv(args, dir.Path());
        if (output == "exit") {
            for (size_t at; (at = text.find("@dir")) != std::string::npos;) text.replace(at, 4, dir.Path());
            const std::string message = text.substr(2);
            EXPECT_EQ(std::to_string(p.exitCode), text.substr(0, 1));
            // (a message that ends in a blank loses it in the table)
            EXPECT_EQ(p.err.substr(0, message.size()), message);
            if (p.exitCode == 2) {
                EXPECT_EQ(p.err.substr(p.err.find('\n') + 1, 41), "usage: tolvconv [OPTIONS] INPUT [OUTPUT]\n");
            }
            EXPECT_EQ(p.out, "");
            EXPECT_EQ(Listing(dir.Path()), inputs);
            continue;
        }
        EXPECT_EQ(p.exitCode, 0);
        EXPECT_EQ(p.err, "");
        const std::string written = ReadFileText(dir / output);
        fs::remove(dir / output);
        if (kind == "map") {
            std::istringstream map(text);
            int w = 0, h = 0;
            map >> w >> h;
            std::vector<int> samples;
            for (int v; map >> v;) samples.push_back(v);
            EXPECT_EQ(written, Hma(w, h, samples));
        } else {
            EXPECT_EQ(written.find(text) != std::string::npos, kind == "has") << written.substr(0, 400);
        }
    }
    EXPECT_GT(count, 80);
}

TEST(CliRuns, SplitTilesNamedFromOutput)
{
    TempDir dir;
    WriteFileText(dir / "in.hma", Hma(8, 4, Ramp(32)));
    WriteFileText(dir / "tile01.bmp", "old");
    // OUTPUT without an extension names the tiles all the same; the tiles replace OUTPUT.
    ProcessResult p = Conv({"--split", "2x2:seamless", dir / "in.hma", dir / "tile"});
    ASSERT_EQ(p.exitCode, 0) << p.err;
    EXPECT_EQ(Listing(dir.Path()),
              (std::set<std::string>{"in.hma", "tile00.bmp", "tile01.bak", "tile01.bmp", "tile02.bmp", "tile03.bmp"}));
    EXPECT_EQ(ReadFileText(dir / "tile01.bak"), "old");
    // Seamless 4 x 2 tiles step by 3 columns and 1 row: the last one's lower-left sample is 20.
    EXPECT_EQ(ReadFileBytes(dir / "tile03.bmp").at(54), 20);
}
