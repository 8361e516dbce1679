// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Interchange with common image and raster tools: files tolvconv writes are decoded by the tools
// and compared sample by sample with the pattern that went in, and files the tools write are read
// by tolvconv and compared the same way. Each test skips when its tool is not installed.
#include <gtest/gtest.h>

#include <array>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <cstdlib>
#include <sstream>
#include <unistd.h>

#include "RunProcess.h"
#include "TempDir.h"

using namespace tolv::test;

namespace {

// The tool's full path found along PATH, "" when it is not installed.
std::string FindTool(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/local/bin:/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (dir.empty()) continue;
        const std::string candidate = dir + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return "";
}

#define REQUIRE_TOOL(var, name)                                                                                       \
    const std::string var = FindTool(name);                                                                           \
    if (var.empty()) {                                                                                                \
        GTEST_SKIP() << name << " is not installed";                                                                  \
    }                                                                                                                 \
    static_assert(true)

ProcessResult Conv(const std::vector<std::string>& args) { return RunProcess(TOLVCONV_PATH, args); }

struct Size {
    int w, h;
};
std::string SizeText(Size s) { return std::to_string(s.w) + "x" + std::to_string(s.h); }

// Gradients across and down with a scrambled low part, so byte order, row order and column
// order all show; the four corners carry the values around the sign and byte boundaries.
std::vector<uint16_t> Pattern16(Size s)
{
    std::vector<uint16_t> v(size_t(s.w) * size_t(s.h));
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            const uint32_t across = s.w > 1 ? uint32_t(x) * 65535u / uint32_t(s.w - 1) : 0;
            v[size_t(y) * s.w + x] = uint16_t(across + uint32_t(y) * 4099u + ((uint32_t(x) * 7u + uint32_t(y) * 13u) & 0xFF));
        }
    v[0] = 0;
    if (s.w > 1) v[size_t(s.w) - 1] = 32767;
    if (s.h > 1) v[size_t(s.h - 1) * s.w] = 32768;
    if (s.w > 1 && s.h > 1) v.back() = 65535;
    return v;
}

// 8-bit pictures: the full 0..255 range with every row different.
std::vector<uint8_t> Pattern8(Size s)
{
    std::vector<uint8_t> v(size_t(s.w) * size_t(s.h));
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x)
            v[size_t(y) * s.w + x] = uint8_t((s.w > 1 ? x * 255 / (s.w - 1) : 0) ^ (y * 7));
    v[0] = 0;
    v.back() = 255;
    return v;
}

std::vector<uint8_t> Le16Bytes(const std::vector<uint16_t>& v)
{
    std::vector<uint8_t> b(v.size() * 2);
    for (size_t i = 0; i < v.size(); ++i) b[2 * i] = uint8_t(v[i]), b[2 * i + 1] = uint8_t(v[i] >> 8);
    return b;
}

std::vector<uint16_t> FromLe16(const std::vector<uint8_t>& b)
{
    std::vector<uint16_t> v(b.size() / 2);
    for (size_t i = 0; i < v.size(); ++i) v[i] = uint16_t(b[2 * i] | b[2 * i + 1] << 8);
    return v;
}

std::vector<uint16_t> FromBe16(const std::vector<uint8_t>& b)
{
    std::vector<uint16_t> v(b.size() / 2);
    for (size_t i = 0; i < v.size(); ++i) v[i] = uint16_t(b[2 * i] << 8 | b[2 * i + 1]);
    return v;
}

// Sample-by-sample comparison naming the first difference by its column and row (from 1).
template <typename A, typename B>
::testing::AssertionResult SameSamples(const std::vector<A>& got, const std::vector<B>& want, Size s)
{
    if (got.size() != want.size())
        return ::testing::AssertionFailure() << got.size() << " samples, expected " << want.size();
    for (size_t i = 0; i < got.size(); ++i)
        if (int64_t(got[i]) != int64_t(want[i]))
            return ::testing::AssertionFailure() << "sample (" << i % s.w + 1 << ", " << i / s.w + 1 << ") is "
                                                 << int64_t(got[i]) << ", expected " << int64_t(want[i]);
    return ::testing::AssertionSuccess();
}

// The heightmap tolvconv read from a file, as its raw 16-bit output.
std::vector<uint16_t> ReadThroughTolv(const TempDir& dir, const std::vector<std::string>& args)
{
    std::vector<std::string> all = args;
    all.push_back(dir / "through.r16");
    ProcessResult r = Conv(all);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    if (r.exitCode != 0) return {};
    return FromLe16(ReadFileBytes(dir / "through.r16"));
}

// Writes the pattern to a raw 16-bit file and has tolvconv save it as `out`.
void WriteThroughTolv(const TempDir& dir, const std::vector<uint16_t>& samples, Size s, const std::string& out,
                      std::vector<std::string> extra = {})
{
    WriteFileBytes(dir / "pattern.r16", Le16Bytes(samples));
    extra.insert(extra.end(), {"--raw-size", SizeText(s), dir / "pattern.r16", out});
    ProcessResult r = Conv(extra);
    ASSERT_EQ(r.exitCode, 0) << r.err;
}

// A label file that lets the raster tool read a bare sample file (type 1 = byte, 12 = 16-bit).
void WriteEnviHeader(const std::string& path, Size s, int dataType)
{
    WriteFileText(path, "ENVI\nsamples = " + std::to_string(s.w) + "\nlines = " + std::to_string(s.h) +
                            "\nbands = 1\nheader offset = 0\nfile type = ENVI Standard\ndata type = " +
                            std::to_string(dataType) + "\ninterleave = bsq\nbyte order = 0\n");
}

