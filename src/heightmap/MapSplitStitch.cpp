// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Split into G16 tiles, and the stitch merge of up to four section files.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "formats/vbFileManagement.h"
#include "formats/vbWinBMP.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/Numbers.h"

namespace tolv {

std::string SplitTileName(const std::string& chosenPath, int32_t number)
{
    std::string folder = GetFolderOf(chosenPath);
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += folder.find('/') != std::string::npos ? "/" : "\\";
    std::string n = std::to_string(number);
    if (n.size() < 2) n = "0" + n;
    return folder + GetFileBaseName(chosenPath) + n + ".bmp";
}

SplitTile SplitTileAt(int32_t row, int32_t column, int32_t columns, int32_t tileWidth, int32_t tileHeight,
                      bool seamless)
{
    SplitTile t;
    t.number = (row - 1) * columns + (column - 1);
    // Seamless tiles start on the last column (row) of their left (upper) neighbour, so every
    // pair of neighbours shares its border.
    const int32_t stepX = seamless ? tileWidth - 1 : tileWidth;
    const int32_t stepY = seamless ? tileHeight - 1 : tileHeight;
    t.x0 = (column - 1) * stepX;
    t.y0 = (row - 1) * stepY;
    return t;
}

bool WriteSplitTiles(const std::string& chosenPath, int32_t columns, int32_t rows, int32_t tileWidth,
                     int32_t tileHeight, bool seamless)
{
    for (int32_t r = 1; r <= rows; ++r) {
        for (int32_t c = 1; c <= columns; ++c) {
            const SplitTile t = SplitTileAt(r, c, columns, tileWidth, tileHeight, seamless);
            const std::string name = SplitTileName(chosenPath, t.number);
            // Writing over a file that could not be moved aside would lose it.
            if (!BackupFile(name)) return false;
            if (!SaveG16Region(name, t.x0, t.y0, tileWidth, tileHeight)) return false;
        }
    }
    return true;
}

namespace {

struct Section {
    int32_t width = 0;
    int32_t height = 0;
    int32_t formatCode = 0;
    int32_t minAlt = 0;
    int32_t maxAlt = 0;
    std::vector<int32_t> samples;
    bool used = false;
};

} // namespace

bool StitchHeightmaps(const std::array<std::string, 4>& paths)
{
    std::array<Section, 4> sections;
    for (size_t i = 0; i < 4; ++i) {
        if (paths[i].empty()) continue;
        ClearHeightmap();
        if (!OpenFileByType(paths[i])) {
            ClearHeightmap();
            return false;
        }
        Section& s = sections[i];
        s.used = true;
        s.width = HeightmapWidth();
        s.height = HeightmapHeight();
        s.formatCode = FormatCode();
        s.minAlt = MinAltitude();
        s.maxAlt = MaxAltitude();
        s.samples = AltitudeGrid();
        if (s.samples.size() != static_cast<size_t>(s.width) * static_cast<size_t>(s.height)) {
            ClearHeightmap();
            return false;
        }
    }
    ClearHeightmap();
    int32_t first = -1;
    for (int32_t i = 0; i < 4; ++i)
        if (sections[i].used && first < 0) first = i;
    if (first < 0) return false;

    // Quadrant cells: each column as wide as its widest section, each row as high as its highest.
    const int32_t colW[2] = {std::max(sections[0].width, sections[2].width),
                             std::max(sections[1].width, sections[3].width)};
    const int32_t rowH[2] = {std::max(sections[0].height, sections[1].height),
                             std::max(sections[2].height, sections[3].height)};
    const int32_t W = colW[0] + colW[1], H = rowH[0] + rowH[1];
    if (!CheckHeightmapResolution(W, H)) return false;

    int32_t lo = INT32_MAX, hi = INT32_MIN;
    for (const Section& s : sections) {
        if (!s.used) continue;
        lo = std::min(lo, s.minAlt);
        hi = std::max(hi, s.maxAlt);
    }
    const int32_t pad = RoundToInt32((static_cast<double>(hi) - lo) / 2.0 + lo);

    std::vector<int32_t> grid(static_cast<size_t>(W) * H, pad);
    for (int32_t i = 0; i < 4; ++i) {
        const Section& s = sections[i];
        if (!s.used) continue;
        const int32_t ox = (i % 2) ? colW[0] : 0, oy = (i / 2) ? rowH[0] : 0;
        for (int32_t y = 0; y < s.height; ++y)
            std::copy_n(s.samples.begin() + static_cast<std::ptrdiff_t>(y) * s.width, s.width,
                        grid.begin() + static_cast<std::ptrdiff_t>(oy + y) * W + ox);
    }
    ReplaceHeightmapGrid(W, H, std::move(grid));
    MarkHeightmapLoaded();
    SetFormatCode(sections[first].formatCode);
    UpdateHeightmapStatistics();
    return true;
}

} // namespace tolv
