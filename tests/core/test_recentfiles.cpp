// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "shell/vbPrivateIni.h"
#include "shell/vbRecentFileList.h"

using namespace tolv;
using namespace tolv::test;
using List = std::vector<std::string>;

namespace {

// A fresh list kept in a private ini file, recording every menu refresh.
struct Fixture {
    TestHost host;
    TempDir dir;
    std::vector<RecentFileMenu> menus;

    explicit Fixture(const std::string& ini = "")
    {
        SetSettingsPath(dir / "tolv.ini");
        if (!ini.empty()) WriteFileText(dir / "tolv.ini", ini);
        RflInit([this](const RecentFileMenu& m) { menus.push_back(m); }, 8, RflIniFile);
    }
    ~Fixture() { SetSettingsPath(dir / "unused.ini"); }

    List Entries() const
    {
        List v;
        for (int32_t i = 1; i <= RflCount(); ++i) v.push_back(RflGetItem(i));
        return v;
    }
    std::string Ini() const { return ReadFileText(dir / "tolv.ini"); }
    std::pair<int32_t, int32_t> Display() const
    {
        int32_t mode = -1, length = -1;
        RflGetDisplay(mode, length);
        return {mode, length};
    }
};

std::string P(int i) { return "/maps/p" + std::to_string(i) + ".hmb"; }

} // namespace

TEST(RecentFiles, AddMovesToTheFrontAndRemovePacks)
{
    Fixture f;
    EXPECT_FALSE(f.menus.back().separatorVisible); // empty: no items, no separator
    EXPECT_FALSE(f.menus.back().items[0].visible);
    for (int i = 8; i >= 1; --i) RflAdd(P(i));
    RflAdd(P(1)); // already first: nothing moves
    RflAdd(P(5));
    EXPECT_EQ(f.Entries(), (List{P(5), P(1), P(2), P(3), P(4), P(6), P(7), P(8)}));
    RflAdd(P(9));           // a ninth distinct path pushes out the oldest
    RflAdd("/MAPS/P9.hmb"); // case-sensitive
    RflAdd("");
    EXPECT_EQ(f.Entries(), (List{"/MAPS/P9.hmb", P(9), P(5), P(1), P(2), P(3), P(4), P(6)}));
    EXPECT_EQ(RflGetItem(0) + RflGetItem(9), "");
    EXPECT_TRUE(f.Ini().empty()); // adding alone saves nothing

    f.menus.clear();
    RflRemove(P(9));
    RflRemove("/MAPS/P9.hmb");
    RflRemove("/not/listed"); // changes nothing, not even the menu
    EXPECT_EQ(f.Entries(), (List{P(5), P(1), P(2), P(3), P(4), P(6), "", ""}));
    EXPECT_EQ(f.menus.size(), 2u);
    EXPECT_FALSE(f.menus.back().items[6].visible);
}

TEST(RecentFiles, CompactPath)
{
    const struct {
        std::string path;
        int32_t length;
        std::string shown;
    } rows[] = {
        {"C:\\Data\\Maps\\terrain.hmb", 20, "C:\\D...\\terrain.hmb"},
        {"C:\\Data\\Maps\\terrain.hmb", 24, "C:\\Data\\Maps\\terrain.hmb"},
        {"C:\\Data\\Maps\\terrain.hmb", 3, "..."},
        {"C:\\Data\\Maps\\terrain.hmb", 1, "."},
        {"C:\\Data\\Maps\\terrain.hmb", 4, "C:\\."},
        {"C:\\Data\\Maps\\terrain.hmb", 6, "C:\\..."},
        {"C:\\Data\\Maps\\terrain.hmb", 7, "C:\\...\\"},
        {"/home/someone/terrain/projects/2026/winter/a/map.hmb", 32, "/ho.../map.hmb"},
        {"C:\\Program Files\\Heightmap\\Mountains\\Alps\\Region\\a.hmb", 32, "C:\\...\\a.hmb"},
        // File names longer than their folder: kept whole while they fit, else cut.
        {"C:\\maps\\terrain_north_ridge.hmb", 29, "C:...\\terrain_north_ridge.hmb"},
        {"/data/terrain.hmb", 16, "/.../terrain.hmb"},
        {"C:\\maps\\terrain_north_ridge.hmb", 24, "C:\\...\\terrain_north_rid"},
        {"nofolderbutaverylongname.hmb", 12, "nofolderb..."},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(CompactPath(r.path, r.length), r.shown) << r.path << " / " << r.length;
        // Whatever the length, a caption is never longer than it, nor than the path.
        for (int32_t length = 1; length <= 60; ++length)
            EXPECT_LE(CompactPath(r.path, length).size(), std::min<size_t>(length, r.path.size()))
                << r.path << " / " << length;
    }
}