ProcessResult Tool(const std::string& tool, const std::vector<std::string>& args)
{
    ProcessResult r = RunProcess(tool, args);
    EXPECT_EQ(r.exitCode, 0) << tool << ": " << r.err;
    return r;
}

const Size kSizes[] = {{113, 157}, {513, 513}, {1, 1}, {2, 3}};

} // namespace

// ---------------------------------------------------------------- 16-bit gray TIFF

TEST(InteropTiff, WrittenFilesDecodeToTheSameSamples)
{
    REQUIRE_TOOL(convert, "convert");
    for (Size s : kSizes) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "map.tif");
        Tool(convert, {dir / "map.tif", "-depth", "16", "-endian", "LSB", "gray:" + (dir / "im.gray")});
        EXPECT_TRUE(SameSamples(FromLe16(ReadFileBytes(dir / "im.gray")), pattern, s));
    }
}

TEST(InteropTiff, WrittenFilesDecodeInTheRasterTool)
{
    REQUIRE_TOOL(gdal, "gdal_translate");
    for (Size s : kSizes) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "map.tif");
        Tool(gdal, {"-q", "-of", "ENVI", dir / "map.tif", dir / "g.envi"});
        EXPECT_TRUE(SameSamples(FromLe16(ReadFileBytes(dir / "g.envi")), pattern, s));
    }
}

TEST(InteropTiff, FilesOfTheImageToolAreRead)
{
    REQUIRE_TOOL(convert, "convert");
    for (Size s : kSizes) {
        for (const char* rowsPerStrip : {"", "5"}) {
            SCOPED_TRACE(SizeText(s) + " rows per strip " + rowsPerStrip);
            TempDir dir;
            const auto pattern = Pattern16(s);
            WriteFileBytes(dir / "in.gray", Le16Bytes(pattern));
            std::vector<std::string> args = {"-size", SizeText(s), "-depth", "16", "-endian", "LSB",
                                             "gray:" + (dir / "in.gray")};
            if (*rowsPerStrip) args.insert(args.end(), {"-define", std::string("tiff:rows-per-strip=") + rowsPerStrip});
            args.push_back(dir / "im.tif");
            Tool(convert, args);
            EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "im.tif"}), pattern, s));
        }
    }
}

TEST(InteropTiff, FilesOfTheRasterToolAreRead)
{
    REQUIRE_TOOL(gdal, "gdal_translate");
    // Several strips of odd height, the last one short, and the default layout.
    for (Size s : {Size{113, 157}, Size{513, 513}}) {
        for (const char* blockRows : {"", "7"}) {
            SCOPED_TRACE(SizeText(s) + " block rows " + blockRows);
            TempDir dir;
            const auto pattern = Pattern16(s);
            WriteFileBytes(dir / "in.bin", Le16Bytes(pattern));
            WriteEnviHeader(dir / "in.hdr", s, 12);
            std::vector<std::string> args = {"-q", "-of", "GTiff"};
            if (*blockRows) args.insert(args.end(), {"-co", std::string("BLOCKYSIZE=") + blockRows});
            args.insert(args.end(), {dir / "in.bin", dir / "g.tif"});
            Tool(gdal, args);
            EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "g.tif"}), pattern, s));
        }
    }
}

TEST(InteropTiff, LayoutsOutsideTheSupportedKindAreRefusedWithTheirMessage)
{
    REQUIRE_TOOL(gdal, "gdal_translate");
    const Size s{40, 30};
    struct Row {
        std::vector<std::string> options;
        std::string message;
    };
    const Row rows[] = {
        {{"-co", "COMPRESS=LZW"}, "TOLV warning:\nOnly uncompressed TIF images are supported.\n\n"},
        {{"-co", "ENDIANNESS=BIG"}, "TOLV info:\nMotorola (Mac) format TIFF is not supported yet.\n\n"},
        {{"-ot", "Byte", "-scale", "0", "65535", "0", "255"},
         "TOLV warning:\nOnly 16-bit Grayscale TIF images are supported.\n\n"},
        // Tiles carry no strip offsets; reading them as strips would give a flat map.
        {{"-co", "TILED=YES", "-co", "BLOCKXSIZE=16", "-co", "BLOCKYSIZE=16"}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.options[1]);
        TempDir dir;
        WriteFileBytes(dir / "in.bin", Le16Bytes(Pattern16(s)));
        WriteEnviHeader(dir / "in.hdr", s, 12);
        std::vector<std::string> args = {"-q", "-of", "GTiff"};
        args.insert(args.end(), row.options.begin(), row.options.end());
        args.insert(args.end(), {dir / "in.bin", dir / "g.tif"});
        Tool(gdal, args);
        ProcessResult r = Conv({dir / "g.tif", dir / "out.r16"});
        EXPECT_EQ(r.exitCode, 1);
        if (row.message.empty()) {
            EXPECT_NE(r.err.find("TOLV warning:\n"), std::string::npos) << r.err;
        } else {
            EXPECT_EQ(r.err, row.message);
        }
        EXPECT_FALSE(access((dir / "out.r16").c_str(), F_OK) == 0);
    }
}

// ---------------------------------------------------------------- raw 16-bit

