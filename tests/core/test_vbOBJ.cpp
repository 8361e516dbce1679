// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/WriterSupport.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/FrmSaveOBJRules.h"
#include "imaging/vbOBJ.h"
#include "imaging/vbSTL.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

namespace {

const std::string kHead = "# TOLV Heightmap\r\n# https://tolv.example.org/\r\n#\r\n";

std::vector<int32_t> Ramp(int w, int h)
{
    std::vector<int32_t> g;
    for (int i = 0; i < w * h; ++i) g.push_back((i * 37) % 65536);
    return g;
}

// Loads text as an OBJ file; returns the reader's result.
bool LoadText(const TempDir& dir, const std::string& text)
{
    WriteFileText(dir / "m.obj", text);
    return LoadObjFile(dir / "m.obj");
}

} // namespace

TEST(ObjWriter, ThreeByTwoFile)
{
    TempDir dir;
    TestHost host;
    LoadGrid(3, 2, {0, 1, 65535, 7, 8, 9});
    ASSERT_TRUE(WriteObjFile(dir / "a.obj", 3, 2, 16, true, true, HeightmapSamples()));
    EXPECT_EQ(ReadFileText(dir / "a.obj"),
              kHead + "# 3x2 Sample Points\r\n# 6 Vertices\r\n# 2 Faces\r\n\r\no Heightmap\r\n\r\n"
                      "v 0.0 0.0 0.0\r\nv 16.0 0.0 1.0\r\nv 32.0 0.0 65535.0\r\n"
                      "v 0.0 16.0 7.0\r\nv 16.0 16.0 8.0\r\nv 32.0 16.0 9.0\r\n"
                      "\r\ng Heightmap\r\ns 1\r\nf 1 4 2\r\nf 4 5 2\r\nf 2 5 3\r\nf 5 6 3\r\ng\r\n\r\n"
                      "# End of TOLV Heightmap\r\n");
}

TEST(ObjWriter, OptionsOffAndOneSampleWide)
{
    TempDir dir;
    TestHost host;
    LoadGrid(1, 2, {4, -3});
    ASSERT_TRUE(WriteObjFile(dir / "a.obj", 1, 2, 5, false, false, HeightmapSamples()));
    EXPECT_EQ(ReadFileText(dir / "a.obj"),
              kHead + "# 1x2 Sample Points\r\n# 2 Vertices\r\n# 0 Faces\r\n\r\n"
                      "v 0.0 0.0 4.0\r\nv 0.0 5.0 -3.0\r\n\r\ng Heightmap\r\ng\r\n\r\n# End of TOLV Heightmap\r\n");
}

// Cancelling is in the shared save-failure tests.
TEST(ObjWriter, SaveDialogDefaultsAndOptions)
{
    TempDir dir;
    TestHost host;
    LoadGrid(2, 2, {1, 2, 3, 4}, 2);
    host.onDialog = [](DialogId id) {
        ASSERT_EQ(id, DialogId::SaveOBJ);
        const auto p = ReadDialogParams<SaveObjValues>();
        EXPECT_EQ(p.spacing, 16);
        EXPECT_TRUE(p.includeObjectName && p.smoothFaces);
        ConfirmDialog(SaveObjValues{0, false, true}); // the writer takes at least 1
    };
    ASSERT_TRUE(SaveFileByType(dir / "a.obj"));
    EXPECT_EQ(FormatCode(), FmtObj);
    const std::string text = ReadFileText(dir / "a.obj");
    EXPECT_EQ(text.find("o Heightmap"), std::string::npos);
    EXPECT_NE(text.find("v 1.0 1.0 4.0\r\n"), std::string::npos);
    EXPECT_NE(text.find("g Heightmap\r\ns 1\r\nf 1 3 2\r\n"), std::string::npos);
}

