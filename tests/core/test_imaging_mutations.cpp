// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Damaged picture and mesh files: whatever the bytes, a reader either loads a heightmap or
// leaves the current one exactly as it was, and never reads outside the file.
#include <gtest/gtest.h>

#include <random>

#include "SampleFiles.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"

using namespace tolv;
using namespace tolv::test;

namespace {

void Mutate(const TempDir& dir, const std::string& name, const std::vector<uint8_t>& seed, int rounds)
{
    std::mt19937 rng(12345);
    for (int i = 0; i < rounds; ++i) {
        std::vector<uint8_t> b = seed;
        const int edits = 1 + int(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const size_t at = rng() % b.size();
            switch (rng() % 4) {
            case 0: b[at] = uint8_t(rng()); break;
            case 1: b[at] = 0xFF; break;
            case 2: b.resize(at); break;
            default: b[at] ^= uint8_t(1u << (rng() % 8)); break;
            }
            if (b.empty()) break;
        }
        TestHost host;
        Globals().convertColorToGrayscale = int32_t(i % 3);
        LoadGrid(2, 1, {123, 456}, 2);
        WriteFileBytes(dir / name, b);
        if (!OpenFileByType(dir / name)) {
            EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{123, 456})) << name << " round " << i;
            EXPECT_EQ(HeightmapWidth(), 2) << name << " round " << i;
        } else {
            EXPECT_GE(HeightmapWidth(), 1);
            EXPECT_LE(HeightmapWidth(), 513);
            EXPECT_EQ(AltitudeGrid().size(), size_t(HeightmapWidth()) * size_t(HeightmapHeight()));
        }
    }
}

} // namespace

// Seeded from every kind of file the picture and mesh readers take, 400 damaged copies per format.
TEST(ImagingMutations, DamagedFilesNeverCrashOrHalfLoad)
{
    for (const char* ext : {"tif", "obj", "tga", "bmp", "gif"}) {
        TempDir dir;
        std::vector<std::string> seeds;
        {
            TestHost setup;
            LoadPatternMap(6, 5);
            seeds = WriteSampleFiles(dir.Path(), "seed", ext);
        }
        ASSERT_FALSE(seeds.empty()) << ext;
        for (const std::string& seed : seeds)
            Mutate(dir, std::string("m.") + ext, ReadFileBytes(seed), 400 / int(seeds.size()));
    }
}
