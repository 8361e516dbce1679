// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "shell/vbPrivateIni.h"
#include "shell/vbWebLinks.h"

using namespace tolv;
using namespace tolv::test;

TEST(WebLinks, FreshFileGivesDefaultsButAnEmptySavedListStaysEmpty)
{
    TempDir dir;
    SettingsStore store(dir / "tolv.ini");
    EXPECT_EQ(LoadWebLinks(store), DefaultWebLinks());
    ASSERT_FALSE(DefaultWebLinks().empty());

    SaveWebLinks(store, {});
    EXPECT_TRUE(LoadWebLinks(store).empty());
}

TEST(WebLinks, RoundTripKeepsOrderAndClearsStaleEntries)
{
    TempDir dir;
    SettingsStore store(dir / "tolv.ini");
    std::vector<WebLink> many;
    for (int i = 1; i <= 8; ++i) many.push_back({"&Link " + std::to_string(i), "example.org/" + std::to_string(i)});
    SaveWebLinks(store, many);
    EXPECT_EQ(LoadWebLinks(store), many);

    std::vector<WebLink> two = {{"B=b", "https://b.example/x"}, {"A", "a.example"}};
    SaveWebLinks(store, two);
    EXPECT_EQ(LoadWebLinks(store), two);
    EXPECT_EQ(store.IniGetString(kWebLinksSection, "Caption3", "?"), "");
    EXPECT_EQ(store.IniGetString(kWebLinksSection, "Address8", "?"), "");
}

TEST(WebLinks, LoadSkipsBrokenEntriesAndReadsAtMostEight)
{
    TempDir dir;
    SettingsStore store(dir / "tolv.ini");
    store.IniPutInteger(kWebLinksSection, "Count", 12);
    for (int n = 1; n <= 12; ++n) {
        store.IniPutString(kWebLinksSection, "Caption" + std::to_string(n), n == 2 ? "" : "C" + std::to_string(n));
        store.IniPutString(kWebLinksSection, "Address" + std::to_string(n), n == 4 ? " " : "a" + std::to_string(n));
    }
    std::vector<WebLink> links = LoadWebLinks(store);
    ASSERT_EQ(links.size(), 6u); // 1..8 without 2 and 4
    EXPECT_EQ(links.front().caption, "C1");
    EXPECT_EQ(links.back().caption, "C8");
}

TEST(WebLinks, EditorCheckAndMoves)
{
    struct Row {
        WebLink link;
        bool ok;
    } rows[] = {
        {{"&Home", "example.org"}, true},
        {{"  ", "example.org"}, false},
        {{"-", "example.org"}, false},
        {{"Home", ""}, false},
    };
    for (const Row& r : rows) EXPECT_EQ(CheckWebLink(r.link).empty(), r.ok) << r.link.caption << "|" << r.link.address;

    std::vector<WebLink> l = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
    EXPECT_EQ(MoveWebLink(l, 0, -1), 0);
    EXPECT_EQ(MoveWebLink(l, 2, +1), 2);
    EXPECT_EQ(MoveWebLink(l, 2, -1), 1);
    EXPECT_EQ(l[1].caption, "c");
    EXPECT_EQ(l[2].caption, "b");
    EXPECT_EQ(MoveWebLink(l, 5, -1), 5);
}
