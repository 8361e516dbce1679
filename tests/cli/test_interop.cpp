// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Interchange with common image and raster tools: files tolvconv writes are decoded by the tools
// and compared sample by sample with the pattern that went in, and files the tools write are read
// by tolvconv and compared the same way. A tool that is not installed skips its checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
    while (std::getline(dirs, dir, ':'))
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0) return dir + "/" + name;
    return "";
}

#define REQUIRE_TOOL(var, name)                                                                                       \
    const std::string var = FindTool(name);                                                                           \
    if (var.empty()) {                                                                                                \
        GTEST_SKIP() << name << " is not installed";                                                                  \
    }                                                                                                                 \
    static_assert(true)

ProcessResult Conv(const std::vector<std::string>& args) { return RunProcess(TOLVCONV_PATH, args); }

ProcessResult Tool(const std::string& tool, const std::vector<std::string>& args)
{
    ProcessResult r = RunProcess(tool, args);
    EXPECT_EQ(r.exitCode, 0) << tool << ": " << r.err;
    return r;
}

struct Size {
    int w, h;
};
std::string SizeText(Size s) { return std::to_string(s.w) + "x" + std::to_string(s.h); }
const std::vector<Size> kSizes = {{113, 157}, {513, 513}, {1, 1}, {2, 3}};
const std::vector<Size> kOne = {{113, 157}};

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
        for (int x = 0; x < s.w; ++x) v[size_t(y) * s.w + x] = uint8_t((s.w > 1 ? x * 255 / (s.w - 1) : 0) ^ (y * 7));
    v[0] = 0;
    v.back() = 255;
    return v;
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

std::vector<uint8_t> Le16Bytes(const std::vector<uint16_t>& v)
{
    std::vector<uint8_t> b(v.size() * 2);
    for (size_t i = 0; i < v.size(); ++i) b[2 * i] = uint8_t(v[i]), b[2 * i + 1] = uint8_t(v[i] >> 8);
    return b;
}

