// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "imaging/vbTargaTGA.h"

#include <array>
#include <vector>

#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/vbColor.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

constexpr int64_t kHeaderSize = 18;

struct TgaHeader {
    uint8_t idLength = 0;
    uint8_t colorMapType = 0;
    uint8_t imageType = 0;
    uint16_t colorMapLength = 0;
    uint8_t colorMapEntryBits = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t pixelDepth = 0;
    uint8_t descriptor = 0;
};

TgaHeader ParseHeader(const uint8_t* b)
{
    TgaHeader h;
    h.idLength = b[0];
    h.colorMapType = b[1];
    h.imageType = b[2];
    h.colorMapLength = LoadU16LE(b + 5);
    h.colorMapEntryBits = b[7];
    h.width = LoadU16LE(b + 12);
    h.height = LoadU16LE(b + 14);
    h.pixelDepth = b[16];
    h.descriptor = b[17];
    return h;
}

TgaHeader ReadHeader(FileReader& in)
{
    std::array<uint8_t, kHeaderSize> b{};
    in.Seek(0);
    in.ReadExact(b.data(), b.size());
    return ParseHeader(b.data());
}

int64_t PaletteEntryBytes(uint8_t bits)
{
    switch (bits) {
    case 15:
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
    }
}

int64_t PaletteBytes(const TgaHeader& h)
{
    return h.colorMapType == 1 ? int64_t(h.colorMapLength) * PaletteEntryBytes(h.colorMapEntryBits) : 0;
}

enum class TgaKind { Gray8, Color8, Rgb24, Alpha32, Refused };

struct Classified {
    TgaKind kind;
    const char* refusal;
};

bool IsTgaPaletteGray(const TgaHeader& h, const std::vector<uint8_t>& palette)
{
    if (h.colorMapType != 1 || h.colorMapEntryBits != 24) return false;
    for (size_t i = 0; i + 2 < palette.size(); i += 3)
        if (palette[i] != palette[i + 1] || palette[i] != palette[i + 2]) return false;
    return true;
}

Classified Classify(const TgaHeader& h, bool paletteGray)
{
    constexpr const char* kSixteen = "16-bit TGA format is not supported.";
    constexpr const char* kMono = "Monochrome TGA format is not supported.";
    constexpr const char* kCompressed = "Compressed TGA format is not supported.";
    constexpr const char* kUnknown = "Unknown or unsupported TGA format.";
    switch (h.imageType) {
    case 1:
        // Read only with byte indices and a colour map whose entry size is known.
        if (h.pixelDepth != 8 || h.colorMapType != 1 || PaletteEntryBytes(h.colorMapEntryBits) == 0)
            return {TgaKind::Refused, kUnknown};
        return {paletteGray ? TgaKind::Gray8 : TgaKind::Color8, nullptr};
    case 2:
        if (h.pixelDepth == 16) return {TgaKind::Refused, kSixteen};
        if (h.pixelDepth == 24) return {TgaKind::Rgb24, nullptr};
        if (h.pixelDepth == 32) return {TgaKind::Alpha32, nullptr};
        return {TgaKind::Refused, kUnknown};
    case 3:
    case 11: return {TgaKind::Refused, kMono};
    case 9: return {TgaKind::Refused, kCompressed};
    case 10:
        if (h.pixelDepth == 16) return {TgaKind::Refused, kSixteen};
        if (h.pixelDepth == 24 || h.pixelDepth == 32) return {TgaKind::Refused, kCompressed};
        return {TgaKind::Refused, kUnknown};
    default: return {TgaKind::Refused, kUnknown};
    }
}

// One palette entry as blue, green, red, whatever the entry size.
std::array<uint8_t, 3> PaletteColor(const std::vector<uint8_t>& palette, int64_t entryBytes, int64_t index)
{
    const int64_t at = index * entryBytes;
    if (entryBytes == 0 || at + entryBytes > static_cast<int64_t>(palette.size())) return {0, 0, 0};
    const uint8_t* p = palette.data() + at;
    if (entryBytes >= 3) return {p[0], p[1], p[2]};
    // 15/16-bit entries: 5 bits each of blue, green, red, widened to 8 bits.
    const uint16_t v = LoadU16LE(p);
    auto widen = [](unsigned c) { return static_cast<uint8_t>((c << 3) | (c >> 2)); };
    return {widen(v & 31u), widen((v >> 5) & 31u), widen((v >> 10) & 31u)};
}

} // namespace

