// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Everything kept in the settings file: the store itself, the program settings, the start-up
// checks and the web links.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

#include "DiskFull.h"
#include "TempDir.h"
#include "TestHost.h"
#include "shell/Globals.h"
#include "shell/vbPrivateIni.h"
#include "shell/vbStartup.h"
#include "shell/vbWebLinks.h"

using namespace tolv;
using namespace tolv::test;
namespace fs = std::filesystem;

// What the stored program settings (tests/core/data/settings, below) do not show already.
TEST(SettingsStore, ValueConventions)
{
    TempDir dir;
    WriteFileText(dir / "t.ini",
                  "[Options]\r\n Count = 12abc \r\nodd=]\r\nWord=abc\r\nQuoted=\"a b\"\r\nbadf=x1\r\nlong=" +
                      std::string(3000, 'a') + "\n");
    SettingsStore s(dir / "t.ini");
    EXPECT_EQ(std::pair(s.IniGetInteger("options", "count", 5), s.IniGetInteger("Options", "Word", 5)),
              std::pair(12, 0));
    EXPECT_EQ(s.IniGetString("Options", "Quoted", ""), "a b");
    EXPECT_EQ(s.IniGetString("Options", "long", "").size(), 2048u);
    EXPECT_FLOAT_EQ(s.IniGetSingle("Options", "badf", 1.0f), 1.0f);
}

TEST(SettingsStore, PutKeepsHandEditsAndAFailedWriteChangesNothing)
{
    TempDir dir;
    WriteFileText(dir / "t.ini", "; my notes\r\n[A]\r\nx=1\r\ny=two words\r\n\r\n[B]\r\nz=3\r\n");
    SettingsStore s(dir / "t.ini");
    s.IniPutInteger("A", "x", 42);
    s.IniPutString("a", "new", "v");
    s.IniPutBoolean("C", "b", true);
    s.IniPutSingle("B", "f", 0.5f);
    EXPECT_EQ(ReadFileText(dir / "t.ini"),
              "; my notes\r\n[A]\r\nx=42\r\ny=two words\r\nnew=v\r\n\r\n[B]\r\nz=3\r\nf=0.5\r\n\r\n[C]\r\nb=1\r\n");

    SettingsStore lost(dir / "no-such-folder/t.ini"); // writes are lost silently
    lost.IniPutInteger("A", "x", 1);
    EXPECT_EQ(lost.IniGetInteger("A", "x", 9), 9);

    // A write that fails only as the file is closed (its flush passes the size limit) must not
    // replace the settings file.
    const std::string before = ReadFileText(dir / "t.ini");
    {
        DiskFullAfter full(16);
        s.IniPutString("A", "note", "not kept");
    }
    EXPECT_EQ(ReadFileText(dir / "t.ini"), before);
    EXPECT_FALSE(fs::exists(dir / "t.ini.tmp"));
}

