// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "SampleKinds.h"

#include <csetjmp>
#include <cstdio>

#include <gif_lib.h>
#include <png.h>

#include "OpenOutcome.h"
#include "formats/FormatTable.h"
#include "formats/FrmSavePGMRules.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"

namespace tolv::test {

namespace {

// Confirms every dialog with its proposal; the PGM dialog with the chosen form.
class SampleHost : public YesHost {
public:
    void ShowDialog(DialogId dialog) override
    {
        YesHost::ShowDialog(dialog);
        if (dialog == DialogId::SavePGM) WriteDialogResult(SavePgmResult{pgmP5});
    }
    int pgmP5 = 0;
};

// Little-endian fields, each a value and its width in bytes.
void PutLe(std::vector<uint8_t>& to, std::initializer_list<std::pair<uint32_t, int>> fields)
{
    for (auto [v, bytes] : fields)
        for (int i = 0; i < bytes; ++i) to.push_back(static_cast<uint8_t>(v >> 8 * i));
}
bool WriteBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

int32_t W() { return HeightmapWidth(); }
int32_t H() { return HeightmapHeight(); }
uint8_t Byte(int32_t x, int32_t y) { return static_cast<uint8_t>(GetAltitude(x, y) >> 8); }

std::vector<uint8_t> Targa(int depth, uint8_t descriptor)
{
    const uint32_t mapped = depth == 8, w = static_cast<uint32_t>(W()), h = static_cast<uint32_t>(H());
    std::vector<uint8_t> f;
    // clang-format off
    PutLe(f, {{0, 1}, {mapped, 1}, {2 - mapped, 1}, {0, 2}, {256 * mapped, 2}, {24 * mapped, 1}, {0, 4}, {w, 2}, {h, 2},
              {uint32_t(depth), 1}, {descriptor, 1}});
    // clang-format on
    if (mapped)
        for (int i = 0; i < 256; ++i) f.insert(f.end(), 3, static_cast<uint8_t>(i));
    for (int32_t y = 1; y <= H(); ++y)
        for (int32_t x = 1; x <= W(); ++x)
            for (int b = 0; b < depth / 8; ++b) f.push_back(static_cast<uint8_t>(Byte(x, y) + b * 40));
    return f;
}

std::vector<uint8_t> BitmapImage(int bits)
{
    const uint32_t w = static_cast<uint32_t>(W()), h = static_cast<uint32_t>(H());
    const uint32_t stride = (w * bits / 8 + 3) & ~3u, colours = bits == 8 ? 256 : 0, offset = 54 + 4 * colours;
    std::vector<uint8_t> f = {'B', 'M'};
    // clang-format off
    PutLe(f, {{offset + stride * h, 4}, {0, 4}, {offset, 4}, {40, 4}, {w, 4}, {h, 4}, {1, 2}, {uint32_t(bits), 2},
              {0, 4}, {stride * h, 4}, {2835, 4}, {2835, 4}, {colours, 4}, {0, 4}});
    // clang-format on
    for (uint32_t i = 0; i < colours; ++i) f.insert(f.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0});
    for (int32_t y = H(); y >= 1; --y) {
        size_t start = f.size();
        for (int32_t x = 1; x <= W(); ++x)
            for (int b = 0; b < bits / 8; ++b) f.push_back(static_cast<uint8_t>(Byte(x, y) ^ (b * 85)));
        f.resize(start + stride, 0);
    }
    return f;
}

bool Gif(const std::string& path)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) return false;
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i) colours[i] = {uint8_t(i), uint8_t(i), uint8_t(i)};
    ColorMapObject* map = GifMakeMapObject(256, colours);
    bool ok = EGifPutScreenDesc(gif, W(), H(), 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, W(), H(), false, nullptr) == GIF_OK;
    std::vector<GifPixelType> row(static_cast<size_t>(W()));
    for (int32_t y = 1; ok && y <= H(); ++y) {
        for (int32_t x = 1; x <= W(); ++x) row[static_cast<size_t>(x - 1)] = Byte(x, y);
        ok = EGifPutLine(gif, row.data(), W()) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    return ok;
}