std::vector<uint16_t> From16(const std::vector<uint8_t>& b, bool bigEndian)
{
    std::vector<uint16_t> v(b.size() / 2);
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = bigEndian ? uint16_t(b[2 * i] << 8 | b[2 * i + 1]) : uint16_t(b[2 * i] | b[2 * i + 1] << 8);
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

// The heightmap tolvconv reads from a file (args: options and the file), as raw 16-bit samples;
// it reads without a message or question.
std::vector<uint16_t> ReadThroughTolv(const TempDir& dir, std::vector<std::string> args)
{
    args.push_back(dir / "through.r16");
    ProcessResult r = Conv(args);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    return r.exitCode == 0 ? From16(ReadFileBytes(dir / "through.r16"), false) : std::vector<uint16_t>{};
}

// The format code tolvconv reports for a file read on its own: the kind the reader took it for.
int CodeOf(std::vector<std::string> args)
{
    args.insert(args.begin(), "--info");
    ProcessResult r = Conv(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const size_t at = r.out.find("code: ");
    return at == std::string::npos ? -1 : std::atoi(r.out.c_str() + at + 6);
}

// Has tolvconv write the pattern, handed to it as an ASCII heightmap, to `out`.
void WriteThroughTolv(const TempDir& dir, const std::vector<uint16_t>& samples, Size s, const std::string& out,
                      std::vector<std::string> options = {})
{
    std::string text = "TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth " + std::to_string(s.w) + "\r\nHeight " +
                       std::to_string(s.h) + "\r\n";
    for (size_t i = 0; i < samples.size(); ++i) text += std::to_string(samples[i]) + ((i + 1) % s.w ? " " : "\r\n");
    WriteFileText(dir / "pattern.hma", text);
    options.insert(options.end(), {dir / "pattern.hma", out});
    ProcessResult r = Conv(options);
    ASSERT_EQ(r.exitCode, 0) << r.err;
}

// A label file that lets the raster tool read a bare sample file (type 1 = byte, 12 = 16-bit).
void WriteEnviHeader(const std::string& path, Size s, int dataType)
{
    WriteFileText(path, "ENVI\nsamples = " + std::to_string(s.w) + "\nlines = " + std::to_string(s.h) +
                            "\nbands = 1\nheader offset = 0\nfile type = ENVI Standard\ndata type = " +
                            std::to_string(dataType) + "\ninterleave = bsq\nbyte order = 0\n");
}

enum class Input { Gray16, Gray8, Rgb8 };

// Has the tool make `file` ("BMP3:pic.bmp" names the kind too) from a picture of the given kind;
// "@in" in args places the input, "@size" is its size. Returns the file's path.
std::string Make(const std::string& tool, const std::vector<std::string>& args, const TempDir& dir, Input kind,
                 Size s, const std::string& file)
{
    const bool gdal = tool.find("gdal") != std::string::npos;
    const std::string inPath = dir / "in.bin";
    if (kind == Input::Gray16) WriteFileBytes(inPath, Le16Bytes(Pattern16(s)));
    else WriteFileBytes(inPath, kind == Input::Gray8 ? Pattern8(s) : ColourPattern(s));
    std::vector<std::string> in = {inPath};
    if (gdal) WriteEnviHeader(dir / "in.hdr", s, kind == Input::Gray16 ? 12 : 1);
    else if (kind == Input::Gray16) in = {"-size", SizeText(s), "-depth", "16", "-endian", "LSB", "gray:" + inPath};
    else in = {"-size", SizeText(s), "-depth", "8", (kind == Input::Gray8 ? "gray:" : "rgb:") + inPath};

    std::vector<std::string> all;
    if (gdal) all = {"-q"};
    else if (std::find(args.begin(), args.end(), "@in") == args.end()) all = in;
    for (const std::string& a : args) {
        if (a == "@in") all.insert(all.end(), in.begin(), in.end());
        else all.push_back(a == "@size" ? SizeText(s) : a);
    }
    if (gdal) all.insert(all.end(), in.begin(), in.end());
    const size_t colon = file.find(':') + 1;
    const std::string path = dir / file.substr(colon);
    all.push_back(file.substr(0, colon) + path);
    Tool(tool, all);
    return path;
}

// Decoders of a written file by a tool, to 16-bit samples.
using Decoder = std::vector<uint16_t> (*)(const std::string& tool, const TempDir& dir, const std::string& file, Size s);

std::vector<uint16_t> Gray16Of(const std::string& tool, const TempDir& dir, const std::string& file, Size)
{
    Tool(tool, {file, "-depth", "16", "-endian", "LSB", "gray:" + (dir / "im.gray")});
    return From16(ReadFileBytes(dir / "im.gray"), false);
}

std::vector<uint16_t> EnviOf(const std::string& tool, const TempDir& dir, const std::string& file, Size s)
{
    if (file.ends_with(".r16")) WriteEnviHeader(file.substr(0, file.size() - 4) + ".hdr", s, 12);
    Tool(tool, {"-q", "-of", "ENVI", file, dir / "g.envi"});
    return From16(ReadFileBytes(dir / "g.envi"), false);
}

// To an image tool, a 16-bit uncompressed bitmap is five bits each of red, green and blue.
std::vector<uint16_t> Rgb555Of(const std::string& tool, const TempDir& dir, const std::string& file, Size)
{
    Tool(tool, {file, "-depth", "16", "-endian", "MSB", "rgb:" + (dir / "im.rgb")});
    const auto rgb = From16(ReadFileBytes(dir / "im.rgb"), true);
    std::vector<uint16_t> v(rgb.size() / 3);
    auto five = [&](size_t i) { return unsigned(std::lround(rgb[i] * 31.0 / 65535.0)); };
    for (size_t i = 0; i < v.size(); ++i) v[i] = uint16_t(five(3 * i) << 10 | five(3 * i + 1) << 5 | five(3 * i + 2));
    return v;
}

// The arbitrary map's header lines end with CR LF, ENDHDR's too. Netpbm's rules take CR as white
// space, so the samples start right after the LF; the image tool instead starts them one byte
// early and decodes every sample shifted. So the tool checks the header, the rules the samples.
std::vector<uint16_t> PamOf(const std::string& identify, const TempDir&, const std::string& file, Size s)
{
    const std::string w = std::to_string(s.w), h = std::to_string(s.h);
    EXPECT_EQ(Tool(identify, {"-format", "%w %h %z %[colorspace]", file}).out, w + " " + h + " 16 Gray");
    const auto bytes = ReadFileBytes(file);
    const std::string text(bytes.begin(), bytes.end());
    const size_t end = text.find("\nENDHDR\r\n");
    if (end == std::string::npos || text.compare(0, 4, "P7\r\n") != 0) {
        ADD_FAILURE() << "not a P7 header ending in ENDHDR";
        return {};
    }
    for (const std::string& field : std::vector<std::string>{"WIDTH " + w, "HEIGHT " + h, "DEPTH 1", "MAXVAL 65535", "TUPLTYPE GRAYSCALE"})
        EXPECT_NE(text.find("\n" + field + "\r\n"), std::string::npos) << field;
    return From16(std::vector<uint8_t>(bytes.begin() + long(end + 9), bytes.end()), true);
}

std::vector<std::string> SplitCrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) return lines.push_back(text.substr(start) + "<no CR LF>"), lines;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

::testing::AssertionResult SameLines(const std::vector<std::string>& got, const std::vector<std::string>& want)
{
    for (size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
        const std::string g = i < got.size() ? got[i] : "<end>", w = i < want.size() ? want[i] : "<end>";
        if (g != w) return ::testing::AssertionFailure() << "line " << i + 1 << " is \"" << g << "\", expected \"" << w << "\"";
    }
    return ::testing::AssertionSuccess();
}

// The colour-to-altitude rule applied to red, green and blue.
int GrayOf(int r, int g, int b) { return int(std::lround(g * 150.0 / 255 + r * 76.0 / 255 + b * 28.0 / 255)); }

// Channel c (0 red, 1 green, 2 blue, 3 the gray rule) of the image tool's own decode of a picture.
std::vector<int> ChannelOf(const std::string& convert, const TempDir& dir, const std::string& picture, int c)
{
    Tool(convert, {picture, "-depth", "8", "rgb:" + (dir / "decoded.rgb")});
    const auto rgb = ReadFileBytes(dir / "decoded.rgb");
    std::vector<int> v(rgb.size() / 3);
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = c < 3 ? rgb[3 * i + size_t(c)] : GrayOf(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
    return v;
}

} // namespace

TEST(Interop, WrittenFilesDecodeInTheToolsToTheSameSamples)
{
    struct Row {
        const char* file;
        std::vector<std::string> options;
        const char* tool;
        Decoder decode;
        std::vector<Size> sizes;
        uint16_t keep = 0xFFFF, flip = 0; // what the tool gives of each altitude: (a & keep) ^ flip
    };
    const Row rows[] = {
        {"map.tif", {}, "convert", Gray16Of, kSizes},
        {"map.tif", {}, "gdal_translate", EnviOf, kSizes},
        {"map.png", {}, "convert", Gray16Of, kSizes},
        {"map.png", {}, "gdal_translate", EnviOf, kSizes},
        {"map.pgm", {"--pgm", "p2"}, "convert", Gray16Of, kSizes},
        {"map.pgm", {"--pgm", "p5"}, "gdal_translate", EnviOf, kSizes},
        {"map.pam", {}, "identify", PamOf, kSizes},
        {"map.r16", {}, "gdal_translate", EnviOf, kOne},
        // Terragen stores signed values: each altitude less 32768.
        {"map.ter", {}, "gdal_translate", EnviOf, kSizes, 0xFFFF, 0x8000},
        // G16 bitmaps keep the low 15 bits in the colour bits. Rows are padded to four bytes only by
        // the tools, so only even widths decode there.
        {"map.bmp", {}, "convert", Rgb555Of, {{114, 157}, {512, 512}, {2, 1}}, 0x7FFF},
    };
    std::string missing;
    for (const Row& row : rows) {
        const std::string tool = FindTool(row.tool);
        if (tool.empty()) {
            missing += std::string(" ") + row.tool;
            continue;
        }
        for (Size s : row.sizes) {
            SCOPED_TRACE(std::string(row.file) + " " + row.tool + " " + SizeText(s));
            TempDir dir;
            const auto pattern = Pattern16(s);
            WriteThroughTolv(dir, pattern, s, dir / row.file, row.options);
            std::vector<uint16_t> want(pattern.size());
            for (size_t i = 0; i < want.size(); ++i) want[i] = uint16_t((pattern[i] & row.keep) ^ row.flip);
            EXPECT_TRUE(SameSamples(row.decode(tool, dir, dir / row.file, s), want, s));
        }
    }
    if (!missing.empty()) GTEST_SKIP() << "not installed:" << missing;
}

TEST(Interop, FilesOfTheToolsAreReadAsTheKindTheyAre)
{
    // The reference: the input itself, a channel of the image tool's decode, that decode under both
    // colour modes, or the raster tool's decode of the green band.
    enum class Ref { Input, Red, Green, ColourModes, RasterGreen };
    struct Row {
        const char* tool;
        Input input;
        std::vector<std::string> args;
        const char* file;
        std::vector<std::string> options;
        Ref ref;
        int code;
        std::vector<Size> sizes = {{113, 157}, {513, 513}, {2, 3}};
        int at = -1, mask = 0, value = 0; // a header byte showing the tool wrote the layout meant
    };
    const std::vector<std::string> tga32 = {"-size", "@size", "-depth", "8", "xc:red", "(", "@in", ")", "-alpha",
                                            "off", "-compose", "CopyOpacity", "-composite", "-orient", "TopLeft"};
    const Row rows[] = {
        // Several strips of odd height, the last one short.
        {"convert", Input::Gray16, {"-define", "tiff:rows-per-strip=5"}, "im.tif", {}, Ref::Input, 32, kSizes},
        {"gdal_translate", Input::Gray16, {"-of", "GTiff", "-co", "BLOCKYSIZE=7"}, "g.tif", {}, Ref::Input, 32},
        {"gdal_translate", Input::Gray16, {"-of", "ENVI"}, "g.r16", {"--raw-size", "@size"}, Ref::Input, 8},
        {"convert", Input::Gray16, {}, "im.pgm", {}, Ref::Input, 6, kSizes},
        {"convert", Input::Gray16, {"-compress", "none"}, "im.pgm", {}, Ref::Input, 6, kSizes},
        {"convert", Input::Gray16, {}, "im.pam", {}, Ref::Input, 5, kSizes},
        {"convert", Input::Gray16, {"-define", "png:bit-depth=16", "-define", "png:color-type=0"}, "im.png", {},
         Ref::Input, 36, kSizes},
        {"convert", Input::Gray16,
         {"-interlace", "PNG", "-define", "png:bit-depth=16", "-define", "png:color-type=0"}, "im.png", {},
         Ref::Input, 36, kSizes},
        {"gdal_translate", Input::Gray8, {"-of", "PNG"}, "g.png", {}, Ref::Input, 37},
        {"gdal_translate", Input::Gray8, {"-of", "GIF"}, "g.gif", {}, Ref::Input, 24},
        {"gdal_translate", Input::Gray8, {"-of", "BMP"}, "g.bmp", {}, Ref::Input, 20},
        // (Tiny pictures are left out of palette bitmaps: the tool stores few colours in 1 or 4 bits.)
        {"convert", Input::Gray8, {"-type", "Palette", "-compress", "None"}, "BMP3:pic.bmp", {}, Ref::Green, 20, kOne},
        {"convert", Input::Rgb8, {"-colors", "200", "-type", "Palette", "-compress", "None"}, "BMP3:pic.bmp", {},
         Ref::ColourModes, 21, kOne},
        {"convert", Input::Rgb8, {"-colors", "200", "-type", "Palette"}, "BMP2:pic.bmp", {}, Ref::ColourModes, 21, kOne},
        {"convert", Input::Rgb8, {"-type", "TrueColor"}, "BMP3:pic.bmp", {}, Ref::ColourModes, 22,
         {{113, 157}, {513, 513}}},
        // Targa: the green byte of a gray picture is its level. Bottom-up files: the raster tool and
        // tolvconv agree on which row is the top one.
        {"convert", Input::Gray8, {"-type", "TrueColor", "-orient", "TopLeft"}, "rgb.tga", {"--color", "green"},
         Ref::Input, 29, {{113, 157}, {513, 513}, {2, 3}}, 17, 0x30, 0x20},
        {"convert", Input::Gray8, {"-type", "TrueColor", "-orient", "BottomLeft"}, "up.tga", {"--color", "green"},
         Ref::RasterGreen, 29, kOne, 17, 0x30, 0},
        // 32-bit: the alpha byte is the altitude, whatever the colour.
        {"convert", Input::Gray8, tga32, "alpha.tga", {}, Ref::Input, 30},
        {"convert", Input::Rgb8, {"-colors", "200", "-type", "Palette", "-orient", "TopLeft"}, "map.tga", {},
         Ref::ColourModes, 28, kOne, 2, 0xFF, 1},
        // A colour GIF stores the red part of each pixel's palette colour.
        {"convert", Input::Rgb8, {}, "im.gif", {}, Ref::Red, 24, kOne},
        {"convert", Input::Rgb8, {"-define", "png:color-type=2"}, "pic.png", {}, Ref::ColourModes, 37, kOne},
        {"convert", Input::Rgb8, {"-depth", "16", "-define", "png:color-type=2"}, "pic.png", {}, Ref::ColourModes, 37,
         kOne},
    };
    const std::string convert = FindTool("convert"), gdal = FindTool("gdal_translate");
    std::string missing;
    for (const Row& row : rows) {
        const std::string tool = FindTool(row.tool);
        if (tool.empty() || convert.empty() || (row.ref == Ref::RasterGreen && gdal.empty())) {
            missing += std::string(" ") + row.tool;
            continue;
        }
        for (Size s : row.sizes) {
            SCOPED_TRACE(std::string(row.file) + " " + row.tool + " " + SizeText(s) + " " + std::to_string(row.code));
            TempDir dir;
            const std::string file = Make(tool, row.args, dir, row.input, s, row.file);
            if (row.at >= 0) {
                ASSERT_EQ(ReadFileBytes(file).at(size_t(row.at)) & row.mask, row.value);
            }
            std::vector<std::string> args;
            for (const std::string& o : row.options) args.push_back(o == "@size" ? SizeText(s) : o);
            args.push_back(file);
            EXPECT_EQ(CodeOf(args), row.code);
            if (row.ref == Ref::Input && row.input == Input::Gray16) {
                EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, args), Pattern16(s), s));
            } else if (row.ref == Ref::Input) {
                EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, args), Pattern8(s), s));
            } else if (row.ref == Ref::Red || row.ref == Ref::Green) {
                EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, args), ChannelOf(convert, dir, file, row.ref == Ref::Green), s));
            } else if (row.ref == Ref::RasterGreen) {
                Tool(gdal, {"-q", "-of", "ENVI", "-b", "2", file, dir / "g.envi"});
                EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, args), ReadFileBytes(dir / "g.envi"), s));
            } else {
                EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {"--color", "green", file}), ChannelOf(convert, dir, file, 1), s));
                EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, args), ChannelOf(convert, dir, file, 3), s));
            }
        }
    }
    if (!missing.empty()) GTEST_SKIP() << "not installed:" << missing;
}

