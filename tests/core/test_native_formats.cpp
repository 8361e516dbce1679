// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "formats/vbTolvHeightmap.h"
#include "heightmap/MapHeight.h"

using namespace tolv;
using namespace tolv::test;

namespace {

std::vector<uint8_t> HmbHeader(int16_t w, int16_t h, int32_t sizeField, int16_t version = 100)
{
    std::vector<uint8_t> b(32, 0);
    std::string sig = "TOLV Binary Heightmap";
    std::copy(sig.begin(), sig.end(), b.begin());
    auto put16 = [&](size_t at, int16_t v) { b[at] = uint8_t(v); b[at + 1] = uint8_t(uint16_t(v) >> 8); };
    for (int i = 0; i < 4; ++i) b[22 + i] = uint8_t(uint32_t(sizeField) >> (8 * i));
    put16(26, version);
    put16(28, w);
    put16(30, h);
    return b;
}

} // namespace

TEST(NativeFormats, HmbExactBytes)
{
    TestHost host;
    TempDir dir;
    LoadGrid(2, 1, {1, 65535});
    ASSERT_TRUE(SaveHmbFile(dir / "a.hmb"));
    std::vector<uint8_t> expected = HmbHeader(2, 1, 36);
    for (uint8_t b : {0x01, 0x00, 0xFF, 0xFF}) expected.push_back(b);
    EXPECT_EQ(ReadFileBytes(dir / "a.hmb"), expected);

    LoadGrid(1, 1, {5});
    ASSERT_TRUE(SaveHmbFile(dir / "b.hmb"));
    EXPECT_EQ(ReadFileBytes(dir / "b.hmb").size(), 34u);

    LoadGrid(513, 513, std::vector<int32_t>(513 * 513, 3));
    ASSERT_TRUE(SaveHmbFile(dir / "big.hmb"));
    std::vector<uint8_t> b = ReadFileBytes(dir / "big.hmb");
    ASSERT_EQ(b.size(), 526370u);
    EXPECT_EQ(LoadI32LE(&b[22]), 526370);
}

TEST(NativeFormats, HmbHeaderChecks)
{
    TestHost host;
    TempDir dir;
    // Wrong size and version fields are accepted.
    std::vector<uint8_t> ok = HmbHeader(1, 1, 999, 7);
    ok.insert(ok.end(), {0x34, 0x12});
    WriteFileBytes(dir / "ok.hmb", ok);
    ASSERT_TRUE(OpenFileByType(dir / "ok.hmb"));
    EXPECT_EQ(GetAltitude(1, 1), 0x1234);

    std::vector<uint8_t> bad = ok;
    bad[21] = 'X'; // any byte but 0x00 after the signature
    const std::pair<std::vector<uint8_t>, std::string> rows[] = {
        {bad, "warning: Invalid or unsupported TOLV Binary Heightmap File."},
        {{'T', 'O', 'L', 'V'}, "error: An error occurred validating the TOLV Binary file header.\r\n\r\n"
                               "Error Number: 62\r\nInput past end of file"},
    };
    for (const auto& [bytes, message] : rows) {
        host.Clear();
        WriteFileBytes(dir / "bad.hmb", bytes);
        EXPECT_FALSE(OpenFileByType(dir / "bad.hmb")) << message;
        ASSERT_EQ(host.messages.size(), 1u) << message;
        EXPECT_EQ(host.messages[0].kind + ": " + host.messages[0].text, message);
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{0x1234}) << message;
    }
}

TEST(NativeFormats, HmaExactText)
{
    TestHost host;
    TempDir dir;
    LoadGrid(2, 1, {0, 65535});
    ASSERT_TRUE(SaveHmaFile(dir / "a.hma"));
    EXPECT_EQ(ReadFileText(dir / "a.hma"),
              "TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth 2\r\nHeight 1\r\n0 65535\r\n");
    EXPECT_EQ(FormatCode(), 1);
}

