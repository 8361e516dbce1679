// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Installs the build into a temporary prefix and checks what a user's system gets: the files where
// the desktop and man look for them, that the desktop's own tools accept them, and that the
// installed programs find their files and keep their settings per user.
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "RunProcess.h"
#include "TempDir.h"
#include "shell/vbPrivateIni.h"

using namespace tolv;
using namespace tolv::test;
namespace fs = std::filesystem;

namespace {

class Install : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Traversable by the unprivileged user that runs the installed program below.
        ASSERT_EQ(::chmod(root.Path().c_str(), 0755), 0);
        ProcessResult r = RunProcess(TOLV_CMAKE, {"--install", TOLV_BUILD_DIR, "--prefix", prefix});
        ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    }

    std::string In(const std::string& relative) const { return prefix + "/" + relative; }

    TempDir root;
    const std::string prefix = root / "usr";
};

TEST_F(Install, PutsEveryFileWhereTheDesktopLooks)
{
    // clang-format off
    std::vector<std::string> expected = {"bin/tolv", "bin/tolvconv", "share/applications/tolv.desktop",
        "share/icons/hicolor/scalable/apps/tolv.svg", "share/mime/packages/tolv.xml",
        "share/doc/tolv/tolv User's Guide.pdf", "share/tolv/data/terrain513.hmb"};
    // clang-format on
    for (const auto& page : fs::directory_iterator(TOLV_SOURCE_DIR "/docs/man"))
        expected.push_back("share/man/man1/" + page.path().filename().string());
    for (const std::string& f : expected) EXPECT_TRUE(fs::is_regular_file(In(f))) << f;
    for (const char* exe : {"bin/tolv", "bin/tolvconv"}) EXPECT_EQ(::access(In(exe).c_str(), X_OK), 0) << exe;
    EXPECT_FALSE(fs::exists(In("share/tolv/data/.samples"))); // the build's stamp stays behind

    // The installed programs look exactly where the files went.
    EXPECT_EQ(LocateProgramFile(In("bin/"), "tolv User's Guide.pdf", kInstalledDocFolder),
              In("share/doc/tolv/tolv User's Guide.pdf"));
    EXPECT_EQ(LocateProgramFile(In("bin/"), "data/", kInstalledDataFolder), In("share/tolv/data/"));

    // The desktop entry starts the installed program with the installed icon.
    const std::string entry = ReadFileText(In("share/applications/tolv.desktop"));
    EXPECT_NE(entry.find("\nExec=tolv %F\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=tolv\n"), std::string::npos) << entry;
    if (std::string validate = FindTool("desktop-file-validate"); !validate.empty()) {
        ProcessResult r = RunProcess(validate, {In("share/applications/tolv.desktop")});
        EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
        EXPECT_EQ(r.out + r.err, ""); // hints and warnings too
    }
    if (std::string mime = FindTool("update-mime-database"); !mime.empty()) {
        // It reports errors on standard error only, and a note when the folder is not searched.
        ProcessResult r = RunProcess("/usr/bin/env", {"XDG_DATA_DIRS=" + In("share"), mime, In("share/mime")});
        EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_NE(ReadFileText(In("share/mime/globs2")).find("application/x-tolv-hmb:*.hmb"), std::string::npos);
    }
    const std::string groff = FindTool("groff");
    if (groff.empty()) GTEST_SKIP() << "groff is not installed: the man pages were not rendered";
    for (const auto& page : fs::directory_iterator(In("share/man/man1"))) {
        ProcessResult r = RunProcess(groff, {"-man", "-ww", "-z", "-Tutf8", page.path().string()});
        EXPECT_EQ(r.exitCode, 0) << page.path();
        EXPECT_EQ(r.err, "") << page.path();
    }
}

// Runs the installed program offscreen (through setpriv as nobody, if given) with the user's
// folders under home (TMPDIR: where the single-instance socket of a killed run stays) until one of
// the two files holds the marker of a run in progress, and ends the run. Returns that file, or ""
// when the run ended on its own or neither did within a minute.
std::string SettingsOfARun(const std::string& program, const std::string& a, const std::string& b,
                           const std::string& setpriv, const std::string& home)
{
    const std::string nobody = setpriv.empty() ? "" : setpriv + " --reuid=65534 --regid=65534 --clear-groups --";
    const char* script = R"(QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$1/config" TMPDIR="$1/tmp" \
        ASAN_OPTIONS=detect_leaks=0 $2 "$3" >/dev/null 2>&1 &
      for i in $(seq 600); do
        for f in "$4" "$5"; do grep -qs Success=0 "$f" && { kill -9 $!; wait $!; printf %s "$f"; exit; }; done
        kill -0 $! 2>/dev/null || exit; sleep 0.1
      done; kill -9 $!)";
    return RunProcess("/bin/sh", {"-c", script, "sh", home, nobody, program, a, b}).out;
}

TEST_F(Install, SettingsBesideAWritableProgramElsePerUser)
{
    const std::string home = root / "home", beside = In("bin/tolv.ini"), perUser = home + "/config/tolv/tolv.ini";
    for (const char* folder : {"", "/config", "/tmp"}) {
        fs::create_directories(home + folder);
        ASSERT_EQ(::chmod((home + folder).c_str(), 01777), 0);
    }
    // A program folder its user may write: the settings stay beside the program.
    EXPECT_EQ(SettingsOfARun(In("bin/tolv"), beside, perUser, "", home), beside);
    EXPECT_FALSE(fs::exists(perUser));
    fs::remove(beside);

    // The usual installation: a program folder the user cannot write. Root may write anything,
    // so the program runs as nobody then.
    std::string setpriv;
    if (::geteuid() == 0) {
        setpriv = FindTool("setpriv");
        if (setpriv.empty()) GTEST_SKIP() << "setpriv is not installed";
    } else {
        ASSERT_EQ(::chmod(In("bin").c_str(), 0555), 0);
    }
    EXPECT_EQ(SettingsOfARun(In("bin/tolv"), beside, perUser, setpriv, home), perUser);
    EXPECT_FALSE(fs::exists(beside));
}

} // namespace