TEST(Interop, LayoutsOutsideTheSupportedKindsAreRefusedWithTheirMessage)
{
    struct Row {
        const char* tool;
        Input input;
        std::vector<std::string> args;
        const char* file;
        std::string message;
        bool more = false; // further message blocks follow
    };
    const Row rows[] = {
        {"gdal_translate", Input::Gray16, {"-of", "GTiff", "-co", "COMPRESS=LZW"}, "g.tif",
         "TOLV warning:\nOnly uncompressed TIF images are supported.\n\n"},
        {"gdal_translate", Input::Gray16, {"-of", "GTiff", "-co", "ENDIANNESS=BIG"}, "g.tif",
         "TOLV info:\nMotorola (Mac) format TIFF is not supported yet.\n\n"},
        {"gdal_translate", Input::Gray16, {"-of", "GTiff", "-ot", "Byte", "-scale", "0", "65535", "0", "255"}, "g.tif",
         "TOLV warning:\nOnly 16-bit Grayscale TIF images are supported.\n\n"},
        // Tiles carry no strip offsets; reading them as strips would give a flat map.
        {"gdal_translate", Input::Gray16, {"-of", "GTiff", "-co", "TILED=YES", "-co", "BLOCKXSIZE=16", "-co", "BLOCKYSIZE=16"},
         "g.tif", "TOLV warning:\nInvalid TIFF file format.\nThe file has no strip offsets.\n\n"},
        // 16-bit bitmaps with colour masks (compression 3) are not G16 heightmaps.
        {"convert", Input::Gray8, {"-define", "bmp:subtype=RGB555"}, "BMP3:im.bmp",
         "TOLV warning:\nCompressed BMP file format is not supported.\n\n"},
        // The tool stores gray pictures as image type 3.
        {"convert", Input::Gray8, {}, "map.tga", "TOLV info:\nMonochrome TGA format is not supported.\n\n"},
        // 32-bit pictures with alpha come with a longer header; only the 40- and 12-byte ones are read.
        {"convert", Input::Rgb8, {"-alpha", "set", "-define", "bmp:format=bmp4"}, "pic.bmp",
         "TOLV warning:\nUnsupported BMP File Format.\n\nUnknown BITMAPINFOHEADER or BITMAPCOREHEADER Structure Version.\n\n",
         true},
    };
    std::string missing;
    for (const Row& row : rows) {
        const std::string tool = FindTool(row.tool);
        if (tool.empty()) {
            missing += std::string(" ") + row.tool;
            continue;
        }
        SCOPED_TRACE(row.message);
        TempDir dir;
        const std::string input = Make(tool, row.args, dir, row.input, {40, 30}, row.file);
        ProcessResult r = Conv({input, dir / "out.r16"});
        EXPECT_EQ(r.exitCode, 1);
        const std::string failure = "tolvconv: cannot read " + input + "\n";
        ASSERT_TRUE(r.err.ends_with(failure)) << r.err;
        EXPECT_EQ(r.err.substr(0, row.more ? row.message.size() : r.err.size() - failure.size()), row.message);
        EXPECT_NE(access((dir / "out.r16").c_str(), F_OK), 0);
    }
    if (!missing.empty()) GTEST_SKIP() << "not installed:" << missing;
}

