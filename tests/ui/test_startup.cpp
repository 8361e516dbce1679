// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Starts of the real program: a copy of it in a temporary folder (its settings file lies beside
// it) and a runtime folder of its own for the instance lock and socket.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <sys/stat.h>

#include "UiTestSupport.h"
#include "formats/vbFileManagement.h"

using namespace tolv;
using namespace tolv::test;

TEST(Startup, OneInstanceTakesTheFilesOfLaterStartsAndAKilledOneBlocksNothing)
{
    constexpr int kStartMs = 30000;
    TestHost host;
    TempDir dir;
    const std::string exe = dir / "tolv", run = dir / "run";
    ASSERT_TRUE(QFile::copy(QStringLiteral(TOLV_EXE_PATH), Q(exe)));
    ASSERT_EQ(::mkdir(run.c_str(), 0700), 0);
    ASSERT_EQ(::mkdir((dir / "maps").c_str(), 0700), 0);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(run)); // the starts inherit it
    std::vector<std::unique_ptr<QProcess>> started;             // each killed at the end
    auto start = [&](const QStringList& args, const std::string& cwd) -> QProcess& {
        auto& p = *started.emplace_back(std::make_unique<QProcess>());
        p.setWorkingDirectory(Q(cwd));
        p.start(Q(exe), args);
        EXPECT_TRUE(p.waitForStarted());
        return p;
    };
    // The exit code of a start that ends on its own; -1 if it is still running after a while.
    auto runToEnd = [&](const QStringList& args, const std::string& cwd) {
        QProcess& p = start(args, cwd);
        return p.waitForFinished(kStartMs) && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    };
    // A small map file; the running instance opened it once it heads the recent file list in its
    // settings file.
    auto writeMap = [](const std::string& path) {
        LoadGrid(2, 2, {1, 2, 3, 4}, FmtHmb);
        EXPECT_TRUE(SaveFileByType(path));
        return path;
    };
    auto opens = [&](const std::string& path) {
        return QTest::qWaitFor(
            [&] { return SettingsStore(dir / "tolv.ini").IniGetString("Recent File List", "File1", "") == path; },
            kStartMs);
    };

    QProcess& a = start({}, dir.Path());
    QProcess& b = start({}, dir.Path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning; },
                                kStartMs));
    QProcess& ended = a.state() == QProcess::NotRunning ? a : b;
    QProcess& running = &ended == &a ? b : a;
    EXPECT_EQ(std::pair(ended.exitStatus(), ended.exitCode()), std::pair(QProcess::NormalExit, 0));

    // A window held up by the dialog about an unsafe shutdown would not take the file; a relative
    // name is made absolute by the start that got it, in its own folder.
    const std::string handed = writeMap(dir / "maps/handed.hmb");
    EXPECT_EQ(runToEnd({"handed.hmb"}, dir / "maps"), 0);
    EXPECT_TRUE(opens(handed));
    EXPECT_EQ(runToEnd({}, dir.Path()), 0); // only raises the window
    EXPECT_EQ(running.state(), QProcess::Running);

    running.kill(), running.waitForFinished();
    const QStringList left = QDir(Q(run)).entryList(QDir::System | QDir::Files);
    ASSERT_EQ(left.size(), 2) << left.join(' ').toStdString(); // the lock file and a dead socket
    // Without the marker of the killed run, the next start has no dialog to show first.
    WriteFileText(dir / "tolv.ini", "[Shutdown]\r\nSuccess=1\r\n");
    const std::string atStart = writeMap(dir / "start.hmb");
    QProcess& next = start({Q(atStart)}, dir.Path());
    EXPECT_TRUE(opens(atStart));
    const std::string later = writeMap(dir / "later.hmb");
    EXPECT_EQ(runToEnd({Q(later)}, dir.Path()), 0);
    EXPECT_TRUE(opens(later));
    EXPECT_EQ(next.state(), QProcess::Running);
}
