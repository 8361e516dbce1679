// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "imaging/vbTIFF.h"

#include <vector>

#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/vbColor.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

bool IsIntegerType(uint16_t type)
{
    switch (type) {
    case 1:
    case 3:
    case 4:
    case 6:
    case 8:
    case 9: return true;
    default: return false;
    }
}

// Reads `rows` rows of width samples from offset into grid starting at row `firstRow` (0-based).
void ReadRows(FileReader& in, int64_t offset, int32_t width, int32_t firstRow, int32_t rows, bool isSigned,
              std::vector<int32_t>& grid, std::vector<uint8_t>& buffer)
{
    const int64_t rowBytes = int64_t(width) * 2;
    if (offset + rowBytes * rows > in.Length()) throw RunTimeError(ErrInputPastEnd);
    buffer.resize(static_cast<size_t>(rowBytes));
    in.Seek(offset);
    for (int32_t r = 0; r < rows; ++r) {
        in.ReadExact(buffer.data(), buffer.size());
        int32_t* out = grid.data() + static_cast<size_t>(firstRow + r) * width;
        for (int32_t x = 0; x < width; ++x)
            out[x] = isSigned ? LoadI16LE(buffer.data() + 2 * x) : LoadU16LE(buffer.data() + 2 * x);
    }
}

} // namespace

std::optional<TiffByteOrder> ValidateTiffFile(const std::string& path)
{
    return TrapErrors("An error occurred validating the TIFF File.", [&]() -> std::optional<TiffByteOrder> {
        if (!CheckReaderExtension(path, "tif", "TIFF")) return std::nullopt;
        FileReader in(path);
        uint8_t head[4];
        in.ReadExact(head, sizeof head);
        const uint16_t order = LoadU16LE(head), magic = LoadU16LE(head + 2);
        if (order == 18761 && magic == 42) return TiffByteOrder::Intel;
        if (order == 19789 && magic == 10752) return TiffByteOrder::Motorola;
        return std::nullopt;
    });
}

std::optional<TiffTags> ReadTiffTags(const std::string& path, TiffByteOrder order)
{
    return TrapErrors("An error occurred reading the TIFF file IFD tags.", [&]() -> std::optional<TiffTags> {
        if (order != TiffByteOrder::Intel) {
            ShowInfo("Motorola (Mac) format TIFF is not supported yet.");
            return std::nullopt;
        }
        TiffTags tags;
        FileReader in(path);
        uint8_t head[8];
        in.ReadExact(head, sizeof head);
        const int64_t ifd = LoadU32LE(head + 4);
        if (ifd < 8 || ifd > in.Length()) {
            ShowWarning("Invalid IFD Offset pointer.");
            return std::nullopt;
        }
        in.Seek(ifd);
        uint8_t countBytes[2];
        in.ReadExact(countBytes, 2);
        const int64_t count = LoadU16LE(countBytes);
        // The whole directory must lie inside the file before it is read.
        if (ifd + 2 + count * 12 > in.Length()) throw RunTimeError(ErrInputPastEnd);
        const std::vector<uint8_t> entries = in.ReadBytes(static_cast<size_t>(count * 12));
        for (int64_t i = 0; i < count; ++i) {
            const uint8_t* e = entries.data() + i * 12;
            const uint16_t tag = LoadU16LE(e), type = LoadU16LE(e + 2);
            const uint32_t n = LoadU32LE(e + 4);
            const int32_t value = LoadI32LE(e + 8);
            const bool plain = n == 1 && IsIntegerType(type);
            switch (tag) {
            case 256:
                if (plain) tags.imageWidth = value;
                break;
            case 257:
                if (plain) tags.imageLength = value;
                break;
            case 258:
                if (plain) tags.bitsPerSample = value;
                break;
            case 259:
                tags.hasCompression = true;
                if (plain) tags.compression = value;
                break;
            case 262:
                if (plain) tags.photometric = value;
                break;
            case 273:
                tags.stripOffsetsCount = static_cast<int32_t>(n);
                tags.stripOffsets = value;
                break;
            case 278: tags.rowsPerStrip = value; break;
            case 339: tags.sampleFormat = plain ? value : 0; break;
            default: break;
            }
        }
        return tags;
    });
}

