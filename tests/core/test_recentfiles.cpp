// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "shell/vbPrivateIni.h"
#include "shell/vbRecentFileList.h"

using namespace tolv;
using tolv::test::TempDir;
using tolv::test::TestHost;

namespace {

// A fresh list kept in a private ini file, recording every menu refresh.
struct Fixture {
    TestHost host;
    TempDir dir;
    std::vector<RecentFileMenu> menus;

    explicit Fixture(const std::string& ini = "")
    {
        SetSettingsPath(dir / "tolv.ini");
        if (!ini.empty()) tolv::test::WriteFileText(dir / "tolv.ini", ini);
        RflInit([this](const RecentFileMenu& m) { menus.push_back(m); }, 8, RflIniFile);
    }
    ~Fixture() { SetSettingsPath(dir / "unused.ini"); }

    std::vector<std::string> Entries() const
    {
        std::vector<std::string> v;
        for (int32_t i = 1; i <= RflCount(); ++i) v.push_back(RflGetItem(i));
        return v;
    }
    void Fill(int n)
    {
        for (int i = n; i >= 1; --i) RflAdd("/maps/p" + std::to_string(i) + ".hmb"); // p1 ends first
    }
};

std::string P(int i) { return "/maps/p" + std::to_string(i) + ".hmb"; }

} // namespace

TEST(RecentFiles, AddMovesToTheFront)
{
    Fixture f;
    f.Fill(8);
    EXPECT_EQ(f.Entries(), (std::vector<std::string>{P(1), P(2), P(3), P(4), P(5), P(6), P(7), P(8)}));

    RflAdd(P(5));
    EXPECT_EQ(f.Entries(), (std::vector<std::string>{P(5), P(1), P(2), P(3), P(4), P(6), P(7), P(8)}));

    RflAdd("/maps/new.hmb"); // a ninth distinct path pushes out the oldest
    EXPECT_EQ(f.Entries(), (std::vector<std::string>{"/maps/new.hmb", P(5), P(1), P(2), P(3), P(4), P(6), P(7)}));

    RflAdd("/MAPS/NEW.hmb"); // case-sensitive
    EXPECT_EQ(f.Entries()[0], "/MAPS/NEW.hmb");
    EXPECT_EQ(f.Entries()[1], "/maps/new.hmb");

    RflAdd("");
    EXPECT_EQ(f.Entries()[0], "/MAPS/NEW.hmb");
    EXPECT_EQ(RflGetItem(0), "");
    EXPECT_EQ(RflGetItem(9), "");
    EXPECT_EQ(RflCount(), 8);
}

TEST(RecentFiles, RemovePacksTheList)
{
    Fixture f;
    f.Fill(4);
    f.menus.clear();
    RflRemove(P(2));
    EXPECT_EQ(f.Entries(), (std::vector<std::string>{P(1), P(3), P(4), "", "", "", "", ""}));
    EXPECT_EQ(f.menus.size(), 1u);
    RflRemove("/not/listed");
    EXPECT_EQ(f.Entries()[2], P(4));
}

TEST(RecentFiles, CompactPath)
{
    struct Row {
        std::string path;
        int32_t length;
        std::string shown;
    } rows[] = {
        {"C:\\Data\\Maps\\terrain.hmb", 20, "C:\\D...\\terrain.hmb"},
        {"C:\\Data\\Maps\\terrain.hmb", 24, "C:\\Data\\Maps\\terrain.hmb"},
        {"C:\\Data\\Maps\\terrain.hmb", 3, "..."},
        {"C:\\Data\\Maps\\terrain.hmb", 1, "."},
        {"C:\\Data\\Maps\\terrain.hmb", 5, "C:\\.."},
        {"C:\\Data\\Maps\\terrain.hmb", 6, "C:\\..."},
        {"C:\\Data\\Maps\\terrain.hmb", 8, "C:\\...\\t"},
        {"/home/someone/terrain/projects/2026/winter/a/map.hmb", 32, "/ho.../map.hmb"},
        {"C:\\Program Files\\Heightmap\\Mountains\\Alps\\Region\\a.hmb", 32, "C:\\...\\a.hmb"},
        {"/home/someone/terrain/projects/2026/winter/levels/a/mountains.hmb", 32, "/ho.../mountains.hmb"},
        // File names longer than their folder: kept whole while they fit, else cut.
        {"C:\\maps\\terrain_north_ridge.hmb", 29, "C:...\\terrain_north_ridge.hmb"},
        {"/data/terrain.hmb", 16, "/.../terrain.hmb"},
        {"C:\\maps\\terrain_north_ridge.hmb", 24, "C:\\...\\terrain_north_rid"},
        {"/a/verylongfilenamexxxxxxxxxxxxxxxxxxxxxxxxx.hmb", 32, "/a/.../verylongfilenamexxxxxxxxx"},
        {"nofolderbutaverylongname.hmb", 12, "nofolderb..."},
    };
    for (const Row& r : rows) EXPECT_EQ(CompactPath(r.path, r.length), r.shown) << r.path << " / " << r.length;
    // Whatever the length, a caption is never longer than it, nor than the path.
    for (const Row& r : rows)
        for (int32_t length = 1; length <= 60; ++length)
            EXPECT_LE(CompactPath(r.path, length).size(), std::min<size_t>(length, r.path.size()))
                << r.path << " / " << length;
}

