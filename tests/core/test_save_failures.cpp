// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// A save that cannot finish must never cost the user the file they had: the old file stays under
// its backup name (or, when even the backup failed, under its own name), the failure is reported
// and the format code is left alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "SampleFiles.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

namespace {

// Every extension with a writer.
const char* const kWritable[] = {"hma", "hmb", "bmp", "r16", "ter", "pgm", "pam", "t3d", "tif", "stl", "obj", "png"};

// Confirms the option dialogs of the writers (PGM, STL, OBJ) with their proposals.
void ConfirmDialogs(TestHost& host)
{
    host.onDialog = [](DialogId) {
        for (int slot = 1; slot <= 10; ++slot) SetDialogResult(slot, GetDialogParam(slot));
        SetDialogCancelled(false);
    };
}

// A writer that is still a placeholder says so; those extensions are skipped until they land.
bool WriterAvailable(const std::string& ext)
{
    TestHost host;
    ConfirmDialogs(host);
    TempDir dir;
    LoadPatternMap(3, 2);
    return SaveFileByType(dir / ("probe." + ext));
}

struct FaultGuard {
    explicit FaultGuard(int64_t bytes) { FileWriter::SetFaultAfterBytes(bytes); }
    ~FaultGuard() { FileWriter::SetFaultAfterBytes(-1); }
};

} // namespace

TEST(SaveFailures, DiskFullHalfWayKeepsTheOldFileUnderItsBackupName)
{
    for (const char* ext : kWritable) {
        if (!WriterAvailable(ext)) continue;
        for (int64_t after : {int64_t(0), int64_t(7), int64_t(3000)}) {
            TestHost host;
            ConfirmDialogs(host);
            TempDir dir;
            const std::string path = dir / (std::string("map.") + ext);
            WriteFileText(path, "the user's old file");
            LoadPatternMap(129, 129);
            SetFormatCode(FmtRaw8);
            bool saved;
            {
                FaultGuard fault(after);
                saved = SaveFileByType(path);
            }
            const std::string where = std::string(ext) + " failing after " + std::to_string(after) + " bytes";
            EXPECT_FALSE(saved) << where;
            ASSERT_EQ(host.Count("error"), 1u) << where;
            EXPECT_NE(host.messages.back().text.find("\r\n\r\nError Number: 61\r\nDisk full"), std::string::npos)
                << where << ": " << host.messages.back().text;
            EXPECT_EQ(ReadFileText(dir / "map.bak"), "the user's old file") << where;
            EXPECT_EQ(FormatCode(), FmtRaw8) << where;
            // Single-pass writers leave nothing but the backup. The G16 and T3D writers build
            // their files in steps that each reopen the file, so a failure in a later step leaves
            // the partial file beside the intact backup.
            if (std::string(ext) != "bmp" && std::string(ext) != "t3d") {
                EXPECT_FALSE(FileExists(path)) << where << ": a half-written file is left under the real name";
                size_t entries = 0;
                for (auto& e : std::filesystem::directory_iterator(dir.Path())) entries += !e.path().empty();
                EXPECT_EQ(entries, 1u) << where;
            }
        }
    }
}

TEST(SaveFailures, FailedBackupAndFailedWriteLeaveTheOriginalInPlace)
{
    TestHost host;
    TempDir dir;
    const std::string path = dir / "map.hmb";
    WriteFileText(path, "original");
    // A backup name that cannot be removed: a folder with something in it.
    std::filesystem::create_directories(dir / "map.bak/inside");
    LoadPatternMap(64, 64);
    SetFormatCode(FmtHma);
    {
        FaultGuard fault(100);
        EXPECT_FALSE(SaveFileByType(path));
    }
    ASSERT_EQ(host.Count("error"), 2u);
    EXPECT_EQ(host.messages[0].text.rfind("An error occurred renaming the current file as a backup.", 0), 0u);
    EXPECT_NE(host.messages[1].text.find("Error Number: 61"), std::string::npos);
    EXPECT_EQ(ReadFileText(path), "original");
    EXPECT_EQ(FormatCode(), FmtHma);
}

struct BadPathRow {
    const char* name;
    std::string (*make)(const TempDir&); // prepares the folder, returns the path to save to
    int errorNumber;
};

TEST(SaveFailures, PathsThatCannotBeWritten)
{
    // Tests run as root, for whom permissions are no obstacle: use paths no one can write.
    const BadPathRow rows[] = {
        {"parent is a file",
         [](const TempDir& d) {
             WriteFileText(d / "plain", "x");
             return d / "plain/map.hmb";
         },
         76},
        {"missing folder", [](const TempDir& d) { return d / "no/such/folder/map.hmb"; }, 76},
        {"path is a folder",
         [](const TempDir& d) {
             std::filesystem::create_directories(d / "map.hmb");
             return d / "map.hmb";
         },
         75},
    };
    for (const BadPathRow& r : rows) {
        TestHost host;
        TempDir dir;
        const std::string path = r.make(dir);
        LoadPatternMap(5, 5);
        SetFormatCode(FmtTerragen);
        EXPECT_FALSE(SaveFileByType(path)) << r.name;
        ASSERT_EQ(host.messages.size(), 1u) << r.name;
        EXPECT_EQ(host.messages[0].kind, "error") << r.name;
        EXPECT_EQ(host.messages[0].text.rfind("An error occurred saving the TOLV Binary heightmap file.\r\n\r\nError Number: " +
                                                  std::to_string(r.errorNumber),
                                              0),
                  0u)
            << r.name << ": " << host.messages[0].text;
        EXPECT_EQ(FormatCode(), FmtTerragen) << r.name;
    }
}

TEST(SaveFailures, SuccessfulSaveReplacesTheFileAndLeavesNoTemporary)
{
    TestHost host;
    TempDir dir;
    const std::string path = dir / "map.png";
    WriteFileText(path, "old");
    LoadPatternMap(9, 4);
    ASSERT_TRUE(SaveFileByType(path));
    EXPECT_EQ(ReadFileText(dir / "map.bak"), "old");
    EXPECT_GT(ReadFileBytes(path).size(), 8u);
    size_t entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) entries += !e.path().empty();
    EXPECT_EQ(entries, 2u);
}