TEST(SettingsStore, ReadOnlyFileIsLeftAloneAndAWrittenOneKeepsItsMode)
{
    for (mode_t mode : {0444, 0400, 0000, 0600, 0640}) {
        TempDir dir;
        const std::string ini = dir / "tolv.ini", text = "[Shutdown]\r\nSuccess=1\r\n";
        WriteFileText(ini, text);
        ASSERT_EQ(chmod(ini.c_str(), mode), 0);
        struct stat before {
        }, after{};
        ASSERT_EQ(stat(ini.c_str(), &before), 0);
        SettingsStore(ini).IniPutInteger("Shutdown", "Success", 0);
        ASSERT_EQ(stat(ini.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_FALSE(fs::exists(ini + ".tmp")) << std::oct << mode;
        // neither changed nor replaced, even by root
        EXPECT_EQ(ReadFileText(ini), mode & 0200 ? "[Shutdown]\r\nSuccess=0\r\n" : text) << std::oct << mode;
        EXPECT_EQ(after.st_ino == before.st_ino, !(mode & 0200)) << std::oct << mode;
    }
}

// Sets an environment variable for one scope (nullopt: unset).
struct EnvVar {
    EnvVar(const char* n, const std::optional<std::string>& value) : name(n)
    {
        if (const char* v = std::getenv(n)) old = v;
        value ? setenv(n, value->c_str(), 1) : unsetenv(n);
    }
    ~EnvVar() { old ? setenv(name, old->c_str(), 1) : unsetenv(name); }
    const char* name;
    std::optional<std::string> old;
};

TEST(SettingsLocation, BesideTheProgramOnlyWhileItsFolderIsWritable)
{
    TempDir dir;
    WriteFileText(dir / "file", "");
    const std::string writable = dir.Path() + "/", unwritable = dir / "file/bin/"; // binds root too
    const struct {
        std::string programFolder;
        std::optional<std::string> xdg, home;
        std::string expected;
    } rows[] = {
        {writable, dir / "cfg", dir.Path(), writable + "tolv.ini"},
        {unwritable, dir / "cfg/deep", dir.Path(), dir / "cfg/deep/tolv/tolv.ini"},
        {unwritable, std::nullopt, dir / "home", dir / "home/.config/tolv/tolv.ini"},
        {unwritable, "relative/cfg", dir / "home2", dir / "home2/.config/tolv/tolv.ini"},
    };
    for (const auto& r : rows) {
        EnvVar xdg("XDG_CONFIG_HOME", r.xdg), home("HOME", r.home);
        const std::string ini = SettingsFilePath(r.programFolder, "tolv.ini");
        ASSERT_EQ(ini, r.expected) << r.programFolder << " " << r.xdg.value_or("(unset)");
        if (r.programFolder == writable) continue;
        // The folder is made, private to the user, and the store works there at once.
        struct stat st {};
        ASSERT_EQ(stat(fs::path(ini).parent_path().c_str(), &st), 0) << ini;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << ini;
        SettingsStore(ini).IniPutInteger("Shutdown", "Success", 0);
        EXPECT_EQ(SettingsStore(ini).IniGetInteger("Shutdown", "Success", 1), 0) << ini;
    }
}

TEST(ProgramFiles, BesideTheProgramFirstThenTheInstallTree)
{
    TempDir dir;
    const std::string bin = dir / "prefix/bin/", doc = dir / "prefix/share/doc/tolv/",
                      data = dir / "prefix/share/tolv/";
    for (const std::string& folder : {bin, doc, data}) fs::create_directories(folder);
    WriteFileText(dir / "prefix/share/doc/g.pdf", "");                              // not where it is looked for
    EXPECT_EQ(LocateProgramFile(bin, "g.pdf", kInstalledDocFolder), bin + "g.pdf"); // neither: beside
    WriteFileText(doc + "g.pdf", "");
    EXPECT_EQ(LocateProgramFile(bin, "g.pdf", kInstalledDocFolder), doc + "g.pdf");
    WriteFileText(bin + "g.pdf", "");
    EXPECT_EQ(LocateProgramFile(bin, "g.pdf", kInstalledDocFolder), bin + "g.pdf");
    WriteFileText(data + "data", "");
    EXPECT_EQ(LocateProgramFile(bin, "data/", kInstalledDataFolder), bin + "data/"); // a file is no folder
    fs::remove(data + "data");
    fs::create_directory(data + "data");
    EXPECT_EQ(LocateProgramFile(bin, "data/", kInstalledDataFolder), data + "data/");
}

TEST(Globals, LoadRulesAndTheSavedFile)
{
    TestHost host;
    TempDir dir;
    const std::string data = std::string(TOLV_SOURCE_DIR) + "/tests/core/data/settings/";
    for (const char* name : {"high", "none", "low", "other"}) { // see the README there
        SCOPED_TRACE(name);
        LoadSettings(SettingsStore(data + name + ".ini"));
        EXPECT_EQ(Globals().noSubclassing, std::string(name) == "high");
        fs::remove(dir / "saved.ini");
        SaveSettings(SettingsStore(dir / "saved.ini"));
        std::string saved = ReadFileText(dir / "saved.ini");
        std::erase(saved, '\r');
        EXPECT_EQ(saved, ReadFileText(data + name + ".saved"));
    }
    Globals().lastOpenPath = "/maps/";
    SaveSettings(SettingsStore(dir / "saved.ini"));
    LoadLastOpenPath(SettingsStore(dir / "saved.ini"));
    EXPECT_EQ(Globals().lastOpenPath, "/maps/");
    LoadLastOpenPath(SettingsStore(dir / "none.ini")); // none stored: the data folder
    EXPECT_EQ(Globals().lastOpenPath, ProgramFolder() + "data/");
}

TEST(Startup, SafeShutdownMarker)
{
    TestHost host;
    TempDir dir;
    SettingsStore store(dir / "tolv.ini");
    int shown = 0;
    auto check = [&] { return CheckSafeShutdown(store, [&] { ++shown; }); };
    EXPECT_TRUE(check()); // first run: nothing shown
    EXPECT_EQ(store.IniGetInteger("Shutdown", "Success", 7), 0);
    EXPECT_FALSE(check()); // a run that ended without the unload step: the next start shows the dialog
    MarkSafeShutdown(store);
    EXPECT_EQ(store.IniGetInteger("Shutdown", "Success", 7), 1);
    EXPECT_TRUE(check());
    EXPECT_EQ(shown, 1);
}

TEST(Startup, ColourDepthAndNoSystemTest)
{
    const std::string depth = "info: This application is designed to run with a 16-bit or greater display color "
                              "setting.\r\nPlease change your display properties color setting to 24-bit or 32-bit.";
    const std::string safe = "info: Windows is currently running in Safe-Mode.\r\n"
                             "This application may not operate correctly in this mode.";
    const struct {
        const char* ini;
        bool safeMode;
        int depth;
        std::string shown; // the information boxes
    } rows[] = {
        {"", false, 16, ""},
        {"", false, 15, depth},
        {"[System]\r\nNoSystemTest=1\r\n", false, 8, ""},
        {"[System]\r\nNoSystemTest=yes\r\n", true, 8, safe},
        {"", true, 8, safe + "\n" + depth},
    };
    for (const auto& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / "tolv.ini", r.ini);
        CheckEnvironment(SettingsStore(dir / "tolv.ini"), EnvironmentFacts{r.safeMode, r.depth});
        EXPECT_EQ(host.Said(), r.shown) << r.ini << r.depth;
    }
}

TEST(WebLinks, SaveLoadAndTheEditorsRules)
{
    TempDir dir;
    SettingsStore store(dir / "tolv.ini");
    ASSERT_FALSE(DefaultWebLinks().empty());
    EXPECT_EQ(LoadWebLinks(store), DefaultWebLinks()); // a fresh file gives the defaults...
    SaveWebLinks(store, {});
    EXPECT_TRUE(LoadWebLinks(store).empty()); // ...but a saved empty list stays empty

    std::vector<WebLink> many;
    for (int i = 1; i <= 8; ++i) many.push_back({"&Link " + std::to_string(i), "example.org/" + std::to_string(i)});
    for (const auto& links : {many, std::vector<WebLink>{{"B=b", "https://b.example/x"}, {"A", "a.example"}}}) {
        SaveWebLinks(store, links);
        EXPECT_EQ(LoadWebLinks(store), links);
    }
    // stale entries cleared
    EXPECT_EQ(store.IniGetString(kWebLinksSection, "Caption3", "?") +
                  store.IniGetString(kWebLinksSection, "Address8", "?"),
              "");

    // Broken entries are skipped and at most eight are read.
    store.IniPutInteger(kWebLinksSection, "Count", 12);
    for (int n = 1; n <= 12; ++n) {
        store.IniPutString(kWebLinksSection, "Caption" + std::to_string(n), n == 2 ? "" : "C" + std::to_string(n));
        store.IniPutString(kWebLinksSection, "Address" + std::to_string(n), n == 4 ? " " : "a" + std::to_string(n));
    }
    std::string captions; // 1..8 without 2 and 4
    for (const WebLink& link : LoadWebLinks(store)) captions += link.caption + " ";
    EXPECT_EQ(captions, "C1 C3 C5 C6 C7 C8 ");

    const std::pair<WebLink, bool> checks[] = {{{"&Home", "example.org"}, true},
                                               {{"  ", "example.org"}, false},
                                               {{"-", "example.org"}, false}, // a menu separator
                                               {{"Home", ""}, false}};
    for (const auto& [link, ok] : checks)
        EXPECT_EQ(CheckWebLink(link).empty(), ok) << link.caption << "|" << link.address;
    std::vector<WebLink> l = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
    for (auto [index, delta, to] : {std::tuple{0, +1, 1}, {0, -1, 0}, {2, +1, 2}, {3, -1, 3}, {5, -1, 5}, {2, -1, 1}})
        EXPECT_EQ(MoveWebLink(l, index, delta), to) << index << " " << delta;
    EXPECT_EQ(l, (std::vector<WebLink>{{"b", "2"}, {"c", "3"}, {"a", "1"}}));
}
