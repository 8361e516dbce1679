// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <filesystem>

#include "SampleFiles.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/FrmRawSizeRules.h"
#include "formats/FrmSavePGMRules.h"
#include "formats/vbFileManagement.h"
#include "formats/vbPNM.h"
#include "formats/vbTerragen.h"
#include "formats/vbTolvHeightmap.h"
#include "formats/vbWinBMP.h"
#include "heightmap/MapHeight.h"
#include "imaging/FrmSaveOBJRules.h"
#include "imaging/vbGIF.h"
#include "imaging/vbOBJ.h"
#include "imaging/vbPNG.h"
#include "imaging/vbTIFF.h"
#include "imaging/vbTargaTGA.h"
#include "shell/Globals.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

TEST(PathHelpers, NamesBackupsAndExistence)
{
    struct Row {
        const char *path, *ext, *base, *name, *backup;
    };
    // clang-format off
    const Row rows[] = {
        {"/d/terrain.hmb", "hmb", "terrain", "terrain.hmb", "/d/terrain.bak"},
        {"/home/u/maps.old/terrain", "", "terrain", "terrain", "/home/u/maps.old/terrain.bak"},
        {"C:\\maps.old\\terrain257", "", "terrain257", "terrain257", "C:\\maps.old\\terrain257.bak"},
        {"a/b.c/d.tar.gz", "gz", "d.tar", "d.tar.gz", "a/b.c/d.tar.bak"},
        {"plain", "", "plain", "plain", "plain.bak"},
        {"dir/.hidden", "hidden", "", ".hidden", "dir/.bak"},
        {"MAP.HMB", "HMB", "MAP", "MAP.HMB", "MAP.bak"},
    };
    // clang-format on
    for (const Row& r : rows) {
        EXPECT_EQ(GetFileExtension(r.path), r.ext) << r.path;
        EXPECT_EQ(GetFileBaseName(r.path), r.base) << r.path;
        EXPECT_EQ(GetFileName(r.path), r.name) << r.path;
        EXPECT_EQ(BackupName(r.path), r.backup) << r.path;
    }
    TestHost host;
    TempDir dir;
    WriteFileText(dir / "f.txt", "x");
    EXPECT_TRUE(FileExists(dir / "f.txt"));
    EXPECT_FALSE(FileExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir / "missing"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(BackupFile(dir / "none.hmb")); // nothing to keep is no failure
    EXPECT_TRUE(host.messages.empty());
    host.Answer({false}); // a reader reached with no extension at all names the file it asks about
    EXPECT_FALSE(CheckReaderExtension("/d/terrain257", "bmp", "BMP"));
    EXPECT_EQ(host.OnlyText(), "Invalid BMP File Extension on: terrain257\r\nContinue if file contents are valid?");
}

// Every writer and its reader at awkward sizes: the samples, the size and the format code come back.
TEST(SaveOpen, EveryWriterRoundTripsAwkwardSizes)
{
    struct Form {
        const char* ext;
        int p5; // PGM form
        int32_t code;
        std::string magic = ""; // how the file starts, where the dialog chooses the form
    };
    const Form forms[] = {{"hma", 0, FmtHma},
                          {"hmb", 0, FmtHmb},
                          {"bmp", 0, FmtG16},
                          {"r16", 0, FmtRaw16},
                          {"ter", 0, FmtTerragen},
                          {"pgm", 0, FmtPgm, "P2\r\n"},
                          {"pgm", 1, FmtPgm, "P5\r\n"},
                          {"pam", 0, FmtPam, "P7\r\n"},
                          {"png", 0, FmtPng16},
                          {"tif", 0, FmtTiffGray16},
                          {"obj", 0, FmtObj}};
    for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {2, 3}, {113, 157}, {513, 513}}) {
        std::vector<int32_t> samples(static_cast<size_t>(w) * h);
        const int32_t edge[] = {0, 32767, 32768, 65535};
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = i < 4 ? edge[i] : static_cast<int32_t>((i * 7919) % 65536);
        for (const Form& f : forms) {
            const std::string where = std::string(f.ext) + (f.p5 ? " P5 " : " ") + std::to_string(w) + "x" +
                                      std::to_string(h);
            TestHost host;
            TempDir dir;
            host.onDialog = [&](DialogId id) {
                if (id == DialogId::SavePGM) ConfirmDialog(SavePgmResult{f.p5});
                if (id == DialogId::SaveOBJ) ConfirmDialog(SaveObjValues{});
                if (id == DialogId::RawSize) ConfirmDialog(RawSizeResult{std::to_string(w), std::to_string(h)});
            };
            LoadGrid(w, h, samples);
            const std::string path = dir / (std::string("map.") + f.ext);
            ASSERT_TRUE(SaveFileByType(path)) << where;
            EXPECT_EQ(FormatCode(), f.code) << where;
            EXPECT_EQ(ReadFileText(path).substr(0, f.magic.size()), f.magic) << where;
            ClearHeightmap();
            ASSERT_TRUE(OpenFileByType(path)) << where << ": " << host.OnlyText();
            EXPECT_EQ(HeightmapWidth(), w) << where;
            EXPECT_EQ(HeightmapHeight(), h) << where;
            EXPECT_EQ(CurrentGrid(), samples) << where;
            EXPECT_EQ(FormatCode(), f.code) << where;
            EXPECT_TRUE(host.messages.empty()) << where;
        }
    }
}

