// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "RunProcess.h"
#include "TempDir.h"

using namespace tolv::test;

namespace {

ProcessResult Conv(const std::vector<std::string>& args) { return RunProcess(TOLVCONV_PATH, args); }

void WriteSampleHma(const std::string& path)
{
    WriteFileText(path, "TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth 2\r\nHeight 2\r\n10 20\r\n30 40\r\n");
}

} // namespace

TEST(TolvconvMeshes, StlSpacingAndFlipGoThroughTheDialogRules)
{
    TempDir dir;
    WriteSampleHma(dir / "in.hma");
    ProcessResult r = Conv({"--spacing", "0", "--flip-normals", dir / "in.hma", dir / "out.stl"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = ReadFileText(dir / "out.stl");
    EXPECT_NE(text.find("      vertex 1.0 1.0 40.0\r\n"), std::string::npos); // 0 becomes 1
    EXPECT_NE(text.find("  facet normal 0.0 0.0 -1.0\r\n"), std::string::npos);
    EXPECT_EQ(text.find("0.0 0.0 1.0"), std::string::npos);

    r = Conv({dir / "in.hma", dir / "def.stl"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(ReadFileText(dir / "def.stl").find("      vertex 16.0 16.0 40.0\r\n"), std::string::npos);
}

TEST(TolvconvMeshes, ObjOptionsAndReadBack)
{
    TempDir dir;
    WriteSampleHma(dir / "in.hma");
    ProcessResult r = Conv({"--spacing", "5000", "--no-object-name", "--no-smooth", dir / "in.hma", dir / "a.obj"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = ReadFileText(dir / "a.obj");
    EXPECT_EQ(text.find("o Heightmap"), std::string::npos);
    EXPECT_EQ(text.find("s 1"), std::string::npos);
    EXPECT_NE(text.find("v 1024.0 1024.0 40.0\r\n"), std::string::npos);

    r = Conv({"--info", dir / "a.obj", dir / "back.hma"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileText(dir / "back.hma"), ReadFileText(dir / "in.hma"));
}

TEST(TolvconvMeshes, SpacingMustBeDigits)
{
    TempDir dir;
    WriteSampleHma(dir / "in.hma");
    for (const char* bad : {"-5", "abc", "1.5", ""}) {
        ProcessResult r = Conv({"--spacing", bad, dir / "in.hma", dir / "a.stl"});
        EXPECT_EQ(r.exitCode, 2) << bad;
    }
}

TEST(TolvconvImages, ColourModeAndTiffRoundTrip)
{
    TempDir dir;
    // A 1 x 1 24-bit Targa, white: gray gives 254, green gives 255.
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 2, tga[12] = 1, tga[14] = 1, tga[16] = 24, tga[17] = 0x20;
    tga.insert(tga.end(), {255, 255, 255});
    WriteFileBytes(dir / "w.tga", tga);
    ProcessResult r = Conv({"--info", dir / "w.tga"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("mean: 254\n"), std::string::npos) << r.out;
    r = Conv({"--info", "--color", "green", dir / "w.tga", dir / "w.tif"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("mean: 255\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("code: 32\n"), std::string::npos) << r.out;
    r = Conv({"--info", "--color", "ask", "--no", dir / "w.tga"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "TOLV question:\nConvert image to grayscale for altitude data?\nanswer: No\n\n");
    EXPECT_NE(r.out.find("mean: 255\n"), std::string::npos) << r.out;
}
