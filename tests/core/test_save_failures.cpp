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
#include "SampleFiles.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/FormatTable.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

namespace {

// The sentence of each writer's report when the disk fills.
const std::map<std::string, std::string> kSentences = {
    {"hma", "An error occurred saving the TOLV ASCII heightmap file."},
    {"hmb", "An error occurred saving the TOLV Binary heightmap file."},
    {"bmp", "An error occurred saving the Unreal G16 Grayscale Bitmap file."},
    {"r16", "An error occurred saving the RAW16 Binary heightmap file."},
    {"ter", "An error occurred saving the Terragen Terrain file."},
    {"pgm", "An error occurred saving the PGM P2 file."},
    {"pam", "An error occurred saving the PAM P7 file."},
    {"t3d", "An error occurred saving the Unreal T3D file."},
    {"tif", "An error occurred saving the TIF 16-bit grayscale file."},
    {"stl", "An error occurred saving the StereoLitho file."},
    {"obj", "An error occurred saving the Object file."},
    {"png", "An error occurred saving the PNG file."},
};

// Confirms the option dialogs of the writers (PGM, STL, OBJ) with their proposals.
void ConfirmDialogs(TestHost& host)
{
    host.onDialog = [](DialogId) {
        for (int slot = 1; slot <= 10; ++slot) SetDialogResult(slot, GetDialogParam(slot));
        SetDialogCancelled(false);
    };
}

size_t Entries(const TempDir& dir)
{
    size_t n = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) n += !e.path().empty();
    return n;
}

} // namespace

TEST(SaveFailures, DiskFullHalfWayKeepsTheOldFileUnderItsBackupName)
{
    for (const FormatRow& row : FormatTable()) {
        if (row.save.kind != SaveKind::Writer) continue;
        const std::string ext = row.ext;
        ASSERT_TRUE(kSentences.contains(ext)) << ext << " is written but has no case here";
        const std::string& sentence = kSentences.at(ext);
        for (int64_t after : {int64_t(0), int64_t(7), int64_t(3000)}) {
            TestHost host;
            ConfirmDialogs(host);
            TempDir dir;
            const std::string path = dir / ("map." + ext);
            WriteFileText(path, "the user's old file");
            LoadPatternMap(129, 129);
            SetFormatCode(FmtRaw8);
            bool saved;
            {
                DiskFullAfter full(after);
                saved = SaveFileByType(path);
            }
            const std::string where = ext + " failing after " + std::to_string(after) + " bytes";
            EXPECT_FALSE(saved) << where;
            ASSERT_EQ(host.Count("error"), 1u) << where;
            EXPECT_EQ(host.messages.back().text, sentence + "\r\n\r\nError Number: 61\r\nDisk full") << where;
            EXPECT_EQ(ReadFileText(dir / "map.bak"), "the user's old file") << where;
            EXPECT_EQ(FormatCode(), FmtRaw8) << where;
            EXPECT_FALSE(FileExists(path)) << where << ": a half-written file is left under the real name";
            EXPECT_EQ(Entries(dir), 1u) << where;
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
        EXPECT_TRUE(host.messages.empty()) << ext;
        EXPECT_EQ(ReadFileText(path), "the user's file") << ext;
        EXPECT_EQ(ReadFileText(dir / "map.bak"), "an older backup") << ext;
        EXPECT_EQ(Entries(dir), 2u) << ext;
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
    const std::string hmb = "An error occurred saving the TOLV Binary heightmap file.\r\n\r\nError Number: ";
    // clang-format off
    const std::pair<const char*, std::string> rows[] = {
        {"plain/map.hmb", hmb + "76"}, // parent is a file
        {"no/such/folder/map.hmb", hmb + "76"},
        // The writers that name their first step report a file that cannot be created as that step.
        {"plain/map.bmp", "An error occurred writing the BMP File Header.\r\n\r\nError Number: 76"},
        {"plain/map.t3d", "An error occurred writing the T3D file.\r\n\r\nError Number: 76"},
        {"map.hmb", hmb + "75\r\nPath/File access error"}, // a folder
        {"map.hma", "An error occurred saving the TOLV ASCII heightmap file.\r\n\r\nError Number: 75\r\nPath/File access error"},
    };
    // clang-format on
    for (const auto& [name, text] : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / "plain", "x");
        std::filesystem::create_directories(dir / "map.hmb");
        std::filesystem::create_directories(dir / "map.hma");
        LoadPatternMap(5, 5);
        SetFormatCode(FmtTerragen);
        EXPECT_FALSE(SaveFileByType(dir / name)) << name;
        ASSERT_EQ(host.messages.size(), 1u) << name;
        EXPECT_EQ(host.messages[0].kind, "error") << name;
        EXPECT_EQ(host.messages[0].text.rfind(text, 0), 0u) << name << ": " << host.messages[0].text;
        EXPECT_EQ(FormatCode(), FmtTerragen) << name;
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
    EXPECT_EQ(Entries(dir), 2u);
}
