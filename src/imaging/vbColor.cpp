// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "imaging/vbColor.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "formats/vbWinBMP.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {

int32_t RGBToGray(int32_t red, int32_t green, int32_t blue)
{
    // Three quotients added in this order; the exact sum is never halfway between integers.
    double v = (green * 150) / 255.0 + (red * 76) / 255.0 + (blue * 28) / 255.0;
    return static_cast<int32_t>(RoundHalfEven(v));
}

int32_t ResolveConversionMode()
{
    int32_t mode = Globals().convertColorToGrayscale;
    if (mode != AskEachFile) return mode == UseGreen ? UseGreen : ConvertToGray;
    return AskYesNoCaption("Convert image to grayscale for altitude data?", "Convert to Grayscale") ? ConvertToGray
                                                                                                    : UseGreen;
}

bool LoadBmpImage(const std::string& path)
{
    const std::optional<BmpHeader> h = ReadBmpHeader(path, "An error occurred retrieving the BMP file type.");
    return h && LoadBmpImage(path, *h);
}

bool LoadBmpImage(const std::string& path, const BmpHeader& h)
{
    return TrapErrors("An error occurred loading the BMP file.", [&] {
        int32_t code = 0;
        int64_t bytesPerPixel = 1;
        switch (BmpFileType(h)) {
        case Bmp8BitGray: code = FmtBmpGray8; break;
        case Bmp8BitColor: code = FmtBmpColor8; break;
        case Bmp24Bit: code = FmtBmp24, bytesPerPixel = 3; break;
        case Bmp32Bit: code = FmtBmp32, bytesPerPixel = 4; break;
        case Bmp1Bit:
        case Bmp4Bit:
        case BmpJpeg:
        case BmpPng: ShowWarning("Unsupported BMP file format."); return false;
        case Bmp4BitCompressed:
        case Bmp8BitGrayCompressed:
        case Bmp8BitCompressed:
        case Bmp16BitCompressed:
        case Bmp32BitCompressed: ShowWarning("Compressed BMP file format is not supported."); return false;
        default: ShowWarning("Invalid or unsupported BMP file format."); return false;
        }
        const int32_t width = h.width;
        const int64_t signedHeight = h.height;
        const bool topDown = signedHeight < 0;
        const int32_t height =
            static_cast<int32_t>(std::min<int64_t>(topDown ? -signedHeight : signedHeight, INT32_MAX));
        if (!CheckHeightmapResolution(width, height)) return false;
        if (width < 1 || height < 1) return BeginHeightmapLoad(width, height); // refuses with its message

        const int64_t bitsOffset = BmpBitsOffset(h);
        if (bitsOffset == 0) return false; // the check has said why

        FileReader in(path);
        // Every row must lie inside the file before anything is read or asked; only the last
        // row's padding may be missing.
        const int64_t rowBytes = int64_t(width) * bytesPerPixel;
        const int64_t stride = (rowBytes + 3) / 4 * 4;
        if (bitsOffset + stride * (height - 1) + rowBytes > in.Length()) throw RunTimeError(ErrInputPastEnd);

        const bool colour = code != FmtBmpGray8;
        const int32_t mode = colour ? ResolveConversionMode() : ConvertToGray;
        // 8-bit colour: 256 entries looked up once. Entries a short palette does not reach are black.
        std::array<int32_t, 256> lookup{};
        if (code == FmtBmpColor8) {
            const int64_t entry = h.core ? 3 : 4;
            std::vector<uint8_t> palette(static_cast<size_t>(256 * entry), 0);
            const int64_t available = std::clamp<int64_t>(in.Length() - BmpPaletteOffset(h), 0, 256 * entry);
            in.Seek(BmpPaletteOffset(h));
            in.ReadExact(palette.data(), static_cast<size_t>(available));
            for (size_t i = 0; i < 256; ++i) {
                const uint8_t* e = palette.data() + i * static_cast<size_t>(entry);
                lookup[i] = ColorToAltitude(mode, e[2], e[1], e[0]);
            }
        }

        std::vector<int32_t> grid(static_cast<size_t>(width) * static_cast<size_t>(height));
        std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
        for (int32_t i = 0; i < height; ++i) {
            in.Seek(bitsOffset + stride * i);
            in.ReadExact(row.data(), row.size());
            // The file's first row is the bottom row unless the bitmap is stored top-down.
            int32_t* out = grid.data() + static_cast<size_t>(topDown ? i : height - 1 - i) * width;
            const uint8_t* p = row.data();
            switch (code) {
            case FmtBmpGray8:
                for (int32_t x = 0; x < width; ++x) out[x] = p[x];
                break;
            case FmtBmpColor8:
                for (int32_t x = 0; x < width; ++x) out[x] = lookup[p[x]];
                break;
            default:
                for (int32_t x = 0; x < width; ++x, p += bytesPerPixel)
                    out[x] = ColorToAltitude(mode, p[2], p[1], p[0]);
                break;
            }
        }
        in.Close();
        return LoadHeightmapGrid(width, height, grid, code);
    });
}

} // namespace tolv
