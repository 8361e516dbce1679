// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/vbRaw.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "formats/BinaryIO.h"
#include "formats/FrmRawSizeRules.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"
#include "shell/vbShowDialog.h"

namespace tolv {
namespace {

struct RawKind {
    int32_t bits;
    const char* name; // as the size messages spell it
    int32_t formatCode;
    const char* loadSentence;
};

constexpr RawKind kRaw8{8, "RAW8", FmtRaw8, "An error occurred loading the Raw 8-bit Binary Heightmap file."};
constexpr RawKind kRaw16{16, "RAW16", FmtRaw16, "An error occurred loading the Raw 16-bit Binary Heightmap file."};
constexpr RawKind kRaw32{32, "RAW32", FmtRaw32, "An error occurred loading the Raw 32-bit Binary Heightmap file."};

// A 32-bit sample is a fraction of the full altitude range; values outside 0..1 are clamped so
// the map never holds altitudes its formats cannot store.
int32_t Raw32Altitude(float sample)
{
    if (std::isnan(sample)) return 0;
    const double v = RoundHalfEven(static_cast<double>(sample) * 65536.0);
    return static_cast<int32_t>(std::clamp(v, 0.0, 65535.0));
}

void ConvertSamples(const RawKind& kind, const uint8_t* src, int32_t* out, int32_t count)
{
    switch (kind.bits) {
    case 8:
        for (int32_t x = 0; x < count; ++x) out[x] = src[x];
        break;
    case 16:
        for (int32_t x = 0; x < count; ++x) out[x] = LoadU16LE(src + 2 * x);
        break;
    default:
        for (int32_t x = 0; x < count; ++x) out[x] = Raw32Altitude(LoadF32LE(src + 4 * x));
        break;
    }
}

// Asks the raw size dialog for the dimensions; false when it was cancelled.
bool AskRawSize(int64_t fileLength, int32_t bits, int32_t& width, int32_t& height)
{
    WriteDialogParams(RawSizeParams{static_cast<int32_t>(fileLength), bits});
    const bool cancelled = ShowDialogModal(DialogId::RawSize);
    if (!cancelled) {
        const auto r = ReadDialogResult<RawSizeResult>();
        width = RawDimensionValue(r.width);
        height = RawDimensionValue(r.height);
    }
    ClearDialogParams();
    return !cancelled;
}

bool LoadRawFile(const std::string& path, const RawKind& kind)
{
    return TrapErrors(kind.loadSentence, [&] {
        FileReader in(path);
        const int64_t length = in.Length();
        const int64_t sampleBytes = kind.bits / 8;
        const int64_t maxLength = sampleBytes * HMAP_MAX_WIDTH * HMAP_MAX_HEIGHT;
        if (length > maxLength) {
            ShowInfo(std::string("The specified ") + kind.name + " file size is too large." + kCrLf +
                     "The maximum supported size is " + std::to_string(HMAP_MAX_WIDTH) + "x" +
                     std::to_string(HMAP_MAX_HEIGHT) + " which is " + std::to_string(maxLength) + " bytes.");
            return false;
        }
        // An empty file holds no heightmap whatever size is typed for it.
        if (length == 0) {
            ShowWarning(std::string("The specified ") + kind.name + " file is empty." + kCrLf +
                        "There is no heightmap data to load.");
            return false;
        }
        int32_t width = 0, height = 0;
        if (!AskRawSize(length, kind.bits, width, height)) return false;
        // The dialog only confirms sizes that fill the file; a host that answers otherwise is
        // refused here rather than read past the end of the file.
        if (!RawSizeMatches(length, kind.bits, width, height)) {
            ShowWarning("Invalid raw heightmap dimensions: " + std::to_string(width) + " x " + std::to_string(height) +
                        "." + kCrLf + "The width and height must be at least 1 and account for all " +
                        std::to_string(length) + " bytes of the file.");
            return false;
        }
        const std::vector<uint8_t> data = in.ReadBytes(static_cast<size_t>(length));
        in.Close();
        if (!BeginHeightmapLoad(width, height)) return false;
        const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(sampleBytes);
        for (int32_t y = 1; y <= height; ++y)
            ConvertSamples(kind, data.data() + (y - 1) * rowBytes, MutableAltitudeRow(y), width);
        FinishHeightmapLoad(kind.formatCode);
        return true;
    });
}

} // namespace

bool LoadRaw8File(const std::string& path) { return LoadRawFile(path, kRaw8); }
bool LoadRaw16File(const std::string& path) { return LoadRawFile(path, kRaw16); }
bool LoadRaw32File(const std::string& path) { return LoadRawFile(path, kRaw32); }

bool SaveRaw16File(const std::string& path)
{
    return TrapErrors("An error occurred saving the RAW16 Binary heightmap file.", [&] {
        const int32_t width = HeightmapWidth(), height = HeightmapHeight();
        FileWriter out(path);
        const size_t rowBytes = static_cast<size_t>(std::max(width, 0)) * 2;
        for (int32_t y = 1; y <= height; ++y) {
            const int32_t* row = AltitudeRow(y);
            auto* p = reinterpret_cast<uint8_t*>(out.Reserve(rowBytes));
            for (int32_t x = 0; x < width; ++x) {
                const auto v = static_cast<uint16_t>(row[x]); // low 16 bits
                p[2 * x] = static_cast<uint8_t>(v);
                p[2 * x + 1] = static_cast<uint8_t>(v >> 8);
            }
            out.Commit(rowBytes);
        }
        out.Close();
        SetFormatCode(FmtRaw16);
        return true;
    });
}

} // namespace tolv
