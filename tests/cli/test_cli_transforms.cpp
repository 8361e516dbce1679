// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Transform options run as the menu commands with their dialogs confirmed; split and stitch.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "RunProcess.h"
#include "TempDir.h"

using namespace tolv::test;

namespace {

ProcessResult Conv(const std::vector<std::string>& args) { return RunProcess(TOLVCONV_PATH, args); }

void WriteHma(const std::string& path, int w, int h, const std::vector<int>& samples)
{
    std::string text = "TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth " + std::to_string(w) + "\r\nHeight " +
                       std::to_string(h) + "\r\n";
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) text += (x ? " " : "") + std::to_string(samples[size_t(y) * w + x]);
        text += "\r\n";
    }
    WriteFileText(path, text);
}

struct Grid {
    int w = 0, h = 0;
    std::vector<int> samples;
    bool operator==(const Grid&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Grid& g)
{
    os << g.w << " x " << g.h << ":";
    for (int v : g.samples) os << " " << v;
    return os;
}

Grid ReadHma(const std::string& path)
{
    std::istringstream in(ReadFileText(path));
    std::string line, word;
    Grid g;
    std::getline(in, line);
    std::getline(in, line);
    in >> word >> g.w >> word >> g.h;
    int v;
    while (in >> v) g.samples.push_back(v);
    return g;
}

std::vector<int> Ramp(int n, int start = 1)
{
    std::vector<int> v(size_t(n), 0);
    for (int i = 0; i < n; ++i) v[size_t(i)] = start + i;
    return v;
}

// Runs tolvconv with options on in.hma and out.hma in dir.
ProcessResult ConvInOut(const TempDir& dir, std::vector<std::string> options)
{
    options.insert(options.end(), {dir / "in.hma", dir / "out.hma"});
    return Conv(options);
}

} // namespace

TEST(CliTransforms, RunTheCommandsInOrder)
{
    const struct {
        std::vector<std::string> options;
        Grid expected;
    } rows[] = {
        {{"--flip-h"}, {4, 2, {4, 3, 2, 1, 8, 7, 6, 5}}},
        {{"--flip-v"}, {4, 2, {5, 6, 7, 8, 1, 2, 3, 4}}},
        {{"--rotate-ccw"}, {2, 4, {4, 8, 3, 7, 2, 6, 1, 5}}},
        {{"--rotate-cw"}, {2, 4, {5, 1, 6, 2, 7, 3, 8, 4}}},
        {{"--rotate-cw", "--rotate-cw", "--rotate-cw", "--rotate-cw"}, {4, 2, {1, 2, 3, 4, 5, 6, 7, 8}}},
        {{"--crop"}, {2, 1, {1, 2}}},
        {{"--invert"}, {4, 2, {8, 7, 6, 4, 4, 3, 2, 1}}},           // the dialog's m = 4
        {{"--invert=32767"}, {4, 2, {65534, 65533, 65532, 65531, 65530, 65529, 65528, 65527}}},
        {{"--scale", "8bit"}, {4, 2, {0, 36, 73, 109, 146, 182, 219, 255}}},
        {{"--scale", "100:900"}, {4, 2, {100, 214, 329, 443, 557, 671, 786, 900}}},
        {{"--scale", "900:100"}, {4, 2, {100, 214, 329, 443, 557, 671, 786, 900}}}, // the fields exchange
        {{"--scale", "50%"}, {4, 2, {2, 3, 4, 4, 4, 5, 6, 6}}},
        {{"--move", "lowest"}, {4, 2, {0, 1, 2, 3, 4, 5, 6, 7}}},
        {{"--move", "highest"}, {4, 2, {65528, 65529, 65530, 65531, 65532, 65533, 65534, 65535}}},
        {{"--move", "99999"}, {4, 2, {65528, 65529, 65530, 65531, 65532, 65533, 65534, 65535}}}, // held to the top base
        {{"--move", "10"}, {4, 2, {10, 11, 12, 13, 14, 15, 16, 17}}},
        {{"--trim", "2x2:lt"}, {2, 2, {3, 4, 7, 8}}},
        {{"--trim", "3x1"}, {3, 1, {1, 2, 3}}},
        {{"--trim", "999x1:rb"}, {4, 1, {1, 2, 3, 4}}}, // too wide becomes the width
        {{"--interpolate", "2"}, {8, 4, {1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4, 5, 5, 4, 4,
                                         5, 5, 6, 6, 7, 7, 8, 8, 5, 5, 6, 6, 7, 7, 8, 8}}},
        {{"--flip-h", "--crop"}, {2, 1, {4, 3}}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.options[0] + " " + r.options.back());
        TempDir dir;
        WriteHma(dir / "in.hma", 4, 2, Ramp(8));
        ProcessResult p = ConvInOut(dir, r.options);
        EXPECT_EQ(p.exitCode, 0);
        EXPECT_EQ(p.err, "");
        EXPECT_EQ(ReadHma(dir / "out.hma"), r.expected);
    }
}

