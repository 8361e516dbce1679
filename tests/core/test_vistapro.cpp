// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "formats/vbVistaPro.h"
#include "heightmap/MapHeight.h"

using namespace tolv;
using namespace tolv::test;

TEST(VistaPro, Reads)
{
    struct Row {
        const char* name;
        std::string text;
        int32_t w, h;
        std::vector<int32_t> grid; // rows top first
    };
    const Row rows[] = {
        {"CR LF", "10 20 30 \r\n40 50 60 \r\n", 3, 2, {40, 50, 60, 10, 20, 30}},
        {"no space after the last value", "10 20 30\r\n40 50 60\r\n", 2, 2, {40, 50, 10, 20}},
        {"lone LF", "10 20 30 \n40 50 60 \n", 3, 2, {40, 50, 60, 10, 20, 30}},
        {"lone CR", "10 20 30 \r40 50 60 \r", 3, 2, {40, 50, 60, 10, 20, 30}},
        {"last line unterminated", "10 20 30 \r\n40 50 60 ", 3, 2, {40, 50, 60, 10, 20, 30}},
        {"trailing blank after last line", "1 2 \r\n3 4 \r\n  ", 2, 2, {3, 4, 1, 2}},
        {"clamped and rounded", "-3 70000 \r\n2.5 3.5 \r\n", 2, 2, {2, 4, 0, 65535}},
        {"extra tokens ignored", "1 2 \r\n3 4 5 6\r\n", 2, 2, {3, 4, 1, 2}},
        {"exponent", "1e3 +7 \r\n", 2, 1, {1000, 7}},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / "d.txt", r.text);
        ASSERT_TRUE(OpenFileByType(dir / "d.txt")) << r.name << ": " << host.OnlyText();
        EXPECT_EQ(HeightmapWidth(), r.w) << r.name;
        EXPECT_EQ(HeightmapHeight(), r.h) << r.name;
        EXPECT_EQ(CurrentGrid(), r.grid) << r.name;
        EXPECT_EQ(FormatCode(), FmtVistaProAscii) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(VistaPro, Refusals)
{
    struct Row {
        const char* name;
        std::string text;
        std::string message;
    };
    const Row rows[] = {
        {"empty token", "1  2 \r\n3 4 5 \r\n", "The heightmap value is non-numeric at 2 x 2."},
        {"letters", "1 2 \r\n3 x \r\n", "The heightmap value is non-numeric at 2 x 1."},
        {"short line", "1 2 3 \r\n4 \r\n", "The heightmap value is non-numeric at 2 x 1."},
        {"empty file", "", "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 0 x 0."},
        {"no spaces", "12\r\n34\r\n", "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 0 x 2."},
        {"number beyond 32 bits", "1 99999999999 \r\n",
         "An error occurred loading the VistaPro 4 ASCII DEM file.\r\n\r\nError Number: 6\r\nOverflow"},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / "d.txt", r.text);
        LoadGrid(1, 1, {77}, 2);
        EXPECT_FALSE(LoadVistaProAsciiFile(dir / "d.txt")) << r.name;
        EXPECT_EQ(host.OnlyText(), r.message) << r.name;
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{77}) << r.name;
        EXPECT_EQ(FormatCode(), 2) << r.name;
    }
}

TEST(VistaPro, Full513)
{
    TestHost host;
    TempDir dir;
    std::string text;
    for (int r = 0; r < 513; ++r) {
        for (int c = 0; c < 513; ++c) text += std::to_string((r * 513 + c) % 65536) + " ";
        text += "\r\n";
    }
    WriteFileText(dir / "big.txt", text);
    ASSERT_TRUE(LoadVistaProAsciiFile(dir / "big.txt"));
    EXPECT_EQ(GetAltitude(1, 513), 0);
    EXPECT_EQ(GetAltitude(513, 1), (512 * 513 + 512) % 65536);
}