// A palette of grays (the tool's PNG8 of a gray picture) gives the gray levels, with no question.
TEST(Interop, GrayPalettePngGivesItsLevels)
{
    REQUIRE_TOOL(convert, "convert");
    const Size s{113, 157};
    TempDir dir;
    WriteFileBytes(dir / "in.gray", Pattern8(s));
    Tool(convert, {"-size", SizeText(s), "-depth", "8", "gray:" + (dir / "in.gray"), "-type", "Palette",
                   "PNG8:" + (dir / "pic.png")});
    ASSERT_EQ(ReadFileBytes(dir / "pic.png")[25], 3) << "expected a palette file";
    ProcessResult r = Conv({"--color", "ask", dir / "pic.png", dir / "out.r16"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(SameSamples(From16(ReadFileBytes(dir / "out.r16"), false), ChannelOf(convert, dir, dir / "pic.png", 1), s));
}

TEST(Interop, TerrainsOfTheRasterToolAreReadAndLifted)
{
    REQUIRE_TOOL(gdal, "gdal_translate");
    for (Size s : {Size{113, 157}, Size{513, 513}}) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        // The tool's writer wants float elevations with a known span and a north-up frame.
        const std::string ter = Make(gdal,
                                     {"-of", "Terragen", "-ot", "Float32", "-a_ullr", "0", std::to_string(s.h * 30),
                                      std::to_string(s.w * 30), "0", "-scale", "0", "65535", "-500", "1500", "-co",
                                      "MINUSERPIXELVALUE=-500", "-co", "MAXUSERPIXELVALUE=1500"},
                                     dir, Input::Gray16, s, "g.ter");
        // Its stored signed values, read back by the tool, are the reference: the lowest
        // negative one is lifted to 0.
        const auto raw = EnviOf(gdal, dir, ter, s);
        ASSERT_EQ(raw.size(), size_t(s.w) * s.h);
        int lowest = 0;
        for (uint16_t v : raw) lowest = std::min(lowest, int(int16_t(v)));
        ASSERT_LT(lowest, 0) << "expected negative stored values";
        std::vector<int> want(raw.size());
        for (size_t i = 0; i < raw.size(); ++i) want[i] = int(int16_t(raw[i])) - lowest;
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {ter}), want, s));
    }
}

