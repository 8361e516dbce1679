// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/vbWinBMP.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

constexpr int32_t kInfoPaletteOffset = BmpFileHeaderSize + BmpInfoHeaderSize; // 54
constexpr int32_t kCorePaletteOffset = BmpFileHeaderSize + BmpCoreHeaderSize; // 26
constexpr int32_t kG16BitsOffset = kInfoPaletteOffset;

constexpr const char* kPaletteSentence = "An error occurred reading the BMP palette information.";

void WarnUnknownHeader()
{
    ShowWarning(std::string("Unsupported BMP File Format.") + kCrLf + kCrLf +
                "Unknown BITMAPINFOHEADER or BITMAPCOREHEADER Structure Version.");
}

// The file header from the start of the file and the file's length. Returns how many of its 14
// bytes the file holds; a shorter file leaves the fields it does not reach at 0.
size_t ReadFileHeader(FileReader& in, BmpHeader& h)
{
    uint8_t b[BmpFileHeaderSize] = {};
    in.Seek(0);
    const size_t got = in.Read(b, sizeof b);
    h.length = in.Length();
    h.signature = got >= 2 && b[0] == 'B' && b[1] == 'M';
    h.sizeField = LoadU32LE(b + 2);
    h.bitsOffset = LoadU32LE(b + 10);
    return got;
}

// The validation of the file header: a size field that differs from the length is warned about
// whatever the signature.
Verdict CheckFileHeader(FileReader& in, BmpHeader& h)
{
    // A file shorter than the file header cannot hold a size that matches it.
    if (ReadFileHeader(in, h) < static_cast<size_t>(BmpFileHeaderSize) || h.sizeField != h.length) {
        ShowWarning(std::string("The Bitmap file is corrupt.") + kCrLf +
                    "The file size does not match the header property.");
        return Verdict::Told;
    }
    return h.signature ? Verdict::Accepted : Verdict::Refused;
}

// Reads the header that follows the file header. False (after the warning) for an unknown
// header size; a file too short for its header raises Input past end of file.
bool ReadInfoHeader(FileReader& in, BmpHeader& h)
{
    uint8_t b[BmpInfoHeaderSize];
    in.Seek(BmpFileHeaderSize);
    in.ReadExact(b, 4);
    const uint32_t size = LoadU32LE(b);
    if (size == static_cast<uint32_t>(BmpInfoHeaderSize)) {
        in.ReadExact(b + 4, BmpInfoHeaderSize - 4);
        h.core = false;
        h.width = LoadI32LE(b + 4);
        h.height = LoadI32LE(b + 8);
        h.planes = LoadU16LE(b + 12);
        h.bitCount = LoadU16LE(b + 14);
        h.compression = LoadI32LE(b + 16);
    } else if (size == static_cast<uint32_t>(BmpCoreHeaderSize)) {
        in.ReadExact(b + 4, BmpCoreHeaderSize - 4);
        h.core = true;
        h.width = LoadU16LE(b + 4);
        h.height = LoadU16LE(b + 6);
        h.planes = LoadU16LE(b + 8);
        h.bitCount = LoadU16LE(b + 10);
        h.compression = 0; // the core header has no compression field
    } else {
        WarnUnknownHeader();
        return false;
    }
    return true;
}

// The gray-palette test, under its own sentence. False after a report.
bool ReadGrayPalette(FileReader& in, BmpHeader& h)
{
    return TrapErrors(kPaletteSentence, [&] {
        if (h.planes != 1 || h.bitCount != 8 || h.compression != 0) return true;
        // Always 256 entries, whatever the palette size fields say. Entries a short file does
        // not reach read as zeros instead of reading past its end.
        const int64_t offset = BmpPaletteOffset(h);
        const size_t entry = h.core ? 3 : 4;
        std::vector<uint8_t> palette(256 * entry, 0);
        const int64_t available = std::max<int64_t>(0, in.Length() - offset);
        in.Seek(offset);
        in.ReadExact(palette.data(), static_cast<size_t>(std::min<int64_t>(available, palette.size())));
        for (size_t i = 0; i < palette.size(); i += entry) {
            const uint8_t blue = palette[i], green = palette[i + 1], red = palette[i + 2];
            if (blue != green || blue != red) return true;
        }
        h.grayPalette = true;
        return true;
    });
}

// What follows the file header: the header, under the caller's sentence, and the gray-palette
// test. False after a warning or a report.
bool ReadHeaderAndPalette(FileReader& in, BmpHeader& h, const std::string& sentence)
{
    return TrapErrors(sentence, [&] { return ReadInfoHeader(in, h); }) && ReadGrayPalette(in, h);
}

// One header query of a path with its own sentence; 0 / false when the header is unknown or an
// error was reported.
template <class T, class F>
T QueryHeader(const std::string& path, const char* sentence, F field)
{
    const std::optional<BmpHeader> h = ReadBmpHeader(path, sentence);
    return h ? field(*h) : T{};
}

// The 14-byte file header: "BM", the whole file's size, 54 as the pixel data offset.
void WriteBmpFileHeader(FileWriter& out, uint32_t fileSize)
{
    out.PutText("BM");
    out.PutU32LE(fileSize);
    out.PutU16LE(0);
    out.PutU16LE(0);
    out.PutU32LE(static_cast<uint32_t>(kG16BitsOffset));
}

