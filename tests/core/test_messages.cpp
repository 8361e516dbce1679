// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TestHost.h"
#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/vbKeyFilter.h"
#include "shell/vbMsgBox.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

TEST(Messages, KindsCaptionsDefaultButtonsAndThePointer)
{
    TestHost host;
    {
        BusyPointer busy;
        ShowWarning("w");
        ShowInfo("i");
        ShowErrorReport("An error occurred doing it.", RunTimeError(ErrDiskFull));
        EXPECT_TRUE(AskYesNo("q1"));
        EXPECT_FALSE(AskYesNo("q2", true));
        host.Answer({true});
        EXPECT_TRUE(AskYesNo("q3", true));
        EXPECT_FALSE(AskYesNoCaption("Convert?", "Convert to Grayscale", true));
        EXPECT_EQ(host.CurrentPointer(), Pointer::Busy); // back after each box
    }
    EXPECT_EQ(host.CurrentPointer(), Pointer::Default);
    const std::vector<std::tuple<std::string, std::string, bool>> shown = {
        {"warning", "w", false},
        {"info", "i", false},
        {"error", "An error occurred doing it.\r\n\r\nError Number: 61\r\nDisk full", false},
        {"question", "q1", false},
        {"question", "q2", true},
        {"question", "q3", true},
        {"question", "Convert?", true}};
    ASSERT_EQ(host.messages.size(), shown.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        const Recorded& m = host.messages[i];
        EXPECT_EQ(std::tie(m.kind, m.text, m.defaultNo), shown[i]) << i;
        EXPECT_EQ(m.pointer, Pointer::Default) << i; // the arrow over every box
        EXPECT_EQ(m.caption, i == 6 ? "Convert to Grayscale" : "TOLV") << i;
    }
    for (auto [errnum, number] : {std::pair{ENOENT, 53}, {ENOSPC, 61}, {EACCES, 70}, {ENOTDIR, 76}})
        EXPECT_EQ(ErrorFromErrno(errnum).Number(), number) << errnum;
    EXPECT_EQ(RunTimeError(ErrInputPastEnd).Description(), "Input past end of file");
}

// Exchanging values through the slots is exercised by every map command; here the bounds, the
// clearing and the conversions.
TEST(DialogSlots, BoundsClearingAndConversions)
{
    TestHost host;
    SetDialogParam(1, "one");
    SetDialogParam(10, "ten");
    SetDialogParam(0, int32_t(1)); // outside 1..10: ignored
    SetDialogParam(11, int32_t(1));
    SetDialogResult(10, "r10");
    SetDialogResult(11, "r11");
    EXPECT_EQ(std::tuple(GetDialogParam(0).IsEmpty(), GetDialogParam(11).IsEmpty(), GetDialogResult(11).IsEmpty()),
              std::tuple(true, true, true));
    EXPECT_EQ(GetDialogParam(1).AsString() + GetDialogParam(10).AsString() + GetDialogResult(10).AsString(),
              "onetenr10");
    EXPECT_TRUE(DialogCancelled());
    SetDialogCancelled(false);
    EXPECT_FALSE(DialogCancelled());
    ClearDialogParams();
    EXPECT_EQ(std::tuple(GetDialogResult(10).IsEmpty(), GetDialogParam(1).IsEmpty(), DialogCancelled()),
              std::tuple(true, true, true));

    EXPECT_EQ(std::tuple(DialogValue("12.5").AsInt(), DialogValue(2.5f).AsInt(), DialogValue("abc").AsInt()),
              std::tuple(12, 2, 0));
    EXPECT_EQ(DialogValue(int32_t(42)).AsString() + "|" + DialogValue().AsString(), "42|");
    EXPECT_TRUE(DialogValue(true).AsBool());
    EXPECT_FLOAT_EQ(DialogValue("0.5").AsFloat(), 0.5f);
}

TEST(KeyFilters, AcceptedCharacters)
{
    const std::string digits = "0123456789", letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const std::pair<bool (*)(int), std::string> filters[] = {
        {AcceptDigitKey, digits},
        {AcceptDecimalKey, digits + "."}, // a second "." too: the dialog checks the number
        {AcceptFileSpecKey, digits + letters + " -./:\\_"},
        // Every character a web address may hold, and nothing else (no blanks, quotes, "\").
        {AcceptWebAddressKey, digits + letters + "-._~:/?#[]@!$&'()*+,;=%"},
    };
    for (const auto& [accepts, allowed] : filters)
        for (int c = 0; c < 256; ++c)
            EXPECT_EQ(accepts(c), c == 8 || (c > 0 && c < 128 && allowed.find(char(c)) != std::string::npos))
                << allowed << ": " << c;
}

TEST(Numbers, RoundingParsingAndFormats)
{
    for (auto [v, n] : {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.7, -4}, {2147483647.4, 2147483647}})
        EXPECT_EQ(RoundToInt32(v), n) << v;
    EXPECT_THROW(RoundToInt32(3e9), RunTimeError);
    EXPECT_THROW(RoundToInt32(-2147483649.0), RunTimeError);
    double d = 0;
    for (auto [text, value] : {std::pair{"  -1.5e3 ", -1500.0}, {".5", 0.5}, {"+2E+1", 20.0}, {"7.", 7.0}}) {
        EXPECT_TRUE(ParseNumeric(text, d)) << text;
        EXPECT_DOUBLE_EQ(d, value) << text;
    }
    for (const char* bad : {"", " ", "1 2", "1e", "abc", "-", "1.2.3", "0x10", "."})
        EXPECT_FALSE(ParseNumeric(bad, d)) << bad;
    // clang-format off
    for (auto [text, n] : {std::pair{" 12abc", 12}, {"-7", -7}, {"+3", 3}, {"x", 0}, {"99999999999", 2147483647},
                           {"-99999999999", -2147483647 - 1}})
        // clang-format on
        EXPECT_EQ(LeadingInteger(text), n) << text;
    for (auto [n, text] : {std::pair{526370, "526,370"}, {999, "999"}, {1000000, "1,000,000"}, {0, "0"}})
        EXPECT_EQ(FormatThousands(n), text);
    EXPECT_EQ(FormatZeroPad5(42), "00042");
    EXPECT_EQ(FormatOneDecimal(0.25), "0.2");
}
