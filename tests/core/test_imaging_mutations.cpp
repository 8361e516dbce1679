// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Damaged picture and mesh files: whatever the bytes, a reader either loads a heightmap or
// leaves the current one exactly as it was, and never reads outside the file.
#include <gtest/gtest.h>

#include <gif_lib.h>

#include <random>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/WriterSupport.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/vbOBJ.h"
#include "imaging/vbSTL.h"
#include "imaging/vbTIFF.h"
#include "shell/Globals.h"

using namespace tolv;
using namespace tolv::test;

namespace {

std::vector<uint8_t> ValidTiff(const TempDir& dir)
{
    TestHost host;
    std::vector<int32_t> g(6 * 5);
    for (size_t i = 0; i < g.size(); ++i) g[i] = int32_t(i * 2000);
    LoadGrid(6, 5, g);
    EXPECT_TRUE(WriteTiff16(dir / "seed.tif", 6, 5));
    return ReadFileBytes(dir / "seed.tif");
}

std::vector<uint8_t> ValidObj(const TempDir& dir)
{
    TestHost host;
    LoadGrid(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_TRUE(WriteObjFile(dir / "seed.obj", 3, 3, 16, true, true, HeightmapSamples()));
    return ReadFileBytes(dir / "seed.obj");
}

std::vector<uint8_t> ValidTga()
{
    std::vector<uint8_t> b(18, 0);
    b[1] = 1, b[2] = 1, b[5] = 0, b[6] = 1, b[7] = 24, b[12] = 4, b[14] = 3, b[16] = 8, b[17] = 0x20;
    for (int i = 0; i < 256; ++i) b.insert(b.end(), {uint8_t(i), uint8_t(i), uint8_t(i)});
    for (int i = 0; i < 12; ++i) b.push_back(uint8_t(i * 20));
    return b;
}

std::vector<uint8_t> ValidBmp()
{
    std::vector<uint8_t> b = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0,
                              1, 0, 24, 0};
    b.resize(54, 0);
    for (int i = 0; i < 2 * 12; ++i) b.push_back(uint8_t(i * 9));
    b[2] = uint8_t(b.size());
    return b;
}

std::vector<uint8_t> ValidGif(const TempDir& dir)
{
    int err = 0;
    const std::string path = dir / "seed.gif";
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &err);
    EXPECT_NE(gif, nullptr);
    GifColorType colors[4] = {{0, 0, 0}, {80, 1, 2}, {160, 3, 4}, {240, 5, 6}};
    ColorMapObject* map = GifMakeMapObject(4, colors);
    EGifPutScreenDesc(gif, 5, 4, 2, 0, map);
    EGifPutImageDesc(gif, 0, 0, 5, 4, true, nullptr);
    for (int r = 0; r < 4; ++r) {
        GifPixelType line[5] = {0, 1, 2, 3, uint8_t(r % 4)};
        EGifPutLine(gif, line, 5);
    }
    GifFreeMapObject(map);
    EGifCloseFile(gif, &err);
    return ReadFileBytes(path);
}

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

TEST(ImagingMutations, DamagedFilesNeverCrashOrHalfLoad)
{
    TempDir dir;
    Mutate(dir, "m.tif", ValidTiff(dir), 400);
    Mutate(dir, "m.obj", ValidObj(dir), 400);
    Mutate(dir, "m.tga", ValidTga(), 400);
    Mutate(dir, "m.bmp", ValidBmp(), 400);
    Mutate(dir, "m.gif", ValidGif(dir), 400);
}
