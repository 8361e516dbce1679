// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "imaging/vbPNG.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/vbColor.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

// libpng reports failures by longjmp. Everything that runs between a setjmp below and the
// longjmp that may return to it is C code or one of the callbacks here, none of which holds an
// object with a destructor at that moment, so no C++ cleanup is ever skipped.

struct PngStatus {
    int errorNumber = 0; // a run-time error of the file itself (62, 57, ...); 0 = a format error
    char message[160] = {};
};

[[noreturn]] void PngFail(png_structp png, png_const_charp message)
{
    auto* status = static_cast<PngStatus*>(png_get_error_ptr(png));
    if (status && status->message[0] == '\0' && message)
        std::snprintf(status->message, sizeof status->message, "%s", message);
    png_longjmp(png, 1);
}

void PngIgnoreWarning(png_structp, png_const_charp) {}

struct PngSource {
    FileReader* in;
    PngStatus* status;
};

void PngReadData(png_structp png, png_bytep data, size_t n)
{
    auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
    int error = 0;
    try {
        if (src->in->Read(data, n) != n) error = ErrInputPastEnd;
    } catch (const RunTimeError& e) {
        error = e.Number();
    } catch (...) {
        error = ErrDeviceIO;
    }
    if (error != 0) {
        src->status->errorNumber = error;
        png_error(png, "read failed");
    }
}

struct PngSink {
    FileWriter* out;
    PngStatus* status;
};

void PngWriteData(png_structp png, png_bytep data, size_t n)
{
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    int error = 0;
    try {
        sink->out->Put(data, n);
    } catch (const RunTimeError& e) {
        error = e.Number();
    } catch (...) {
        error = ErrDeviceIO;
    }
    if (error != 0) {
        sink->status->errorNumber = error;
        png_error(png, "write failed");
    }
}

void PngFlush(png_structp) {}

// Ancillary chunks carry nothing a heightmap uses; skipping them keeps a hostile text or profile
// chunk from costing memory or failing the read.
constexpr png_byte kIgnoredChunks[] = "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0"
                                      "sBIT\0sCAL\0sPLT\0sRGB\0sTER\0tEXt\0tIME\0tRNS\0zTXt";
constexpr int kIgnoredChunkCount = 19;

// One PNG being decoded: header first, then (after the caller's checks) every row.
class PngDecoder {
public:
    PngDecoder(FileReader& in, PngStatus& status) : source_{&in, &status}
    {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &status, PngFail, PngIgnoreWarning);
        if (!png_) throw RunTimeError(ErrOutOfMemory);
        info_ = png_create_info_struct(png_);
        if (!info_) throw RunTimeError(ErrOutOfMemory);
    }
    ~PngDecoder() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
    PngDecoder(const PngDecoder&) = delete;
    PngDecoder& operator=(const PngDecoder&) = delete;

    // Reads the chunks up to the image data. The caller has consumed the 8 signature bytes.
    bool ReadHeader()
    {
        if (setjmp(png_jmpbuf(png_))) return false;
        png_set_read_fn(png_, &source_, PngReadData);
        png_set_sig_bytes(png_, 8);
        png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
        png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, kIgnoredChunkCount);
        png_set_benign_errors(png_, 0); // short or overlong image data is a corrupt file
        png_set_chunk_malloc_max(png_, 1u << 20);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
        // Fuzzing only: mutated chunks reach the decoder instead of stopping at their checksums.
        png_set_crc_action(png_, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
        png_set_option(png_, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
        png_read_info(png_, info_);
        width = png_get_image_width(png_, info_);
        height = png_get_image_height(png_, info_);
        bitDepth = png_get_bit_depth(png_, info_);
        colorType = png_get_color_type(png_, info_);
        if (colorType == PNG_COLOR_TYPE_PALETTE) {
            png_colorp entries = nullptr;
            int count = 0;
            if (png_get_PLTE(png_, info_, &entries, &count) && entries) {
                paletteSize = std::clamp(count, 0, 256);
                std::memcpy(palette, entries, sizeof(png_color) * static_cast<size_t>(paletteSize));
            }
        }
        return true;
    }

    // Sets up the unpacking and returns the bytes per decoded row.
    bool PrepareRows(size_t& rowBytes)
    {
        if (setjmp(png_jmpbuf(png_))) return false;
        if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png_);
        if (colorType == PNG_COLOR_TYPE_PALETTE && bitDepth < 8) png_set_packing(png_); // one index per byte
        png_set_interlace_handling(png_);
        png_read_update_info(png_, info_);
        rowBytes = png_get_rowbytes(png_, info_);
        return true;
    }

    bool ReadRows(png_bytep* rows)
    {
        if (setjmp(png_jmpbuf(png_))) return false;
        png_read_image(png_, rows);
        return true;
    }

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0;
    png_color palette[256] = {};
    int paletteSize = 0;

