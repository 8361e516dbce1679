// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// A save that cannot finish must never cost the user the file they had: the old file stays under
// its backup name (or, when even the backup failed, under its own name), the failure is reported
// and the format code is left alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "DiskFull.h"
#include "OpenOutcome.h"
#include "SampleFiles.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/FormatTable.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"

using namespace tolv;
using namespace tolv::test;

// Every writer, its options dialog confirmed, broken by a full disk at once, a few bytes in and
// further on; then saved again with room to spare, which leaves no temporary file behind.
TEST(SaveFailures, DiskFullHalfWayKeepsTheOldFileUnderItsBackupName)
{
    // The sentence of each writer's report when the disk fills.
    const std::map<std::string, std::string> sentences = {{"hma", "TOLV ASCII heightmap file"},
                                                          {"hmb", "TOLV Binary heightmap file"},
                                                          {"bmp", "Unreal G16 Grayscale Bitmap file"},
                                                          {"r16", "RAW16 Binary heightmap file"},
                                                          {"ter", "Terragen Terrain file"},
                                                          {"pgm", "PGM P2 file"},
                                                          {"pam", "PAM P7 file"},
                                                          {"t3d", "Unreal T3D file"},
                                                          {"tif", "TIF 16-bit grayscale file"},
                                                          {"stl", "StereoLitho file"},
                                                          {"obj", "Object file"},
                                                          {"png", "PNG file"}};
    for (const FormatRow& row : FormatTable()) {
        if (row.save.kind != SaveKind::Writer) continue;
        const std::string ext = row.ext;
        ASSERT_TRUE(sentences.contains(ext)) << ext << " is written but has no case here";
        for (int64_t after : {int64_t(0), int64_t(7), int64_t(3000)}) {
            const std::string where = ext + " failing after " + std::to_string(after) + " bytes";
            TestHost host;
            host.onDialog = ConfirmProposals;
            TempDir dir;
            const std::string path = dir / ("map." + ext);
            WriteFileText(path, "the user's old file");
            LoadPatternMap(129, 129);
            SetFormatCode(FmtRaw8);
            {
                DiskFullAfter full(after);
                EXPECT_FALSE(SaveFileByType(path)) << where;
            }
            EXPECT_EQ(host.Said(), "error: An error occurred saving the " + sentences.at(ext) +
                                       ".\r\n\r\nError Number: 61\r\nDisk full")
                << where;
            EXPECT_EQ(ReadFileText(dir / "map.bak"), "the user's old file") << where;
            EXPECT_EQ(FormatCode(), FmtRaw8) << where;
            // A half-written file is never left under the real name, nor anywhere else.
            EXPECT_EQ(Listing(dir.Path()), std::set<std::string>{"map.bak"}) << where;
            ASSERT_TRUE(SaveFileByType(path)) << where;
            EXPECT_EQ(Listing(dir.Path()), (std::set<std::string>{"map.bak", "map." + ext})) << where;
        }
    }
}

// Cancelling a writer's options dialog changes nothing on disk: the dialog is answered before
// the file is moved to its backup name.
TEST(SaveFailures, CancelledOptionsLeaveTheFilesAsTheyWere)
{
    for (auto [ext, dialog] :
         {std::pair{"pgm", DialogId::SavePGM}, {"stl", DialogId::SaveSTL}, {"obj", DialogId::SaveOBJ}}) {
        TestHost host;
        TempDir dir;
        const std::string path = dir / (std::string("map.") + ext);
        WriteFileText(path, "the user's file");
        WriteFileText(dir / "map.bak", "an older backup");
        LoadPatternMap(5, 5);
        SetFormatCode(FmtHmb);
        EXPECT_FALSE(SaveFileByType(path)) << ext;
        EXPECT_EQ(host.dialogs, std::vector<DialogId>{dialog}) << ext;
        EXPECT_EQ(host.Said(), "") << ext;
        EXPECT_EQ(ReadFileText(path) + "|" + ReadFileText(dir / "map.bak"), "the user's file|an older backup") << ext;
        EXPECT_EQ(Listing(dir.Path()).size(), 2u) << ext;
        EXPECT_EQ(FormatCode(), FmtHmb) << ext;
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
        DiskFullAfter full(100);
        EXPECT_FALSE(SaveFileByType(path));
    }
    ASSERT_EQ(host.Count("error"), 2u);
    EXPECT_EQ(host.messages[0].text.rfind("An error occurred renaming the current file as a backup.", 0), 0u);
    EXPECT_NE(host.messages[1].text.find("Error Number: 61"), std::string::npos);
    EXPECT_EQ(ReadFileText(path), "original");
    EXPECT_EQ(FormatCode(), FmtHma);
}

TEST(SaveFailures, PathsThatCannotBeWritten)
{
    // Tests run as root, for whom permissions are no obstacle: use paths no one can write.
    const std::string hmb = "error: An error occurred saving the TOLV Binary heightmap file.\r\n\r\nError Number: ";
    const std::pair<const char*, std::string> rows[] = {
        {"plain/map.hmb", hmb + "76"}, // parent is a file
        {"no/such/folder/map.hmb", hmb + "76"},
        // The writers that name their first step report a file that cannot be created as that step.
        {"plain/map.bmp", "error: An error occurred writing the BMP File Header.\r\n\r\nError Number: 76"},
        {"plain/map.t3d", "error: An error occurred writing the T3D file.\r\n\r\nError Number: 76"},
        {"map.hmb", hmb + "75\r\nPath/File access error"}, // a folder
        {"map.hma", "error: An error occurred saving the TOLV ASCII heightmap file.\r\n\r\nError Number: 75\r\n"
                    "Path/File access error"},
    };
    for (const auto& [name, said] : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / "plain", "x");
        std::filesystem::create_directories(dir / "map.hmb");
        std::filesystem::create_directories(dir / "map.hma");
        LoadPatternMap(5, 5);
        SetFormatCode(FmtTerragen);
        EXPECT_FALSE(SaveFileByType(dir / name)) << name;
        EXPECT_TRUE(host.Said().starts_with(said)) << name << ": " << host.Said();
        EXPECT_EQ(host.messages.size(), 1u) << name;
        EXPECT_EQ(FormatCode(), FmtTerragen) << name;
    }
}