TEST(InteropRaw16, WrittenFilesAreReadAsBareSamples)
{
    REQUIRE_TOOL(gdal, "gdal_translate");
    const Size s{113, 157};
    TempDir dir;
    const auto pattern = Pattern16(s);
    // Through TIFF so that the raw file tolvconv writes is not a copy of its input.
    WriteThroughTolv(dir, pattern, s, dir / "map.tif");
    ASSERT_EQ(Conv({dir / "map.tif", dir / "map.r16"}).exitCode, 0);
    WriteEnviHeader(dir / "map.hdr", s, 12);
    Tool(gdal, {"-q", "-of", "ENVI", dir / "map.r16", dir / "g.envi"});
    EXPECT_TRUE(SameSamples(FromLe16(ReadFileBytes(dir / "g.envi")), pattern, s));
}

TEST(InteropRaw16, FilesOfTheRasterToolAreRead)
{
    REQUIRE_TOOL(gdal, "gdal_translate");
    for (Size s : {Size{113, 157}, Size{513, 513}}) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "map.tif");
        Tool(gdal, {"-q", "-of", "ENVI", dir / "map.tif", dir / "g.r16"});
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {"--raw-size", SizeText(s), dir / "g.r16"}), pattern, s));
    }
}

// ---------------------------------------------------------------- G16 bitmaps

// A 16-bit uncompressed bitmap is, to an image tool, five bits each of red, green and blue: the
// low 15 bits of every altitude. Rows are only padded to four bytes by the tools, so this holds for
// even widths; odd-width maps are stored with unpadded rows, which the tools refuse as short.
TEST(InteropG16, EvenWidthMapsDecodeAsFiveBitColour)
{
    REQUIRE_TOOL(convert, "convert");
    for (Size s : {Size{114, 157}, Size{512, 512}, Size{2, 1}}) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "map.bmp");
        Tool(convert, {dir / "map.bmp", "-depth", "16", "-endian", "MSB", "rgb:" + (dir / "im.rgb")});
        const auto rgb = FromBe16(ReadFileBytes(dir / "im.rgb"));
        ASSERT_EQ(rgb.size(), pattern.size() * 3);
        std::vector<uint16_t> low15(pattern.size()), decoded(pattern.size());
        for (size_t i = 0; i < pattern.size(); ++i) {
            low15[i] = pattern[i] & 0x7FFF;
            auto five = [&](int c) { return unsigned(std::lround(rgb[3 * i + c] * 31.0 / 65535.0)); };
            decoded[i] = uint16_t(five(0) << 10 | five(1) << 5 | five(2));
        }
        EXPECT_TRUE(SameSamples(decoded, low15, s));
    }
}

// Split tiles are G16 bitmaps too: each tile, decoded by the image tool, is its part of the map.
TEST(InteropG16, SplitTilesDecodeToTheirRegions)
{
    REQUIRE_TOOL(convert, "convert");
    const Size s{116, 158};
    for (const bool seamless : {false, true}) {
        SCOPED_TRACE(seamless ? "seamless" : "plain");
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "tile.bmp", {"--split", seamless ? "2x2:seamless" : "2x2"});
        const Size tile{s.w / 2, s.h / 2};
        for (int n = 0; n < 4; ++n) {
            SCOPED_TRACE(n);
            const std::string name = dir / ("tile0" + std::to_string(n) + ".bmp");
            Tool(convert, {name, "-depth", "16", "-endian", "MSB", "rgb:" + (dir / "im.rgb")});
            const auto rgb = FromBe16(ReadFileBytes(dir / "im.rgb"));
            ASSERT_EQ(rgb.size(), size_t(tile.w) * tile.h * 3);
            const int x0 = (n % 2) * tile.w - (seamless && n % 2 ? 1 : 0);
            const int y0 = (n / 2) * tile.h - (seamless && n / 2 ? 1 : 0);
            std::vector<uint16_t> want, got;
            for (int y = 0; y < tile.h; ++y)
                for (int x = 0; x < tile.w; ++x) {
                    const size_t i = size_t(y) * tile.w + x;
                    auto five = [&](int c) { return unsigned(std::lround(rgb[3 * i + c] * 31.0 / 65535.0)); };
                    got.push_back(uint16_t(five(0) << 10 | five(1) << 5 | five(2)));
                    want.push_back(pattern[size_t(y0 + y) * s.w + size_t(x0 + x)] & 0x7FFF);
                }
            EXPECT_TRUE(SameSamples(got, want, tile));
        }
    }
}

// The image tool writes 16-bit bitmaps with colour masks (compression 3): not a G16 heightmap.
TEST(InteropG16, MaskedSixteenBitBitmapsAreNotTakenForHeightmaps)
{
    REQUIRE_TOOL(convert, "convert");
    TempDir dir;
    const Size s{8, 4};
    WriteFileBytes(dir / "in.gray", Pattern8(s));
    Tool(convert, {"-size", SizeText(s), "-depth", "8", "gray:" + (dir / "in.gray"), "-define", "bmp:subtype=RGB555",
                   "BMP3:" + (dir / "im.bmp")});
    ProcessResult r = Conv({dir / "im.bmp", dir / "out.r16"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "TOLV warning:\nCompressed BMP file format is not supported.\n\n");
}

// ---------------------------------------------------------------- Targa

namespace {

// The image tool writes rows in its own order and states the order in the descriptor only when
// told an orientation; top-left is the order it keeps.
void WriteTga(const std::string& convert, Size s, const std::string& input,
              const std::vector<std::string>& options, const std::string& out)
{
    std::vector<std::string> args = {"-size", SizeText(s), "-depth", "8", input};
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), {"-orient", "TopLeft", out});
    Tool(convert, args);
}

std::vector<uint8_t> ColourPattern(Size s)
{
    std::vector<uint8_t> rgb(size_t(s.w) * size_t(s.h) * 3);
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            uint8_t* p = &rgb[(size_t(y) * s.w + x) * 3];
            p[0] = uint8_t(x * 2), p[1] = uint8_t(y * 5 + x), p[2] = uint8_t(x * y);
        }
    return rgb;
}