// Only plain locals live across the setjmp.
bool WritePngRows(std::FILE* f, uint32_t width, uint32_t height, int depth, int type, bool interlaced, png_bytep* rows,
                  png_colorp palette, int paletteSize)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, width, height, depth, type, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (paletteSize > 0) png_set_PLTE(png, info, palette, paletteSize);
    png_set_gAMA(png, info, 0.45455);
    png_write_info(png, info);
    if (depth < 8) png_set_packing(png);
    if (interlaced) png_set_interlace_handling(png);
    png_write_image(png, rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

// libpng's own writer for the kinds the program never writes.
bool PngKind(const std::string& path, int depth, int type, bool interlaced)
{
    const int channels = type == PNG_COLOR_TYPE_RGB ? 3 : type == PNG_COLOR_TYPE_RGB_ALPHA ? 4 : 1;
    const size_t rowBytes = static_cast<size_t>(W()) * channels * (depth == 16 ? 2 : 1);
    std::vector<uint8_t> pixels(rowBytes * static_cast<size_t>(H()));
    const int limit = type == PNG_COLOR_TYPE_PALETTE ? 16 : depth < 8 ? (1 << depth) : 256;
    for (int32_t y = 1; y <= H(); ++y) {
        uint8_t* row = pixels.data() + rowBytes * static_cast<size_t>(y - 1);
        for (size_t i = 0; i < rowBytes; ++i)
            row[i] = static_cast<uint8_t>(
                (Byte(static_cast<int32_t>(i / channels / (depth == 16 ? 2 : 1)) + 1, y) + i) % limit);
    }
    std::vector<png_color> palette;
    if (type == PNG_COLOR_TYPE_PALETTE)
        for (int i = 0; i < 16; ++i) palette.push_back({uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i * 5)});
    std::vector<png_bytep> rows;
    for (int32_t y = 0; y < H(); ++y) rows.push_back(pixels.data() + rowBytes * static_cast<size_t>(y));
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = WritePngRows(f, static_cast<uint32_t>(W()), static_cast<uint32_t>(H()), depth, type, interlaced,
                                 rows.data(), palette.data(), static_cast<int>(palette.size()));
    return std::fclose(f) == 0 && ok;
}

} // namespace

std::vector<std::string> WriteSampleFiles(const std::string& folder, const std::string& stem, const std::string& ext)
{
    UiHost* previous = &Host();
    SampleHost host;
    InstallHost(&host);
    std::vector<std::string> written;
    auto name = [&](const std::string& kind) { return folder + "/" + stem + "-" + kind + "." + ext; };
    auto keep = [&](const std::string& path, bool ok) {
        if (ok) written.push_back(path);
    };
    // The writers change the format code; the pattern map stays as it is.
    const int32_t code = FormatCode();
    const FormatRow* saving = FindSaveRow(ext);
    if (ext == "pgm") {
        for (int p5 : {0, 1}) {
            host.pgmP5 = p5;
            ClearDialogParams();
            keep(name(p5 ? "p5" : "p2"), SaveFileByType(name(p5 ? "p5" : "p2")));
        }
    } else if (saving && saving->save.kind == SaveKind::Writer) {
        ClearDialogParams();
        keep(name(ext == "bmp" ? "g16" : "writer"), SaveFileByType(name(ext == "bmp" ? "g16" : "writer")));
    }
    auto file = [&](const std::string& kind, const std::vector<uint8_t>& bytes) {
        keep(name(kind), WriteBinaryFile(name(kind), bytes));
    };
    std::vector<uint8_t> bytes;
    if (ext == "raw" || ext == "r32") {
        for (int32_t y = 1; y <= H(); ++y)
            for (int32_t x = 1; x <= W(); ++x)
                if (ext == "raw") bytes.push_back(Byte(x, y));
                else PutLe(bytes, {{static_cast<uint32_t>(GetAltitude(x, y)), 4}});
        file("dump", bytes);
    } else if (ext == "txt") {
        std::string text;
        for (int32_t y = H(); y >= 1; --y) {
            for (int32_t x = 1; x <= W(); ++x) text += std::to_string(GetAltitude(x, y)) + " ";
            text += "\r\n";
        }
        file("dem", std::vector<uint8_t>(text.begin(), text.end()));
    } else if (ext == "tga") {
        file("gray8", Targa(8, 0x20));
        file("rgb24", Targa(24, 0x00));
        file("rgba32", Targa(32, 0x08));
    } else if (ext == "bmp") {
        file("palette8", BitmapImage(8));
        file("rgb24", BitmapImage(24));
    } else if (ext == "gif") {
        keep(name("gray"), Gif(name("gray")));
    } else if (ext == "png") {
        keep(name("palette"), PngKind(name("palette"), 8, PNG_COLOR_TYPE_PALETTE, false));
        keep(name("rgb"), PngKind(name("rgb"), 8, PNG_COLOR_TYPE_RGB, false));
        keep(name("rgba16"), PngKind(name("rgba16"), 16, PNG_COLOR_TYPE_RGB_ALPHA, false));
        keep(name("gray2-interlaced"), PngKind(name("gray2-interlaced"), 2, PNG_COLOR_TYPE_GRAY, true));
    }
    SetFormatCode(code);
    InstallHost(previous);
    return written;
}

} // namespace tolv::test
