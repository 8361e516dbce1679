// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/BinaryIO.h"
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
    RawDialogScript() = default;
    RawDialogScript(std::string w, std::string h) : typedWidth(std::move(w)), typedHeight(std::move(h)), type(true) {}
    std::string typedWidth, typedHeight;
    bool type = false;
    int64_t seenLength = -1;
    int32_t seenBits = -1;
    RawSizeState shown;

    void Install(TestHost& host)
    {
        host.onDialog = [this](DialogId id) {
            ASSERT_EQ(id, DialogId::RawSize);
            seenLength = GetDialogParam(1).AsInt();
            seenBits = GetDialogParam(2).AsInt();
            shown = ProposeRawSize(seenLength, seenBits);
            if (type) shown = ApplyRawSizeTexts(seenLength, seenBits, typedWidth, typedHeight);
            if (!shown.okEnabled) return;
            SetDialogResult(1, shown.width);
            SetDialogResult(2, shown.height);
            SetDialogCancelled(false);
        };
    }
};

std::vector<uint8_t> U16Bytes(const std::vector<int32_t>& v)
{
    std::vector<uint8_t> b;
    for (int32_t x : v) {
        b.push_back(static_cast<uint8_t>(x));
        b.push_back(static_cast<uint8_t>(x >> 8));
    }
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
    struct Row {
        int64_t length;
        int32_t bits;
        int32_t side;
    };
    const Row rows[] = {
        {524288, 16, 512}, {526338, 16, 513}, {8450, 16, 0}, {4225, 8, 0}, {0, 8, 0},
        {65536, 8, 256},   {65536, 16, 0},    {1024, 32, 16}, {512, 16, 16}, {66049, 8, 257},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ProposeRawSquareSide(r.length, r.bits), r.side) << r.length << " " << r.bits;
        RawSizeState s = ProposeRawSize(r.length, r.bits);
        EXPECT_EQ(s.okEnabled, r.side > 0);
        EXPECT_EQ(s.width, std::to_string(r.side));
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
        {8450, 16, "65", "65", "65", "65", true},
        {8450, 16, "65", "", "65", "0", false},
        {8450, 16, "", "", "0", "0", false},
        {131072, 8, "512", "256", "512", "256", true},
        {131072, 8, "256", "512", "256", "512", true},
        {131072, 8, "1024", "128", "513", "128", false},
        {526338, 16, "600", "999999999999", "513", "513", true},
        {1026, 16, "513", "1", "513", "1", true},
        {1026, 16, "0513", "001", "0513", "001", true},
        {0, 8, "0", "0", "0", "0", false},
        {6, 16, "3", "1", "3", "1", true},
        {6, 16, "1", "3", "1", "3", true},
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

TEST(RawFiles, LargestFileProposes513AndLoads)
{
    TestHost host;
    TempDir dir;
    RawDialogScript script;
    script.Install(host);
    std::vector<int32_t> samples(513 * 513);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int32_t>((i * 31) % 65536);
    samples[0] = 65535;
    WriteFileBytes(dir / "big.r16", U16Bytes(samples));
    ASSERT_TRUE(OpenFileByType(dir / "big.r16"));
    EXPECT_EQ(script.seenLength, 526338);
    EXPECT_EQ(script.seenBits, 16);
    EXPECT_EQ(HeightmapWidth(), 513);
    EXPECT_EQ(CurrentGrid(), samples);
    EXPECT_EQ(FormatCode(), FmtRaw16);
    EXPECT_TRUE(host.messages.empty());
    // The slots are cleared for the next dialog.
    EXPECT_TRUE(GetDialogParam(1).IsEmpty());
    EXPECT_TRUE(GetDialogResult(1).IsEmpty());
}

TEST(RawFiles, TooLargeIsRefusedBeforeTheDialog)
{
    struct Row {
        const char* name;
        int64_t length;
        std::string message;
    };
    const Row rows[] = {
        {"x.raw", 263170, "The specified RAW8 file size is too large.\r\nThe maximum supported size is 513x513 which is "
                          "263169 bytes."},
        {"x.r16", 526340, "The specified RAW16 file size is too large.\r\nThe maximum supported size is 513x513 which "
                          "is 526338 bytes."},
        {"x.r32", 1052677, "The specified RAW32 file size is too large.\r\nThe maximum supported size is 513x513 "
                           "which is 1052676 bytes."},
    };
    TempDir dir;
    for (const Row& r : rows) {
        TestHost host;
        LoadGrid(1, 1, {4}, FmtHmb);
        WriteFileBytes(dir / r.name, std::vector<uint8_t>(static_cast<size_t>(r.length), 1));
        EXPECT_FALSE(OpenFileByType(dir / r.name));
        EXPECT_TRUE(host.dialogs.empty()) << r.name;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind, "info");
        EXPECT_EQ(host.messages[0].text, r.message);
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{4});
        EXPECT_EQ(FormatCode(), FmtHmb);
    }
}

