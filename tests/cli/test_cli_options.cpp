// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Each option reaches its dialog or command: one row per option form, on a map small enough that
// the result shows which value it got. What the commands do with it is tested in the core.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliTest.h"

using namespace tolv::test;
namespace fs = std::filesystem;

namespace {

// The inputs every row may use.
void WriteInputs(const TempDir& dir)
{
    WriteFileText(dir / "in.hma", Hma(4, 2, Ramp(8)));
    WriteFileText(dir / "big.hma", Hma(32, 32, Ramp(1024)));
    WriteFileText(dir / "mesh.hma", Hma(2, 2, {10, 20, 30, 40}));
    WriteFileText(dir / "flat.hma", Hma(2, 1, {5, 5}));
    WriteFileText(dir / "full.hma", Hma(2, 1, {0, 65535}));
    WriteFileText(dir / "odd.hma", Hma(3, 1, {1, 2, 3}));
    WriteFileText(dir / "wide.hma", Hma(256, 2, Ramp(512)));
    for (auto [name, bytes] : {std::pair{"a.r16", 8450}, {"b.raw", 131072}, {"c.r16", 1026}, {"d.r16", 2 * 257 * 257}})
        WriteFileBytes(dir / name, std::vector<uint8_t>(size_t(bytes), 0));
}

// The text of the map an .hma output holds, without its first two lines.
std::string Map(int w, int h, const std::vector<int>& samples) { return Hma(w, h, samples).substr(34); }

} // namespace

