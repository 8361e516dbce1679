// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/BinaryIO.h"
#include "formats/FrmSavePGMRules.h"
#include "formats/vbFileManagement.h"
#include "formats/vbPNM.h"
#include "heightmap/MapHeight.h"
#include "shell/vbShowDialog.h"

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

// Answers the PGM options dialog with P2 (0) or P5 (1), or cancels it (-1).
void AnswerPgm(TestHost& host, int choice)
{
    host.onDialog = [choice](DialogId id) {
        if (id == DialogId::SavePGM && choice >= 0) ConfirmSavePgmDialog(choice);
    };
}

} // namespace

TEST(Pnm, PamBytes)
{
    TestHost host;
    TempDir dir;
    ASSERT_TRUE(WritePamFile(dir / "a.pam", 2, 1, {1, 65535}));
    EXPECT_EQ(ReadFileBytes(dir / "a.pam"),
              Bytes("P7\r\n" + kComments +
                        "WIDTH 2\r\nHEIGHT 1\r\nDEPTH 1\r\nMAXVAL 65535\r\nTUPLTYPE GRAYSCALE\r\nENDHDR\r\n",
                    {0, 1, 255, 255}));
}

TEST(Pnm, P2Bytes)
{
    struct Row {
        const char* name;
        int32_t w, h;
        std::vector<int32_t> grid;
        std::string body; // after the maximum value line
    };
    std::vector<int32_t> twelve(24);
    for (int i = 0; i < 24; ++i) twelve[static_cast<size_t>(i)] = i * 1000;
    const Row rows[] = {
        {"1x1", 1, 1, {7}, "00007 \r\n"},
        {"row of ten ends with an empty line", 10, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 65535},
         "00000 00001 00002 00003 00004 00005 00006 00007 00008 65535 \r\n\r\n"},
        {"rows of twelve", 12, 2, twelve,
         "00000 01000 02000 03000 04000 05000 06000 07000 08000 09000 \r\n10000 11000 \r\n"
         "12000 13000 14000 15000 16000 17000 18000 19000 20000 21000 \r\n22000 23000 \r\n"},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        ASSERT_TRUE(WritePgmP2File(dir / "a.pgm", r.w, r.h, r.grid)) << r.name;
        EXPECT_EQ(ReadFileText(dir / "a.pgm"), "P2\r\n" + kComments + std::to_string(r.w) + " " +
                                                   std::to_string(r.h) + "\r\n65535\r\n" + r.body)
            << r.name;
    }
}

TEST(Pnm, P5Bytes)
{
    TestHost host;
    TempDir dir;
    ASSERT_TRUE(WritePgmP5File(dir / "a.pgm", 3, 2, {0, 1, 256, 32767, 32768, 65535}));
    EXPECT_EQ(ReadFileBytes(dir / "a.pgm"), Bytes("P5\r\n" + kComments + "3 2\r\n65535\n",
                                                  {0, 0, 0, 1, 1, 0, 0x7F, 0xFF, 0x80, 0, 0xFF, 0xFF}));
}

TEST(Pnm, SaveThroughDispatchAndDialog)
{
    struct Row {
        const char* name;
        const char* file;
        int choice;
        const char* magic; // "" = nothing written
        int32_t code;
    };
    const Row rows[] = {
        {"pgm P2", "m.pgm", 0, "P2\r\n", FmtPgm},
        {"pgm P5", "m.pgm", 1, "P5\r\n", FmtPgm},
        {"pgm cancelled", "m.pgm", -1, "", 2},
        {"pam", "m.pam", -1, "P7\r\n", FmtPam},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        LoadGrid(2, 2, {1, 2, 3, 4}, 2);
        AnswerPgm(host, r.choice);
        const bool wrote = *r.magic != 0;
        EXPECT_EQ(SaveFileByType(dir / r.file), wrote) << r.name;
        EXPECT_EQ(FormatCode(), r.code) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
        EXPECT_EQ(FileExists(dir / r.file), wrote) << r.name;
        if (wrote) EXPECT_EQ(ReadFileText(dir / r.file).substr(0, 4), r.magic) << r.name;
        EXPECT_EQ(host.dialogs.size(), std::string(r.file) == "m.pgm" ? 1u : 0u) << r.name;
    }
}

TEST(Pnm, DialogRule)
{
    TestHost host;
    ConfirmSavePgmDialog(0);
    EXPECT_FALSE(DialogCancelled());
    EXPECT_EQ(GetDialogResult(1).AsInt(), 0);
    EXPECT_FALSE(SavePgmAnswerIsP5());
    ConfirmSavePgmDialog(1);
    EXPECT_EQ(GetDialogResult(1).AsInt(), 1);
    EXPECT_TRUE(SavePgmAnswerIsP5());
}