TEST(RawFiles, EmptyFileIsRefusedBeforeTheDialog)
{
    TempDir dir;
    for (const char* name : {"e.raw", "e.r16", "e.r32"}) {
        TestHost host;
        WriteFileBytes(dir / name, {});
        EXPECT_FALSE(OpenFileByType(dir / name));
        EXPECT_TRUE(host.dialogs.empty());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind, "warning");
        const std::string kind = name[3] == 'a' ? "RAW8" : name[3] == '1' ? "RAW16" : "RAW32";
        EXPECT_EQ(host.messages[0].text,
                  "The specified " + kind + " file is empty.\r\nThere is no heightmap data to load.");
        EXPECT_FALSE(HeightmapLoaded());
    }
}

TEST(RawFiles, CancelledDialogChangesNothing)
{
    TestHost host;
    TempDir dir;
    RawDialogScript script; // 65 x 65 is not proposed, so the script cancels
    script.Install(host);
    LoadGrid(2, 1, {5, 6}, FmtHma);
    WriteFileBytes(dir / "c.r16", std::vector<uint8_t>(8450, 0));
    EXPECT_FALSE(LoadRaw16File(dir / "c.r16"));
    EXPECT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(script.shown.width, "0");
    EXPECT_FALSE(script.shown.okEnabled);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(FormatCode(), FmtHma);
}

TEST(RawFiles, TypedSizeLoads)
{
    TestHost host;
    TempDir dir;
    RawDialogScript script("65", "65");
    script.Install(host);
    std::vector<int32_t> samples(65 * 65);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int32_t>(i);
    WriteFileBytes(dir / "t.r16", U16Bytes(samples));
    ASSERT_TRUE(LoadRaw16File(dir / "t.r16"));
    EXPECT_EQ(CurrentGrid(), samples);
    EXPECT_EQ(GetAltitude(65, 1), 64);
    EXPECT_EQ(GetAltitude(1, 2), 65);
}

TEST(RawFiles, EightBitSamplesAreUnscaledAndRowsTopFirst)
{
    TestHost host;
    TempDir dir;
    RawDialogScript script("3", "2");
    script.Install(host);
    WriteFileBytes(dir / "e.raw", {200, 0, 255, 1, 2, 3});
    ASSERT_TRUE(OpenFileByType(dir / "e.raw"));
    EXPECT_EQ(script.seenBits, 8);
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{200, 0, 255, 1, 2, 3}));
    EXPECT_EQ(FormatCode(), FmtRaw8);
    EXPECT_EQ(MaxAltitude(), 255);
}

TEST(RawFiles, ThirtyTwoBitSamplesAreScaledRoundedAndClamped)
{
    TestHost host;
    TempDir dir;
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> samples = {0.0f,       0.25f,      0.5f, 1.0f,      -0.5f, 0.5f / 65536, 1.5f / 65536,
                                        2.5f / 65536, 65535.0f / 65536, 7.0f, std::nanf(""), inf,   -inf,          -0.0f};
    const std::vector<int32_t> want = {0, 16384, 32768, 65535, 0, 0, 2, 2, 65535, 65535, 0, 65535, 0, 0};
    RawDialogScript script("7", "2");
    script.Install(host);
    WriteFileBytes(dir / "f.r32", F32Bytes(samples));
    ASSERT_TRUE(OpenFileByType(dir / "f.r32"));
    EXPECT_EQ(script.seenBits, 32);
    EXPECT_EQ(CurrentGrid(), want);
    EXPECT_EQ(FormatCode(), FmtRaw32);
}