TEST(CliTransforms, ResampleAndInterpolateOnPowerOfTwoMaps)
{
    TempDir dir;
    WriteHma(dir / "in.hma", 32, 32, Ramp(32 * 32, 0));
    ProcessResult p = Conv({"--resample", "2:average", dir / "in.hma", dir / "half.hma"});
    ASSERT_EQ(p.exitCode, 0) << p.err;
    Grid g = ReadHma(dir / "half.hma");
    EXPECT_EQ(g.w, 16);
    EXPECT_EQ(g.h, 16);
    EXPECT_EQ(g.samples[0], 0);  // (0 + 1) / 2 rounds to even
    EXPECT_EQ(g.samples[1], 2);  // (2 + 3) / 2 = 2.5 rounds to even
    EXPECT_EQ(g.samples[16], 64);

    p = Conv({"--interpolate", "16:0.0", dir / "in.hma", dir / "big.hma"});
    ASSERT_EQ(p.exitCode, 0) << p.err;
    g = ReadHma(dir / "big.hma");
    EXPECT_EQ(g.w, 512);
    EXPECT_EQ(g.h, 512);
    EXPECT_EQ(g.samples[16], 1); // the second old sample, 16 points on
}

TEST(CliTransforms, UsageErrorsNameTheRule)
{
    const struct {
        std::vector<std::string> options;
        int w, h;
        std::vector<int> samples;
        std::string says;
    } rows[] = {
        {{"--invert"}, 2, 1, {5, 5}, "Invert needs a heightmap whose altitudes are not all equal"},
        {{"--move", "lowest"}, 2, 1, {0, 65535}, "Move needs a heightmap whose altitudes do not span all of 0 to 65535"},
        {{"--resample", "2"}, 16, 16, Ramp(256), "Resample needs a heightmap of power-of-two size"},
        {{"--interpolate", "2"}, 3, 1, {1, 2, 3}, "Interpolate needs a heightmap of power-of-two size"},
        {{"--interpolate", "64"}, 4, 2, Ramp(8), "offers the factors 2, 4, 8, 16, 32 for a 4 x 2 map"},
        {{"--interpolate", "4"}, 256, 2, Ramp(512), "offers the factors 2 for a 256 x 2 map"},
        {{"--resample", "4"}, 32, 32, Ramp(1024), "offers the factors 2 for a 32 x 32 map"},
        {{"--invert=7"}, 4, 2, Ramp(8), "offers the midpoints 4, 32767"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.options[0] + " " + r.options.back());
        TempDir dir;
        WriteHma(dir / "in.hma", r.w, r.h, r.samples);
        ProcessResult p = ConvInOut(dir, r.options);
        EXPECT_EQ(p.exitCode, 2);
        EXPECT_EQ(p.err.rfind("tolvconv: ", 0), 0u) << p.err;
        EXPECT_NE(p.err.find(r.says), std::string::npos) << p.err;
        EXPECT_TRUE(ReadFileBytes(dir / "out.hma").empty());
    }
}

