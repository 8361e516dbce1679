// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Interchange with common image and raster tools, case by case from tests/cli/data/interop.txt:
// files tolvconv writes are decoded by the tools, files the tools write are read by tolvconv,
// and both are compared sample by sample with the pattern that went in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "CliTest.h"

using namespace tolv::test;

namespace {

void Tool(const std::string& tool, const std::vector<std::string>& args)
{
    ProcessResult r = RunProcess(tool, args);
    EXPECT_EQ(r.exitCode, 0) << tool << ": " << r.err;
}

struct Size {
    int w, h;
};
std::string SizeText(Size s) { return std::to_string(s.w) + "x" + std::to_string(s.h); }

std::vector<Size> Sizes(const std::string& text)
{
    if (text == "all") return {{113, 157}, {513, 513}, {1, 1}, {2, 3}};
    if (text == "one") return {{113, 157}};
    std::vector<Size> sizes;
    std::istringstream list(text);
    for (std::string item; std::getline(list, item, ',');)
        sizes.push_back({std::stoi(item), std::stoi(item.substr(item.find('x') + 1))});
    return sizes;
}

// Gradients across and down with a scrambled low part; the corners carry the values around the
// sign and byte boundaries.
std::vector<int> Pattern16(Size s)
{
    std::vector<int> v;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x)
            v.push_back(int((s.w > 1 ? x * 65535u / unsigned(s.w - 1) : 0) + y * 4099u + ((x * 7u + y * 13u) & 0xFF)) &
                        0xFFFF);
    v[0] = 0;
    if (s.w > 1) v[size_t(s.w) - 1] = 32767;
    if (s.h > 1) v[size_t(s.h - 1) * s.w] = 32768;
    if (s.w > 1 && s.h > 1) v.back() = 65535;
    return v;
}

// 8-bit pictures: the full 0..255 range with every row different; colour pictures three such.
std::vector<int> Pattern8(Size s, int channels = 1)
{
    std::vector<int> v;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            v.push_back(((s.w > 1 ? x * 255 / (s.w - 1) : 0) ^ (y * 7)) & 0xFF);
            if (channels == 3) v.back() = (x * 2) & 0xFF, v.push_back((y * 5 + x) & 0xFF), v.push_back((x * y) & 0xFF);
        }
    v.front() = 0;
    if (channels == 1) v.back() = 255;
    return v;
}

std::vector<uint8_t> Bytes(const std::vector<int>& v, int width)
{
    std::vector<uint8_t> b;
    for (int x : v) {
        b.push_back(uint8_t(x));
        if (width == 2) b.push_back(uint8_t(x >> 8));
    }
    return b;
}

std::vector<int> From16(const std::vector<uint8_t>& b, bool bigEndian)
{
    std::vector<int> v;
    for (size_t i = 0; i + 1 < b.size(); i += 2) v.push_back(bigEndian ? b[i] << 8 | b[i + 1] : b[i] | b[i + 1] << 8);
    return v;
}

// Sample-by-sample comparison naming the first difference by its column and row (from 1).
::testing::AssertionResult SameSamples(const std::vector<int>& got, const std::vector<int>& want, Size s)
{
    if (got.size() != want.size())
        return ::testing::AssertionFailure() << got.size() << " samples, expected " << want.size();
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i] != want[i])
            return ::testing::AssertionFailure()
                   << "sample (" << i % s.w + 1 << ", " << i / s.w + 1 << ") is " << got[i] << ", expected " << want[i];
    return ::testing::AssertionSuccess();
}

// A label file that lets the raster tool read a bare sample file (type 1 = byte, 12 = 16-bit).
void WriteEnviHeader(const std::string& path, Size s, int dataType)
{
    WriteFileText(path, "ENVI\nsamples = " + std::to_string(s.w) + "\nlines = " + std::to_string(s.h) +
                            "\nbands = 1\nheader offset = 0\nfile type = ENVI Standard\ndata type = " +
                            std::to_string(dataType) + "\ninterleave = bsq\nbyte order = 0\n");
}

