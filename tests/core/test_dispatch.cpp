// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"

using namespace tolv;
using namespace tolv::test;

TEST(PathHelpers, Table)
{
    struct Row {
        const char* path;
        const char* ext;
        const char* base;
        const char* name;
    };
    const Row rows[] = {
        {"C:\\maps\\terrain.hmb", "hmb", "terrain", "terrain.hmb"},
        {"/home/u/maps.old/terrain", "", "", "terrain"},
        {"C:\\maps.old\\terrain", "", "", "terrain"},
        {"a/b.c/d.tar.gz", "gz", "d.tar", "d.tar.gz"},
        {"plain", "", "", "plain"},
        {"dir/.hidden", "hidden", "", ".hidden"},
        {"MAP.HMB", "HMB", "MAP", "MAP.HMB"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(GetFileExtension(r.path), r.ext) << r.path;
        EXPECT_EQ(GetFileBaseName(r.path), r.base) << r.path;
        EXPECT_EQ(GetFileName(r.path), r.name) << r.path;
    }
}

TEST(PathHelpers, FileExists)
{
    TempDir dir;
    WriteFileText(dir / "f.txt", "x");
    EXPECT_TRUE(FileExists(dir / "f.txt"));
    EXPECT_FALSE(FileExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir / "missing"));
    EXPECT_FALSE(FileExists(""));
}

TEST(OpenDispatch, RefusalsAndStubs)
{
    struct Row {
        const char* file;
        const char* kind; // "" = nothing shown
        const char* text;
        int32_t code;
    };
    const std::string unknown = "Source file specified with no file extension.\r\nUnable to determine file format.";
    const Row rows[] = {
        {"x.t3d", "info", "T3D format support under development...", 4},
        {"x.pcx", "info", "PCX format support under development...", 26},
        {"x.dxf", "info", "DXF format support under development...", 16},
        {"x.asc", "info", "3DS ASCII format support under development...", 14},
        {"x.3ds", "info", "3DS Mesh format support under development...", 13},
        {"x.dem", "", "", 0},
        {"x.xyz", "warning", unknown.c_str(), 0},
        {"noext", "warning", unknown.c_str(), 0},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / r.file, "content");
        EXPECT_FALSE(OpenFileByType(dir / r.file)) << r.file;
        if (*r.kind) {
            ASSERT_EQ(host.messages.size(), 1u) << r.file;
            EXPECT_EQ(host.messages[0].kind, r.kind) << r.file;
            EXPECT_EQ(host.messages[0].text, r.text) << r.file;
        } else {
            EXPECT_TRUE(host.messages.empty()) << r.file;
        }
        EXPECT_EQ(FormatCode(), r.code) << r.file;
        // Commands are disabled for the dispatch and enabled again afterwards.
        EXPECT_EQ(host.enableCalls, (std::vector<bool>{false, true})) << r.file;
    }
}

TEST(OpenDispatch, ExtensionIsComparedInLowerCaseAndTheMapSurvivesRefusals)
{
    TestHost host;
    TempDir dir;
    LoadGrid(2, 1, {4, 5}, 2);
    ASSERT_TRUE(SaveFileByType(dir / "MAP.HMB"));
    LoadGrid(1, 1, {9}, 7);
    EXPECT_FALSE(OpenFileByType(dir / "folder.old/terrain"));
    EXPECT_EQ(GetAltitude(1, 1), 9);
    ASSERT_TRUE(OpenFileByType(dir / "MAP.HMB"));
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{4, 5}));
}

TEST(OpenDispatch, InvalidBmpGetsTheDispatchWarning)
{
    TestHost host;
    TempDir dir;
    WriteFileText(dir / "x.bmp", "not a bitmap at all");
    EXPECT_FALSE(OpenFileByType(dir / "x.bmp"));
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back().text, "Invalid or unsupported BMP file.");
}

TEST(SaveDispatch, RefusalsMoveNothing)
{
    struct Row {
        const char* file;
        const char* kind;
        const char* text;
    };
    const Row rows[] = {
        {"x.raw", "warning", "Unable to determine the save file type."},
        {"x", "warning", "Unable to determine the save file type."},
        {"x.r32", "info", "This format is only supported for opening."},
        {"x.gif", "info", "This format is only supported for opening."},
        {"x.txt", "info", "This format is only supported for opening."},
        {"x.dem", "info", "This format is only supported for opening."},
        {"x.r8", "info", "This format is only supported for opening."},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / r.file, "keep");
        LoadGrid(1, 1, {1}, 2);
        EXPECT_FALSE(SaveFileByType(dir / r.file)) << r.file;
        ASSERT_EQ(host.messages.size(), 1u) << r.file;
        EXPECT_EQ(host.messages[0].kind, r.kind) << r.file;
        EXPECT_EQ(host.messages[0].text, r.text) << r.file;
        EXPECT_EQ(ReadFileText(dir / r.file), "keep") << r.file;
        EXPECT_FALSE(FileExists(dir / "x.bak")) << r.file;
        EXPECT_EQ(FormatCode(), 2) << r.file;
    }
}