TEST(Pnm, RoundTrips)
{
    std::vector<int32_t> big(513 * 513);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<int32_t>((i * 131) % 65536);
    big[0] = 0, big[1] = 32767, big[2] = 32768, big[3] = 65535;
    struct Size {
        int32_t w, h;
        std::vector<int32_t> grid;
    };
    const Size sizes[] = {{1, 1, {65535}}, {3, 2, {0, 32767, 32768, 65535, 1, 2}}, {513, 513, big}};
    struct Form {
        const char* file;
        int choice;
        int32_t code;
    };
    const Form forms[] = {{"r.pgm", 0, FmtPgm}, {"r.pgm", 1, FmtPgm}, {"r.pam", -1, FmtPam}};
    for (const Size& s : sizes) {
        for (const Form& f : forms) {
            TestHost host;
            TempDir dir;
            LoadGrid(s.w, s.h, s.grid);
            AnswerPgm(host, f.choice);
            ASSERT_TRUE(SaveFileByType(dir / f.file));
            ClearHeightmap();
            ASSERT_TRUE(OpenFileByType(dir / f.file)) << f.file << " " << f.choice << ": " << host.OnlyText();
            EXPECT_EQ(HeightmapWidth(), s.w);
            EXPECT_EQ(HeightmapHeight(), s.h);
            EXPECT_EQ(CurrentGrid(), s.grid) << f.file << " " << f.choice << " " << s.w;
            EXPECT_EQ(FormatCode(), f.code);
            EXPECT_TRUE(host.messages.empty());
        }
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
        {"too large", "a.pgm", Bytes("P5 600 2 255\n"),
         "Unsupported heightmap resolution.\r\n\r\nThe heightmap size is 600 x 2.\r\nHeight resolutions up to 513x513 are supported.",
         "info"},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileBytes(dir / r.file, r.bytes);
        LoadGrid(1, 1, {5}, 1);
        EXPECT_FALSE(OpenFileByType(dir / r.file)) << r.name;
        EXPECT_EQ(host.OnlyText(), r.message) << r.name;
        if (!host.messages.empty()) EXPECT_EQ(host.messages[0].kind, r.kind) << r.name;
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{5}) << r.name;
        EXPECT_EQ(FormatCode(), 1) << r.name;
    }
}

TEST(Pnm, ForeignExtensionAndMissingFile)
{
    TestHost host;
    TempDir dir;
    ASSERT_TRUE(WritePgmP5File(dir / "x.dat", 1, 1, {3}));
    host.Answer({false});
    EXPECT_FALSE(LoadPgmFile(dir / "x.dat"));
    EXPECT_EQ(host.OnlyText(), "Invalid PGM File Extension on: x\r\nContinue if file contents are valid?");
    host.Clear();
    host.Answer({false});
    EXPECT_FALSE(LoadPamFile(dir / "x.dat"));
    EXPECT_EQ(host.OnlyText(), "Invalid PAM File Extension on: x\r\nContinue if file contents are valid?");
    host.Clear();
    EXPECT_FALSE(LoadPgmFile(dir / "none.pgm"));
    EXPECT_EQ(host.OnlyText().rfind("An error occurred loading the PGM file.\r\n\r\nError Number: 53", 0), 0u);
}

TEST(Pnm, WriteFailuresReport)
{
    struct Row {
        const char* sentence;
        bool (*writer)(const std::string&, int32_t, int32_t, const std::vector<int32_t>&);
    };
    const Row rows[] = {
        {"An error occurred saving the PAM P7 file.", WritePamFile},
        {"An error occurred saving the PGM P2 file.", WritePgmP2File},
        {"An error occurred saving the PGM P5 file.", WritePgmP5File},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        FileWriter::SetFaultAfterBytes(20);
        EXPECT_FALSE(r.writer(dir / "f.pnm", 4, 4, std::vector<int32_t>(16, 9)));
        FileWriter::SetFaultAfterBytes(-1);
        EXPECT_EQ(host.OnlyText().rfind(std::string(r.sentence) + "\r\n\r\nError Number: 61", 0), 0u) << r.sentence;
        host.Clear();
        // A grid smaller than the size it claims is refused, not read past its end.
        EXPECT_FALSE(r.writer(dir / "g.pnm", 4, 4, std::vector<int32_t>(15, 9)));
        EXPECT_EQ(host.OnlyText().rfind(std::string(r.sentence) + "\r\n\r\nError Number: 9", 0), 0u) << r.sentence;
    }
}

TEST(Pnm, TruncatedFilesNeverReadPastTheEnd)
{
    const std::vector<int32_t> grid = {0, 1, 2, 3, 4, 65535};
    struct Form {
        const char* file;
        bool (*writer)(const std::string&, int32_t, int32_t, const std::vector<int32_t>&);
    };
    const Form forms[] = {{"t.pgm", WritePgmP2File}, {"t.pgm", WritePgmP5File}, {"t.pam", WritePamFile}};
    for (const Form& f : forms) {
        TestHost host;
        TempDir dir;
        ASSERT_TRUE(f.writer(dir / "full", 3, 2, grid));
        const std::vector<uint8_t> full = ReadFileBytes(dir / "full");
        size_t loaded = 0;
        for (size_t len = 0; len < full.size(); ++len) {
            TestHost each;
            LoadGrid(1, 1, {9}, 1);
            WriteFileBytes(dir / f.file, std::vector<uint8_t>(full.begin(), full.begin() + static_cast<long>(len)));
            if (OpenFileByType(dir / f.file)) {
                // Only a text file cut inside or after its last number still holds every sample;
                // the last one then reads as the digits that are left.
                ++loaded;
                const std::vector<int32_t> got = CurrentGrid();
                ASSERT_EQ(got.size(), 6u) << len;
                EXPECT_EQ(std::vector<int32_t>(got.begin(), got.end() - 1), std::vector<int32_t>(grid.begin(), grid.end() - 1));
                EXPECT_EQ(std::string("65535").rfind(std::to_string(got[5]), 0), 0u) << len;
            } else {
                EXPECT_EQ(each.messages.size(), 1u) << len;
                EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{9}) << len;
            }
        }
        EXPECT_EQ(loaded, f.writer == WritePgmP2File ? 7u : 0u); // 5 digits, the space, the CR
    }
}