// The colour-to-altitude rule applied to red, green and blue.
int GrayOf(int r, int g, int b) { return int(std::lround(g * 150.0 / 255 + r * 76.0 / 255 + b * 28.0 / 255)); }

} // namespace

TEST(InteropTga, TrueColourAndAlphaPicturesAreRead)
{
    REQUIRE_TOOL(convert, "convert");
    for (Size s : {Size{113, 157}, Size{513, 513}}) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto gray = Pattern8(s);
        WriteFileBytes(dir / "in.gray", gray);
        const std::string in = "gray:" + (dir / "in.gray");
        // 24-bit: the green byte is the altitude in green mode.
        WriteTga(convert, s, in, {"-type", "TrueColor"}, dir / "rgb.tga");
        EXPECT_EQ(ReadFileBytes(dir / "rgb.tga")[16], 24);
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {"--color", "green", dir / "rgb.tga"}), gray, s));
        // 32-bit: the alpha byte is the altitude, whatever the colour.
        WriteTga(convert, s, "xc:red", {"(", "-size", SizeText(s), "-depth", "8", in, ")", "-alpha", "off",
                                             "-compose", "CopyOpacity", "-composite"},
                 dir / "alpha.tga");
        EXPECT_EQ(ReadFileBytes(dir / "alpha.tga")[16], 32);
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "alpha.tga"}), gray, s));
    }
}

TEST(InteropTga, ColourMappedAndGrayConvertedPixelsFollowTheirRules)
{
    REQUIRE_TOOL(convert, "convert");
    const Size s{113, 157};
    TempDir dir;
    WriteFileBytes(dir / "in.rgb", ColourPattern(s));
    WriteTga(convert, s, "rgb:" + (dir / "in.rgb"), {"-colors", "200", "-type", "Palette"}, dir / "map.tga");
    const auto tga = ReadFileBytes(dir / "map.tga");
    ASSERT_EQ(tga[2], 1) << "expected a colour-mapped file";
    // The tool's own decode of the same file is the reference.
    Tool(convert, {dir / "map.tga", "-depth", "8", "rgb:" + (dir / "im.rgb")});
    const auto rgb = ReadFileBytes(dir / "im.rgb");
    ASSERT_EQ(rgb.size(), size_t(s.w) * s.h * 3);
    std::vector<int> green(size_t(s.w) * s.h), gray(green.size());
    for (size_t i = 0; i < green.size(); ++i) {
        green[i] = rgb[3 * i + 1];
        gray[i] = GrayOf(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
    }
    EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {"--color", "green", dir / "map.tga"}), green, s));
    EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "map.tga"}), gray, s));
}

// Bottom-up files: the raster tool and tolvconv agree on which row is the top one.
TEST(InteropTga, BottomUpFilesAgreeWithTheRasterTool)
{
    REQUIRE_TOOL(convert, "convert");
    REQUIRE_TOOL(gdal, "gdal_translate");
    const Size s{113, 157};
    TempDir dir;
    WriteFileBytes(dir / "in.gray", Pattern8(s));
    Tool(convert, {"-size", SizeText(s), "-depth", "8", "gray:" + (dir / "in.gray"), "-type", "TrueColor", "-orient",
                   "BottomLeft", dir / "map.tga"});
    ASSERT_EQ(ReadFileBytes(dir / "map.tga")[17] & 0x30, 0) << "expected a bottom-left origin";
    Tool(gdal, {"-q", "-of", "ENVI", "-b", "2", dir / "map.tga", dir / "g.envi"});
    EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {"--color", "green", dir / "map.tga"}), ReadFileBytes(dir / "g.envi"), s));
}

// The image tool stores gray pictures as image type 3, which this program refuses as monochrome.
TEST(InteropTga, GrayTypeThreeIsRefusedAsMonochrome)
{
    REQUIRE_TOOL(convert, "convert");
    const Size s{16, 9};
    TempDir dir;
    WriteFileBytes(dir / "in.gray", Pattern8(s));
    Tool(convert, {"-size", SizeText(s), "-depth", "8", "gray:" + (dir / "in.gray"), dir / "map.tga"});
    ASSERT_EQ(ReadFileBytes(dir / "map.tga")[2], 3);
    ProcessResult r = Conv({dir / "map.tga"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "TOLV info:\nMonochrome TGA format is not supported.\n\n");
}

// ---------------------------------------------------------------- GIF

TEST(InteropGif, RasterToolGrayPicturesAreReadExactly)
{
    REQUIRE_TOOL(gdal, "gdal_translate");
    for (Size s : {Size{113, 157}, Size{513, 513}, Size{2, 3}}) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto gray = Pattern8(s);
        WriteFileBytes(dir / "in.bin", gray);
        WriteEnviHeader(dir / "in.hdr", s, 1);
        Tool(gdal, {"-q", "-of", "GIF", dir / "in.bin", dir / "g.gif"});
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "g.gif"}), gray, s));
    }
}

// A colour GIF stores the red part of each pixel's palette colour.
TEST(InteropGif, ColourPicturesGiveTheRedOfEachPixel)
{
    REQUIRE_TOOL(convert, "convert");
    const Size s{113, 157};
    TempDir dir;
    WriteFileBytes(dir / "in.rgb", ColourPattern(s));
    Tool(convert, {"-size", SizeText(s), "-depth", "8", "rgb:" + (dir / "in.rgb"), dir / "im.gif"});
    Tool(convert, {dir / "im.gif", "-depth", "8", "rgb:" + (dir / "im.rgb")});
    const auto rgb = ReadFileBytes(dir / "im.rgb");
    ASSERT_EQ(rgb.size(), size_t(s.w) * s.h * 3);
    std::vector<int> red(size_t(s.w) * s.h);
    for (size_t i = 0; i < red.size(); ++i) red[i] = rgb[3 * i];
    EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "im.gif"}), red, s));
}

