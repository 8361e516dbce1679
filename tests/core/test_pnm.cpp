// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "DiskFull.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "formats/vbPNM.h"
#include "heightmap/MapHeight.h"

using namespace tolv;
using namespace tolv::test;

namespace {

const std::string kComments = "# TOLV Orvale by Kestrow\r\n# https://tolv.example.org/\r\n";

std::vector<uint8_t> Bytes(const std::string& text, std::initializer_list<uint8_t> tail = {})
{
    std::vector<uint8_t> b(text.begin(), text.end());
    b.insert(b.end(), tail);
    return b;
}

} // namespace

using Writer = bool (*)(const std::string&, int32_t, int32_t, const std::vector<int32_t>&);

TEST(Pnm, WriterBytes)
{
    struct Row {
        const char* name;
        Writer writer;
        int32_t w, h;
        std::vector<int32_t> grid;
        std::vector<uint8_t> bytes;
    };
    std::vector<int32_t> twelve(24);
    for (int i = 0; i < 24; ++i) twelve[static_cast<size_t>(i)] = i * 1000;
    const std::string p2 = "P2\r\n" + kComments;
    const Row rows[] = {
        {"pam", WritePamFile, 2, 1, {1, 65535},
         Bytes("P7\r\n" + kComments + "WIDTH 2\r\nHEIGHT 1\r\nDEPTH 1\r\nMAXVAL 65535\r\nTUPLTYPE GRAYSCALE\r\nENDHDR\r\n",
               {0, 1, 255, 255})},
        {"P5", WritePgmP5File, 3, 2, {0, 1, 256, 32767, 32768, 65535},
         Bytes("P5\r\n" + kComments + "3 2\r\n65535\n", {0, 0, 0, 1, 1, 0, 0x7F, 0xFF, 0x80, 0, 0xFF, 0xFF})},
        {"P2 1x1", WritePgmP2File, 1, 1, {7}, Bytes(p2 + "1 1\r\n65535\r\n00007 \r\n")},
        {"P2 row of ten ends with an empty line", WritePgmP2File, 10, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 65535},
         Bytes(p2 + "10 1\r\n65535\r\n00000 00001 00002 00003 00004 00005 00006 00007 00008 65535 \r\n\r\n")},
        {"P2 rows of twelve", WritePgmP2File, 12, 2, twelve,
         Bytes(p2 + "12 2\r\n65535\r\n00000 01000 02000 03000 04000 05000 06000 07000 08000 09000 \r\n10000 11000 \r\n"
                    "12000 13000 14000 15000 16000 17000 18000 19000 20000 21000 \r\n22000 23000 \r\n")},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        ASSERT_TRUE(r.writer(dir / "a.pnm", r.w, r.h, r.grid)) << r.name;
        EXPECT_EQ(ReadFileBytes(dir / "a.pnm"), r.bytes) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(Pnm, ReadsWhatOtherToolsWrite)
{
    struct Row {
        const char* name;
        const char* file;
        std::vector<uint8_t> bytes;
        int32_t w, h;
        std::vector<int32_t> grid;
    };
    const std::vector<Row> rows = {
        {"P5 8-bit", "a.pgm", Bytes("P5\n3 2\n255\n", {0, 1, 2, 253, 254, 255}), 3, 2, {0, 1, 2, 253, 254, 255}},
        {"P5 comments anywhere", "a.pgm", Bytes("P5 # a comment\n2# tight\n1\n# more\n300\n", {1, 44, 0, 7}), 2, 1, {300, 7}},
        {"P5 CR LF ends the header", "a.pgm", Bytes("P5\r\n2 1\r\n65535\r\n", {0, 13, 0, 10}), 2, 1, {13, 10}},
        {"P5 lone CR ends the header", "a.pgm", Bytes("P5\r\n2 1\r\n255\r", {13, 10}), 2, 1, {13, 10}},
        {"P5 trailing bytes ignored", "a.pgm", Bytes("P5 1 1 255 ", {9, 1, 2, 3}), 1, 1, {9}},
        {"P2 any whitespace", "a.pgm", Bytes("P2\n# c\n3\t2 # size\n 1000\n1 2 3\n4\n\n5\r\n6"), 3, 2, {1, 2, 3, 4, 5, 6}},
        {"P2 unpadded and 8-bit", "a.pgm", Bytes("P2 2 2 15 0 15\n7 8\n"), 2, 2, {0, 15, 7, 8}},
        {"P7 with LF and 8-bit", "a.pam",
         Bytes("P7\nWIDTH 2\nHEIGHT 2\nDEPTH 1\nMAXVAL 255\nTUPLTYPE GRAYSCALE\nENDHDR\n", {1, 2, 3, 255}), 2, 2,
         {1, 2, 3, 255}},
        {"P7 without tuple type, comments, spaces", "a.pam",
         Bytes("P7\n# made elsewhere\n  MAXVAL 4095\nHEIGHT\t1\n\nWIDTH 1\nDEPTH 1\nENDHDR\n", {0x0F, 0xFF}), 1, 1, {4095}},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileBytes(dir / r.file, r.bytes);
        ASSERT_TRUE(OpenFileByType(dir / r.file)) << r.name << ": " << host.OnlyText();
        EXPECT_EQ(HeightmapWidth(), r.w) << r.name;
        EXPECT_EQ(HeightmapHeight(), r.h) << r.name;
        EXPECT_EQ(CurrentGrid(), r.grid) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(Pnm, Refusals)
{
    const std::string pgm = "Invalid or unsupported PGM file.\r\n";
    const std::string pam = "Invalid or unsupported PAM file.\r\n";
    const std::string pgmMagic = pgm + "Only P2 (ASCII) and P5 (binary) gray maps can be opened.";
    const std::string pgmHeader = pgm + "The width, height or maximum value in the header is missing or not valid.";
    const std::string pamHeader = pam + "The header needs valid WIDTH, HEIGHT, DEPTH and MAXVAL lines and an ENDHDR line.";
    const std::string maxval = "The maximum value must lie between 1 and 65535.";
    struct Row {
        const char* name;
        const char* file;
        std::vector<uint8_t> bytes;
        std::string message;
        const char* kind = "warning";
    };
    const std::vector<Row> rows = {
        {"empty", "a.pgm", {}, pgmMagic},
        {"P6 colour", "a.pgm", Bytes("P6\n1 1\n255\n", {1, 2, 3}), pgmMagic},
        {"P7 in a pgm", "a.pgm", Bytes("P7\nWIDTH 1\n"), pgmMagic},
        {"P5 in a pam", "a.pam", Bytes("P5\n1 1\n255\n", {1}), pam + "Only P7 files can be opened."},
        {"no maximum value", "a.pgm", Bytes("P2\n3 2\n"), pgmHeader},
        {"magic run into the width", "a.pgm", Bytes("P55 1 255\n", {1}), pgmHeader},
        {"letters for the height", "a.pgm", Bytes("P2 3 x 255\n"), pgmHeader},
        {"zero width", "a.pgm", Bytes("P5 0 2 255\n"), pgmHeader},
        {"maximum value 0", "a.pgm", Bytes("P5 1 1 0\n", {0}), pgm + maxval},
        {"maximum value 65536", "a.pgm", Bytes("P2 1 1 65536\n1"), pgm + maxval},
        {"P5 no whitespace after maxval", "a.pgm", Bytes("P5 1 1 255#\n", {1}), pgmHeader},
        {"P5 short", "a.pgm", Bytes("P5 3 2 65535\n", {0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0}),
         pgm + "The file ends before all of its 3 x 2 samples."},
        {"P2 short", "a.pgm", Bytes("P2 3 2 9 1 2 3 4 5\n"), pgm + "The file ends before all of its 3 x 2 samples."},
        {"P2 non-numeric", "a.pgm", Bytes("P2 3 1 9 1 -2 3\n"), "The heightmap value is non-numeric at 2 x 1."},
        {"P2 above maximum", "a.pgm", Bytes("P2 2 2 255 1 2\n300 4\n"),
         pgm + "The sample 300 at 1 x 2 is larger than the maximum value 255."},
        {"P5 above maximum", "a.pgm", Bytes("P5 2 1 1000\n", {0x03, 0xE8, 0x03, 0xE9}),
         pgm + "The sample 1001 at 2 x 1 is larger than the maximum value 1000."},
        {"P7 three channels", "a.pam", Bytes("P7\nWIDTH 1\nHEIGHT 1\nDEPTH 3\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\n", {1, 2, 3}),
         pam + "Only single-channel (DEPTH 1) gray maps can be opened."},
        {"P7 without ENDHDR", "a.pam", Bytes("P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\n"), pamHeader},
        {"P7 unknown line", "a.pam", Bytes("P7\nWIDTH 1\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\nCOLOUR 2\nENDHDR\n", {1}), pamHeader},
        {"P7 without WIDTH", "a.pam", Bytes("P7\nHEIGHT 1\nDEPTH 1\nMAXVAL 255\nENDHDR\n", {1}), pamHeader},
        {"P7 short", "a.pam", Bytes("P7\nWIDTH 2\nHEIGHT 1\nDEPTH 1\nMAXVAL 256\nENDHDR\n", {1, 2, 3}),
         pam + "The file ends before all of its 2 x 1 samples."},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileBytes(dir / r.file, r.bytes);
        LoadGrid(1, 1, {5}, 1);
        EXPECT_FALSE(OpenFileByType(dir / r.file)) << r.name;
        EXPECT_EQ(host.OnlyText(), r.message) << r.name;
        if (!host.messages.empty()) {
            EXPECT_EQ(host.messages[0].kind, r.kind) << r.name;
        }
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{5}) << r.name;
        EXPECT_EQ(FormatCode(), 1) << r.name;
    }
}

// A full disk names the form being written; a grid smaller than the size it claims is refused,
// not read past its end.
TEST(Pnm, WriteFailuresReport)
{
    const std::pair<const char*, Writer> rows[] = {
        {"An error occurred saving the PAM P7 file.", WritePamFile},
        {"An error occurred saving the PGM P2 file.", WritePgmP2File},
        {"An error occurred saving the PGM P5 file.", WritePgmP5File},
    };
    for (const auto& [sentence, writer] : rows) {
        TestHost host;
        TempDir dir;
        {
            DiskFullAfter full(20);
            EXPECT_FALSE(writer(dir / "f.pnm", 4, 4, std::vector<int32_t>(16, 9)));
        }
        EXPECT_EQ(host.OnlyText(), std::string(sentence) + "\r\n\r\nError Number: 61\r\nDisk full");
        host.Clear();
        EXPECT_FALSE(writer(dir / "g.pnm", 4, 4, std::vector<int32_t>(15, 9)));
        EXPECT_EQ(host.OnlyText().rfind(std::string(sentence) + "\r\n\r\nError Number: 9", 0), 0u) << sentence;
    }
}