// Each reader's own words for a file under a foreign extension: No keeps the map, Yes reads it.
TEST(Readers, ForeignExtensionQuestion)
{
    // clang-format off
    const std::tuple<const char*, bool (*)(const std::string&), const char*> rows[] = {
        {"bmp", ValidateBmpFile, "BMP"}, {"ter", LoadTerragenFile, "TER"}, {"png", LoadPngFile, "PNG"},
        {"pgm", LoadPgmFile, "PGM"},     {"pam", LoadPamFile, "PAM"},      {"tga", LoadTgaImage, "TGA"},
        {"tif", LoadTiffImage, "TIFF"},  {"obj", LoadObjFile, "OBJ"},      {"gif", LoadGifImage, "GIF"},
        {"hmb", LoadHmbFile, "TOLV Binary"},
    };
    // clang-format on
    for (const auto& [ext, load, word] : rows) {
        TempDir dir;
        {
            TestHost setup;
            LoadPatternMap(5, 4);
            const std::vector<std::string> samples = WriteSampleFiles(dir.Path(), "s", ext);
            ASSERT_FALSE(samples.empty()) << ext;
            std::filesystem::copy_file(samples.front(), dir / "map.dat");
        }
        // The native reader words its question its own way.
        const std::string question = "Invalid " + std::string(word) + " File Extension on: map\r\n" +
                                     (std::string(ext) == "hmb" ? "Continue if the file's contents are valid?"
                                                                : "Continue if file contents are valid?");
        for (bool yes : {false, true}) {
            TestHost host;
            host.Answer({yes});
            LoadGrid(1, 1, {42}, FmtHma);
            EXPECT_EQ(load(dir / "map.dat"), yes) << ext;
            ASSERT_GE(host.messages.size(), 1u) << ext;
            EXPECT_EQ(host.messages[0].kind + ": " + host.messages[0].text, "question: " + question);
            EXPECT_FALSE(host.messages[0].defaultNo) << ext;
            // Refusing a picture still ends in the reader's own "unsupported" word; the rest say no more.
            const bool gifNo = !yes && std::string(ext) == "gif";
            ASSERT_EQ(host.messages.size(), gifNo ? 2u : 1u) << ext;
            if (gifNo) {
                EXPECT_EQ(host.messages[1].text, "Unknown or unsupported GIF format.");
            }
            if (!yes) {
                EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{42}) << ext;
                EXPECT_EQ(FormatCode(), FmtHma) << ext;
            }
        }
    }
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
    // clang-format off
    const Row rows[] = {
        {"x.t3d", "info", "T3D format support under development...", FmtT3d},
        {"x.pcx", "info", "PCX format support under development...", FmtPcx},
        {"x.dxf", "info", "DXF format support under development...", FmtDxf},
        {"x.asc", "info", "3DS ASCII format support under development...", FmtAsc},
        {"x.3ds", "info", "3DS Mesh format support under development...", Fmt3ds},
        {"x.dem", "", "", 0},
        {"x.xyz", "warning", unknown.c_str(), 0},
        {"noext", "warning", unknown.c_str(), 0},
    };
    // clang-format on
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / r.file, "1 2 \r\n");
        EXPECT_FALSE(OpenFileByType(dir / r.file)) << r.file;
        ASSERT_EQ(host.messages.size(), *r.kind ? 1u : 0u) << r.file;
        if (*r.kind) {
            EXPECT_EQ(host.messages[0].kind, r.kind) << r.file;
            EXPECT_EQ(host.messages[0].text, r.text) << r.file;
        }
        EXPECT_EQ(FormatCode(), r.code) << r.file;
        EXPECT_FALSE(HeightmapLoaded()) << r.file;
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