// ---------------------------------------------------------------- meshes

namespace {

std::vector<std::string> SplitCrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// "X Y Z" written as whole numbers with ".0"; false when the text is anything else.
bool ParsePoint(const std::string& text, std::array<long, 3>& p)
{
    std::istringstream in(text);
    for (long& c : p) {
        std::string word;
        if (!(in >> word) || word.size() < 3 || word.compare(word.size() - 2, 2, ".0") != 0) return false;
        char* end = nullptr;
        c = std::strtol(word.c_str(), &end, 10);
        if (end != word.c_str() + word.size() - 2) return false;
    }
    std::string rest;
    return !(in >> rest);
}

} // namespace

TEST(InteropStl, EveryFacetIsACellHalfAtTheSampledHeights)
{
    for (Size s : {Size{113, 157}, Size{2, 2}, Size{1, 5}}) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        const long spacing = 3;
        WriteThroughTolv(dir, pattern, s, dir / "map.stl", {"--spacing", std::to_string(spacing)});
        const auto lines = SplitCrLfLines(ReadFileText(dir / "map.stl"));
        const std::string name = "TOLV_Heightmap_" + SizeText(s);
        const size_t facets = size_t(s.w - 1) * size_t(s.h - 1) * 2;
        ASSERT_EQ(lines.size(), facets * 7 + 2);
        EXPECT_EQ(lines.front(), "solid " + name);
        EXPECT_EQ(lines.back(), "endsolid " + name);
        size_t bad = 0;
        for (size_t f = 0; f < facets && bad < 5; ++f) {
            const std::string* l = &lines[1 + f * 7];
            const bool frame = l[0] == "  facet normal 0.0 0.0 1.0" && l[1] == "    outer loop" &&
                               l[5] == "    endloop" && l[6] == "  endfacet";
            // The facet's corners: the cell (x, y) of the row-major cell order, and which half.
            const long cell = long(f / 2), x = cell % (s.w - 1), y = cell / (s.w - 1);
            const long want[2][3][2] = {{{x, y}, {x, y + 1}, {x + 1, y}}, {{x, y + 1}, {x + 1, y + 1}, {x + 1, y}}};
            bool corners = frame;
            for (int k = 0; k < 3 && corners; ++k) {
                std::array<long, 3> p{};
                const std::string& v = l[2 + k];
                corners = v.rfind("      vertex ", 0) == 0 && ParsePoint(v.substr(13), p);
                const long cx = want[f % 2][k][0], cy = want[f % 2][k][1];
                corners = corners && p[0] == cx * spacing && p[1] == cy * spacing &&
                          p[2] == long(pattern[size_t(cy) * s.w + size_t(cx)]);
            }
            if (!corners) {
                ++bad;
                ADD_FAILURE() << "facet " << f << " is wrong:\n" << l[0] << "\n" << l[2] << "\n" << l[3] << "\n" << l[4];
            }
        }
    }
}

TEST(InteropObj, VerticesAndFacesDescribeTheGridAndReadBack)
{
    for (Size s : {Size{113, 157}, Size{512, 3}, Size{1, 4}}) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "map.obj", {"--spacing", "7"});
        const auto lines = SplitCrLfLines(ReadFileText(dir / "map.obj"));
        std::vector<std::array<long, 3>> vertices;
        std::vector<std::array<long, 3>> faces;
        for (const std::string& l : lines) {
            if (l.rfind("v ", 0) == 0) {
                std::array<long, 3> p{};
                ASSERT_TRUE(ParsePoint(l.substr(2), p)) << l;
                vertices.push_back(p);
            } else if (l.rfind("f ", 0) == 0) {
                std::istringstream in(l.substr(2));
                std::array<long, 3> f{};
                ASSERT_TRUE(in >> f[0] >> f[1] >> f[2]) << l;
                faces.push_back(f);
            }
        }
        ASSERT_EQ(vertices.size(), pattern.size());
        for (size_t i = 0; i < vertices.size(); ++i) {
            const long x = long(i % s.w), y = long(i / s.w);
            ASSERT_EQ(vertices[i], (std::array<long, 3>{x * 7, y * 7, long(pattern[i])})) << "vertex " << i + 1;
        }
        ASSERT_EQ(faces.size(), size_t(s.w - 1) * size_t(s.h - 1) * 2);
        for (size_t f = 0; f < faces.size(); ++f) {
            const long cell = long(f / 2), a = (cell / (s.w - 1)) * s.w + cell % (s.w - 1) + 1;
            const std::array<long, 3> want = f % 2 == 0 ? std::array<long, 3>{a, a + s.w, a + 1}
                                                        : std::array<long, 3>{a + s.w, a + s.w + 1, a + 1};
            ASSERT_EQ(faces[f], want) << "face " << f + 1;
        }
        // And the reader takes the mesh back to the same grid.
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "map.obj"}), pattern, s));
    }
}

// ---------------------------------------------------------------- PGM and PAM