TEST(RawFiles, AnswerThatDoesNotFillTheFileIsRefused)
{
    TempDir dir;
    WriteFileBytes(dir / "m.r16", std::vector<uint8_t>(12, 0));
    for (auto [w, h] : {std::pair{"0", "6"}, {"2", "2"}, {"6", "0"}, {"", "x"}, {"-3", "-2"}}) {
        TestHost host;
        host.onDialog = [w, h](DialogId) { // a host that skips the dialog's rules
            SetDialogResult(1, std::string(w));
            SetDialogResult(2, std::string(h));
            SetDialogCancelled(false);
        };
        LoadGrid(1, 1, {3});
        EXPECT_FALSE(LoadRaw16File(dir / "m.r16"));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].kind, "warning");
        EXPECT_EQ(host.messages[0].text.rfind("Invalid raw heightmap dimensions: ", 0), 0u) << host.messages[0].text;
        EXPECT_NE(host.messages[0].text.find("account for all 12 bytes of the file."), std::string::npos);
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{3});
    }
}

TEST(RawFiles, FileShrinkingUnderTheDialogIsAnErrorReport)
{
    TestHost host;
    TempDir dir;
    const std::string path = dir / "s.raw";
    WriteFileBytes(path, std::vector<uint8_t>(256, 9));
    host.onDialog = [&](DialogId) {
        WriteFileBytes(path, std::vector<uint8_t>(10, 9));
        SetDialogResult(1, "16");
        SetDialogResult(2, "16");
        SetDialogCancelled(false);
    };
    LoadGrid(1, 1, {3}, FmtHmb);
    EXPECT_FALSE(LoadRaw8File(path));
    EXPECT_EQ(host.OnlyText(), "An error occurred loading the Raw 8-bit Binary Heightmap file.\r\n\r\nError Number: "
                               "62\r\nInput past end of file");
    EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{3});
    EXPECT_EQ(FormatCode(), FmtHmb);
}

TEST(RawFiles, MissingFileIsAnErrorReport)
{
    TestHost host;
    TempDir dir;
    EXPECT_FALSE(LoadRaw32File(dir / "none.r32"));
    EXPECT_EQ(host.OnlyText(), "An error occurred loading the Raw 32-bit Binary Heightmap file.\r\n\r\nError Number: "
                               "53\r\nFile not found");
    EXPECT_TRUE(host.dialogs.empty());
}

TEST(RawFiles, EveryLengthEitherLoadsExactlyOrIsRefused)
{
    TempDir dir;
    const std::string path = dir / "n.r16";
    for (size_t len = 0; len <= 1100; len += (len < 40 ? 1 : 37)) {
        TestHost host;
        // Type the length as one row when it fits, else as one column.
        const size_t samples = len / 2;
        RawDialogScript script(std::to_string(samples), "1");
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

TEST(RawFiles, R16WriterBytesAndRoundTrips)
{
    TempDir dir;
    {
        TestHost host;
        LoadGrid(3, 2, {0, 32767, 32768, 65535, 65536 + 1, 258});
        ASSERT_TRUE(SaveFileByType(dir / "s.r16"));
        EXPECT_EQ(ReadFileBytes(dir / "s.r16"),
                  (std::vector<uint8_t>{0, 0, 0xFF, 0x7F, 0x00, 0x80, 0xFF, 0xFF, 0x01, 0x00, 0x02, 0x01}));
        EXPECT_EQ(FormatCode(), FmtRaw16);
    }
    for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {2, 3}, {513, 513}, {513, 1}}) {
        TestHost host;
        std::vector<int32_t> samples(static_cast<size_t>(w) * h);
        const int32_t special[] = {0, 32767, 32768, 65535};
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = i < 4 ? special[i] : static_cast<int32_t>((i * 7919) % 65536);
        LoadGrid(w, h, samples);
        ASSERT_TRUE(SaveRaw16File(dir / "rt.r16"));
        RawDialogScript script(std::to_string(w), std::to_string(h));
        script.Install(host);
        ClearHeightmap();
        ASSERT_TRUE(LoadRaw16File(dir / "rt.r16")) << w << " x " << h;
        EXPECT_EQ(HeightmapWidth(), w);
        EXPECT_EQ(HeightmapHeight(), h);
        EXPECT_EQ(CurrentGrid(), samples);
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST(RawFiles, R16WriteFailureIsReported)
{
    TestHost host;
    TempDir dir;
    LoadGrid(100, 100, std::vector<int32_t>(10000, 1), FmtHmb);
    FileWriter::SetFaultAfterBytes(1000);
    EXPECT_FALSE(SaveRaw16File(dir / "f.r16"));
    FileWriter::SetFaultAfterBytes(-1);
    EXPECT_EQ(host.OnlyText(), "An error occurred saving the RAW16 Binary heightmap file.\r\n\r\nError Number: 61\r\n"
                               "Disk full");
    EXPECT_EQ(FormatCode(), FmtHmb);
}