TEST(NativeFormats, ShortHmbFillsZerosAndNeverReadsPastTheEnd)
{
    TestHost host;
    TempDir dir;
    std::vector<uint8_t> b = HmbHeader(3, 2, 44);
    for (uint8_t v : {1, 0, 2, 0, 3}) b.push_back(v); // two and a half samples of six
    WriteFileBytes(dir / "short.hmb", b);
    ASSERT_TRUE(OpenFileByType(dir / "short.hmb"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{1, 2, 3, 0, 0, 0}));
}

struct HmaCase {
    const char* name;
    std::string body;
    bool ok;
    std::string message; // prefix of the only message when refused
    std::vector<int32_t> grid;
};

TEST(NativeFormats, HmaReading)
{
    const std::string head = "TOLV ASCII Heightmap\r\nVersion 1.00\r\n";
    const HmaCase cases[] = {
        {"colon after the word", head + "Width: 2\r\nHeight 1\r\n1 2\r\n", true, "", {1, 2}},
        {"lone line feeds", "TOLV ASCII Heightmap\nVersion 1.00\nWidth 2\nHeight 2\n1 2\n3 4\n", true, "", {1, 2, 3, 4}},
        {"lone carriage returns", "TOLV ASCII Heightmap\rV\rWidth 1\rHeight 1\r7\r", true, "", {7}},
        {"clamps and rounds", head + "Width 4\r\nHeight 1\r\n70000 -5 12.5 3.5\r\n", true, "", {65535, 0, 12, 4}},
        {"extra tokens and lines ignored", head + "Width 1\r\nHeight 1\r\n5 6 7\r\n8\r\n", true, "", {5}},
        {"no space in width line", head + "Width512\r\nHeight 1\r\n1\r\n", false,
         "An error occurred loading the TOLV ASCII Heightmap file.\r\n\r\nError Number: 5\r\n", {}},
        {"width non-numeric", head + "Width abc\r\nHeight 1\r\n", false, "The TOLV ASCII Width parameter is non-numeric.", {}},
        {"height non-numeric", head + "Width 1\r\nHeight \r\n", false, "The TOLV ASCII Height parameter is non-numeric.", {}},
        {"value missing", head + "Width 3\r\nHeight 2\r\n1 2 3\r\n4 5\r\n", false, "The heightmap value is non-numeric at 3 x 2.", {}},
        {"double space", head + "Width 3\r\nHeight 1\r\n1  3\r\n", false, "The heightmap value is non-numeric at 2 x 1.", {}},
        {"row missing", head + "Width 1\r\nHeight 2\r\n1\r\n", false,
         "An error occurred loading the TOLV ASCII Heightmap file.\r\n\r\nError Number: 62\r\n", {}},
        {"header only", head, false, "An error occurred loading the TOLV ASCII Heightmap file.\r\n\r\nError Number: 62\r\n", {}},
        {"value too large", head + "Width 1\r\nHeight 1\r\n1e12\r\n", false,
         "An error occurred loading the TOLV ASCII Heightmap file.\r\n\r\nError Number: 6\r\n", {}},
        {"zero width", head + "Width 0\r\nHeight 1\r\n\r\n", false, "Unsupported heightmap resolution.", {}},
        {"short signature", "TOLV ASCII Heightma", false, "Invalid or unsupported TOLV ASCII Heightmap File.", {}},
    };
    for (const HmaCase& c : cases) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / "m.hma", c.body);
        LoadGrid(1, 1, {42}, FmtHmb);
        EXPECT_EQ(LoadHmaFile(dir / "m.hma"), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(CurrentGrid(), c.grid) << c.name;
            EXPECT_TRUE(host.messages.empty()) << c.name;
        } else {
            ASSERT_EQ(host.messages.size(), 1u) << c.name;
            EXPECT_EQ(host.messages[0].text.rfind(c.message, 0), 0u) << c.name << ": " << host.messages[0].text;
            // A refusal part way through the rows keeps the map from before.
            EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{42}) << c.name;
            EXPECT_EQ(FormatCode(), FmtHmb) << c.name;
        }
    }
}