TEST(RecentFiles, MenuCaptionsFollowTheDisplayMode)
{
    Fixture f;
    RflAdd("C:\\Data\\Maps\\terrain.hmb");
    RflAdd("/srv/maps/rock&roll.ter");
    const std::string whole = "&1 /srv/maps/rock&&roll.ter|&2 C:\\Data\\Maps\\terrain.hmb";
    const struct {
        int32_t mode, length;
        std::string captions;
        int32_t keptMode, keptLength;
    } rows[] = {
        {RflFileName, 32, "&1 rock&&roll.ter|&2 terrain.hmb", RflFileName, 32},
        {RflFileSpec, 32, whole, RflFileSpec, 32},
        {RflTrimSpec, 20, "&1 /sr.../rock&&roll.ter|&2 C:\\D...\\terrain.hmb", RflTrimSpec, 20},
        {RflTrimSpec, 7, whole, RflTrimSpec, 32},
        {RflTrimSpec, 8, "&1 /sr.../r|&2 C:\\...\\t", RflTrimSpec, 8},
        {RflTrimSpec, 48, whole, RflTrimSpec, 48},
        {RflTrimSpec, 49, whole, RflTrimSpec, 32},
        {3, 20, whole, RflFileSpec, 20}, // bad mode
        {-1, 20, whole, RflFileSpec, 20},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.mode) + " " + std::to_string(r.length));
        f.menus.clear();
        RflSetDisplay(r.mode, r.length);
        ASSERT_EQ(f.menus.size(), 1u);
        const RecentFileMenu& m = f.menus.back();
        EXPECT_EQ(m.items[0].caption + "|" + m.items[1].caption, r.captions);
        EXPECT_EQ(std::tuple(m.menuBase, m.items[1].visible, m.items[2].visible, m.separatorVisible),
                  std::tuple(8, true, false, true));
        EXPECT_EQ(f.Display(), std::pair(r.keptMode, r.keptLength));
    }
    for (auto [k, entry] : {std::pair{8, 1}, {15, 8}, {16, 0}, {7, 0}}) EXPECT_EQ(RflEntryForMenuItem(k), entry) << k;
    EXPECT_TRUE(f.Ini().empty()); // nothing saved
}

TEST(RecentFiles, LoadReadsModesInAnyLetterCaseAndKeepsEachPathOnce)
{
    // A length no caption could use falls back to the default; any other is used as it is (only
    // the settings dialog keeps to 8..48).
    // clang-format off
    const std::tuple<const char*, const char*, int32_t, int32_t> stored[] = {
        {"FILESPEC", "20", RflFileSpec, 20}, {"tRIMsPEC", "-4", RflTrimSpec, 32}, {"Trim", "0", RflFileName, 32},
        {"", "1", RflFileName, 1}, {"trimspec", "100", RflTrimSpec, 100}};
    // clang-format on
    for (const auto& [mode, length, keptMode, keptLength] : stored) {
        Fixture f(std::string("[Recent File List]\r\nDisplayMode=") + mode + "\r\nDisplayLength=" + length + "\r\n");
        EXPECT_EQ(f.Display(), std::pair(keptMode, keptLength)) << mode << " " << length;
    }
    Fixture f("[Recent File List]\r\nFile1=/x/a.hmb\r\nFile2=/x/b.hmb\r\nFile3=/x/a.hmb\r\nFile5=/x/c.hmb\r\n"
              "File6=/x/b.hmb\r\nFile8=/X/A.hmb\r\nFile9=/x/d.hmb\r\n");
    EXPECT_EQ(f.Entries(), (List{"/x/a.hmb", "/x/b.hmb", "/x/c.hmb", "/X/A.hmb", "", "", "", ""}));
    EXPECT_TRUE(f.menus.back().items[3].visible);
    EXPECT_FALSE(f.menus.back().items[4].visible);
    RflRemove("/x/b.hmb"); // one removal takes the path off the menu
    EXPECT_EQ(RflMenu().items[1].caption + "|" + RflMenu().items[2].caption, "&2 c.hmb|&3 A.hmb");
}