// A written file as the tool decodes it, to 16-bit samples.
std::vector<int> Decode(const std::string& how, const std::string& tool, const TempDir& dir, const std::string& file,
                        Size s)
{
    if (how == "gray16") {
        Tool(tool, {file, "-depth", "16", "-endian", "LSB", "gray:" + (dir / "im.gray")});
        return From16(ReadFileBytes(dir / "im.gray"), false);
    }
    if (how == "envi") {
        if (file.ends_with(".r16")) WriteEnviHeader(file.substr(0, file.size() - 4) + ".hdr", s, 12);
        Tool(tool, {"-q", "-of", "ENVI", file, dir / "g.envi"});
        return From16(ReadFileBytes(dir / "g.envi"), false);
    }
    if (how == "rgb555") { // to an image tool, five bits each of red, green and blue
        Tool(tool, {file, "-depth", "16", "-endian", "MSB", "rgb:" + (dir / "im.rgb")});
        const auto rgb = From16(ReadFileBytes(dir / "im.rgb"), true);
        std::vector<int> v;
        auto five = [&](size_t i) { return int(std::lround(rgb[i] * 31.0 / 65535.0)); };
        for (size_t i = 0; i + 2 < rgb.size(); i += 3) v.push_back(five(i) << 10 | five(i + 1) << 5 | five(i + 2));
        return v;
    }
    // pam: the header lines end with CR LF, ENDHDR's too. Netpbm's rules take CR as white space,
    // so the samples start right after the LF; the image tool starts them a byte early and
    // decodes every sample shifted. So the tool checks the header, the samples are read here.
    EXPECT_EQ(RunProcess(tool, {"-format", "%w %h %z %[colorspace]", file}).out,
              std::to_string(s.w) + " " + std::to_string(s.h) + " 16 Gray");
    const std::string text = ReadFileText(file);
    const size_t start = std::min(text.find("\nENDHDR\r\n") + 9, text.size()); // 8 when there is none
    return From16(std::vector<uint8_t>(text.begin() + long(start), text.end()), true);
}

// Has the tool make `file` ("BMP3:pic.bmp" names the kind too) from a picture of the given kind.
std::string Make(const std::string& tool, const std::vector<std::string>& args, const TempDir& dir,
                 const std::string& picture, Size s, const std::string& file)
{
    const bool gdal = tool.find("gdal") != std::string::npos;
    const std::string inPath = dir / "in.bin";
    WriteFileBytes(inPath,
                   picture == "gray16" ? Bytes(Pattern16(s), 2) : Bytes(Pattern8(s, picture == "rgb8" ? 3 : 1), 1));
    std::vector<std::string> in = {inPath}, all;
    if (gdal) WriteEnviHeader(dir / "in.hdr", s, picture == "gray16" ? 12 : 1);
    else if (picture == "gray16") in = {"-size", SizeText(s), "-depth", "16", "-endian", "LSB", "gray:" + inPath};
    else in = {"-size", SizeText(s), "-depth", "8", (picture == "gray8" ? "gray:" : "rgb:") + inPath};
    if (gdal) all = {"-q"};
    else if (std::find(args.begin(), args.end(), "@in") == args.end()) all = in;
    for (const std::string& a : args)
        if (a == "@in") all.insert(all.end(), in.begin(), in.end());
        else
            all.push_back(a == "@size" ? SizeText(s)
                          : a == "@w"  ? std::to_string(s.w)
                          : a == "@h"  ? std::to_string(s.h)
                                       : a);
    if (gdal) all.insert(all.end(), in.begin(), in.end());
    const size_t colon = file.find(':') + 1;
    const std::string path = dir / file.substr(colon);
    all.push_back(file.substr(0, colon) + path);
    Tool(tool, all);
    return path;
}

// Channel c (0 red, 1 green, 2 blue, 3 the gray rule) of the image tool's own decoding of a picture.
std::vector<int> ChannelOf(const std::string& convert, const TempDir& dir, const std::string& picture, int c)
{
    Tool(convert, {picture, "-depth", "8", "rgb:" + (dir / "decoded.rgb")});
    const auto rgb = ReadFileBytes(dir / "decoded.rgb");
    std::vector<int> v;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        v.push_back(c < 3 ? rgb[i + size_t(c)]
                          : int(std::lround(rgb[i + 1] * 150.0 / 255 + rgb[i] * 76.0 / 255 + rgb[i + 2] * 28.0 / 255)));
    return v;
}

// What tolvconv reads from a file (args: options and the file): the format code it reports for
// the file alone, and the samples it writes from it.
std::pair<int, std::vector<int>> ReadThroughTolv(const TempDir& dir, std::vector<std::string> args)
{
    args.insert(args.begin(), "--info");
    const ProcessResult info = Conv(args);
    args.front() = dir / "through.r16";
    std::rotate(args.begin(), args.begin() + 1, args.end());
    const ProcessResult r = Conv(args);
    EXPECT_EQ(info.exitCode + r.exitCode, 0) << info.err;
    EXPECT_EQ(info.err + r.err, "");
    const size_t at = info.out.find("code: ");
    return {at == std::string::npos ? -1 : std::stoi(info.out.substr(at + 6)),
            From16(ReadFileBytes(dir / "through.r16"), false)};
}