TEST(CliOptions, EachOptionReachesItsDialogOrCommand)
{
    const struct {
        std::vector<std::string> args; // run in a folder of the inputs above
        std::string output;
        std::vector<std::string> has; // in the output file
        std::vector<std::string> hasNot = {};
    } rows[] = {
        {{"--flip-h", "in.hma"}, "o.hma", {Map(4, 2, {4, 3, 2, 1, 8, 7, 6, 5})}},
        {{"--flip-v", "in.hma"}, "o.hma", {Map(4, 2, {5, 6, 7, 8, 1, 2, 3, 4})}},
        {{"--rotate-ccw", "in.hma"}, "o.hma", {Map(2, 4, {4, 8, 3, 7, 2, 6, 1, 5})}},
        {{"--rotate-cw", "in.hma"}, "o.hma", {Map(2, 4, {5, 1, 6, 2, 7, 3, 8, 4})}},
        {{"--crop", "in.hma"}, "o.hma", {Map(2, 1, {1, 2})}},
        {{"--flip-h", "--crop", "in.hma"}, "o.hma", {Map(2, 1, {4, 3})}}, // in the order given
        {{"--invert", "in.hma"}, "o.hma", {Map(4, 2, {8, 7, 6, 4, 4, 3, 2, 1})}}, // the dialog's first entry: 4
        {{"--invert=32767", "in.hma"}, "o.hma", {Map(4, 2, {65534, 65533, 65532, 65531, 65530, 65529, 65528, 65527})}},
        {{"--scale", "8bit", "in.hma"}, "o.hma", {Map(4, 2, {0, 36, 73, 109, 146, 182, 219, 255})}},
        {{"--scale", "16bit", "in.hma"}, "o.hma", {Map(4, 2, {0, 9362, 18724, 28086, 37449, 46811, 56173, 65535})}},
        {{"--scale", "50%", "in.hma"}, "o.hma", {Map(4, 2, {2, 3, 4, 4, 4, 5, 6, 6})}},
        {{"--scale", "900:100", "in.hma"}, "o.hma", {Map(4, 2, {100, 214, 329, 443, 557, 671, 786, 900})}}, // exchanged
        {{"--move", "lowest", "in.hma"}, "o.hma", {Map(4, 2, {0, 1, 2, 3, 4, 5, 6, 7})}},
        {{"--move", "midpoint", "in.hma"}, "o.hma", {Map(4, 2, Ramp(8, 32764))}},
        {{"--move", "highest", "in.hma"}, "o.hma", {Map(4, 2, Ramp(8, 65528))}},
        {{"--move", "10", "in.hma"}, "o.hma", {Map(4, 2, Ramp(8, 10))}},
        {{"--move", "99999", "in.hma"}, "o.hma", {Map(4, 2, Ramp(8, 65528))}}, // held to the top base
        {{"--trim", "2x2:lt", "in.hma"}, "o.hma", {Map(2, 2, {3, 4, 7, 8})}},
        {{"--trim", "3x1", "in.hma"}, "o.hma", {Map(3, 1, {1, 2, 3})}},      // centred
        {{"--trim", "999x1:rb", "in.hma"}, "o.hma", {Map(4, 1, {1, 2, 3, 4})}}, // too wide: the width
        {{"--interpolate", "2", "in.hma"}, "o.hma",
         {Map(8, 4, {1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4, 5, 5, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 5, 5, 6, 6, 7, 7, 8, 8})}},
        {{"--interpolate", "16:0.0", "big.hma"}, "o.hma", {"Width 512\r\nHeight 512\r\n1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 2 "}},
        {{"--resample", "2:average", "big.hma"}, "o.hma", {"Width 16\r\nHeight 16\r\n2 4 6 8 "}},
        {{"--resample", "2", "big.hma"}, "o.hma", {"Width 16\r\nHeight 16\r\n1 3 5 7 "}},
        // Dialog values of the readers and writers.
        {{"d.r16"}, "o.hma", {"Width 257\r\nHeight 257\r\n"}}, // the dialog's proposal
        {{"--raw-size", "65x65", "a.r16"}, "o.hma", {"Width 65\r\nHeight 65\r\n"}},
        {{"--raw-size", "512x256", "b.raw"}, "o.hma", {"Width 512\r\nHeight 256\r\n"}},
        {{"--raw-size", "600x1", "c.r16"}, "o.hma", {"Width 513\r\nHeight 1\r\n"}}, // the width box holds 513
        {{"in.hma"}, "o.pgm", {"P2\r\n"}}, // the PGM dialog's default form
        {{"--pgm", "p5", "in.hma"}, "o.pgm", {"P5\r\n"}},
        {{"--pgm", "p2", "in.hma"}, "o.pgm", {"P2\r\n"}},
        {{"mesh.hma"}, "o.stl", {"      vertex 16.0 16.0 40.0\r\n", "  facet normal 0.0 0.0 1.0\r\n"}},
        {{"--spacing", "0", "--flip-normals", "mesh.hma"}, "o.stl", // spacing 0 becomes 1
         {"      vertex 1.0 1.0 40.0\r\n", "  facet normal 0.0 0.0 -1.0\r\n"}, {"0.0 0.0 1.0"}},
        {{"mesh.hma"}, "o.obj", {"v 16.0 16.0 40.0\r\n", "\r\no Heightmap\r\n", "\r\ns 1\r\n"}},
        {{"--spacing", "5000", "--no-object-name", "mesh.hma"}, "o.obj", {"v 1024.0 1024.0 40.0\r\n", "\r\ns 1\r\n"},
         {"o Heightmap"}},
        {{"--no-smooth", "mesh.hma"}, "o.obj", {"v 16.0 16.0 40.0\r\n", "\r\no Heightmap\r\n"}, {"s 1"}},
    };
    TempDir dir;
    WriteInputs(dir);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.args.front() + " " + r.args.back() + " " + r.output);
        std::vector<std::string> args = r.args;
        args.push_back(r.output);
        ProcessResult p = Conv(args, dir.Path());
        EXPECT_EQ(p.exitCode, 0);
        EXPECT_EQ(p.err, "");
        const std::string text = ReadFileText(dir / r.output);
        for (const std::string& s : r.has) EXPECT_NE(text.find(s), std::string::npos) << s << "\nin:\n" << text.substr(0, 300);
        for (const std::string& s : r.hasNot) EXPECT_EQ(text.find(s), std::string::npos) << s;
        fs::remove(dir / r.output);
    }
}

