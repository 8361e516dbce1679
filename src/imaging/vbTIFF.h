// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tolv {

// The values kept from the first image file directory.
struct TiffTags {
    int32_t imageWidth = 0;
    int32_t imageLength = 0;
    int32_t bitsPerSample = 0;
    int32_t compression = 0;
    int32_t photometric = 0;
    int32_t stripOffsetsCount = 0;
    int32_t stripOffsets = 0;
    int32_t rowsPerStrip = 0;
    bool hasCompression = false; // a Compression entry was present at all
    // SampleFormat: 1 unsigned (also when there is no entry), 2 signed, 3 floating point; 0 for
    // an entry that is not one integer.
    int32_t sampleFormat = 1;
};

// 16-bit gray TIFF images.
bool LoadTiffImage(const std::string& path);
bool SaveTiffImage(const std::string& path);
enum class TiffByteOrder { Intel, Motorola };
// Extension question and header test: the file's byte order, or nothing when it is no TIFF file.
std::optional<TiffByteOrder> ValidateTiffFile(const std::string& path);
// The tags of the first directory of a file in that byte order (Intel only); nothing after a
// message.
std::optional<TiffTags> ReadTiffTags(const std::string& path, TiffByteOrder order);
// Writes the current heightmap as one uncompressed 16-bit gray strip.
bool WriteTiff16(const std::string& path, int32_t width, int32_t height);

} // namespace tolv
