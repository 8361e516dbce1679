// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/FrmRawSizeRules.h"
#include "formats/vbFileManagement.h"
#include "formats/vbRaw.h"
#include "heightmap/MapHeight.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

namespace {

// Answers the raw size dialog as a user would: start from the proposal, type the given texts
// (if any) and press OK only when the dialog enables it; otherwise cancel.
struct RawDialogScript {
    RawDialogScript(std::string w = "", std::string h = "") : typedWidth(std::move(w)), typedHeight(std::move(h)) {}
    std::string typedWidth, typedHeight; // both empty: keep the proposal
    int64_t seenLength = -1;
    int32_t seenBits = -1;
    RawSizeState shown;

    void Install(TestHost& host)
    {
        host.onDialog = [this](DialogId id) {
            ASSERT_EQ(id, DialogId::RawSize);
            const auto in = ReadDialogParams<RawSizeParams>();
            seenLength = in.fileLength;
            seenBits = in.bits;
            shown = ProposeRawSize(seenLength, seenBits);
            if (!typedWidth.empty()) shown = ApplyRawSizeTexts(seenLength, seenBits, typedWidth, typedHeight);
            if (shown.okEnabled) ConfirmDialog(RawSizeResult{shown.width, shown.height});
        };
    }
};

std::vector<uint8_t> U16Bytes(const std::vector<int32_t>& v)
{
    std::vector<uint8_t> b;
    for (int32_t x : v) b.insert(b.end(), {uint8_t(x), uint8_t(x >> 8)});
    return b;
}

std::vector<uint8_t> F32Bytes(const std::vector<float>& v)
{
    std::vector<uint8_t> b(v.size() * 4);
    for (size_t i = 0; i < v.size(); ++i) {
        uint32_t u;
        std::memcpy(&u, &v[i], 4);
        for (int k = 0; k < 4; ++k) b[4 * i + k] = static_cast<uint8_t>(u >> (8 * k));
    }
    return b;
}

} // namespace

TEST(RawSizeRules, ProposalFromTheNineSquares)
{
    const int32_t sides[] = {16, 32, 64, 128, 129, 256, 257, 512, 513};
    for (int32_t bits : {8, 16, 32}) {
        for (int32_t side : sides) {
            const int64_t length = int64_t{side} * side * (bits / 8);
            RawSizeState s = ProposeRawSize(length, bits);
            EXPECT_EQ(s.width, std::to_string(side)) << bits << " " << side;
            EXPECT_EQ(s.height, std::to_string(side));
            EXPECT_TRUE(s.okEnabled);
            EXPECT_EQ(ProposeRawSquareSide(length + 1, bits), 0);
        }
    }
    const std::tuple<int64_t, int32_t, int32_t> rows[] = {
        {524288, 16, 512}, {526338, 16, 513}, {8450, 16, 0}, {4225, 8, 0}, {0, 8, 0},
        {65536, 8, 256},   {65536, 16, 0},    {1024, 32, 16}, {512, 16, 16}, {66049, 8, 257},
    };
    for (auto [length, bits, side] : rows) {
        EXPECT_EQ(ProposeRawSquareSide(length, bits), side) << length << " " << bits;
        RawSizeState s = ProposeRawSize(length, bits);
        EXPECT_EQ(s.okEnabled, side > 0);
        EXPECT_EQ(s.width, std::to_string(side));
    }
}

TEST(RawSizeRules, LeavingABoxNormalisesItAndRecomputesOk)
{
    struct Row {
        int64_t length;
        int32_t bits;
        std::string w, h;
        std::string wantW, wantH;
        bool ok;
    };
    const Row rows[] = {
        {8450, 16, "65", "65", "65", "65", true},          {8450, 16, "65", "", "65", "0", false},
        {8450, 16, "", "", "0", "0", false},               {131072, 8, "512", "256", "512", "256", true},
        {131072, 8, "256", "512", "256", "512", true},     {131072, 8, "1024", "128", "513", "128", false},
        {526338, 16, "600", "999999999999", "513", "513", true}, {1026, 16, "513", "1", "513", "1", true},
        {1026, 16, "0513", "001", "0513", "001", true},    {0, 8, "0", "0", "0", "0", false},
        {6, 16, "3", "1", "3", "1", true},                 {6, 16, "1", "3", "1", "3", true},
        {6, 16, "6", "1", "6", "1", false},
    };
    for (const Row& r : rows) {
        RawSizeState s = ApplyRawSizeTexts(r.length, r.bits, r.w, r.h);
        EXPECT_EQ(s.width, r.wantW) << r.w << " x " << r.h;
        EXPECT_EQ(s.height, r.wantH) << r.w << " x " << r.h;
        EXPECT_EQ(s.okEnabled, r.ok) << r.w << " x " << r.h << " of " << r.length;
    }
}