private:
    PngSource source_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

void ReportPngFailure(const PngStatus& status, const char* sentence)
{
    if (status.errorNumber != 0) {
        ShowErrorReport(sentence, RunTimeError(status.errorNumber));
        return;
    }
    std::string text = "Invalid or unsupported PNG file.";
    if (status.message[0] != '\0') text += std::string(kCrLf) + kCrLf + status.message;
    ShowWarning(text);
}

constexpr const char* kLoadSentence = "An error occurred loading the PNG file.";
constexpr const char* kSaveSentence = "An error occurred saving the PNG file.";

} // namespace

bool LoadPngFile(const std::string& path)
{
    if (!CheckReaderExtension(path, "png", "PNG")) return false;
    return TrapErrors(kLoadSentence, [&] {
        FileReader in(path);
        png_byte signature[8] = {};
        if (in.Read(signature, sizeof signature) != sizeof signature || png_sig_cmp(signature, 0, 8) != 0) {
            ShowWarning("Invalid or unsupported PNG file.");
            return false;
        }
        PngStatus status;
        PngDecoder png(in, status);
        if (!png.ReadHeader()) {
            ReportPngFailure(status, kLoadSentence);
            return false;
        }
        // libpng has refused zero and absurd sizes; anything over 513 is ours to refuse.
        if (!CheckHeightmapResolution(static_cast<int32_t>(std::min<png_uint_32>(png.width, 1u << 30)),
                                      static_cast<int32_t>(std::min<png_uint_32>(png.height, 1u << 30))))
            return false;
        const auto width = static_cast<int32_t>(png.width), height = static_cast<int32_t>(png.height);
        // A palette of grays only is a gray picture (what tools write for a gray band with a
        // colour table): its levels are stored as they are, as the gray files' samples are,
        // since the colour rule would take 1 off the upper levels (white gives 254).
        bool grayPalette = png.colorType == PNG_COLOR_TYPE_PALETTE && png.paletteSize > 0;
        for (int i = 0; grayPalette && i < png.paletteSize; ++i)
            grayPalette = png.palette[i].red == png.palette[i].green && png.palette[i].green == png.palette[i].blue;
        const bool colour = (png.colorType & PNG_COLOR_MASK_COLOR) != 0 && !grayPalette;
        const int32_t mode = colour ? ResolveConversionMode() : 0;

        size_t rowBytes = 0;
        if (!png.PrepareRows(rowBytes)) {
            ReportPngFailure(status, kLoadSentence);
            return false;
        }
        // At most 513 x 8 bytes a row (16-bit RGBA) after the unpacking above.
        if (rowBytes == 0 || rowBytes > static_cast<size_t>(width) * 8) throw RunTimeError(ErrInvalidCall);
        std::vector<png_byte> pixels(rowBytes * static_cast<size_t>(height));
        std::vector<png_bytep> rows(static_cast<size_t>(height));
        for (int32_t y = 0; y < height; ++y) rows[static_cast<size_t>(y)] = pixels.data() + rowBytes * y;
        if (!png.ReadRows(rows.data())) {
            ReportPngFailure(status, kLoadSentence);
            return false;
        }
        in.Close();

        // The whole image is decoded before the heightmap is touched, so a corrupt file changes nothing.
        const bool wide = png.bitDepth == 16;
        const int channels = (png.colorType == PNG_COLOR_TYPE_PALETTE)      ? 1
                             : (png.colorType == PNG_COLOR_TYPE_GRAY)       ? 1
                             : (png.colorType == PNG_COLOR_TYPE_GRAY_ALPHA) ? 2
                             : (png.colorType == PNG_COLOR_TYPE_RGB)        ? 3
                                                                            : 4;
        const size_t step = static_cast<size_t>(channels) * (wide ? 2 : 1);
        if (static_cast<size_t>(width) * step > rowBytes) throw RunTimeError(ErrInvalidCall);
        if (!BeginHeightmapLoad(width, height)) return false;
        for (int32_t y = 1; y <= height; ++y) {
            const png_byte* p = rows[static_cast<size_t>(y - 1)];
            int32_t* out = MutableAltitudeRow(y);
            for (int32_t x = 0; x < width; ++x, p += step) {
                if (png.colorType == PNG_COLOR_TYPE_PALETTE) {
                    // An index past the palette (a damaged file) reads as black.
                    png_color c = p[0] < png.paletteSize ? png.palette[p[0]] : png_color{0, 0, 0};
                    out[x] = grayPalette ? c.green : ColorToAltitude(mode, c.red, c.green, c.blue);
                } else if (!colour) {
                    out[x] = wide ? (p[0] << 8) | p[1] : p[0];
                } else if (wide) {
                    out[x] = ColorToAltitude(mode, p[0], p[2], p[4]); // high byte of each channel
                } else {
                    out[x] = ColorToAltitude(mode, p[0], p[1], p[2]);
                }
            }
        }
        FinishHeightmapLoad(!colour && wide ? FmtPng16 : FmtPng8);
        return true;
    });
}

