// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "formats/vbT3D.h"
#include "heightmap/MapHeight.h"

using namespace tolv;
using namespace tolv::test;

namespace {

std::string Header(int w, int h)
{
    return "Begin Map\r\n"
           "   Begin Level\r\n"
           "      Begin Terrain Class=Terrain Name=Terrain_0\r\n"
           "         Begin TerrainActor Class=Terrain Name=Terrain_0\r\n"
           "            Begin Object Class=SpriteComponent Name=SpriteComponent0 "
           "Archetype=SpriteComponent'Engine.Default__Terrain.SpriteComponent0'\r\n"
           "                bDirty=False\r\n"
           "                Name=\"SpriteComponent_SpriteComponent0_0\"\r\n"
           "                ObjectArchetype=SpriteComponent'Engine.Default__Terrain.SpriteComponent0'\r\n"
           "            End Object\r\n"
           "            Tag=\"Terrain\"\r\n"
           "            DrawScale3D=(X=256.000000,Y=256.000000,Z=256.000000)\r\n"
           "            Name=\"Terrain_0\"\r\n"
           "            ObjectArchetype=Terrain'Engine.Default__Terrain'\r\n"
           "         End TerrainActor\r\n"
           "         Begin TerrainActorMembers\r\n"
           "            NumSectionsX=1\r\n"
           "            NumSectionsY=1\r\n"
           "            SectionSize=0\r\n"
           "            MaxCollisionDisplacement=0.000000\r\n"
           "            MaxTesselationLevel=1\r\n"
           "            TesselationDistanceScale=1.000000\r\n"
           "            NumVerticesX=" + std::to_string(w) + "\r\n"
           "            NumVerticesY=" + std::to_string(h) + "\r\n"
           "            NumPatchesX=" + std::to_string(w - 1) + "\r\n"
           "            NumPatchesY=" + std::to_string(h - 1) + "\r\n"
           "            MaxComponentSize=16\r\n"
           "            StaticLightingResolution=1\r\n"
           "         End TerrainActorMembers\r\n"
           "         Begin TerrainHeight\tExporter=TerrainHeightMapExporterTextT3D\r\n"
           "            Count=" + std::to_string(w * h) + "\tWidth=" + std::to_string(w) + "\tHeight=" +
           std::to_string(h) + "\r\n";
}

const std::string kFooter = "         End TerrainHeight\r\n      End Terrain\r\n   End Level\r\nEnd Map\r\n";

// v(x, y) = 10 x + y, rows top first.
std::vector<int32_t> Coded(int w, int h)
{
    std::vector<int32_t> g;
    for (int y = 1; y <= h; ++y)
        for (int x = 1; x <= w; ++x) g.push_back(10 * x + y);
    return g;
}

} // namespace

TEST(T3d, Bytes)
{
    struct Row {
        const char* name;
        int w, h;
        std::vector<int32_t> grid;
        std::string values;
    };
    const Row rows[] = {
        {"2x2", 2, 2, {1, 2, 3, 4}, "            00003\t00001\t00004\t00002\r\n"},
        {"1x1 extremes", 1, 1, {65535}, "            65535\r\n"},
        {"3x3 column order, ninth value alone", 3, 3, Coded(3, 3),
         "            00013\t00012\t00011\t00023\t00022\t00021\t00033\t00032\r\n"
         "            00031\r\n"},
        {"4x4 two full lines", 4, 4, Coded(4, 4),
         "            00014\t00013\t00012\t00011\t00024\t00023\t00022\t00021\r\n"
         "            00034\t00033\t00032\t00031\t00044\t00043\t00042\t00041\r\n"},
        {"zero", 2, 1, {0, 7}, "            00000\t00007\r\n"},
    };
    for (const Row& r : rows) {
        TestHost host;
        TempDir dir;
        LoadGrid(r.w, r.h, r.grid, 1);
        ASSERT_TRUE(SaveFileByType(dir / "t.t3d")) << r.name;
        EXPECT_EQ(ReadFileText(dir / "t.t3d"), Header(r.w, r.h) + r.values + kFooter) << r.name;
        EXPECT_EQ(FormatCode(), FmtT3d) << r.name;
        EXPECT_TRUE(host.messages.empty()) << r.name;
    }
}

TEST(T3d, Full513LineCount)
{
    TestHost host;
    TempDir dir;
    std::vector<int32_t> grid(513 * 513, 65535);
    ASSERT_TRUE(WriteT3dFile(dir / "big.t3d", 513, 513, grid));
    const std::string text = ReadFileText(dir / "big.t3d");
    const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(lines, 30u + (513u * 513u + 7u) / 8u + 4u);
    EXPECT_EQ(text.substr(text.size() - kFooter.size()), kFooter);
}