TEST(SaveDispatch, RefusalsMoveNothingAndABackupReplacesTheOldOne)
{
    const std::string readOnly = "This format is only supported for opening.";
    // clang-format off
    const std::pair<const char*, std::string> rows[] = {
        {"x.raw", "Unable to determine the save file type."}, {"x", "Unable to determine the save file type."},
        {"x.r32", readOnly}, {"x.gif", readOnly}, {"x.txt", readOnly}, {"x.dem", readOnly}, {"x.r8", readOnly},
    };
    // clang-format on
    for (const auto& [file, text] : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / file, "keep");
        LoadGrid(1, 1, {1}, 2);
        EXPECT_FALSE(SaveFileByType(dir / file)) << file;
        ASSERT_EQ(host.messages.size(), 1u) << file;
        EXPECT_EQ(host.messages[0].kind, text == readOnly ? "info" : "warning") << file;
        EXPECT_EQ(host.messages[0].text, text) << file;
        EXPECT_EQ(ReadFileText(dir / file), "keep") << file;
        EXPECT_FALSE(FileExists(dir / "x.bak")) << file;
        EXPECT_EQ(FormatCode(), 2) << file;
    }
    TestHost host;
    TempDir dir;
    WriteFileText(dir / "x.hmb", "current");
    WriteFileText(dir / "x.bak", "older");
    LoadGrid(1, 1, {1}, 10);
    ASSERT_TRUE(SaveFileByType(dir / "x.hmb"));
    EXPECT_EQ(ReadFileText(dir / "x.bak"), "current");
    EXPECT_EQ(FormatCode(), 2);
}

TEST(PowerOfTwo, Sizes)
{
    TestHost host;
    EXPECT_FALSE(IsPowerOfTwoSize());
    for (auto [w, h, yes] : {std::tuple{512, 256, true}, {513, 513, false}, {1, 2, true}, {3, 2, false}}) {
        LoadGrid(w, h, std::vector<int32_t>(static_cast<size_t>(w) * h));
        EXPECT_EQ(IsPowerOfTwoSize(), yes) << w << "x" << h;
    }
}

