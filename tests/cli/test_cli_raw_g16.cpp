// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

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

bool Exists(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

} // namespace

TEST(TolvconvRaw, ProposalOfASquareFileIsTaken)
{
    TempDir dir;
    WriteFileBytes(dir / "in.r16", Pattern16(513 * 513));
    ProcessResult r = Conv({"--info", dir / "in.r16", dir / "out.r16"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("code: 8\n"), std::string::npos);
    EXPECT_NE(r.out.find("resolution: 513 x 513\n"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir / "out.r16"), ReadFileBytes(dir / "in.r16"));
}

TEST(TolvconvRaw, NoProposalFailsWithAClearLine)
{
    TempDir dir;
    WriteFileBytes(dir / "in.r16", Pattern16(65 * 65));
    ProcessResult r = Conv({dir / "in.r16", dir / "out.hmb"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "tolvconv: the raw size dialog proposes no size for the 8450-byte 16-bit file; give its size "
                     "with --raw-size WxH.\n");
    EXPECT_FALSE(Exists(dir / "out.hmb"));
}

TEST(TolvconvRaw, TypedSizeGoesThroughTheDialogRules)
{
    struct Row {
        const char* file;
        size_t bytes;
        const char* size;
        int exit;
        const char* resolution; // or the stderr line when refused
    };
    const Row rows[] = {
        {"a.r16", 8450, "65x65", 0, "resolution: 65 x 65\n"},
        {"b.raw", 131072, "512x256", 0, "resolution: 512 x 256\n"},
        {"c.raw", 131072, "256x512", 0, "resolution: 256 x 512\n"},
        {"d.r16", 1026, "600x1", 0, "resolution: 513 x 1\n"}, // the width box clamps 600 to 513
        {"e.r16", 8450, "65x64", 1, "tolvconv: --raw-size 65x64 leaves the raw size dialog's OK disabled: 65 x 64 "
                                    "samples of 2 bytes do not fill the 8450-byte file.\n"},
        {"f.r16", 526338, "0x0", 1, "tolvconv: --raw-size 0x0 leaves the raw size dialog's OK disabled: 0 x 0 "
                                    "samples of 2 bytes do not fill the 526338-byte file.\n"},
        {"g.r32", 24, "3x2", 0, "resolution: 3 x 2\n"},
    };
    TempDir dir;
    for (const Row& r : rows) {
        WriteFileBytes(dir / r.file, std::vector<uint8_t>(r.bytes, 0));
        ProcessResult p = Conv({"--info", "--raw-size", r.size, dir / r.file});
        EXPECT_EQ(p.exitCode, r.exit) << r.file << " " << p.err;
        if (r.exit == 0) {
            EXPECT_EQ(p.err, "") << r.file;
            EXPECT_NE(p.out.find(r.resolution), std::string::npos) << r.file << " " << p.out;
        } else {
            EXPECT_EQ(p.err, r.resolution) << r.file;
            EXPECT_EQ(p.out, "") << r.file;
        }
    }
}

TEST(TolvconvRaw, RefusalsArePrintedAsMessageBlocks)
{
    TempDir dir;
    WriteFileBytes(dir / "empty.raw", {});
    ProcessResult r = Conv({"--raw-size", "1x1", dir / "empty.raw"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "TOLV warning:\nThe specified RAW8 file is empty.\nThere is no heightmap data to load.\n\n");

    WriteFileBytes(dir / "big.r32", std::vector<uint8_t>(1052680, 0));
    r = Conv({dir / "big.r32"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "TOLV info:\nThe specified RAW32 file size is too large.\nThe maximum supported size is 513x513 "
                     "which is 1052676 bytes.\n\n");
}

TEST(TolvconvRaw, ThirtyTwoBitSamplesAreClampedIntoSixteenBits)
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

TEST(TolvconvG16, RawToBitmapAndBack)
{
    TempDir dir;
    const auto raw = Pattern16(257 * 257);
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
}

TEST(TolvconvG16, CorruptBitmapIsRefused)
{
    TempDir dir;
    WriteFileBytes(dir / "in.r16", Pattern16(16 * 16));
    ASSERT_EQ(Conv({dir / "in.r16", dir / "m.bmp"}).exitCode, 0);
    auto b = ReadFileBytes(dir / "m.bmp");
    b.push_back(0);
    WriteFileBytes(dir / "m.bmp", b);
    ProcessResult r = Conv({dir / "m.bmp", dir / "out.r16"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "TOLV warning:\nThe Bitmap file is corrupt.\nThe file size does not match the header property.\n\n"
                     "TOLV warning:\nInvalid or unsupported BMP file.\n\n");
    EXPECT_FALSE(Exists(dir / "out.r16"));
}