bool LoadTiffImage(const std::string& path)
{
    const std::optional<TiffByteOrder> order = ValidateTiffFile(path);
    if (!order) return false;
    const std::optional<TiffTags> tags = ReadTiffTags(path, *order);
    if (!tags) return false;
    return TrapErrors("An error occurred loading the TIFF image file.", [&] {
        const TiffTags& t = *tags;
        if (t.bitsPerSample != 16 || t.photometric != 1) {
            ShowWarning("Only 16-bit Grayscale TIF images are supported.");
            return false;
        }
        // Signed samples keep their sign (negative altitudes); floating point and anything else
        // would only be misread as unsigned.
        if (t.sampleFormat != 1 && t.sampleFormat != 2) {
            ShowWarning("Only integer TIF samples are supported.");
            return false;
        }
        const bool isSigned = t.sampleFormat == 2;
        // A directory without a Compression entry is uncompressed by the TIFF default.
        if ((t.hasCompression ? t.compression : 1) != 1) {
            ShowWarning("Only uncompressed TIF images are supported.");
            return false;
        }
        // Without these the image rows cannot be found; refuse rather than load a flat map.
        if (t.stripOffsetsCount == 0) {
            ShowWarning(std::string("Invalid TIFF file format.") + kCrLf + "The file has no strip offsets.");
            return false;
        }
        if (t.stripOffsetsCount != 1 && t.rowsPerStrip <= 0) {
            ShowWarning(std::string("Invalid TIFF file format.") + kCrLf +
                        "The file has several strips but no rows per strip.");
            return false;
        }
        const int32_t width = t.imageWidth, height = t.imageLength;
        if (!CheckHeightmapResolution(width, height)) return false;
        if (width < 1 || height < 1) return BeginHeightmapLoad(width, height); // refuses with its message

        FileReader in(path);
        std::vector<int32_t> grid(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        std::vector<uint8_t> buffer;
        const int64_t stripOffsets = static_cast<uint32_t>(t.stripOffsets);
        if (t.stripOffsetsCount == 1) {
            ReadRows(in, stripOffsets, width, 0, height, isSigned, grid, buffer);
        } else {
            const int64_t strips = static_cast<uint32_t>(t.stripOffsetsCount);
            if (stripOffsets + strips * 4 > in.Length()) throw RunTimeError(ErrInputPastEnd);
            in.Seek(stripOffsets);
            const std::vector<uint8_t> table = in.ReadBytes(static_cast<size_t>(strips * 4));
            int32_t row = 0;
            for (int64_t s = 0; s < strips && row < height; ++s) {
                const int32_t rows = std::min<int64_t>(t.rowsPerStrip, height - row);
                ReadRows(in, LoadU32LE(table.data() + s * 4), width, row, rows, isSigned, grid, buffer);
                row += rows;
            }
        }
        in.Close();
        return LoadHeightmapGrid(width, height, grid, FmtTiffGray16);
    });
}

bool WriteTiff16(const std::string& path, int32_t width, int32_t height)
{
    return TrapErrors("An error occurred saving the TIF 16-bit grayscale file.", [&] {
        // Every altitude must fit a 16-bit sample; checked before the file is created.
        for (int32_t y = 1; y <= height; ++y) {
            const int32_t* row = AltitudeRow(y);
            for (int32_t x = 0; x < width; ++x)
                if (row[x] < 0 || row[x] > 65535) throw RunTimeError(ErrOverflow);
        }
        const uint32_t pixelBytes = static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 2;
        FileWriter out(path);
        out.PutText("II");
        out.PutU16LE(42);
        out.PutU32LE(8 + pixelBytes);
        for (int32_t y = 1; y <= height; ++y) {
            const int32_t* row = AltitudeRow(y);
            auto* p = reinterpret_cast<uint8_t*>(out.Reserve(static_cast<size_t>(width) * 2));
            for (int32_t x = 0; x < width; ++x) {
                p[2 * x] = static_cast<uint8_t>(row[x]);
                p[2 * x + 1] = static_cast<uint8_t>(row[x] >> 8);
            }
            out.Commit(static_cast<size_t>(width) * 2);
        }
        struct Entry {
            uint16_t tag, type;
            uint32_t value;
        };
        const Entry entries[] = {
            {256, 3, static_cast<uint32_t>(width)},
            {257, 3, static_cast<uint32_t>(height)},
            {258, 3, 16},
            {259, 3, 1},
            {262, 3, 1},
            {273, 4, 8},
            {278, 4, static_cast<uint32_t>(height)},
            {279, 4, pixelBytes},
        };
        out.PutU16LE(8);
        for (const Entry& e : entries) {
            out.PutU16LE(e.tag);
            out.PutU16LE(e.type);
            out.PutU32LE(1);
            out.PutU32LE(e.value);
        }
        out.PutU32LE(0);
        out.Close();
        return true;
    });
}

bool SaveTiffImage(const std::string& path)
{
    if (!WriteTiff16(path, HeightmapWidth(), HeightmapHeight())) return false;
    SetFormatCode(FmtTiffGray16);
    return true;
}

} // namespace tolv