TEST(RawSizeRules, Labels)
{
    EXPECT_EQ(RawSizeFileLengthText(16, 526338), "Raw16 heightmap file of 526338 bytes.");
    EXPECT_EQ(RawSizeTitleText(), "Raw heightmap files do not contain any dimension properties.\r\n"
                                  "Please specify the exact width and height of the raw heightmap to load.\r\n"
                                  "Partial or invalid dimension values cannot be loaded.");
}

// The 513 x 513 file takes the proposed square; the others are typed in.
TEST(RawFiles, EachSampleWidthLoadsThroughTheDialog)
{
    std::vector<int32_t> big(513 * 513);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<int32_t>((i * 31) % 65536);
    big[0] = 65535;
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> floats = {0.0f, 0.25f, 0.5f, 1.0f, -0.5f, 0.5f / 65536, 1.5f / 65536, 2.5f / 65536,
                                       65535.0f / 65536, 7.0f, std::nanf(""), inf, -inf, -0.0f};
    struct Row {
        const char* file;
        std::vector<uint8_t> bytes;
        RawDialogScript script;
        int32_t bits;
        std::vector<int32_t> grid;
        int32_t code;
    };
    std::vector<Row> rows;
    rows.push_back({"big.r16", U16Bytes(big), {}, 16, big, FmtRaw16});
    // 8-bit samples are not scaled; rows are stored top first.
    rows.push_back({"e.raw", {200, 0, 255, 1, 2, 3}, {"3", "2"}, 8, {200, 0, 255, 1, 2, 3}, FmtRaw8});
    // 32-bit floats are scaled by 65536, rounded half to even and clamped; NaN reads as 0.
    rows.push_back({"f.r32", F32Bytes(floats), {"7", "2"}, 32,
                    {0, 16384, 32768, 65535, 0, 0, 2, 2, 65535, 65535, 0, 65535, 0, 0}, FmtRaw32});
    for (Row& r : rows) {
        TestHost host;
        TempDir dir;
        r.script.Install(host);
        WriteFileBytes(dir / r.file, r.bytes);
        ASSERT_TRUE(OpenFileByType(dir / r.file)) << r.file;
        EXPECT_EQ(r.script.seenLength, static_cast<int64_t>(r.bytes.size())) << r.file;
        EXPECT_EQ(r.script.seenBits, r.bits) << r.file;
        EXPECT_EQ(CurrentGrid(), r.grid) << r.file;
        EXPECT_EQ(FormatCode(), r.code) << r.file;
        EXPECT_TRUE(host.messages.empty()) << r.file;
        // The slots are cleared for the next dialog.
        EXPECT_TRUE(GetDialogParam(1).IsEmpty()) << r.file;
        EXPECT_TRUE(GetDialogResult(1).IsEmpty()) << r.file;
    }
}

TEST(RawFiles, EmptyOrTooLargeIsRefusedBeforeTheDialog)
{
    const std::string big = " file size is too large.\r\nThe maximum supported size is 513x513 which is ";
    const std::string empty = " file is empty.\r\nThere is no heightmap data to load.";
    const std::tuple<const char*, size_t, std::string> rows[] = {
        {"x.raw", 263170, "info: The specified RAW8" + big + "263169 bytes."},
        {"x.r16", 526340, "info: The specified RAW16" + big + "526338 bytes."},
        {"x.r32", 1052677, "info: The specified RAW32" + big + "1052676 bytes."},
        {"x.raw", 0, "warning: The specified RAW8" + empty},
        {"x.r16", 0, "warning: The specified RAW16" + empty},
        {"x.r32", 0, "warning: The specified RAW32" + empty},
    };
    TempDir dir;
    for (const auto& [name, length, message] : rows) {
        TestHost host;
        LoadGrid(1, 1, {4}, FmtHmb);
        WriteFileBytes(dir / name, std::vector<uint8_t>(length, 1));
        EXPECT_FALSE(OpenFileByType(dir / name));
        EXPECT_TRUE(host.dialogs.empty()) << name;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind + ": " + host.messages[0].text, message);
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{4});
        EXPECT_EQ(FormatCode(), FmtHmb);
    }
}