TEST(SaveDispatch, BackupReplacesTheOldBackup)
{
    TestHost host;
    TempDir dir;
    WriteFileText(dir / "x.hmb", "current");
    WriteFileText(dir / "x.bak", "older");
    LoadGrid(1, 1, {1}, 10);
    ASSERT_TRUE(SaveFileByType(dir / "x.hmb"));
    EXPECT_EQ(ReadFileText(dir / "x.bak"), "current");
    EXPECT_EQ(FormatCode(), 2);
}

TEST(Backup, Names)
{
    EXPECT_EQ(BackupName("/d/map.hmb"), "/d/map.bak");
    EXPECT_EQ(BackupName("/d/map.ter"), "/d/map.bak");
    EXPECT_EQ(BackupName("/d/map"), "/d/map.bak");
    EXPECT_EQ(BackupName("/d.old/map"), "/d.old/map.bak");
    EXPECT_EQ(BackupName("/d/a.b.c"), "/d/a.b.bak");
}

TEST(Backup, MissingFileIsFineAndAFailedRenameIsReported)
{
    TestHost host;
    TempDir dir;
    EXPECT_TRUE(BackupFile(dir / "none.hmb"));
    EXPECT_TRUE(host.messages.empty());
    // A folder under the backup name cannot be deleted as a file.
    WriteFileText(dir / "y.hmb", "data");
    ASSERT_EQ(::mkdir((dir / "y.bak").c_str(), 0700), 0);
    WriteFileText(dir / "y.bak/inside", "x");
    // FileExists is false for a folder, so the rename itself is what fails.
    EXPECT_FALSE(BackupFile(dir / "y.hmb"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind("An error occurred renaming the current file as a backup.\r\n\r\nError Number: ", 0), 0u);
    EXPECT_EQ(ReadFileText(dir / "y.hmb"), "data");
}

TEST(PowerOfTwo, Sizes)
{
    TestHost host;
    EXPECT_FALSE(IsPowerOfTwoSize());
    LoadGrid(512, 256, std::vector<int32_t>(512 * 256));
    EXPECT_TRUE(IsPowerOfTwoSize());
    LoadGrid(513, 513, std::vector<int32_t>(513 * 513));
    EXPECT_FALSE(IsPowerOfTwoSize());
    LoadGrid(1, 2, {0, 0});
    EXPECT_TRUE(IsPowerOfTwoSize());
    LoadGrid(3, 2, std::vector<int32_t>(6));
    EXPECT_FALSE(IsPowerOfTwoSize());
}

TEST(FilterLists, BothOrdersStartAndEndAsSpecified)
{
    TestHost host;
    Globals().fileTypeSort = 1;
    const std::string openExt = OpenFilterList();
    EXPECT_EQ(openExt.rfind("bmp - Unreal G16 Heightmap|*.bmp|bmp - Windows 8-bit gray and 8/24/32-bit color Bitmap|*.bmp|", 0), 0u);
    EXPECT_NE(openExt.find("pgm - Portable Gray Map P2/P5 8/16-bit Heightmap|*.pgm|"), std::string::npos);
    EXPECT_NE(openExt.find("txt - VistaPro 4 ASCII DEM|*.txt|png - PNG 8/16-bit gray and color|*.png|All Files (*.*)|*.*"), std::string::npos);
    const std::string saveExt = SaveFilterList();
    EXPECT_NE(saveExt.find("stl - StereoLitho ASCII|*.stl|t3d - Unreal T3D Terrain|*.t3d|"), std::string::npos);
    Globals().fileTypeSort = 0;
    const std::string openType = OpenFilterList();
    EXPECT_EQ(openType.rfind("hma - TOLV ASCII Text Heightmap|*.hma|hmb - TOLV Binary Heightmap|*.hmb|bmp - Unreal G16", 0), 0u);
    EXPECT_NE(openType.find("pgm - Portable GrayMap P2/P5"), std::string::npos);
    const std::string saveType = SaveFilterList();
    EXPECT_NE(saveType.find("ter - Terragen Terrain|*.ter|obj - Alias Wavefront Object|*.obj|"), std::string::npos);
    for (const std::string* s : {&openExt, &saveExt, &openType, &saveType})
        EXPECT_EQ(s->substr(s->size() - 19), "All Files (*.*)|*.*");
}

TEST(FormatDescriptions, KnownAndEmptyCodes)
{
    EXPECT_EQ(FormatDescription(2), "TOLV Binary heightmap");
    EXPECT_EQ(FormatDescription(32), "TIFF 16-bit uncompressed grayscale image");
    for (int32_t empty : {0, 5, 15, 17, 18, 19, 99}) EXPECT_EQ(FormatDescription(empty), "") << empty;
}