bool ValidateTgaFile(const std::string& path)
{
    return TrapErrors("An error occurred validating the TGA File.", [&] {
        if (!CheckReaderExtension(path, "tga", "TGA")) return false;
        FileReader in(path);
        const TgaHeader h = ReadHeader(in);
        if (h.idLength != 0 || h.colorMapType > 1) return false;
        switch (h.imageType) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 9:
        case 10:
        case 11: break;
        default: return false;
        }
        switch (h.pixelDepth) {
        case 1:
        case 8:
        case 16:
        case 24:
        case 32: break;
        default: return false;
        }
        return true;
    });
}

bool LoadTgaImage(const std::string& path)
{
    if (!ValidateTgaFile(path)) return false;
    return TrapErrors("An error occurred loading the Targa TGA Image file.", [&] {
        FileReader in(path);
        const TgaHeader h = ReadHeader(in);
        const int64_t fileLength = in.Length();
        const int64_t paletteBytes = PaletteBytes(h);
        const int64_t pixelStart = kHeaderSize + paletteBytes;
        // The declared colour map must lie inside the file before anything is read from it.
        if (pixelStart > fileLength) throw RunTimeError(ErrInputPastEnd);
        std::vector<uint8_t> palette;
        if (paletteBytes > 0) {
            in.Seek(kHeaderSize);
            palette = in.ReadBytes(static_cast<size_t>(paletteBytes));
        }
        const Classified c = Classify(h, IsTgaPaletteGray(h, palette));
        if (c.kind == TgaKind::Refused) {
            ShowInfo(c.refusal);
            return false;
        }
        const int32_t width = h.width, height = h.height;
        if (!CheckHeightmapResolution(width, height)) return false;
        const int64_t bytesPerPixel = c.kind == TgaKind::Rgb24 ? 3 : c.kind == TgaKind::Alpha32 ? 4 : 1;
        const int64_t rowBytes = int64_t(width) * bytesPerPixel;
        if (pixelStart + rowBytes * height > fileLength) throw RunTimeError(ErrInputPastEnd);

        int32_t mode = ConvertToGray;
        if (c.kind == TgaKind::Color8 || c.kind == TgaKind::Rgb24) mode = ResolveConversionMode();
        // Colour-mapped pixels: one altitude per possible index, converted once.
        std::array<int32_t, 256> lookup{};
        if (c.kind == TgaKind::Color8) {
            const int64_t entryBytes = PaletteEntryBytes(h.colorMapEntryBits);
            for (int i = 0; i < 256; ++i) {
                auto bgr = PaletteColor(palette, entryBytes, i);
                lookup[static_cast<size_t>(i)] = ColorToAltitude(mode, bgr[2], bgr[1], bgr[0]);
            }
        }

        // Rows are placed straight where the origin bits say, which is what reading in file order
        // and then flipping would give: bit 4 = right-to-left, bit 5 = top-to-bottom.
        const bool rightToLeft = (h.descriptor & 0x10) != 0;
        const bool topToBottom = (h.descriptor & 0x20) != 0;
        std::vector<int32_t> grid(static_cast<size_t>(width) * static_cast<size_t>(height));
        std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
        in.Seek(pixelStart);
        for (int32_t i = 0; i < height; ++i) {
            in.ReadExact(row.data(), row.size());
            const int32_t y = topToBottom ? i : height - 1 - i;
            int32_t* out = grid.data() + static_cast<size_t>(y) * width;
            for (int32_t j = 0; j < width; ++j) {
                const uint8_t* p = row.data() + j * bytesPerPixel;
                int32_t v;
                switch (c.kind) {
                case TgaKind::Gray8: v = p[0]; break;
                case TgaKind::Color8: v = lookup[p[0]]; break;
                case TgaKind::Rgb24: v = ColorToAltitude(mode, p[2], p[1], p[0]); break;
                default: v = p[3]; break;
                }
                out[rightToLeft ? width - 1 - j : j] = v;
            }
        }
        in.Close();
        const int32_t code = c.kind == TgaKind::Gray8    ? FmtTgaGray8
                             : c.kind == TgaKind::Color8 ? FmtTgaColor8
                             : c.kind == TgaKind::Rgb24  ? FmtTga24
                                                         : FmtTga32;
        return LoadHeightmapGrid(width, height, grid, code);
    });
}

} // namespace tolv
