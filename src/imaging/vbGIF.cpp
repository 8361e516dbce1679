// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "imaging/vbGIF.h"

#include <gif_lib.h>

#include <algorithm>
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

// A frame this large cannot come from a sensible heightmap picture; decoding it would only burn
// time on a hostile file.
constexpr int64_t kMaxFramePixels = int64_t(1) << 24;

int ReadFromFile(GifFileType* gif, GifByteType* buffer, int n)
{
    auto* in = static_cast<FileReader*>(gif->UserData);
    try {
        return static_cast<int>(in->Read(buffer, static_cast<size_t>(n)));
    } catch (...) {
        return 0; // giflib reports a read failure, which becomes Input past end of file
    }
}

RunTimeError GifError(int code)
{
    switch (code) {
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON: return RunTimeError(ErrInputPastEnd);
    case D_GIF_ERR_NOT_ENOUGH_MEM: return RunTimeError(ErrOutOfMemory);
    default: return RunTimeError(ErrInvalidCall);
    }
}

class GifDecoder {
public:
    explicit GifDecoder(FileReader& in)
    {
        int err = 0;
        gif_ = DGifOpen(&in, ReadFromFile, &err);
        if (!gif_) throw GifError(err);
    }
    ~GifDecoder()
    {
        int err = 0;
        if (gif_) DGifCloseFile(gif_, &err);
    }
    GifDecoder(const GifDecoder&) = delete;
    GifDecoder& operator=(const GifDecoder&) = delete;
    GifFileType* operator->() const { return gif_; }
    GifFileType* get() const { return gif_; }
    void Check(int result) const
    {
        if (result != GIF_OK) throw GifError(gif_->Error);
    }

private:
    GifFileType* gif_ = nullptr;
};

// The red component of every pixel of the first image, composed on a screen of width x height.
// Pixels outside the first image's frame, and its transparent pixels, show the screen background.
std::vector<int32_t> DecodeFirstImage(FileReader& in, int32_t width, int32_t height)
{
    GifDecoder gif(in);
    const ColorMapObject* global = gif->SColorMap;
    auto redOf = [](const ColorMapObject* map, int index) -> int32_t {
        if (!map) return index; // no colour map at all: indices read as gray levels
        return index < map->ColorCount ? map->Colors[index].Red : 0;
    };
    const int32_t background = global ? redOf(global, gif->SBackGroundColor) : 0;
    std::vector<int32_t> grid(static_cast<size_t>(width) * static_cast<size_t>(height), background);

    int transparent = -1;
    for (;;) {
        GifRecordType record;
        gif.Check(DGifGetRecordType(gif.get(), &record));
        if (record == TERMINATE_RECORD_TYPE) return grid; // no image: the bare screen
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            gif.Check(DGifGetExtension(gif.get(), &code, &block));
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
                GraphicsControlBlock gcb;
                if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
            }
            while (block) gif.Check(DGifGetExtensionNext(gif.get(), &block));
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) continue;

        gif.Check(DGifGetImageDesc(gif.get()));
        const GifImageDesc& d = gif->Image;
        if (d.Width <= 0 || d.Height <= 0) return grid;
        if (int64_t(d.Width) * d.Height > kMaxFramePixels) throw RunTimeError(ErrOutOfMemory);
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : global;
        std::vector<GifPixelType> line(static_cast<size_t>(d.Width));
        // Interlaced rows arrive in four passes; plain rows in order.
        static constexpr int kStart[] = {0, 4, 2, 1};
        static constexpr int kStep[] = {8, 8, 4, 2};
        const int passes = d.Interlace ? 4 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            const int start = d.Interlace ? kStart[pass] : 0;
            const int step = d.Interlace ? kStep[pass] : 1;
            for (int row = start; row < d.Height; row += step) {
                gif.Check(DGifGetLine(gif.get(), line.data(), d.Width));
                const int y = d.Top + row;
                if (y < 0 || y >= height) continue;
                int32_t* out = grid.data() + static_cast<size_t>(y) * width;
                const int x0 = std::max(0, -d.Left);
                const int x1 = std::min(d.Width, width - d.Left);
                for (int x = x0; x < x1; ++x) {
                    const int index = line[static_cast<size_t>(x)];
                    if (index != transparent) out[d.Left + x] = redOf(map, index);
                }
            }
        }
        return grid;
    }
}

Verdict CheckGifFile(const std::string& path)
{
    return TrapErrors(
        "An error occurred validating the GIF File.",
        [&] {
            if (!CheckReaderExtension(path, "gif", "GIF")) return Verdict::Refused;
            FileReader in(path);
            char head[6] = {};
            // A file too short for the header is simply not a GIF file.
            if (in.Read(head, sizeof head) != sizeof head) return Verdict::Refused;
            const bool gif = std::memcmp(head, "GIF", 3) == 0 &&
                             (std::memcmp(head + 3, "87a", 3) == 0 || std::memcmp(head + 3, "89a", 3) == 0);
            return gif ? Verdict::Accepted : Verdict::Refused;
        },
        Verdict::Told);
}

} // namespace

bool ValidateGifFile(const std::string& path) { return CheckGifFile(path) == Verdict::Accepted; }

bool GetGifDimensions(const std::string& path, int32_t& width, int32_t& height)
{
    width = height = 0;
    return TrapErrors("An error occurred retrieving the GIF Image Dimensions.", [&] {
        FileReader in(path);
        uint8_t head[10];
        in.ReadExact(head, sizeof head);
        width = LoadU16LE(head + 6);
        height = LoadU16LE(head + 8);
        return true;
    });
}

bool LoadGifImage(const std::string& path)
{
    switch (CheckGifFile(path)) {
    case Verdict::Accepted: break;
    case Verdict::Refused: ShowInfo("Unknown or unsupported GIF format."); return false;
    case Verdict::Told: return false; // a file that could not be read has been reported already
    }
    int32_t width = 0, height = 0;
    if (!GetGifDimensions(path, width, height)) return false;
    if (!CheckHeightmapResolution(width, height)) return false;
    return TrapErrors("An error occurred loading the GIF file.", [&] {
        std::vector<int32_t> grid;
        if (width > 0 && height > 0) {
            FileReader in(path);
            grid = DecodeFirstImage(in, width, height);
        }
        return LoadHeightmapGrid(width, height, grid, FmtGifGray);
    });
}

} // namespace tolv