// The 40-byte info header that follows it.
void WriteBmpInfoHeader(FileWriter& out, int32_t width, int32_t height, int32_t planes, int32_t bitCount,
                        int32_t compression, int32_t imageSize)
{
    out.PutU32LE(static_cast<uint32_t>(BmpInfoHeaderSize));
    out.PutI32LE(width);
    out.PutI32LE(height);
    out.PutU16LE(static_cast<uint16_t>(planes));
    out.PutU16LE(static_cast<uint16_t>(bitCount));
    out.PutI32LE(compression);
    out.PutI32LE(imageSize);
    const uint8_t zeros[16] = {};
    out.Put(zeros, sizeof zeros);
}

} // namespace

std::optional<BmpHeader> ReadBmpHeader(const std::string& path, const std::string& sentence)
{
    std::optional<FileReader> in;
    BmpHeader h;
    const bool opened = TrapErrors(sentence, [&] {
        in.emplace(path);
        if (ReadFileHeader(*in, h) < static_cast<size_t>(BmpFileHeaderSize)) throw RunTimeError(ErrInputPastEnd);
        return true;
    });
    if (!opened || !ReadHeaderAndPalette(*in, h, sentence)) return std::nullopt;
    return h;
}

BmpFile ExamineBmpFile(const std::string& path)
{
    BmpFile bmp;
    if (!CheckReaderExtension(path, "bmp", "BMP")) return bmp;
    std::optional<FileReader> in;
    bmp.verdict = TrapErrors(
        "An error occurred validating the BMP File.",
        [&] {
            in.emplace(path);
            return CheckFileHeader(*in, bmp.header);
        },
        Verdict::Told);
    if (bmp.verdict != Verdict::Accepted) return bmp;
    // Past the validation every refusal has told the user why.
    const bool read = ReadHeaderAndPalette(*in, bmp.header, "An error occurred retrieving the BMP file type.");
    bmp.verdict = read ? Verdict::Accepted : Verdict::Told;
    return bmp;
}

BmpKind BmpFileType(const BmpHeader& h)
{
    if (h.planes != 1) return BmpUnusable;
    const bool plain = h.compression == 0;
    switch (h.bitCount) {
    case 0: return h.compression == 4 ? BmpJpeg : h.compression == 5 ? BmpPng : BmpUnusable;
    case 1: return Bmp1Bit;
    case 4: return plain ? Bmp4Bit : Bmp4BitCompressed;
    case 8:
        if (plain && h.grayPalette) return Bmp8BitGray;
        return plain ? Bmp8BitColor : Bmp8BitCompressed;
    case 16: return plain ? Bmp16Bit : Bmp16BitCompressed;
    case 24: return plain ? Bmp24Bit : BmpUnusable;
    case 32: return plain ? Bmp32Bit : Bmp32BitCompressed;
    default: return BmpUnusable;
    }
}

int32_t BmpPaletteOffset(const BmpHeader& h) { return h.core ? kCorePaletteOffset : kInfoPaletteOffset; }

int64_t BmpBitsOffset(const BmpHeader& h)
{
    if (h.bitsOffset > 0 && h.bitsOffset < h.length) return h.bitsOffset;
    ShowWarning(std::string("Unsupported BMP File Format.") + kCrLf + kCrLf +
                "Unknown BITMAPFILEHEADER Structure Version.");
    return 0;
}

bool ValidateBmpFile(const std::string& path)
{
    if (!CheckReaderExtension(path, "bmp", "BMP")) return false;
    return TrapErrors("An error occurred validating the BMP File.", [&] {
        FileReader in(path);
        BmpHeader h;
        return CheckFileHeader(in, h) == Verdict::Accepted;
    });
}

BmpKind BmpFileType(const std::string& path)
{
    return QueryHeader<BmpKind>(path, "An error occurred retrieving the BMP file type.",
                                [](const BmpHeader& h) { return BmpFileType(h); });
}

bool BmpIsCoreHeader(const std::string& path)
{
    return QueryHeader<bool>(path, kPaletteSentence, [](const BmpHeader& h) { return h.core; });
}

int32_t BmpPaletteOffset(const std::string& path)
{
    return QueryHeader<int32_t>(path, kPaletteSentence, [](const BmpHeader& h) { return BmpPaletteOffset(h); });
}

int32_t BmpWidth(const std::string& path)
{
    return QueryHeader<int32_t>(path, "An error occurred retrieving the BMP width value.",
                                [](const BmpHeader& h) { return h.width; });
}

int32_t BmpHeight(const std::string& path)
{
    return QueryHeader<int32_t>(path, "An error occurred retrieving the BMP height value.",
                                [](const BmpHeader& h) { return h.height; });
}

int32_t BmpBitsOffset(const std::string& path)
{
    // Only the file header: an unknown header version does not concern this query.
    return TrapErrors(
        "An error occurred retrieving the BMP bitmap bits offset value.",
        [&] {
            FileReader in(path);
            BmpHeader h;
            if (ReadFileHeader(in, h) < static_cast<size_t>(BmpFileHeaderSize)) throw RunTimeError(ErrInputPastEnd);
            return static_cast<int32_t>(BmpBitsOffset(h));
        },
        0);
}

