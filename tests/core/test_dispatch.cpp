// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "SampleFiles.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/FormatTable.h"
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
using Extensions = std::set<std::string>;

namespace {

std::string Doc(const std::string& name) { return ReadFileText(std::string(TOLV_SOURCE_DIR) + "/" + name); }

// The bold words of the ".BR" lines of a part of the manual page: the extensions it lists.
Extensions ManPageList(const std::string& roff, const std::string& from, const std::string& to)
{
    const size_t start = roff.find(from), end = roff.find(to, start);
    std::istringstream lines(roff.substr(start, end - start));
    Extensions exts;
    const std::regex word("^[a-z0-9]+$");
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(".BR ")) continue;
        std::istringstream args(std::regex_replace(line.substr(4), std::regex("\"[^\"]*\""), " "));
        for (std::string arg; args >> arg;)
            if (std::regex_match(arg, word)) exts.insert(arg);
    }
    return exts;
}

} // namespace

TEST(PathHelpers, NamesBackupsAndExistence)
{
    struct Row {
        const char *path, *ext, *base, *name, *backup;
    };
    const Row rows[] = {
        {"/d/terrain.hmb", "hmb", "terrain", "terrain.hmb", "/d/terrain.bak"},
        {"/home/u/maps.old/terrain", "", "terrain", "terrain", "/home/u/maps.old/terrain.bak"},
        {"C:\\maps.old\\terrain257", "", "terrain257", "terrain257", "C:\\maps.old\\terrain257.bak"},
        {"a/b.c/d.tar.gz", "gz", "d.tar", "d.tar.gz", "a/b.c/d.tar.bak"},
        {"plain", "", "plain", "plain", "plain.bak"},
        {"dir/.hidden", "hidden", "", ".hidden", "dir/.bak"},
        {"MAP.HMB", "HMB", "MAP", "MAP.HMB", "MAP.bak"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(
            std::tuple(GetFileExtension(r.path), GetFileBaseName(r.path), GetFileName(r.path), BackupName(r.path)),
            std::tuple(r.ext, r.base, r.name, r.backup))
            << r.path;
    TestHost host;
    TempDir dir;
    WriteFileText(dir / "f.txt", "x");
    EXPECT_EQ(
        std::tuple(FileExists(dir / "f.txt"), FileExists(dir.Path()), FileExists(dir / "missing"), FileExists("")),
        std::tuple(true, false, false, false));
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
    // clang-format off
    const Form forms[] = {{"hma", 0, FmtHma}, {"hmb", 0, FmtHmb}, {"bmp", 0, FmtG16}, {"r16", 0, FmtRaw16},
                          {"ter", 0, FmtTerragen}, {"pgm", 0, FmtPgm, "P2\r\n"}, {"pgm", 1, FmtPgm, "P5\r\n"},
                          {"pam", 0, FmtPam, "P7\r\n"}, {"png", 0, FmtPng16}, {"tif", 0, FmtTiffGray16}, {"obj", 0, FmtObj}};
    // clang-format on
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
            EXPECT_EQ(std::tuple(HeightmapWidth(), HeightmapHeight(), FormatCode(), host.Said()),
                      std::tuple(w, h, f.code, ""))
                << where;
            EXPECT_EQ(CurrentGrid(), samples) << where;
        }
    }
}

// Each reader's own words for a file under a foreign extension: No keeps the map, Yes reads it.
TEST(Readers, ForeignExtensionQuestion)
{
    const std::tuple<const char*, bool (*)(const std::string&), const char*> rows[] = {
        {"bmp", ValidateBmpFile, "BMP"},     {"ter", LoadTerragenFile, "TER"}, {"png", LoadPngFile, "PNG"},
        {"pgm", LoadPgmFile, "PGM"},         {"pam", LoadPamFile, "PAM"},      {"tga", LoadTgaImage, "TGA"},
        {"tif", LoadTiffImage, "TIFF"},      {"obj", LoadObjFile, "OBJ"},      {"gif", LoadGifImage, "GIF"},
        {"hmb", LoadHmbFile, "TOLV Binary"},
    };
    for (const auto& [ext, load, word] : rows) {
        TempDir dir;
        std::filesystem::copy_file(KeptFiles(TOLV_TEST_DATA, ext, true).at(0), dir / "map.dat");
        // The native reader words its question its own way.
        const std::string question = "question: Invalid " + std::string(word) +
                                     " File Extension on: map\r\nContinue if " +
                                     (std::string(ext) == "hmb" ? "the file's" : "file") + " contents are valid?";
        for (bool yes : {false, true}) {
            TestHost host;
            host.Answer({yes});
            LoadGrid(1, 1, {42}, FmtHma);
            EXPECT_EQ(load(dir / "map.dat"), yes) << ext;
            // Refusing a picture still ends in the reader's own "unsupported" word; the rest say no more.
            const bool gifNo = !yes && std::string(ext) == "gif";
            EXPECT_EQ(host.Said(), question + (gifNo ? "\ninfo: Unknown or unsupported GIF format." : ""));
            EXPECT_FALSE(host.messages.at(0).defaultNo) << ext;
            if (!yes) {
                EXPECT_EQ(std::pair(CurrentGrid(), FormatCode()), std::pair(std::vector<int32_t>{42}, int32_t(FmtHma)));
            }
        }
    }
}