TEST(RecentFiles, SaveAndLoadRoundTrip)
{
    Fixture f;
    RflAdd("/x/one.hmb");
    RflAddAndSave("/x/two.ter");
    EXPECT_EQ(f.Ini(), "[Recent File List]\r\nDisplayMode=FileName\r\nDisplayLength=32\r\nFile1=/x/two.ter\r\n"
                       "File2=/x/one.hmb\r\nFile3=\r\nFile4=\r\nFile5=\r\nFile6=\r\nFile7=\r\nFile8=\r\n");
    RflSetDisplay(RflTrimSpec, 40);
    RflSave();
    RflInit(nullptr, -3, RflIniFile); // a negative base becomes 0
    EXPECT_EQ(RflMenu().menuBase, 0);
    EXPECT_EQ(f.Entries(), (List{"/x/two.ter", "/x/one.hmb", "", "", "", "", "", ""}));
    EXPECT_EQ(f.Display(), std::pair(int32_t(RflTrimSpec), 40));

    // The other stores do not exist here: they read as the defaults and write nothing.
    RflInit(nullptr, 8, RflRegistry);
    EXPECT_EQ(RflGetItem(1), "");
    RflAddAndSave("/x/three.hmb");
    EXPECT_EQ(f.Ini().find("three"), std::string::npos);
}

TEST(RecentFiles, MissingFileQuestion)
{
    for (bool yes : {false, true}) {
        Fixture f;
        WriteFileText(f.dir / "here.hmb", "x");
        for (const char* name : {"later.hmb", "gone.hmb", "here.hmb"}) RflAdd(f.dir / name);
        RflSave();
        f.host.SetPointer(Pointer::Busy);
        EXPECT_TRUE(RflCheckItem(1));
        EXPECT_FALSE(RflCheckItem(0));
        EXPECT_FALSE(RflCheckItem(9));
        EXPECT_TRUE(f.host.messages.empty());

        f.host.Answer({yes});
        EXPECT_FALSE(RflCheckItem(2));
        const List listed = {f.dir / "here.hmb", f.dir / "gone.hmb", f.dir / "later.hmb"};
        EXPECT_EQ(f.host.Said(),
                  "question: This Recent File has been Moved or Deleted or is currently Unavailable:\r\n\r\n\"" +
                      listed[1] +
                      "\"\r\n\r\nUnable to open the specified file.\r\n"
                      "Would you like to remove it from the Recent Files List?");
        EXPECT_EQ(f.host.messages[0].caption, "TOLV");
        EXPECT_EQ(f.host.CurrentPointer(), Pointer::Busy);
        List entries = f.Entries();
        entries.resize(3);
        EXPECT_EQ(entries, (yes ? List{listed[0], listed[2], ""} : listed));
        EXPECT_EQ(f.Ini().find("gone.hmb") == std::string::npos, yes); // a removal is saved at once
    }
    Fixture f; // a folder is not a file
    RflAdd(f.dir.Path());
    f.host.Answer({false});
    EXPECT_FALSE(RflCheckItem(1));
    EXPECT_EQ(f.host.Count("question"), 1u);
}

TEST(RecentFiles, TrimLengthNormalisation)
{
    const std::pair<const char*, const char*> rows[] = {{"5", "8"}, {"7", "8"},    {"100", "48"}, {"49", "48"},
                                                        {"", "32"}, {"abc", "32"}, {"8", "8"},    {"48", "48"}};
    for (auto [typed, shown] : rows) EXPECT_EQ(NormaliseTrimLength(typed), shown) << typed;
}