namespace {

class PngEncoder {
public:
    PngEncoder(FileWriter& out, PngStatus& status) : sink_{&out, &status}
    {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &status, PngFail, PngIgnoreWarning);
        if (!png_) throw RunTimeError(ErrOutOfMemory);
        info_ = png_create_info_struct(png_);
        if (!info_) throw RunTimeError(ErrOutOfMemory);
    }
    ~PngEncoder() { png_destroy_write_struct(&png_, info_ ? &info_ : nullptr); }
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;

    // Writes a 16-bit grayscale image from big-endian rows; no gamma or colour chunks, so
    // viewers and engines take the samples as they are.
    bool Write(png_uint_32 width, png_uint_32 height, png_bytep* rows)
    {
        if (setjmp(png_jmpbuf(png_))) return false;
        png_set_write_fn(png_, &sink_, PngWriteData, PngFlush);
        // Level 1 with the Up filter: terrain rows resemble the row above, and a 513 x 513 map
        // gains only a few percent from the slow levels while taking several times as long.
        png_set_compression_level(png_, 1);
        png_set_filter(png_, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
        png_set_IHDR(png_, info_, width, height, 16, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png_, info_);
        png_write_image(png_, rows);
        png_write_end(png_, nullptr);
        return true;
    }

private:
    PngSink sink_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

} // namespace

bool SavePngFile(const std::string& path)
{
    return TrapErrors(kSaveSentence, [&] {
        const int32_t width = HeightmapWidth(), height = HeightmapHeight();
        if (width < 1 || height < 1 || width > GridWidth() || height > GridHeight()) throw RunTimeError(ErrSubscript);
        // Rows are converted before the file is created, so the png calls below only see plain memory.
        const size_t rowBytes = static_cast<size_t>(width) * 2;
        std::vector<png_byte> pixels(rowBytes * static_cast<size_t>(height));
        std::vector<png_bytep> rows(static_cast<size_t>(height));
        for (int32_t y = 1; y <= height; ++y) {
            png_bytep p = pixels.data() + rowBytes * static_cast<size_t>(y - 1);
            rows[static_cast<size_t>(y - 1)] = p;
            const int32_t* row = AltitudeRow(y);
            for (int32_t x = 0; x < width; ++x) {
                const auto v = static_cast<uint16_t>(std::clamp(row[x], 0, 65535));
                p[2 * x] = static_cast<png_byte>(v >> 8);
                p[2 * x + 1] = static_cast<png_byte>(v);
            }
        }
        FileWriter out(path);
        PngStatus status;
        PngEncoder png(out, status);
        if (!png.Write(static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), rows.data()))
            throw RunTimeError(status.errorNumber != 0 ? status.errorNumber : ErrDeviceIO);
        out.Close();
        return true;
    });
}

} // namespace tolv