TEST(RecentFiles, MenuCaptionsFollowTheDisplayMode)
{
    Fixture f;
    RflAdd("C:\\Data\\Maps\\terrain.hmb");
    RflAdd("/srv/maps/rock&roll.ter");
    struct Row {
        int32_t mode, length;
        std::string first, second;
    } rows[] = {
        {RflFileName, 32, "&1 rock&&roll.ter", "&2 terrain.hmb"},
        {RflFileSpec, 32, "&1 /srv/maps/rock&&roll.ter", "&2 C:\\Data\\Maps\\terrain.hmb"},
        {RflTrimSpec, 20, "&1 /sr.../rock&&roll.ter", "&2 C:\\D...\\terrain.hmb"},
        {7, 20, "&1 /srv/maps/rock&&roll.ter", "&2 C:\\Data\\Maps\\terrain.hmb"}, // bad mode: full path
    };
    for (const Row& r : rows) {
        f.menus.clear();
        RflSetDisplay(r.mode, r.length);
        ASSERT_EQ(f.menus.size(), 1u);
        const RecentFileMenu& m = f.menus.back();
        EXPECT_EQ(m.menuBase, 8);
        EXPECT_EQ(m.items[0].caption, r.first);
        EXPECT_EQ(m.items[1].caption, r.second);
        EXPECT_TRUE(m.items[1].visible);
        EXPECT_FALSE(m.items[2].visible);
        EXPECT_TRUE(m.separatorVisible);
    }
    int32_t mode = 0, length = 0;
    RflSetDisplay(RflTrimSpec, 7);
    RflGetDisplay(mode, length);
    EXPECT_EQ(mode, RflTrimSpec);
    EXPECT_EQ(length, 32);
    RflSetDisplay(RflTrimSpec, 48);
    RflGetDisplay(mode, length);
    EXPECT_EQ(length, 48);
}

TEST(RecentFiles, EmptyListHidesItemsAndSeparator)
{
    Fixture f;
    ASSERT_FALSE(f.menus.empty());
    const RecentFileMenu& m = f.menus.back();
    for (const auto& item : m.items) EXPECT_FALSE(item.visible);
    EXPECT_FALSE(m.separatorVisible);
    EXPECT_EQ(RflEntryForMenuItem(8), 1);
    EXPECT_EQ(RflEntryForMenuItem(15), 8);
    EXPECT_EQ(RflEntryForMenuItem(16), 0);
    EXPECT_EQ(RflEntryForMenuItem(7), 0);
}

TEST(RecentFiles, LoadReadsDisplayModesInAnyLetterCase)
{
    struct Row {
        std::string stored;
        int32_t mode;
    } rows[] = {{"FILESPEC", RflFileSpec}, {"tRIMsPEC", RflTrimSpec}, {"Trim", RflFileName}, {"", RflFileName}};
    for (const Row& r : rows) {
        Fixture f("[Recent File List]\r\nDisplayMode=" + r.stored + "\r\nDisplayLength=20\r\nFile1=/x/a.hmb\r\nFile3=/x/c.hmb\r\n");
        int32_t mode = -1, length = 0;
        RflGetDisplay(mode, length);
        EXPECT_EQ(mode, r.mode) << r.stored;
        EXPECT_EQ(length, 20);
        EXPECT_EQ(RflGetItem(1), "/x/a.hmb");
    }
    // A length no caption could use falls back to the default.
    Fixture bad("[Recent File List]\r\nDisplayLength=-4\r\n");
    int32_t mode = -1, length = 0;
    RflGetDisplay(mode, length);
    EXPECT_EQ(length, 32);
    EXPECT_EQ(mode, RflFileName);
    // Any other stored length is used as it is; only the settings dialog keeps to 8..48.
    Fixture wide("[Recent File List]\r\nDisplayMode=trimspec\r\nDisplayLength=100\r\nFile1=/x/a.hmb\r\n");
    RflGetDisplay(mode, length);
    EXPECT_EQ(length, 100);
    EXPECT_EQ(RflMenu().items[0].caption, "&1 /x/a.hmb");
}