TEST(InteropNetpbm, WrittenGrayMapsDecodeToTheSameSamples)
{
    REQUIRE_TOOL(convert, "convert");
    for (Size s : kSizes) {
        for (const char* form : {"p2", "p5"}) {
            SCOPED_TRACE(SizeText(s) + " " + form);
            TempDir dir;
            const auto pattern = Pattern16(s);
            WriteThroughTolv(dir, pattern, s, dir / "map.pgm", {"--pgm", form});
            Tool(convert, {dir / "map.pgm", "-depth", "16", "-endian", "LSB", "gray:" + (dir / "im.gray")});
            EXPECT_TRUE(SameSamples(FromLe16(ReadFileBytes(dir / "im.gray")), pattern, s));
        }
    }
}

TEST(InteropNetpbm, BinaryGrayMapsDecodeInTheRasterTool)
{
    REQUIRE_TOOL(gdal, "gdal_translate");
    for (Size s : kSizes) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "map.pgm", {"--pgm", "p5"});
        Tool(gdal, {"-q", "-of", "ENVI", dir / "map.pgm", dir / "g.envi"});
        EXPECT_TRUE(SameSamples(FromLe16(ReadFileBytes(dir / "g.envi")), pattern, s));
    }
}

// The arbitrary map's header lines end with CR LF, ENDHDR's too. Netpbm's rules take CR as
// white space, so the samples start right after the LF; the image tool instead starts them one
// byte early (at the LF) and decodes every sample shifted. Checked here by the format's rules.
TEST(InteropNetpbm, WrittenArbitraryMapsFollowTheFormatRules)
{
    REQUIRE_TOOL(identify, "identify");
    for (Size s : kSizes) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "map.pam");
        ProcessResult id = Tool(identify, {"-format", "%w %h %z %[colorspace]", dir / "map.pam"});
        EXPECT_EQ(id.out, std::to_string(s.w) + " " + std::to_string(s.h) + " 16 Gray");
        const auto bytes = ReadFileBytes(dir / "map.pam");
        const std::string text(bytes.begin(), bytes.end());
        // Header: one keyword line after another, until ENDHDR and its line end.
        std::istringstream header(text);
        std::string line, magic;
        std::map<std::string, std::string> fields;
        ASSERT_TRUE(std::getline(header, magic));
        EXPECT_EQ(magic, "P7\r");
        while (std::getline(header, line)) {
            while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
            if (line == "ENDHDR") break;
            if (line.empty() || line[0] == '#') continue;
            const size_t space = line.find(' ');
            fields[line.substr(0, space)] = space == std::string::npos ? "" : line.substr(space + 1);
        }
        ASSERT_EQ(line, "ENDHDR");
        EXPECT_EQ(fields["WIDTH"], std::to_string(s.w));
        EXPECT_EQ(fields["HEIGHT"], std::to_string(s.h));
        EXPECT_EQ(fields["DEPTH"], "1");
        EXPECT_EQ(fields["MAXVAL"], "65535");
        EXPECT_EQ(fields["TUPLTYPE"], "GRAYSCALE");
        const size_t start = size_t(header.tellg());
        ASSERT_EQ(bytes.size() - start, pattern.size() * 2);
        EXPECT_TRUE(SameSamples(FromBe16(std::vector<uint8_t>(bytes.begin() + long(start), bytes.end())), pattern, s));
    }
}

TEST(InteropNetpbm, MapsOfTheToolsAreRead)
{
    REQUIRE_TOOL(convert, "convert");
    for (Size s : kSizes) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteFileBytes(dir / "in.gray", Le16Bytes(pattern));
        const std::vector<std::string> in = {"-size", SizeText(s), "-depth", "16", "-endian", "LSB",
                                             "gray:" + (dir / "in.gray")};
        for (const std::vector<std::string>& out :
             {std::vector<std::string>{dir / "im5.pgm"}, {"-compress", "none", dir / "im2.pgm"}, {dir / "im7.pam"}}) {
            SCOPED_TRACE(out.back());
            std::vector<std::string> args = in;
            args.insert(args.end(), out.begin(), out.end());
            Tool(convert, args);
            EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {out.back()}), pattern, s));
        }
    }
    const std::string gdal = FindTool("gdal_translate");
    if (gdal.empty()) return;
    for (Size s : {Size{113, 157}, Size{513, 513}}) {
        SCOPED_TRACE(SizeText(s) + " raster tool");
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteFileBytes(dir / "in.bin", Le16Bytes(pattern));
        WriteEnviHeader(dir / "in.hdr", s, 12);
        Tool(gdal, {"-q", "-of", "PNM", dir / "in.bin", dir / "g.pgm"});
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "g.pgm"}), pattern, s));
    }
}

// ---------------------------------------------------------------- Terragen

TEST(InteropTerragen, WrittenTerrainsDecodeInTheRasterTool)
{
    REQUIRE_TOOL(gdal, "gdal_translate");
    for (Size s : kSizes) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "map.ter");
        // The tool gives the stored signed values, top row first: each altitude less 32768.
        Tool(gdal, {"-q", "-of", "ENVI", dir / "map.ter", dir / "g.envi"});
        const auto raw = FromLe16(ReadFileBytes(dir / "g.envi"));
        std::vector<int> stored(raw.size()), want(pattern.size());
        for (size_t i = 0; i < raw.size(); ++i) stored[i] = int16_t(raw[i]);
        for (size_t i = 0; i < pattern.size(); ++i) want[i] = int(pattern[i]) - 32768;
        EXPECT_TRUE(SameSamples(stored, want, s));
    }
}

