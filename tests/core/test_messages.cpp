// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <string_view>

#include "TestHost.h"
#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/vbKeyFilter.h"
#include "shell/vbMsgBox.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

namespace {

// Records the pointer each box was shown with.
class PointerHost : public TestHost {
public:
    void ShowMessage(MessageKind k, const std::string& t, const std::string& c, int h) override
    {
        seen.push_back(CurrentPointer());
        TestHost::ShowMessage(k, t, c, h);
    }
    std::vector<Pointer> seen;
};

} // namespace

TEST(Messages, CaptionKindAndErrorLayout)
{
    TestHost host;
    ShowWarning("w");
    ShowInfo("i");
    ShowErrorReport("An error occurred doing it.", RunTimeError(ErrDiskFull));
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].kind, "warning");
    EXPECT_EQ(host.messages[1].kind, "info");
    EXPECT_EQ(host.messages[2].kind, "error");
    for (const Recorded& m : host.messages) EXPECT_EQ(m.caption, "TOLV");
    EXPECT_EQ(host.messages[2].text, "An error occurred doing it.\r\n\r\nError Number: 61\r\nDisk full");
}

TEST(Messages, QuestionsUseTheDefaultButtonAndTheirCaption)
{
    TestHost host;
    EXPECT_TRUE(AskYesNo("q1"));
    EXPECT_FALSE(AskYesNo("q2", true));
    host.Answer({true});
    EXPECT_TRUE(AskYesNo("q3", true));
    EXPECT_FALSE(AskYesNoCaption("Convert?", "Convert to Grayscale", true));
    EXPECT_EQ(host.messages[3].caption, "Convert to Grayscale");
    EXPECT_TRUE(host.messages[1].defaultNo);
}

TEST(Messages, ArrowWhileShownThenThePreviousPointer)
{
    PointerHost host;
    {
        BusyPointer busy;
        ShowWarning("while busy");
        EXPECT_EQ(host.CurrentPointer(), Pointer::Busy);
    }
    EXPECT_EQ(host.CurrentPointer(), Pointer::Default);
    ASSERT_EQ(host.seen.size(), 1u);
    EXPECT_EQ(host.seen[0], Pointer::Default);
}

TEST(Messages, ErrnoMapping)
{
    for (auto [errnum, number] : {std::pair{ENOENT, 53}, {ENOSPC, 61}, {EACCES, 70}, {ENOTDIR, 76}})
        EXPECT_EQ(ErrorFromErrno(errnum).Number(), number) << errnum;
    EXPECT_EQ(RunTimeError(ErrInputPastEnd).Description(), "Input past end of file");
}

// Exchanging values through the slots is exercised by every map command; here the bounds, the
// clearing and the conversions.
TEST(DialogSlots, BoundsClearingAndConversions)
{
    TestHost host;
    SetDialogParam(10, "ten");
    SetDialogParam(0, int32_t(1)); // outside 1..10: ignored
    SetDialogParam(11, int32_t(1));
    EXPECT_TRUE(GetDialogParam(0).IsEmpty());
    EXPECT_TRUE(GetDialogParam(11).IsEmpty());
    EXPECT_EQ(GetDialogParam(10).AsString(), "ten");
    SetDialogResult(2, int32_t(14));
    SetDialogCancelled(false);
    ClearDialogParams();
    EXPECT_TRUE(GetDialogResult(2).IsEmpty());
    EXPECT_TRUE(GetDialogParam(10).IsEmpty());
    EXPECT_TRUE(DialogCancelled());

    EXPECT_EQ(DialogValue("12.5").AsInt(), 12);
    EXPECT_EQ(DialogValue(2.5f).AsInt(), 2);
    EXPECT_EQ(DialogValue("abc").AsInt(), 0);
    EXPECT_TRUE(DialogValue(true).AsBool());
    EXPECT_FLOAT_EQ(DialogValue("0.5").AsFloat(), 0.5f);
    EXPECT_EQ(DialogValue(int32_t(42)).AsString(), "42");
    EXPECT_EQ(DialogValue().AsString(), "");
}

TEST(KeyFilters, AcceptedCharacters)
{
    for (int c = 0; c < 128; ++c) {
        const bool digit = c >= '0' && c <= '9';
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        EXPECT_EQ(AcceptDigitKey(c), digit || c == 8) << c;
        EXPECT_EQ(AcceptDecimalKey(c), digit || c == 8 || c == '.') << c;
        const bool path = digit || letter || c == 8 || c == '-' || c == '.' || c == '/' || c == ':' || c == '_';
        EXPECT_EQ(AcceptFileSpecKey(c), path || c == ' ' || c == '\\') << c;
        // Every character a web address may hold, and nothing else (no blanks, quotes, "\\").
        const bool web = c > ' ' && c < 127 && std::string_view("\"<>\\^`{|}").find(char(c)) == std::string_view::npos;
        EXPECT_EQ(AcceptWebAddressKey(c), web || c == 8) << c;
    }
}

TEST(Numbers, RoundingAndParsing)
{
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(3.5), 4);
    EXPECT_EQ(RoundToInt32(-2.5), -2);
    EXPECT_THROW(RoundToInt32(3e9), RunTimeError);
    double d = 0;
    EXPECT_TRUE(ParseNumeric("  -1.5e3 ", d));
    EXPECT_DOUBLE_EQ(d, -1500);
    EXPECT_TRUE(ParseNumeric(".5", d));
    for (const char* bad : {"", " ", "1 2", "1e", "abc", "-", "1.2.3", "0x10"}) EXPECT_FALSE(ParseNumeric(bad, d)) << bad;
    for (auto [n, text] : {std::pair{526370, "526,370"}, {999, "999"}, {1000000, "1,000,000"}})
        EXPECT_EQ(FormatThousands(n), text);
    EXPECT_EQ(FormatZeroPad5(42), "00042");
    EXPECT_EQ(FormatOneDecimal(0.25), "0.2");
}
