// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "formats/vbFileManagement.h"

namespace tolv {

// BMP container layer and Unreal G16 bitmaps.
//
// The headers are read once into a BmpHeader; the readers and the classification take that
// value. The named queries taking a path are thin wrappers that read it themselves: each traps
// its own run-time errors, reports them once and returns 0 / false. A header size other than 40
// (info header) or 12 (core header) is refused with a warning by every query that reads the
// header.

inline constexpr int32_t BmpFileHeaderSize = 14;
inline constexpr int32_t BmpInfoHeaderSize = 40;
inline constexpr int32_t BmpCoreHeaderSize = 12;

// BmpFileType codes.
enum BmpKind : int32_t {
    BmpUnusable = 0,
    Bmp1Bit = 1,
    Bmp4Bit = 2,
    Bmp4BitCompressed = 3,
    Bmp8BitGray = 4,
    Bmp8BitGrayCompressed = 5, // never produced: the gray test applies to uncompressed files only
    Bmp8BitColor = 6,
    Bmp8BitCompressed = 7,
    Bmp16Bit = 8, // an Unreal G16 heightmap
    Bmp16BitCompressed = 9,
    Bmp24Bit = 10,
    Bmp32Bit = 11,
    Bmp32BitCompressed = 12,
    BmpJpeg = 13,
    BmpPng = 14,
};

// The fields of the file header and of the header after it, as one read of the file gives them.
struct BmpHeader {
    bool signature = false; // the file starts with "BM"
    int64_t sizeField = 0;  // bfSize
    int64_t bitsOffset = 0; // bfOffBits as stored
    int64_t length = 0;     // the file's real length
    bool core = false;      // a 12-byte core header; otherwise the 40-byte info header
    int32_t width = 0;
    int32_t height = 0; // signed: a negative height marks rows stored top-down
    int32_t planes = 0;
    int32_t bitCount = 0;
    int32_t compression = 0;  // always 0 for a core header
    bool grayPalette = false; // uncompressed 8 bits whose 256 palette entries all have blue = green = red
};

// Reads the headers; sentence reports a run-time error. Nothing after that report or after the
// unknown-header warning.
std::optional<BmpHeader> ReadBmpHeader(const std::string& path, const std::string& sentence);

// A bitmap as the open dispatch meets it: ValidateBmpFile and the header read of BmpFileType,
// with their questions, messages and sentences, on one opening of the file. header is complete
// when the verdict is Accepted.
struct BmpFile {
    Verdict verdict = Verdict::Refused;
    BmpHeader header;
};
BmpFile ExamineBmpFile(const std::string& path);

BmpKind BmpFileType(const BmpHeader& h);
// 54 after an info header, 26 after a core header.
int32_t BmpPaletteOffset(const BmpHeader& h);
// The pixel data offset when it lies inside the file, else 0 (after a warning).
int64_t BmpBitsOffset(const BmpHeader& h);

// True when the file is a "BM" bitmap whose size field matches its length. Asks the extension
// question first when the extension is not "bmp"; a size mismatch is warned about.
bool ValidateBmpFile(const std::string& path);
BmpKind BmpFileType(const std::string& path);
bool BmpIsCoreHeader(const std::string& path);
// 0 for an unknown header.
int32_t BmpPaletteOffset(const std::string& path);
int32_t BmpWidth(const std::string& path);
int32_t BmpHeight(const std::string& path);
int32_t BmpBitsOffset(const std::string& path);
bool BmpHasGrayPalette(const std::string& path);

// The G16 reader with the headers already read (the open dispatch), and on its own.
bool LoadG16File(const std::string& path, const BmpHeader& header);
bool LoadG16File(const std::string& path);
bool SaveG16File(const std::string& path);
// Writes the points (x0 + 1 .. x0 + width, y0 + 1 .. y0 + height) as a G16 bitmap; points outside
// the heightmap repeat its nearest edge. The file is written in one pass beside its name and
// renamed into place, so a failed save leaves no partial file there.
bool SaveG16Region(const std::string& path, int32_t x0, int32_t y0, int32_t width, int32_t height);

} // namespace tolv