TEST(InteropTerragen, TerrainsOfTheRasterToolAreReadAndLifted)
{
    REQUIRE_TOOL(gdal, "gdal_translate");
    for (Size s : {Size{113, 157}, Size{513, 513}}) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        WriteFileBytes(dir / "in.bin", Le16Bytes(Pattern16(s)));
        WriteEnviHeader(dir / "in.hdr", s, 12);
        // The tool's writer wants float elevations with a known span and a north-up frame.
        Tool(gdal, {"-q", "-of", "Terragen", "-ot", "Float32", "-a_ullr", "0", std::to_string(s.h * 30),
                    std::to_string(s.w * 30), "0", "-scale", "0", "65535", "-500", "1500", "-co",
                    "MINUSERPIXELVALUE=-500", "-co", "MAXUSERPIXELVALUE=1500", dir / "in.bin", dir / "g.ter"});
        // Its stored signed values, read back by the tool, are the reference: the lowest
        // negative one is lifted to 0.
        Tool(gdal, {"-q", "-of", "ENVI", dir / "g.ter", dir / "g.envi"});
        const auto raw = FromLe16(ReadFileBytes(dir / "g.envi"));
        ASSERT_EQ(raw.size(), size_t(s.w) * s.h);
        int lowest = 0;
        for (uint16_t v : raw) lowest = std::min(lowest, int(int16_t(v)));
        ASSERT_LT(lowest, 0) << "expected negative stored values";
        std::vector<int> want(raw.size());
        for (size_t i = 0; i < raw.size(); ++i) want[i] = int(int16_t(raw[i])) - lowest;
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "g.ter"}), want, s));
    }
}

// ---------------------------------------------------------------- 8/24/32-bit bitmaps

namespace {

// The image tool's own decode of a picture, as red, green, blue bytes.
std::vector<uint8_t> DecodeRgb(const std::string& convert, const TempDir& dir, const std::string& picture)
{
    Tool(convert, {picture, "-depth", "8", "rgb:" + (dir / "decoded.rgb")});
    return ReadFileBytes(dir / "decoded.rgb");
}

std::vector<int> GreenOf(const std::vector<uint8_t>& rgb)
{
    std::vector<int> v(rgb.size() / 3);
    for (size_t i = 0; i < v.size(); ++i) v[i] = rgb[3 * i + 1];
    return v;
}

std::vector<int> GrayOf(const std::vector<uint8_t>& rgb)
{
    std::vector<int> v(rgb.size() / 3);
    for (size_t i = 0; i < v.size(); ++i) v[i] = GrayOf(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
    return v;
}

// The first report line of a picture read on its own: the kind the reader took it for.
std::string FormatLine(const std::string& picture)
{
    ProcessResult r = Conv({"--info", picture});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out.substr(0, r.out.find('\n'));
}

} // namespace

// Every kind the image tool writes without compression, with odd widths so that rows are padded,
// compared with the tool's own decode of the same file.
TEST(InteropBmp, PicturesOfTheImageToolAreRead)
{
    REQUIRE_TOOL(convert, "convert");
    struct Row {
        std::string what;
        std::vector<std::string> options;
        std::string format;
    };
    const Row rows[] = {
        {"gray palette", {"-type", "Palette", "-compress", "None", "BMP3:"},
         "format: Windows 8-bit uncompressed grayscale bitmap"},
        {"colour palette", {"-colors", "200", "-type", "Palette", "-compress", "None", "BMP3:"},
         "format: Windows 8-bit uncompressed color bitmap"},
        {"core header palette", {"-colors", "200", "-type", "Palette", "BMP2:"},
         "format: Windows 8-bit uncompressed color bitmap"},
        {"24-bit", {"-type", "TrueColor", "BMP3:"}, "format: Windows 24-bit uncompressed color bitmap"},
    };
    // (Tiny pictures are left out: the tool stores few colours in 1 or 4 bits per pixel. The
    // largest size is tried with the 24-bit kind only, to keep the run short.)
    for (Size s : {Size{113, 157}, Size{513, 513}}) {
        for (const Row& row : rows) {
            if (s.w == 513 && row.what != "24-bit") continue;
            SCOPED_TRACE(SizeText(s) + " " + row.what);
            TempDir dir;
            const bool gray = row.what == "gray palette";
            if (gray) {
                WriteFileBytes(dir / "in.raw", Pattern8(s));
            } else {
                WriteFileBytes(dir / "in.raw", ColourPattern(s));
            }
            std::vector<std::string> args = {"-size", SizeText(s), "-depth", "8",
                                             (gray ? "gray:" : "rgb:") + (dir / "in.raw")};
            args.insert(args.end(), row.options.begin(), row.options.end() - 1);
            args.push_back(row.options.back() + (dir / "pic.bmp"));
            Tool(convert, args);
            EXPECT_EQ(FormatLine(dir / "pic.bmp"), row.format);
            const auto rgb = DecodeRgb(convert, dir, dir / "pic.bmp");
            ASSERT_EQ(rgb.size(), size_t(s.w) * s.h * 3);
            if (gray) {
                EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "pic.bmp"}), GreenOf(rgb), s));
            } else {
                EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {"--color", "green", dir / "pic.bmp"}), GreenOf(rgb), s));
                EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "pic.bmp"}), GrayOf(rgb), s));
            }
        }
    }
}

TEST(InteropBmp, GrayPicturesOfTheRasterToolAreReadExactly)
{
    REQUIRE_TOOL(gdal, "gdal_translate");
    for (Size s : {Size{113, 157}, Size{513, 513}}) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto gray = Pattern8(s);
        WriteFileBytes(dir / "in.bin", gray);
        WriteEnviHeader(dir / "in.hdr", s, 1);
        Tool(gdal, {"-q", "-of", "BMP", dir / "in.bin", dir / "g.bmp"});
        EXPECT_EQ(FormatLine(dir / "g.bmp"), "format: Windows 8-bit uncompressed grayscale bitmap");
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "g.bmp"}), gray, s));
    }
}

