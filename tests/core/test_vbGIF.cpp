// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <gif_lib.h>

#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/vbGIF.h"

using namespace tolv;
using namespace tolv::test;

namespace {

struct Frame {
    int left, top, width, height;
    bool interlace;
    std::vector<uint8_t> indices; // rows top first
    int transparent = -1;
};

// Palette entry i: red = 3 * i, green = 255 - i, blue = i (red is what the reader keeps).
GifColorType Entry(int i) { return {uint8_t(3 * i), uint8_t(255 - i), uint8_t(i)}; }

void WriteGif(const std::string& path, int screenW, int screenH, int background, const std::vector<Frame>& frames)
{
    int err = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &err);
    ASSERT_NE(gif, nullptr);
    std::vector<GifColorType> colors;
    for (int i = 0; i < 16; ++i) colors.push_back(Entry(i));
    ColorMapObject* map = GifMakeMapObject(16, colors.data());
    EGifSetGifVersion(gif, true);
    ASSERT_EQ(EGifPutScreenDesc(gif, screenW, screenH, 4, background, map), GIF_OK);
    for (const Frame& f : frames) {
        if (f.transparent >= 0) {
            GraphicsControlBlock gcb{};
            gcb.TransparentColor = f.transparent;
            GifByteType ext[4];
            EGifGCBToExtension(&gcb, ext);
            ASSERT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext), GIF_OK);
        }
        ASSERT_EQ(EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, nullptr), GIF_OK);
        // Interlaced frames are handed over in pass order.
        std::vector<int> order;
        if (f.interlace) {
            for (auto [s, st] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
                for (int r = s; r < f.height; r += st) order.push_back(r);
        } else {
            for (int r = 0; r < f.height; ++r) order.push_back(r);
        }
        for (int r : order) {
            std::vector<GifPixelType> line(f.indices.begin() + r * f.width, f.indices.begin() + (r + 1) * f.width);
            ASSERT_EQ(EGifPutLine(gif, line.data(), f.width), GIF_OK);
        }
    }
    GifFreeMapObject(map);
    ASSERT_EQ(EGifCloseFile(gif, &err), GIF_OK);
}

std::vector<uint8_t> Pattern(int w, int h)
{
    std::vector<uint8_t> v;
    for (int i = 0; i < w * h; ++i) v.push_back(uint8_t((i * 7) % 16));
    return v;
}

} // namespace

TEST(Gif, FullFramePlainAndInterlaced)
{
    TempDir dir;
    for (bool interlace : {false, true}) {
        TestHost host;
        const int w = 5, h = 11;
        WriteGif(dir / "a.gif", w, h, 0, {{0, 0, w, h, interlace, Pattern(w, h)}});
        ASSERT_TRUE(LoadGifImage(dir / "a.gif"));
        std::vector<int32_t> expect;
        for (uint8_t i : Pattern(w, h)) expect.push_back(Entry(i).Red);
        EXPECT_EQ(CurrentGrid(), expect) << interlace;
        EXPECT_EQ(HeightmapWidth(), w);
        EXPECT_EQ(FormatCode(), FmtGifGray);
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST(Gif, FirstImageComposedOnScreenWithBackgroundAndTransparency)
{
    TempDir dir;
    TestHost host;
    // A 2 x 2 frame at (1, 1) on a 4 x 3 screen with background index 5; index 2 is transparent.
    // A second image must be ignored.
    WriteGif(dir / "a.gif", 4, 3, 5,
             {{1, 1, 2, 2, false, {1, 2, 3, 4}, 2}, {0, 0, 4, 3, false, std::vector<uint8_t>(12, 9)}});
    ASSERT_TRUE(LoadGifImage(dir / "a.gif"));
    const int32_t b = Entry(5).Red;
    EXPECT_EQ(CurrentGrid(), (std::vector<int32_t>{b, b, b, b, b, Entry(1).Red, b, b, b, Entry(3).Red,
                                                   Entry(4).Red, b}));
}

TEST(Gif, RefusalsKeepTheHeightmap)
{
    TempDir dir;
    WriteGif(dir / "a.gif", 2, 2, 0, {{0, 0, 2, 2, false, {1, 2, 3, 4}}});
    const std::vector<uint8_t> good = ReadFileBytes(dir / "a.gif");
    auto patched = [&](size_t at, char c) {
        auto b = good;
        b[at] = uint8_t(c);
        return b;
    };
    const std::string unknown = "Unknown or unsupported GIF format.";
    const std::tuple<const char*, std::vector<uint8_t>, std::string> rows[] = {
        {"lower-case signature", patched(0, 'g'), unknown},
        {"version 88a", patched(4, '8'), unknown},
        {"too short", {'G', 'I', 'F', '8'}, unknown},
        {"empty", {}, unknown},
    };
    for (const auto& [name, bytes, message] : rows) {
        TestHost host;
        LoadGrid(1, 1, {42});
        WriteFileBytes(dir / "b.gif", bytes);
        EXPECT_FALSE(LoadGifImage(dir / "b.gif")) << name;
        EXPECT_EQ(host.OnlyText(), message) << name;
        EXPECT_EQ(CurrentGrid(), std::vector<int32_t>{42}) << name;
    }
}