TEST(CliOptions, ValuesTheDialogsOrTheMapRuleOut)
{
    const struct {
        std::vector<std::string> args;
        int exit;
        std::string err; // the start of standard error
    } rows[] = {
        {{"--raw-size", "65x64", "a.r16"}, 1,
         "tolvconv: --raw-size 65x64 leaves the raw size dialog's OK disabled: 65 x 64 samples of 2 bytes do not fill "
         "the 8450-byte file.\ntolvconv: cannot read a.r16\n"},
        {{"c.r16"}, 1,
         "tolvconv: the raw size dialog proposes no size for the 1026-byte 16-bit file; give its size with --raw-size "
         "WxH.\ntolvconv: cannot read c.r16\n"},
        {{"--invert", "flat.hma"}, 2, "tolvconv: --invert is disabled for this 2 x 1 map: Invert needs a heightmap whose altitudes are not all equal"},
        {{"--move", "lowest", "full.hma"}, 2, "tolvconv: --move is disabled for this 2 x 1 map: Move needs a heightmap whose altitudes do not span all of 0 to 65535"},
        {{"--resample", "2", "in.hma"}, 2, "tolvconv: --resample is disabled for this 4 x 2 map: Resample needs a heightmap of power-of-two size with both sides greater than 16"},
        {{"--interpolate", "2", "odd.hma"}, 2, "tolvconv: --interpolate is disabled for this 3 x 1 map: Interpolate needs a heightmap of power-of-two size"},
        {{"--interpolate", "64", "in.hma"}, 2, "tolvconv: --interpolate 64: the interpolate dialog offers the factors 2, 4, 8, 16, 32 for a 4 x 2 map"},
        {{"--interpolate", "4", "wide.hma"}, 2, "tolvconv: --interpolate 4: the interpolate dialog offers the factors 2 for a 256 x 2 map"},
        {{"--resample", "4", "big.hma"}, 2, "tolvconv: --resample 4: the resample dialog offers the factors 2 for a 32 x 32 map"},
        {{"--invert=7", "in.hma"}, 2, "tolvconv: --invert=7: the invert dialog offers the midpoints 4, 32767\n"},
        // An error report stops the converter before anything is written.
        {{"--crop", "--crop", "--flip-h", "odd.hma"}, 1,
         "TOLV error:\nAn error occurred cropping the heightmap.\n\nError Number: 9\n"},
    };
    TempDir dir;
    WriteInputs(dir);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.args.front() + " " + r.args.back());
        std::vector<std::string> args = r.args;
        args.push_back("o.hma");
        ProcessResult p = Conv(args, dir.Path());
        EXPECT_EQ(p.exitCode, r.exit);
        EXPECT_EQ(p.err.substr(0, r.err.size()), r.err);
        EXPECT_FALSE(fs::exists(dir / "o.hma"));
    }
    // Trim to the same size changes nothing, which is not a failure.
    ProcessResult p = Conv({"--scale", "8bit", "--trim", "3x1", "odd.hma", "same.hma"}, dir.Path());
    EXPECT_EQ(p.exitCode, 0) << p.err;
    EXPECT_EQ(ReadFileText(dir / "same.hma"), Hma(3, 1, {0, 128, 255}));
}

TEST(CliOptions, SplitAndStitch)
{
    TempDir dir;
    WriteFileText(dir / "in.hma", Hma(8, 4, Ramp(32)));
    WriteFileText(dir / "tile01.bmp", "old");
    // OUTPUT without an extension names the tiles all the same; the tiles replace OUTPUT.
    ProcessResult p = Conv({"--split", "2x2:seamless", dir / "in.hma", dir / "tile"});
    ASSERT_EQ(p.exitCode, 0) << p.err;
    EXPECT_FALSE(fs::exists(dir / "tile"));
    EXPECT_EQ(ReadFileText(dir / "tile01.bak"), "old");
    // Seamless 4 x 2 tiles step by 3 columns and 1 row. Rows are stored bottom first: a tile's first
    // sample is its lower-left one, its last the upper-right one.
    for (auto [name, first, last] : {std::tuple{"tile00.bmp", 9, 4}, {"tile01.bmp", 12, 7}, {"tile02.bmp", 17, 12},
                                     {"tile03.bmp", 20, 15}}) {
        const std::vector<uint8_t> b = ReadFileBytes(dir / name);
        ASSERT_EQ(b.size(), 54u + 2 * 4 * 2) << name;
        EXPECT_EQ(std::vector<int>({b[18], b[22], b[54], b[68]}), std::vector<int>({4, 2, first, last})) << name;
    }

    WriteFileText(dir / "a.hma", Hma(2, 1, {1, 2}));
    WriteFileText(dir / "b.hma", Hma(2, 1, {3, 4}));
    p = Conv({"--stitch", "a.hma,b.hma,,", "out.hma"}, dir.Path());
    ASSERT_EQ(p.exitCode, 0) << p.err;
    EXPECT_EQ(ReadFileText(dir / "out.hma"), Hma(4, 1, {1, 2, 3, 4}));
    p = Conv({"--stitch", "a.hma,,b.hma,", "--flip-v", "out2.hma"}, dir.Path()); // then the transforms
    ASSERT_EQ(p.exitCode, 0) << p.err;
    EXPECT_EQ(ReadFileText(dir / "out2.hma"), Hma(2, 2, {3, 4, 1, 2}));
    p = Conv({"--stitch", "a.hma,,b.hma,b.hma", "out3.hma"}, dir.Path());
    EXPECT_EQ(p.exitCode, 1);
    EXPECT_EQ(p.err, "TOLV warning:\nThe specified second section file does not exist.\n\"\"\n\n"
                     "tolvconv: cannot stitch a.hma,,b.hma,b.hma\n");
    EXPECT_FALSE(fs::exists(dir / "out3.hma"));
}
