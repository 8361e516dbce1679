// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// ---- FrmSplit -------------------------------------------------------------------------------

// In: the map's size.
struct SplitParams {
    int32_t width = 0, height = 0;
    template <class F>
    void Slots(F&& slot)
    {
        slot(1, width);
        slot(2, height);
    }
};
// Out on OK: the chosen grid, the tile size and the seamless box.
struct SplitResult {
    int32_t columns = 0, rows = 0, tileWidth = 0, tileHeight = 0;
    bool seamless = false;
    template <class F>
    void Slots(F&& slot)
    {
        slot(3, columns);
        slot(4, rows);
        slot(5, tileWidth);
        slot(6, tileHeight);
        slot(7, seamless);
    }
};

extern const char* const kSplitCaption; // "Split Heightmap"
extern const char* const kSplitTitle;
// Items of both the column and the row box: "1" .. "4", the first selected.
const std::vector<std::string>& SplitCountItems();
std::string SplitHeightmapInfoLabel(int32_t width, int32_t height); // "Heightmap size is WxH."
struct SplitTileSize {
    int32_t width = 0;
    int32_t height = 0;
};
// Tile size by integer division (remainders dropped).
SplitTileSize ComputeSplitTileSize(int32_t width, int32_t height, int32_t columns, int32_t rows);
std::string SplitInfoLabel(const SplitTileSize& tile); // "Each terrain size is twxth."
// The save dialog the split command shows for the base file name.
extern const char* const kSplitSaveTitle;  // "Specify Split Base Filespec"
extern const char* const kSplitSaveFilter; // "bmp - Unreal G16 Heightmap|*.bmp"

// ---- FrmStitch ------------------------------------------------------------------------------

// No inputs. Out on OK: the four section paths (upper-left, upper-right, lower-left,
// lower-right); an empty path is an unused section.
struct StitchResult {
    std::array<std::string, 4> paths;
    template <class F>
    void Slots(F&& slot)
    {
        for (int i = 0; i < 4; ++i) slot(i + 1, paths[static_cast<size_t>(i)]);
    }
};

extern const char* const kStitchCaption; // "Stitch Maps"
extern const char* const kStitchTitle;
// Tooltips of the four path boxes.
const std::array<std::string, 4>& StitchSectionTooltips();
extern const char* const kStitchBrowseTitle; // "Browse for Heightmap"

// What OK finds. Accepted layouts: all four sections; sections one and two alone (a horizontal
// map); sections one and three alone (a vertical map). Boxes are tested in order; the first one
// that names no existing file, or is empty where the filled boxes form no layout that leaves it
// out, gets the warning and the dialog stays open.
struct StitchCheck {
    bool ok = false;
    int failedBox = -1;  // 0..3 when not ok
    std::string warning; // the warning text when not ok
};
// exists tells whether a path names an existing file (FileExists in the program).
StitchCheck CheckStitchSections(const std::array<std::string, 4>& paths, bool (*exists)(const std::string&));
StitchCheck CheckStitchSections(const std::array<std::string, 4>& paths);
// Which sections are filled, as a picture index for the section image: bit i set for box i.
int StitchFilledMask(const std::array<std::string, 4>& paths);

} // namespace tolv