// Split tiles are G16 bitmaps too: each tile, decoded by the image tool, is its part of the map.
TEST(Interop, SplitTilesDecodeToTheirRegions)
{
    REQUIRE_TOOL(convert, "convert");
    const Size s{116, 158}, tile{58, 79};
    for (const bool seamless : {false, true}) {
        SCOPED_TRACE(seamless ? "seamless" : "plain");
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "tile.bmp", {"--split", seamless ? "2x2:seamless" : "2x2"});
        for (int n = 0; n < 4; ++n) {
            SCOPED_TRACE(n);
            const int x0 = (n % 2) * tile.w - (seamless && n % 2 ? 1 : 0);
            const int y0 = (n / 2) * tile.h - (seamless && n / 2 ? 1 : 0);
            std::vector<uint16_t> want;
            for (int y = 0; y < tile.h; ++y)
                for (int x = 0; x < tile.w; ++x) want.push_back(pattern[size_t(y0 + y) * s.w + size_t(x0 + x)] & 0x7FFF);
            EXPECT_TRUE(SameSamples(Rgb555Of(convert, dir, dir / ("tile0" + std::to_string(n) + ".bmp"), tile), want, tile));
        }
    }
}

// Meshes: every cell is two facets at the sampled heights, in row-major cell order.
TEST(Interop, StlFacetsAreTheCellHalvesAtTheSampledHeights)
{
    for (Size s : {Size{113, 157}, Size{2, 2}, Size{1, 5}}) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "map.stl", {"--spacing", "3"});
        auto vertex = [&](int x, int y) {
            return "      vertex " + std::to_string(x * 3) + ".0 " + std::to_string(y * 3) + ".0 " +
                   std::to_string(pattern[size_t(y) * s.w + size_t(x)]) + ".0";
        };
        const std::string name = "TOLV_Heightmap_" + SizeText(s);
        std::vector<std::string> want = {"solid " + name};
        for (int y = 0; y + 1 < s.h; ++y)
            for (int x = 0; x + 1 < s.w; ++x)
                for (int half = 0; half < 2; ++half) {
                    want.insert(want.end(), {"  facet normal 0.0 0.0 1.0", "    outer loop"});
                    if (half == 0) want.insert(want.end(), {vertex(x, y), vertex(x, y + 1), vertex(x + 1, y)});
                    else want.insert(want.end(), {vertex(x, y + 1), vertex(x + 1, y + 1), vertex(x + 1, y)});
                    want.insert(want.end(), {"    endloop", "  endfacet"});
                }
        want.push_back("endsolid " + name);
        EXPECT_TRUE(SameLines(SplitCrLfLines(ReadFileText(dir / "map.stl")), want));
    }
}

TEST(Interop, ObjVerticesAndFacesDescribeTheGridAndReadBack)
{
    for (Size s : {Size{113, 157}, Size{512, 3}, Size{1, 4}}) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteThroughTolv(dir, pattern, s, dir / "map.obj", {"--spacing", "7"});
        std::vector<std::string> got, want;
        for (const std::string& l : SplitCrLfLines(ReadFileText(dir / "map.obj")))
            if (l.starts_with("v ") || l.starts_with("f ")) got.push_back(l);
        for (size_t i = 0; i < pattern.size(); ++i)
            want.push_back("v " + std::to_string(i % s.w * 7) + ".0 " + std::to_string(i / s.w * 7) + ".0 " +
                           std::to_string(pattern[i]) + ".0");
        auto face = [](long a, long b, long c) { return "f " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c); };
        for (long y = 0; y + 1 < s.h; ++y)
            for (long x = 0; x + 1 < s.w; ++x) {
                const long a = y * s.w + x + 1;
                want.insert(want.end(), {face(a, a + s.w, a + 1), face(a + s.w, a + s.w + 1, a + 1)});
            }
        EXPECT_TRUE(SameLines(got, want));
        EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {dir / "map.obj"}), pattern, s));
    }
}
