// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "RunProcess.h"
#include "TempDir.h"

using namespace tolv::test;

namespace {

ProcessResult Conv(const std::vector<std::string>& args) { return RunProcess(TOLVCONV_PATH, args, ""); }

const std::string kSample = "TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth 3\r\nHeight 2\r\n0 100 65535\r\n7 8 9\r\n";

} // namespace

TEST(TolvconvTerrainFormats, PgmFormFollowsTheOption)
{
    struct Row {
        std::vector<std::string> options;
        const char* magic;
    };
    const Row rows[] = {{{}, "P2\r\n"}, {{"--pgm", "p2"}, "P2\r\n"}, {{"--pgm", "p5"}, "P5\r\n"}};
    for (const Row& r : rows) {
        TempDir dir;
        WriteFileText(dir / "in.hma", kSample);
        std::vector<std::string> args = r.options;
        args.push_back(dir / "in.hma");
        args.push_back(dir / "out.pgm");
        ProcessResult p = Conv(args);
        ASSERT_EQ(p.exitCode, 0) << p.err;
        EXPECT_EQ(ReadFileText(dir / "out.pgm").substr(0, 4), r.magic);
        // Every file written can be read back to the same map.
        p = Conv({dir / "out.pgm", dir / "back.hma"});
        ASSERT_EQ(p.exitCode, 0) << p.err;
        EXPECT_EQ(ReadFileText(dir / "back.hma"), kSample);
    }
}

TEST(TolvconvTerrainFormats, ChainThroughPamAndTerragen)
{
    TempDir dir;
    WriteFileText(dir / "in.hma", kSample);
    for (auto [from, to] : {std::pair{"in.hma", "a.pam"}, {"a.pam", "b.ter"}, {"b.ter", "c.hma"}, {"c.hma", "d.t3d"}}) {
        ProcessResult p = Conv({dir / from, dir / to});
        ASSERT_EQ(p.exitCode, 0) << from << " -> " << to << ": " << p.err;
    }
    // The map holds 0, so the Terragen round trip gives the altitudes back unshifted.
    EXPECT_EQ(ReadFileText(dir / "c.hma"), kSample);
    EXPECT_EQ(ReadFileText(dir / "d.t3d").substr(0, 11), "Begin Map\r\n");
}