void WriteCase(std::istream& line, const std::string& tool)
{
    std::string file, name, how, sizes;
    unsigned keep = 0, flip = 0;
    line >> file >> name >> how >> sizes >> std::hex >> keep >> flip;
    const std::vector<std::string> options = Words(line);
    for (Size s : Sizes(sizes)) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const auto pattern = Pattern16(s);
        WriteFileText(dir / "pattern.hma", Hma(s.w, s.h, pattern));
        std::vector<std::string> args = options;
        args.insert(args.end(), {dir / "pattern.hma", dir / file});
        ProcessResult r = Conv(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        std::vector<int> want;
        for (int v : pattern) want.push_back(int((unsigned(v) & keep) ^ flip));
        EXPECT_TRUE(SameSamples(Decode(how, tool, dir, dir / file, s), want, s));
    }
}

void ReadCase(std::istream& line, const std::string& tool, const std::string& convert, const std::string& gdal)
{
    std::string picture, file, ref, sizes, word;
    int code = 0;
    line >> picture >> file >> code >> ref >> sizes;
    int at = -1, mask = 0, value = 0;
    std::vector<std::string> options, toolArgs;
    while (line >> word && word != "--") {
        if (word.starts_with("byte@")) std::sscanf(word.c_str(), "byte@%d&%x=%x", &at, &mask, &value);
        else options.push_back(word);
    }
    toolArgs = Words(line);
    for (Size s : Sizes(sizes)) {
        SCOPED_TRACE(SizeText(s));
        TempDir dir;
        const std::string path = Make(tool, toolArgs, dir, picture, s, file);
        if (at >= 0) {
            ASSERT_EQ(ReadFileBytes(path).at(size_t(at)) & mask, value) << "the tool wrote another layout";
        }
        std::vector<std::string> args;
        for (const std::string& o : options) args.push_back(o == "@size" ? SizeText(s) : o);
        args.push_back(path);
        const auto [got, samples] = ReadThroughTolv(dir, args);
        EXPECT_EQ(got, code);
        std::vector<int> want;
        if (ref == "input") want = picture == "gray16" ? Pattern16(s) : Pattern8(s);
        else if (ref == "red" || ref == "green") want = ChannelOf(convert, dir, path, ref == "green");
        else if (ref == "colours") {
            EXPECT_TRUE(SameSamples(ReadThroughTolv(dir, {"--color", "green", path}).second,
                                    ChannelOf(convert, dir, path, 1), s));
            want = ChannelOf(convert, dir, path, 3);
        } else if (ref == "band2") {
            Tool(gdal, {"-q", "-of", "ENVI", "-b", "2", path, dir / "g.envi"});
            for (uint8_t b : ReadFileBytes(dir / "g.envi")) want.push_back(b);
        } else { // lifted: the stored signed values, as the tool reads them, less the lowest negative one
            int lowest = 0;
            for (int v : Decode("envi", gdal, dir, path, s))
                want.push_back(int16_t(v)), lowest = std::min(lowest, want.back());
            ASSERT_LT(lowest, 0) << "expected negative stored values";
            for (int& v : want) v -= lowest;
        }
        EXPECT_TRUE(SameSamples(samples, want, s));
    }
}

} // namespace

TEST(Interop, CasesFromTheTable)
{
    std::ifstream cases(std::string(TOLV_SOURCE_DIR) + "/tests/cli/data/interop.txt");
    ASSERT_TRUE(cases);
    const std::string convert = FindTool("convert"), gdal = FindTool("gdal_translate");
    std::string missing;
    int run = 0;
    for (std::string text; std::getline(cases, text);) {
        if (text.empty() || text[0] == '#') continue;
        std::istringstream line(text);
        std::string kind, first, second;
        line >> kind >> first >> second;
        const std::string name = kind == "write" ? second : first, tool = FindTool(name);
        // Every case needs the image tool for its references, some the raster tool too.
        if (tool.empty() || convert.empty() ||
            (gdal.empty() &&
             (text.find(" band2 ") != std::string::npos || text.find(" lifted ") != std::string::npos))) {
            missing += " " + name;
            continue;
        }
        SCOPED_TRACE(text);
        ++run;
        std::istringstream rest(text);
        if (kind == "write") WriteCase(rest >> kind, tool);
        else ReadCase(rest >> kind >> first, tool, convert, gdal);
    }
    if (!missing.empty()) GTEST_SKIP() << run << " cases run; not installed:" << missing;
}