TEST(ObjReader, ReadsBackWhatTheWriterWrites)
{
    TempDir dir;
    const std::tuple<int, int, int> sizes[] = {{3, 2, 16}, {3, 2, 1}, {3, 2, 1024}, {257, 257, 16}, {513, 513, 1024}};
    for (auto [w, h, spacing] : sizes) {
        TestHost host;
        const std::vector<int32_t> g = Ramp(w, h);
        LoadGrid(w, h, g);
        ASSERT_TRUE(WriteObjFile(dir / "a.obj", w, h, spacing, true, true, HeightmapSamples()));
        ClearHeightmap();
        ASSERT_TRUE(LoadObjFile(dir / "a.obj")) << w << " " << host.OnlyText();
        EXPECT_EQ(HeightmapWidth(), w);
        EXPECT_EQ(HeightmapHeight(), h);
        EXPECT_EQ(CurrentGrid(), g) << w << " spacing " << spacing;
        EXPECT_EQ(FormatCode(), FmtObj);
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST(ObjReader, GridFromVertexValues)
{
    struct Row {
        const char* name;
        std::string text;
        int32_t w, h;
        std::vector<int32_t> grid;
    };
    const Row rows[] = {
        {"negative X in order", "v -16 0 1\r\nv 0 0 2\r\nv 16 0 3\r\n", 3, 1, {1, 2, 3}},
        {"no zero X: first column stays 0", "v 5 0 1\r\nv 10 0 2\r\nv 15 0 3\r\n", 4, 1, {0, 1, 2, 3}},
        {"halves to even", "v 0 0 100.5\r\nv 1 0 101.5\r\nv 2 0 -0.5\r\n", 3, 1, {100, 102, 0}},
        {"first duplicate wins", "v 0 0 7\r\nv 1 0 8\r\nv 0 0 9\r\nv 1.0 0 10\r\n", 2, 1, {7, 8}},
        {"unmatched points are 0", "v 0 0 5\r\nv 1 1 6\r\n", 2, 2, {5, 0, 0, 6}},
        {"lone LF lines", "# c\nv 0 0 1\nv 1 0 2\nf 1 2 1\n", 2, 1, {1, 2}},
        {"lone CR lines", "v 0 0 1\rv 1 0 2\r", 2, 1, {1, 2}},
        {"too small for a float is 0", "v 1e-60 0 1\r\nv 1 -1e-400 2\r\n", 2, 1, {1, 2}},
        {"signs, exponents, blanks", "v  +1e1 -0.0 3E2  \r\nv 0 0 1\r\n", 2, 1, {1, 300}},
        {"other lines ignored", "o x\r\n v 9 9 9\r\nv\t9\t9\t9\r\nvn 1 2 3\r\nvt 1 2\r\nV 5 5 5\r\nv 0 0 4\r\n", 1, 1, {4}},
    };
    TempDir dir;
    for (const Row& r : rows) {
        TestHost host;
        ASSERT_TRUE(LoadText(dir, r.text)) << r.name << ": " << host.OnlyText();
        EXPECT_EQ(HeightmapWidth(), r.w) << r.name;
        EXPECT_EQ(HeightmapHeight(), r.h) << r.name;
        EXPECT_EQ(CurrentGrid(), r.grid) << r.name;
    }
}

TEST(ObjReader, ProgressTexts)
{
    TempDir dir;
    TestHost host;
    ASSERT_TRUE(LoadText(dir, "v 0 0 1\r\nv 0 1 2\r\n"));
    EXPECT_EQ(host.progress, (std::vector<std::string>{"Loading vertices...", "Sorting vertex lists...",
                                                        "Calculating object dimensions...", "Sorting vertex lists...",
                                                        "Creating heightmap row..."}));
    EXPECT_EQ(host.panels, (std::vector<std::pair<int, std::string>>{{2, "1"}, {2, "2"}}));
}

TEST(ObjReader, RefusalsAndErrorsLeaveHeightmapAlone)
{
    const std::string tooLong = std::string(82, 'x') + "\r\nv 0 0 1\r\n";
    const std::string errorBox = "An error occurred loading the Alias Object file.\r\n\r\nError Number: ";
    struct Row {
        const char* name;
        std::string text;
        std::string kind, message; // message: whole text, or the start of an error report
    };
    std::string many;
    for (int i = 0; i <= kMaxObjVertices; ++i) many += "v 0 0 1\n";
    const Row rows[] = {
        {"first line too long", tooLong, "info",
         "Invalid OBJ file format.\r\nThe file does not appear to be ASCII or the file lines are too long."},
        {"empty file", "", "info",
         "Invalid OBJ file format.\r\nThe file does not appear to be ASCII or the file lines are too long."},
        {"binary first line", std::string("ab\x01\r\n", 5), "info", "Invalid OBJ file format.\r\nThe file contains non-ASCII data."},
        {"no vertex", "# nothing\r\nf 1 2 3\r\n", "warning", "No vertices were found in the file."},
        {"too many vertices", many, "warning", "The object file contains more than 263169 vertices.  The object is too large."},
        {"not a number", "v 0 a 1\r\n", "error", errorBox + "13"},
        {"two spaces between", "v 0  0 1\r\n", "error", errorBox + "13"},
        {"fourth number", "v 0 0 1 1\r\n", "error", errorBox + "13"},
        {"missing Z", "v 0 0\r\n", "error", errorBox + "13"},
        {"nan", "v nan 0 1\r\n", "error", errorBox + "13"},
        {"float overflow", "v 1e99 0 1\r\n", "error", errorBox + "6"},
        {"double overflow", "v 0 -1e999 1\r\n", "error", errorBox + "6"},
        {"altitude overflow", "v 0 0 1e20\r\n", "error", errorBox + "6"},
    };
    TempDir dir;
    for (const Row& r : rows) {
        TestHost host;
        LoadGrid(1, 1, {42}, 2);
        EXPECT_FALSE(LoadText(dir, r.text)) << r.name;
        ASSERT_EQ(host.messages.size(), 1u) << r.name;
        EXPECT_EQ(host.messages[0].kind, r.kind) << r.name;
        if (r.kind == "error")
            EXPECT_EQ(host.messages[0].text.rfind(r.message, 0), 0u) << r.name << ": " << host.messages[0].text;
        else
            EXPECT_EQ(host.messages[0].text, r.message) << r.name;
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{42}) << r.name;
        EXPECT_EQ(FormatCode(), 2) << r.name;
    }
}
