// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/WriterSupport.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/FrmSaveOBJRules.h"
#include "imaging/FrmSaveSTLRules.h"
#include "imaging/vbSTL.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
using namespace tolv::test;

namespace {

std::string Facet(const char* normal, const char* a, const char* b, const char* c)
{
    return std::string("  facet normal ") + normal + "\r\n    outer loop\r\n      vertex " + a + "\r\n      vertex " + b +
           "\r\n      vertex " + c + "\r\n    endloop\r\n  endfacet\r\n";
}

} // namespace

TEST(Stl, ExactTextFollowsRowsThenColumns)
{
    const std::string up = "0.0 0.0 1.0", down = "0.0 0.0 -1.0";
    auto two = [](const std::string& n) {
        return Facet(n.c_str(), "0.0 0.0 10.0", "0.0 16.0 30.0", "16.0 0.0 20.0") +
               Facet(n.c_str(), "0.0 16.0 30.0", "16.0 16.0 40.0", "16.0 0.0 20.0");
    };
    struct Row {
        int32_t w, h, spacing;
        bool flip;
        std::vector<int32_t> grid;
        std::string facets;
    };
    const Row rows[] = {
        {2, 2, 16, false, {10, 20, 30, 40}, two(up)},
        {2, 2, 16, true, {10, 20, 30, 40}, two(down)},
        // A negative and a large altitude; spacing 1024 gives the widest coordinates.
        {3, 2, 1024, false, {-5, 0, 65535, 1, 2, 3},
         Facet(up.c_str(), "0.0 0.0 -5.0", "0.0 1024.0 1.0", "1024.0 0.0 0.0") +
             Facet(up.c_str(), "0.0 1024.0 1.0", "1024.0 1024.0 2.0", "1024.0 0.0 0.0") +
             Facet(up.c_str(), "1024.0 0.0 0.0", "1024.0 1024.0 2.0", "2048.0 0.0 65535.0") +
             Facet(up.c_str(), "1024.0 1024.0 2.0", "2048.0 1024.0 3.0", "2048.0 0.0 65535.0")},
        // One sample wide or high: only the frame.
        {1, 4, 16, false, {3, 3, 3, 3}, ""},
        {4, 1, 16, false, {3, 3, 3, 3}, ""},
    };
    TempDir dir;
    for (const Row& r : rows) {
        TestHost host;
        LoadGrid(r.w, r.h, r.grid);
        ASSERT_TRUE(WriteStlFile(dir / "a.stl", r.w, r.h, r.spacing, r.flip, HeightmapSamples()));
        const std::string name = "TOLV_Heightmap_" + std::to_string(r.w) + "x" + std::to_string(r.h);
        EXPECT_EQ(ReadFileText(dir / "a.stl"), "solid " + name + "\r\n" + r.facets + "endsolid " + name + "\r\n")
            << name << " flip " << r.flip;
    }
}

TEST(Stl, LargestMapHasEveryFacet)
{
    TempDir dir;
    TestHost host;
    std::vector<int32_t> g(513 * 513);
    for (size_t i = 0; i < g.size(); ++i) g[i] = int32_t(i % 65536);
    LoadGrid(513, 513, g);
    ASSERT_TRUE(WriteStlFile(dir / "a.stl", 513, 513, 1024, false, HeightmapSamples()));
    const std::string text = ReadFileText(dir / "a.stl");
    size_t facets = 0;
    for (size_t p = text.find("endfacet"); p != std::string::npos; p = text.find("endfacet", p + 1)) ++facets;
    EXPECT_EQ(facets, 2u * 512 * 512);
    // The very last facet: (512, 513), (513, 513), (513, 512).
    const std::string tail = "      vertex 524288.0 524288.0 " + std::to_string(g.back()) + ".0\r\n      vertex 524288.0 523264.0 " +
                             std::to_string(g[512 * 513 - 1]) + ".0\r\n    endloop\r\n  endfacet\r\nendsolid TOLV_Heightmap_513x513\r\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

// Cancelling is in the shared save-failure tests.
TEST(Stl, SaveUsesTheDialog)
{
    TempDir dir;
    {
        TestHost host;
        LoadGrid(2, 2, {1, 2, 3, 4}, 2);
        host.onDialog = [](DialogId id) {
            ASSERT_EQ(id, DialogId::SaveSTL);
            const auto p = ReadDialogParams<SaveStlParams>();
            EXPECT_EQ(p.spacing, 16);
            EXPECT_EQ(p.originIndex, 0);
            EXPECT_FALSE(p.calculateNormals || p.flipNormals);
            ConfirmDialog(SaveStlResult{5000, true}); // the writer takes at most 1024
        };
        ASSERT_TRUE(SaveFileByType(dir / "a.stl"));
        EXPECT_EQ(FormatCode(), FmtStl);
        const std::string text = ReadFileText(dir / "a.stl");
        EXPECT_NE(text.find("vertex 1024.0 1024.0 4.0"), std::string::npos);
        EXPECT_NE(text.find("normal 0.0 0.0 -1.0"), std::string::npos);
    }
}

TEST(MeshDialogs, NormaliseSpacing)
{
    const std::pair<const char*, const char*> rows[] = {
        {"", "16"}, {"0", "1"}, {"1", "1"}, {"16", "16"}, {"0016", "16"}, {"1024", "1024"}, {"1025", "1024"},
        {"5000", "1024"}, {"99999999999999999999", "1024"}, {" 12 ", "12"},
    };
    for (auto [in, out] : rows) EXPECT_EQ(NormaliseSpacing(in), out) << '"' << in << '"';
}