TEST(FilterLists, TheFourListsWhole)
{
    TestHost host;
    const std::string openPng = "png - PNG 8/16-bit gray and color|*.png|",
                      savePng = "png - PNG 16-bit grayscale|*.png|";
    const std::string all = "All Files (*.*)|*.*";
    const struct {
        int32_t sort;
        std::string (*list)();
        std::string expected;
        // clang-format off
    } rows[] = {
        {1, OpenFilterList,
         "bmp - Unreal G16 Heightmap|*.bmp|bmp - Windows 8-bit gray and 8/24/32-bit color Bitmap|*.bmp|"
         "gif - GIF 8-bit gray and color|*.gif|hma - TOLV ASCII Text Heightmap|*.hma|hmb - TOLV Binary Heightmap|*.hmb|"
         "obj - Alias Wavefront Object|*.obj|pam - Portable AnyMap P7 8/16-bit Heightmap|*.pam|"
         "pgm - Portable Gray Map P2/P5 8/16-bit Heightmap|*.pgm|raw - Raw 8-bit Binary Heightmap|*.raw|"
         "r16 - Raw 16-bit Binary Heightmap|*.r16|r32 - Raw 32-bit Binary Heightmap|*.r32|"
         "t3d - Unreal T3D Terrain|*.t3d|ter - Terragen Terrain|*.ter|"
         "tga - Targa 8-bit gray and 8/24/32-bit color|*.tga|tif - TIFF 8/16-bit gray and 8/24/32-bit color|*.tif|"
         "txt - VistaPro 4 ASCII DEM|*.txt|" + openPng + all},
        {0, OpenFilterList,
         "hma - TOLV ASCII Text Heightmap|*.hma|hmb - TOLV Binary Heightmap|*.hmb|bmp - Unreal G16 Heightmap|*.bmp|"
         "pam - Portable AnyMap P7 8/16-bit Heightmap|*.pam|pgm - Portable GrayMap P2/P5 8/16-bit Heightmap|*.pgm|"
         "raw - Raw 8-bit Binary Heightmap|*.raw|r16 - Raw 16-bit Binary Heightmap|*.r16|"
         "r32 - Raw 32-bit Binary Heightmap|*.r32|ter - Terragen Terrain|*.ter|txt - VistaPro 4 ASCII DEM|*.txt|"
         "obj - Alias Wavefront Object|*.obj|t3d - Unreal T3D Terrain|*.t3d|"
         "bmp - Windows 8-bit gray and 8/24/32-bit color Bitmap|*.bmp|gif - GIF 8-bit gray and color|*.gif|"
         "tga - Targa 8-bit gray and 8/24/32-bit color|*.tga|tif - TIFF 8/16-bit gray and 8/24/32-bit color|*.tif|" +
             openPng + all},
        {1, SaveFilterList,
         "bmp - Unreal G16 Heightmap|*.bmp|hma - TOLV ASCII Text Heightmap|*.hma|hmb - TOLV Binary Heightmap|*.hmb|"
         "obj - Alias Wavefront Object|*.obj|pam - Portable Any Map 16-bit Heightmap|*.pam|"
         "pgm - Portable Gray Map 16-bit Heightmap|*.pgm|r16 - Raw 16-bit Binary Heightmap|*.r16|"
         "stl - StereoLitho ASCII|*.stl|t3d - Unreal T3D Terrain|*.t3d|ter - Terragen Terrain|*.ter|"
         "tif - TIFF 16-bit grayscale|*.tif|" + savePng + all},
        {0, SaveFilterList,
         "hma - TOLV ASCII Text Heightmap|*.hma|hmb - TOLV Binary Heightmap|*.hmb|bmp - Unreal G16 Heightmap|*.bmp|"
         "pam - Portable Any Map 16-bit Heightmap|*.pam|pgm - Portable Gray Map 16-bit Heightmap|*.pgm|"
         "r16 - Raw 16-bit Binary Heightmap|*.r16|ter - Terragen Terrain|*.ter|obj - Alias Wavefront Object|*.obj|"
         "stl - StereoLitho ASCII|*.stl|t3d - Unreal T3D Terrain|*.t3d|tif - TIFF 16-bit grayscale|*.tif|" +
             savePng + all},
    };
    // clang-format on
    for (const auto& r : rows) {
        Globals().fileTypeSort = r.sort;
        EXPECT_EQ(r.list(), r.expected) << (r.list == OpenFilterList ? "open" : "save") << ", sort " << r.sort;
    }

    EXPECT_EQ(FormatDescription(2), "TOLV Binary heightmap");
    EXPECT_EQ(FormatDescription(32), "TIFF 16-bit uncompressed grayscale image");
    EXPECT_EQ(FormatDescription(36), "PNG 16-bit grayscale image");
    EXPECT_EQ(FormatDescription(37), "PNG 8-bit image");
    for (int32_t empty : {0, 5, 15, 17, 18, 19, 99}) EXPECT_EQ(FormatDescription(empty), "") << empty;
}