TEST(OpenDispatch, RefusalsAndStubs)
{
    const std::string unknown =
        "warning: Source file specified with no file extension.\r\nUnable to determine file format.";
    // clang-format off
    const std::tuple<const char*, std::string, int32_t> rows[] = {
        {"x.t3d", "info: T3D format support under development...", FmtT3d},
        {"X.PCX", "info: PCX format support under development...", FmtPcx}, // any letter case
        {"x.dxf", "info: DXF format support under development...", FmtDxf},
        {"x.asc", "info: 3DS ASCII format support under development...", FmtAsc},
        {"x.3ds", "info: 3DS Mesh format support under development...", Fmt3ds},
        {"x.dem", "", 0}, {"x.xyz", unknown, 0}, {"noext", unknown, 0},
    };
    // clang-format on
    for (const auto& [file, said, code] : rows) {
        TestHost host;
        TempDir dir;
        WriteFileText(dir / file, "1 2 \r\n");
        EXPECT_FALSE(OpenFileByType(dir / file)) << file;
        EXPECT_EQ(host.Said(), said);
        EXPECT_EQ(FormatCode(), code) << file;
        EXPECT_FALSE(HeightmapLoaded()) << file;
        // Commands are disabled for the dispatch and enabled again afterwards.
        EXPECT_EQ(host.enableCalls, (std::vector<bool>{false, true})) << file;
    }
}

TEST(SaveDispatch, RefusalsMoveNothingAndABackupReplacesTheOldOne)
{
    const std::string readOnly = "info: This format is only supported for opening.";
    const std::string unknown = "warning: Unable to determine the save file type.";
    // clang-format off
    for (auto [file, said] : {std::pair{"x.raw", unknown}, {"x", unknown}, {"x.r32", readOnly}, {"x.gif", readOnly},
                              {"x.txt", readOnly}, {"x.dem", readOnly}, {"x.r8", readOnly}}) {
        // clang-format on
        TestHost host;
        TempDir dir;
        WriteFileText(dir / file, "keep");
        LoadGrid(1, 1, {1}, 2);
        EXPECT_FALSE(SaveFileByType(dir / file)) << file;
        EXPECT_EQ(host.Said(), said);
        EXPECT_EQ(Listing(dir.Path()), std::set<std::string>{file}) << file;
        EXPECT_EQ(ReadFileText(dir / file), "keep") << file;
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

// The four lists whole, as tests/core/data/filter-lists.txt keeps them.
TEST(FilterLists, TheFourListsWhole)
{
    TestHost host;
    std::ifstream file(std::string(TOLV_SOURCE_DIR) + "/tests/core/data/filter-lists.txt");
    std::map<std::string, std::string> kept; // "[open 1]": the entries, each ending in "|"
    std::string heading;
    for (std::string line; std::getline(file, line);)
        if (line.starts_with("[")) heading = line;
        else if (!line.empty() && line[0] != '#') kept[heading] += line + "|";
    ASSERT_EQ(kept.size(), 4u);
    for (int32_t sort : {0, 1}) {
        Globals().fileTypeSort = sort;
        EXPECT_EQ(OpenFilterList() + "|", kept["[open " + std::to_string(sort) + "]"]) << sort;
        EXPECT_EQ(SaveFilterList() + "|", kept["[save " + std::to_string(sort) + "]"]) << sort;
    }

    for (int32_t empty : {0, 5, 15, 17, 18, 19, 99}) EXPECT_EQ(FormatDescription(empty), "") << empty;
}

// The lists of formats written for people cannot be generated from the format table, so they are
// held to it here: the user's guide and the converter's manual page name exactly the extensions
// the program opens and saves.
TEST(FormatTable, DocumentedFormatsAreTheRows)
{
    Extensions opened, saved;
    for (const FormatRow& row : FormatTable()) {
        if (HasReader(row.ext)) opened.insert(row.ext);
        if (row.save.kind == SaveKind::Writer) saved.insert(row.ext);
    }

    // The guide's table: "| .ext | format | yes | yes |", a "yes" for open and for save.
    Extensions guideOpened, guideSaved;
    std::istringstream guide(Doc("docs/users-guide.md"));
    const std::regex row(R"(^\| \.([a-z0-9]+) \|.*\| (yes)? *\| (yes)? *\|$)");
    for (std::string line; std::getline(guide, line);) {
        std::smatch m;
        if (!std::regex_match(line, m, row)) continue;
        if (m[2].matched) guideOpened.insert(m[1]);
        if (m[3].matched) guideSaved.insert(m[1]);
    }
    EXPECT_EQ(guideOpened, opened);
    EXPECT_EQ(guideSaved, saved);

    const std::string man = Doc("docs/man/tolvconv.1");
    EXPECT_EQ(ManPageList(man, "is read by the reader", "is written by the writer"), opened);
    EXPECT_EQ(ManPageList(man, "is written by the writer", "An existing"), saved);
}