// A cancelled dialog, answers that do not fill the file (from a host that skips the dialog's
// rules) and a file that shrinks while the dialog is open all leave the map as it was.
TEST(RawFiles, AnswersThatCannotBeReadChangeNothing)
{
    struct Row {
        const char* file;
        size_t length;
        bool cancel, shrink;
        std::string w, h, message; // message: start of the only message, "" = none
    };
    const std::string dims = "warning: Invalid raw heightmap dimensions: ";
    const Row rows[] = {
        {"c.r16", 8450, true, false, "", "", ""},
        {"m.r16", 12, false, false, "0", "6", dims},
        {"m.r16", 12, false, false, "2", "2", dims},
        {"m.r16", 12, false, false, "6", "0", dims},
        {"m.r16", 12, false, false, "", "x", dims},
        {"m.r16", 12, false, false, "-3", "-2", dims},
        {"s.raw", 256, false, true, "16", "16",
         "error: An error occurred loading the Raw 8-bit Binary Heightmap file.\r\n\r\nError Number: 62\r\nInput past end of file"},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        const std::string path = dir / r.file, where = std::string(r.file) + " " + r.w + " x " + r.h;
        WriteFileBytes(path, std::vector<uint8_t>(r.length, 9));
        host.onDialog = [&](DialogId) {
            if (r.cancel) return;
            if (r.shrink) WriteFileBytes(path, std::vector<uint8_t>(10, 9));
            ConfirmDialog(RawSizeResult{r.w, r.h});
        };
        LoadGrid(2, 1, {5, 6}, FmtHma);
        EXPECT_FALSE(OpenFileByType(path)) << where;
        EXPECT_EQ(host.dialogs.size(), 1u) << where;
        ASSERT_EQ(host.messages.size(), r.message.empty() ? 0u : 1u) << where;
        if (!r.message.empty()) {
            const std::string text = host.messages[0].kind + ": " + host.messages[0].text;
            EXPECT_EQ(text.rfind(r.message, 0), 0u) << where << ": " << text;
            if (r.length == 12) {
                EXPECT_NE(text.find("account for all 12 bytes of the file."), std::string::npos) << text;
            }
        }
        EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{5, 6})) << where;
        EXPECT_EQ(FormatCode(), FmtHma) << where;
    }
}

TEST(RawFiles, EveryLengthEitherLoadsExactlyOrIsRefused)
{
    TempDir dir;
    const std::string path = dir / "n.r16";
    for (size_t len = 0; len <= 1100; len += (len < 40 ? 1 : 37)) {
        TestHost host;
        // Type the length as one row when it fits, else as one column.
        const size_t samples = len / 2;
        RawDialogScript script{std::to_string(samples), "1"};
        script.Install(host);
        WriteFileBytes(path, std::vector<uint8_t>(len, 0x7F));
        const bool loaded = LoadRaw16File(path);
        EXPECT_EQ(loaded, len > 0 && len % 2 == 0 && samples <= 513) << len;
        if (loaded) {
            EXPECT_EQ(HeightmapWidth(), static_cast<int32_t>(samples));
            EXPECT_EQ(MinAltitude(), 0x7F7F);
        }
    }
}

TEST(RawFiles, R16WriterBytes)
{
    TestHost host;
    TempDir dir;
    LoadGrid(3, 2, {0, 32767, 32768, 65535, 65536 + 1, 258});
    ASSERT_TRUE(SaveFileByType(dir / "s.r16"));
    EXPECT_EQ(ReadFileBytes(dir / "s.r16"),
              (std::vector<uint8_t>{0, 0, 0xFF, 0x7F, 0x00, 0x80, 0xFF, 0xFF, 0x01, 0x00, 0x02, 0x01}));
    EXPECT_EQ(FormatCode(), FmtRaw16);
}