bool BmpHasGrayPalette(const std::string& path)
{
    return QueryHeader<bool>(path, kPaletteSentence, [](const BmpHeader& h) { return h.grayPalette; });
}

bool LoadG16File(const std::string& path)
{
    const std::optional<BmpHeader> h = ReadBmpHeader(path, "An error occurred loading the Unreal G16 heightmap file.");
    return h && LoadG16File(path, *h);
}

bool LoadG16File(const std::string& path, const BmpHeader& h)
{
    return TrapErrors("An error occurred loading the Unreal G16 heightmap file.", [&] {
        int64_t width = h.width, height = h.height;
        // A negative height stores the rows top-down; read them in that order.
        const bool topDown = height < 0;
        if (topDown) height = -height;
        if (!CheckHeightmapResolution(static_cast<int32_t>(std::min<int64_t>(width, INT32_MAX)),
                                      static_cast<int32_t>(std::min<int64_t>(height, INT32_MAX))))
            return false;
        const int64_t offset = BmpBitsOffset(h);
        if (offset == 0) return false;
        // Check the pixel data against the file length before anything is changed.
        const int64_t rowBytes = 2 * width;
        if (width >= 1 && height >= 1 && offset + rowBytes * height > h.length) {
            ShowWarning(std::string("The Bitmap file is corrupt.") + kCrLf +
                        "The pixel data is shorter than the width and height require.");
            return false;
        }
        FileReader in(path);
        if (!BeginHeightmapLoad(static_cast<int32_t>(width), static_cast<int32_t>(height))) return false;
        in.Seek(offset);
        const std::vector<uint8_t> pixels = in.ReadBytes(static_cast<size_t>(rowBytes * height));
        in.Close();
        for (int64_t i = 0; i < height; ++i) {
            const int32_t y = static_cast<int32_t>(topDown ? i + 1 : height - i);
            const uint8_t* src = pixels.data() + i * rowBytes;
            int32_t* row = MutableAltitudeRow(y);
            for (int64_t x = 0; x < width; ++x) row[x] = LoadU16LE(src + 2 * x);
        }
        FinishHeightmapLoad(FmtG16);
        return true;
    });
}

bool SaveG16File(const std::string& path) { return SaveG16Region(path, 0, 0, HeightmapWidth(), HeightmapHeight()); }

bool SaveG16Region(const std::string& path, int32_t x0, int32_t y0, int32_t width, int32_t height)
{
    static const char* const kSentence = "An error occurred saving the Unreal G16 Grayscale Bitmap file.";
    const int64_t imageSize = 2 * static_cast<int64_t>(width) * height;
    // The header's 32-bit size fields bound the region.
    if (width < 1 || height < 1 || imageSize > INT32_MAX - kG16BitsOffset) {
        ShowErrorReport(kSentence, RunTimeError(ErrInvalidCall));
        return false;
    }
    std::optional<FileWriter> out;
    if (!TrapErrors("An error occurred writing the BMP File Header.", [&] {
            out.emplace(path);
            WriteBmpFileHeader(*out, static_cast<uint32_t>(kG16BitsOffset + imageSize));
            WriteBmpInfoHeader(*out, width, height, 1, 16, 0, static_cast<int32_t>(imageSize));
            return true;
        }))
        return false;
    const bool written = TrapErrors(kSentence, [&] {
        const bool loaded = HeightmapLoaded();
        const int32_t maxX = std::min(HeightmapWidth(), GridWidth());
        const int32_t maxY = std::min(HeightmapHeight(), GridHeight());
        // Source columns once per region; a point outside the map takes its nearest edge.
        std::vector<int32_t> column(static_cast<size_t>(width));
        for (int32_t c = 0; c < width; ++c)
            column[static_cast<size_t>(c)] =
                static_cast<int32_t>(std::clamp<int64_t>(int64_t{x0} + c + 1, 1, std::max(maxX, 1)) - 1);
        const size_t rowBytes = static_cast<size_t>(width) * 2;
        for (int32_t r = height; r >= 1; --r) {
            auto* p = reinterpret_cast<uint8_t*>(out->Reserve(rowBytes));
            if (!loaded || maxX < 1 || maxY < 1) {
                std::fill(p, p + rowBytes, uint8_t{0});
            } else {
                const int32_t* src = AltitudeRow(static_cast<int32_t>(std::clamp<int64_t>(int64_t{y0} + r, 1, maxY)));
                for (size_t c = 0; c < column.size(); ++c) {
                    const auto v = static_cast<uint16_t>(src[column[c]]); // low 16 bits
                    p[2 * c] = static_cast<uint8_t>(v);
                    p[2 * c + 1] = static_cast<uint8_t>(v >> 8);
                }
            }
            out->Commit(rowBytes);
        }
        out->Close();
        return true;
    });
    if (!written) return false;
    SetFormatCode(FmtG16);
    return true;
}

} // namespace tolv