TEST(RecentFiles, LoadKeepsEachPathOnceAndPacksTheList)
{
    Fixture f("[Recent File List]\r\nFile1=/x/a.hmb\r\nFile2=/x/b.hmb\r\nFile3=/x/a.hmb\r\nFile5=/x/c.hmb\r\n"
              "File6=/x/b.hmb\r\nFile8=/X/A.hmb\r\n");
    EXPECT_EQ(f.Entries(), (std::vector<std::string>{"/x/a.hmb", "/x/b.hmb", "/x/c.hmb", "/X/A.hmb", "", "", "", ""}));
    EXPECT_TRUE(f.menus.back().items[3].visible);
    EXPECT_FALSE(f.menus.back().items[4].visible);
    RflRemove("/x/b.hmb"); // one removal takes the path off the menu
    EXPECT_EQ(f.Entries()[1], "/x/c.hmb");
    EXPECT_EQ(RflMenu().items[2].caption, "&3 A.hmb");
}

TEST(RecentFiles, SaveAndLoadRoundTrip)
{
    Fixture f;
    RflAdd("/x/one.hmb");
    RflAddAndSave("/x/two.ter");
    RflSetDisplay(RflTrimSpec, 40);
    RflSave();
    const std::string ini = tolv::test::ReadFileText(f.dir / "tolv.ini");
    for (const char* line : {"[Recent File List]\r\n", "DisplayMode=TrimSpec\r\n", "DisplayLength=40\r\n",
                             "File1=/x/two.ter\r\n", "File2=/x/one.hmb\r\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << line;

    RflInit(nullptr, -3, RflIniFile); // a negative base becomes 0
    EXPECT_EQ(RflMenu().menuBase, 0);
    EXPECT_EQ(RflGetItem(1), "/x/two.ter");
    EXPECT_EQ(RflGetItem(2), "/x/one.hmb");
    int32_t mode = 0, length = 0;
    RflGetDisplay(mode, length);
    EXPECT_EQ(mode, RflTrimSpec);
    EXPECT_EQ(length, 40);

    // The other stores do not exist here: they read as the defaults and write nothing.
    RflInit(nullptr, 8, RflRegistry);
    EXPECT_EQ(RflGetItem(1), "");
    RflAdd("/x/three.hmb");
    RflSave();
    EXPECT_EQ(tolv::test::ReadFileText(f.dir / "tolv.ini").find("three"), std::string::npos);
}

TEST(RecentFiles, MissingFileQuestion)
{
    for (bool yes : {false, true}) {
        Fixture f;
        tolv::test::WriteFileText(f.dir / "here.hmb", "x");
        RflAdd(f.dir / "later.hmb");
        RflAdd(f.dir / "gone.hmb");
        RflAdd(f.dir / "here.hmb");
        RflSave();
        f.host.SetPointer(Pointer::Busy);

        EXPECT_TRUE(RflCheckItem(1));
        EXPECT_FALSE(RflCheckItem(0));
        EXPECT_FALSE(RflCheckItem(9));
        EXPECT_TRUE(f.host.messages.empty());

        f.host.Answer({yes});
        EXPECT_FALSE(RflCheckItem(2));
        ASSERT_EQ(f.host.messages.size(), 1u);
        const auto& q = f.host.messages[0];
        EXPECT_EQ(q.kind, "question");
        EXPECT_EQ(q.caption, "TOLV");
        EXPECT_EQ(q.text, "This Recent File has been Moved or Deleted or is currently Unavailable:\r\n\r\n\"" +
                              (f.dir / "gone.hmb") +
                              "\"\r\n\r\nUnable to open the specified file.\r\nWould you like to remove it from the "
                              "Recent Files List?");
        EXPECT_EQ(f.host.CurrentPointer(), Pointer::Busy);
        std::vector<std::string> e = f.Entries();
        e.resize(3);
        using List = std::vector<std::string>;
        EXPECT_EQ(e, (yes ? List{f.dir / "here.hmb", f.dir / "later.hmb", ""}
                          : List{f.dir / "here.hmb", f.dir / "gone.hmb", f.dir / "later.hmb"}));
        // a removal is saved at once
        EXPECT_EQ(tolv::test::ReadFileText(f.dir / "tolv.ini").find("gone.hmb") == std::string::npos, yes);
    }
    Fixture f; // a folder is not a file
    RflAdd(f.dir.Path());
    f.host.Answer({false});
    EXPECT_FALSE(RflCheckItem(1));
    EXPECT_EQ(f.host.Count("question"), 1u);
}

TEST(RecentFiles, TrimLengthNormalisation)
{
    const std::pair<const char*, const char*> rows[] = {{"5", "8"},   {"100", "48"}, {"", "32"}, {"abc", "32"},
                                                        {"8", "8"}, {"48", "48"},  {"20", "20"}};
    for (auto [typed, shown] : rows) EXPECT_EQ(NormaliseTrimLength(typed), shown) << typed;
}
