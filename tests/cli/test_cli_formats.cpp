// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The converter's format options and dialog values: the raw size, PGM form, mesh options, and
// round trips through the writers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "RunProcess.h"
#include "TempDir.h"

using namespace tolv::test;

namespace {

ProcessResult Conv(const std::vector<std::string>& args) { return RunProcess(TOLVCONV_PATH, args); }

std::vector<uint8_t> Pattern16(size_t samples)
{
    std::vector<uint8_t> b(samples * 2);
    for (size_t i = 0; i < samples; ++i) {
        const uint16_t v = static_cast<uint16_t>(i * 2654435761u >> 7);
        b[2 * i] = static_cast<uint8_t>(v);
        b[2 * i + 1] = static_cast<uint8_t>(v >> 8);
    }
    return b;
}

const std::string kHma = "TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth 3\r\nHeight 2\r\n0 100 65535\r\n7 8 9\r\n";

} // namespace

TEST(CliFormats, RawSizeGoesThroughTheDialogRules)
{
    struct Row {
        const char* file;
        size_t bytes;
        const char* size; // nullptr: the dialog's own proposal
        std::string want; // the resolution line, or the whole standard error when refused
    };
    const Row rows[] = {
        {"a.r16", 8450, "65x65", "resolution: 65 x 65\n"},
        {"b.raw", 131072, "512x256", "resolution: 512 x 256\n"},
        {"c.raw", 131072, "256x512", "resolution: 256 x 512\n"},
        {"d.r16", 1026, "600x1", "resolution: 513 x 1\n"}, // the width box clamps 600 to 513
        {"g.r32", 24, "3x2", "resolution: 3 x 2\n"},
        {"e.r16", 8450, "65x64", "tolvconv: --raw-size 65x64 leaves the raw size dialog's OK disabled: 65 x 64 "
                                 "samples of 2 bytes do not fill the 8450-byte file.\n"},
        {"f.r16", 526338, "0x0", "tolvconv: --raw-size 0x0 leaves the raw size dialog's OK disabled: 0 x 0 "
                                 "samples of 2 bytes do not fill the 526338-byte file.\n"},
        {"h.r16", 8450, nullptr, "tolvconv: the raw size dialog proposes no size for the 8450-byte 16-bit file; give "
                                 "its size with --raw-size WxH.\n"},
        {"i.raw", 0, "1x1", "TOLV warning:\nThe specified RAW8 file is empty.\nThere is no heightmap data to load.\n\n"},
        {"j.r32", 1052680, nullptr, "TOLV info:\nThe specified RAW32 file size is too large.\nThe maximum supported "
                                    "size is 513x513 which is 1052676 bytes.\n\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        TempDir dir;
        WriteFileBytes(dir / r.file, std::vector<uint8_t>(r.bytes, 0));
        std::vector<std::string> args = {"--info", dir / r.file, dir / "out.hmb"};
        if (r.size) args.insert(args.begin(), {"--raw-size", r.size});
        ProcessResult p = Conv(args);
        if (r.want.starts_with("resolution")) {
            EXPECT_EQ(p.exitCode, 0);
            EXPECT_EQ(p.err, "");
            EXPECT_NE(p.out.find(r.want), std::string::npos) << p.out;
        } else {
            EXPECT_EQ(p.exitCode, 1);
            EXPECT_EQ(p.err, r.want + "tolvconv: cannot read " + (dir / r.file) + "\n");
            EXPECT_EQ(p.out, "");
            EXPECT_FALSE(std::filesystem::exists(dir / "out.hmb"));
        }
    }
}

TEST(CliFormats, ThirtyTwoBitSamplesAreClampedIntoSixteenBits)
{
    TempDir dir;
    const float samples[] = {0.5f, 1.0f, -0.25f, 0.25f};
    std::vector<uint8_t> b(sizeof samples);
    std::memcpy(b.data(), samples, sizeof samples); // little-endian host, as the format
    WriteFileBytes(dir / "f.r32", b);
    ProcessResult r = Conv({"--raw-size", "2x2", dir / "f.r32", dir / "f.r16"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir / "f.r16"), (std::vector<uint8_t>{0x00, 0x80, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x40}));
}

TEST(CliFormats, RawToG16BitmapAndBack)
{
    TempDir dir;
    const auto raw = Pattern16(257 * 257); // a square file: the raw size dialog's proposal is taken
    WriteFileBytes(dir / "in.r16", raw);
    ProcessResult r = Conv({"--info", dir / "in.r16", dir / "map.bmp"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("format: Unreal G16 heightmap bitmap\ncode: 3\nfile size: 132,152\n"), std::string::npos)
        << r.out;
    const auto bmp = ReadFileBytes(dir / "map.bmp");
    ASSERT_EQ(bmp.size(), 132152u);
    // The bitmap's first row is the raw file's last row.
    EXPECT_TRUE(std::equal(raw.end() - 514, raw.end(), bmp.begin() + 54));
    r = Conv({dir / "map.bmp", dir / "back.r16"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir / "back.r16"), raw);

    // One byte more than the header says: refused, nothing written.
    auto longer = bmp;
    longer.push_back(0);
    WriteFileBytes(dir / "long.bmp", longer);
    r = Conv({dir / "long.bmp", dir / "out.r16"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "TOLV warning:\nThe Bitmap file is corrupt.\nThe file size does not match the header property.\n\n"
                     "tolvconv: cannot read " + (dir / "long.bmp") + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.r16"));
}

TEST(CliFormats, WrittenFilesReadBackToTheSameMap)
{
    struct Row {
        std::vector<std::string> options;
        std::string file, start; // the written file's first bytes
    };
    const Row rows[] = {
        {{}, "a.pgm", "P2\r\n"}, // the PGM dialog's default form
        {{"--pgm", "p2"}, "b.pgm", "P2\r\n"},
        {{"--pgm", "p5"}, "c.pgm", "P5\r\n"},
        {{}, "d.pam", "P7\r\n"},
        {{}, "e.ter", "TERRAGEN"}, // the map holds 0, so the altitudes come back unshifted
    };
    TempDir dir;
    WriteFileText(dir / "in.hma", kHma);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        std::vector<std::string> args = r.options;
        args.insert(args.end(), {dir / "in.hma", dir / r.file});
        ProcessResult p = Conv(args);
        ASSERT_EQ(p.exitCode, 0) << p.err;
        EXPECT_EQ(ReadFileText(dir / r.file).substr(0, r.start.size()), r.start);
        p = Conv({dir / r.file, dir / "back.hma"});
        ASSERT_EQ(p.exitCode, 0) << p.err;
        EXPECT_EQ(ReadFileText(dir / "back.hma"), kHma);
    }
    ASSERT_EQ(Conv({dir / "in.hma", dir / "d.t3d"}).exitCode, 0);
    EXPECT_EQ(ReadFileText(dir / "d.t3d").substr(0, 11), "Begin Map\r\n");
}

TEST(CliFormats, MeshOptionsGoThroughTheDialogRules)
{
    struct Row {
        std::vector<std::string> options;
        std::string file;
        std::vector<std::string> has, hasNot;
    };
    const Row rows[] = {
        {{}, "a.stl", {"      vertex 16.0 16.0 40.0\r\n", "  facet normal 0.0 0.0 1.0\r\n"}, {}},
        // Spacing 0 becomes 1.
        {{"--spacing", "0", "--flip-normals"}, "b.stl", {"      vertex 1.0 1.0 40.0\r\n", "  facet normal 0.0 0.0 -1.0\r\n"},
         {"0.0 0.0 1.0"}},
        {{}, "c.obj", {"v 16.0 16.0 40.0\r\n", "\r\no Heightmap\r\n", "\r\ns 1\r\n"}, {}},
        // Spacing 5000 is held to 1024.
        {{"--spacing", "5000", "--no-object-name", "--no-smooth"}, "d.obj", {"v 1024.0 1024.0 40.0\r\n"},
         {"o Heightmap", "s 1"}},
    };
    TempDir dir;
    WriteFileText(dir / "in.hma", "TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth 2\r\nHeight 2\r\n10 20\r\n30 40\r\n");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        std::vector<std::string> args = r.options;
        args.insert(args.end(), {dir / "in.hma", dir / r.file});
        ProcessResult p = Conv(args);
        ASSERT_EQ(p.exitCode, 0) << p.err;
        const std::string text = ReadFileText(dir / r.file);
        for (const std::string& s : r.has) EXPECT_NE(text.find(s), std::string::npos) << s;
        for (const std::string& s : r.hasNot) EXPECT_EQ(text.find(s), std::string::npos) << s;
    }
}
