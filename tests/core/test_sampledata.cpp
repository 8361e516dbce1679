// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The sample heightmaps generated in data/ beside the program at build time.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/FrmRawSizeRules.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/vbShowDialog.h"

using namespace tolv;
namespace fs = std::filesystem;

TEST(SampleData, EverySampleOfASizeHoldsTheSameTerrain)
{
    // Formats that store every 16-bit altitude exactly, so they must give back the very same grid.
    const std::map<std::string, int32_t> exactFormats = {
        {".hmb", FmtHmb}, {".hma", FmtHma}, {".r16", FmtRaw16}, {".bmp", FmtG16}, {".tif", FmtTiffGray16}};
    for (int32_t size : {257, 513}) {
        test::TestHost host;
        host.onDialog = [size](DialogId id) {
            if (id == DialogId::RawSize) ConfirmDialog(RawSizeResult{std::to_string(size), std::to_string(size)});
        };
        const std::string stem = "terrain" + std::to_string(size);
        ASSERT_TRUE(OpenFileByType(std::string(TOLV_DATA_DIR) + "/" + stem + ".hmb")) << host.OnlyText();
        ASSERT_EQ(HeightmapWidth(), size);
        ASSERT_EQ(HeightmapHeight(), size);
        EXPECT_GT(AltitudeRange(), 50000) << "a terrain, not a flat map";
        const std::vector<int32_t> grid = test::CurrentGrid();

        size_t compared = 0;
        for (const auto& entry : fs::directory_iterator(TOLV_DATA_DIR)) {
            const auto exact = exactFormats.find(entry.path().extension().string());
            if (entry.path().stem() != stem || exact == exactFormats.end()) continue;
            host.Clear();
            ClearHeightmap();
            ASSERT_TRUE(OpenFileByType(entry.path().string())) << entry.path() << ": " << host.OnlyText();
            EXPECT_EQ(FormatCode(), exact->second) << entry.path();
            EXPECT_EQ(test::CurrentGrid(), grid) << entry.path();
            ++compared;
        }
        EXPECT_GE(compared, 4u) << "hmb, hma, r16 and bmp at least";
    }
}