TEST(CliTransforms, AnErrorReportStopsWithoutWriting)
{
    TempDir dir;
    WriteHma(dir / "in.hma", 1, 8, Ramp(8));
    ProcessResult p = ConvInOut(dir, {"--crop", "--flip-h"});
    EXPECT_EQ(p.exitCode, 1);
    EXPECT_EQ(p.err.rfind("TOLV error:\nAn error occurred cropping the heightmap.\n\nError Number: 9\n", 0), 0u) << p.err;
    EXPECT_TRUE(ReadFileBytes(dir / "out.hma").empty());

    // A command that changes nothing is not a failure.
    WriteHma(dir / "flat.hma", 3, 1, {0, 100, 255});
    p = Conv({"--scale", "8bit", "--trim", "3x1", dir / "flat.hma", dir / "same.hma"});
    EXPECT_EQ(p.exitCode, 0) << p.err;
    EXPECT_EQ(ReadHma(dir / "same.hma"), (Grid{3, 1, {0, 100, 255}}));
}

TEST(CliTransforms, SplitWritesTilesNamedFromOutput)
{
    TempDir dir;
    WriteHma(dir / "in.hma", 8, 4, Ramp(32));
    WriteFileText(dir / "tile01.bmp", "old");
    // OUTPUT without an extension names the tiles all the same.
    ProcessResult p = Conv({"--split", "2x2:seamless", dir / "in.hma", dir / "tile"});
    ASSERT_EQ(p.exitCode, 0) << p.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "tile")); // the tiles replace OUTPUT
    EXPECT_EQ(ReadFileText(dir / "tile01.bak"), "old");
    for (const char* name : {"tile00.bmp", "tile01.bmp", "tile02.bmp", "tile03.bmp"}) {
        std::vector<uint8_t> b = ReadFileBytes(dir / name);
        ASSERT_EQ(b.size(), 54u + 2 * 4 * 2) << name;
        EXPECT_EQ(b[18], 4) << name;
        EXPECT_EQ(b[22], 2) << name;
    }
    // tile03 starts at (4, 2) seamlessly: its top row is 12 13 14 15, stored last (bottom row first)
    std::vector<uint8_t> t3 = ReadFileBytes(dir / "tile03.bmp");
    EXPECT_EQ(t3[54 + 8], 12);
    EXPECT_EQ(t3[54], 20);
}

TEST(CliTransforms, Stitch)
{
    TempDir dir;
    WriteHma(dir / "a.hma", 2, 1, {1, 2});
    WriteHma(dir / "b.hma", 2, 1, {3, 4});
    ProcessResult p = Conv({"--stitch", dir / "a.hma" + "," + dir / "b.hma" + ",,", dir / "out.hma"});
    ASSERT_EQ(p.exitCode, 0) << p.err;
    EXPECT_EQ(ReadHma(dir / "out.hma"), (Grid{4, 1, {1, 2, 3, 4}}));

    p = Conv({"--stitch", dir / "a.hma" + ",," + dir / "b.hma" + ",", "--flip-v", dir / "out2.hma"});
    ASSERT_EQ(p.exitCode, 0) << p.err;
    EXPECT_EQ(ReadHma(dir / "out2.hma"), (Grid{2, 2, {3, 4, 1, 2}}));

    const std::string sections = dir / "a.hma" + ",," + dir / "b.hma" + "," + dir / "b.hma";
    p = Conv({"--stitch", sections, dir / "out3.hma"});
    EXPECT_EQ(p.exitCode, 1);
    EXPECT_EQ(p.err, "TOLV warning:\nThe specified second section file does not exist.\n\"\"\n\n"
                     "tolvconv: cannot stitch " + sections + "\n");
    EXPECT_TRUE(ReadFileBytes(dir / "out3.hma").empty());

    p = Conv({"--stitch", dir / "a.hma", dir / "out4.hma"});
    EXPECT_EQ(p.exitCode, 2);
}