// 32-bit pictures with alpha come from the image tool with a longer header and colour masks;
// this program reads only the 40-byte and 12-byte headers, and says so.
TEST(InteropBmp, LongHeaderPicturesAreRefusedWithTheHeaderWarning)
{
    REQUIRE_TOOL(convert, "convert");
    TempDir dir;
    const Size s{9, 5};
    WriteFileBytes(dir / "in.rgb", ColourPattern(s));
    Tool(convert, {"-size", SizeText(s), "-depth", "8", "rgb:" + (dir / "in.rgb"), "-alpha", "set", "-define",
                   "bmp:format=bmp4", dir / "pic.bmp"});
    ProcessResult r = Conv({dir / "pic.bmp", dir / "out.r16"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("TOLV warning:\nUnsupported BMP File Format.\n\nUnknown BITMAPINFOHEADER or "
                         "BITMAPCOREHEADER Structure Version.\n\n"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(access((dir / "out.r16").c_str(), F_OK) == 0);
}

// ---------------------------------------------------------------- 16-bit PNG

TEST(InteropPng, WrittenMapsDecodeToTheSameSamples)
{
    REQUIRE_TOOL(convert, "convert");
    const std::string gdal = FindTool("gdal_translate");
    for (Size s : kSizes) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "map.png");
        Tool(convert, {dir / "map.png", "-depth", "16", "-endian", "LSB", "gray:" + (dir / "im.gray")});
        EXPECT_TRUE(SameSamples(FromLe16(ReadFileBytes(dir / "im.gray")), pattern, s));
        if (gdal.empty()) continue;
        Tool(gdal, {"-q", "-of", "ENVI", dir / "map.png", dir / "g.envi"});
        EXPECT_TRUE(SameSamples(FromLe16(ReadFileBytes(dir / "g.envi")), pattern, s));
    }
}

TEST(InteropPng, GrayMapsOfTheToolsAreRead)
{
    REQUIRE_TOOL(convert, "convert");
    for (Size s : {Size{113, 157}, Size{513, 513}, Size{1, 1}}) {
        for (const char* interlace : {"None", "PNG"}) {
            SCOPED_TRACE(SizeText(s) + " interlace " + interlace);
            TempDir dir;
            const auto pattern = Pattern16(s);
            WriteFileBytes(dir / "in.gray", Le16Bytes(pattern));
            Tool(convert, {"-size", SizeText(s), "-depth", "16", "-endian", "LSB", "gray:" + (dir / "in.gray"),
                           "-interlace", interlace, "-define", "png:bit-depth=16", "-define", "png:color-type=0",
                           dir / "im.png"});
            EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "im.png"}), pattern, s));
        }
    }
    const std::string gdal = FindTool("gdal_translate");
    if (gdal.empty()) return;
    for (Size s : {Size{113, 157}, Size{513, 513}}) {
        SCOPED_TRACE(SizeText(s) + " raster tool");
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteFileBytes(dir / "in.bin", Le16Bytes(pattern));
        WriteEnviHeader(dir / "in.hdr", s, 12);
        Tool(gdal, {"-q", "-of", "PNG", dir / "in.bin", dir / "g16.png"});
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "g16.png"}), pattern, s));
        // 8-bit gray: the byte itself is the altitude.
        const auto gray = Pattern8(s);
        WriteFileBytes(dir / "in.bin", gray);
        WriteEnviHeader(dir / "in.hdr", s, 1);
        Tool(gdal, {"-q", "-of", "PNG", dir / "in.bin", dir / "g8.png"});
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "g8.png"}), gray, s));
    }
}

TEST(InteropPng, ColourPicturesFollowTheColourMode)
{
    REQUIRE_TOOL(convert, "convert");
    const Size s{113, 157};
    for (const char* depth : {"8", "16"}) {
        SCOPED_TRACE(depth);
        TempDir dir;
        WriteFileBytes(dir / "in.rgb", ColourPattern(s));
        Tool(convert, {"-size", SizeText(s), "-depth", "8", "rgb:" + (dir / "in.rgb"), "-depth", depth, "-define",
                       "png:color-type=2", dir / "pic.png"});
        const auto rgb = DecodeRgb(convert, dir, dir / "pic.png");
        ASSERT_EQ(rgb.size(), size_t(s.w) * s.h * 3);
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {"--color", "green", dir / "pic.png"}), GreenOf(rgb), s));
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "pic.png"}), GrayOf(rgb), s));
    }
}

// A palette of grays (the tool's PNG8 of a gray picture) gives the gray levels, with no question.
TEST(InteropPng, GrayPalettePicturesGiveTheirLevels)
{
    REQUIRE_TOOL(convert, "convert");
    const Size s{113, 157};
    TempDir dir;
    WriteFileBytes(dir / "in.gray", Pattern8(s));
    Tool(convert, {"-size", SizeText(s), "-depth", "8", "gray:" + (dir / "in.gray"), "-type", "Palette",
                   "PNG8:" + (dir / "pic.png")});
    ASSERT_EQ(ReadFileBytes(dir / "pic.png")[25], 3) << "expected a palette file";
    const auto rgb = DecodeRgb(convert, dir, dir / "pic.png");
    ASSERT_EQ(rgb.size(), size_t(s.w) * s.h * 3);
    ProcessResult r = Conv({"--color", "ask", dir / "pic.png", dir / "out.r16"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(SameSamples(FromLe16(ReadFileBytes(dir / "out.r16")), GreenOf(rgb), s));
}
