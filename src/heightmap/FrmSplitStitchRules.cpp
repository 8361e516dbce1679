// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "heightmap/FrmSplitStitchRules.h"

#include "formats/vbFileManagement.h"

namespace tolv {

const char* const kSplitCaption = "Split Heightmap";
const char* const kSplitTitle =
    "Splitting allows you to divide the current heightmap into multiple smaller equal-sized terrains.\r\n"
    "These terrains can optionally have seamless edges.";
const char* const kSplitSaveTitle = "Specify Split Base Filespec";
const char* const kSplitSaveFilter = "bmp - Unreal G16 Heightmap|*.bmp";

const std::vector<std::string>& SplitCountItems()
{
    static const std::vector<std::string> items = {"1", "2", "3", "4"};
    return items;
}

std::string SplitHeightmapInfoLabel(int32_t width, int32_t height)
{
    return "Heightmap size is " + std::to_string(width) + "x" + std::to_string(height) + ".";
}

SplitTileSize ComputeSplitTileSize(int32_t width, int32_t height, int32_t columns, int32_t rows)
{
    SplitTileSize t;
    if (columns > 0) t.width = width / columns;
    if (rows > 0) t.height = height / rows;
    return t;
}

std::string SplitInfoLabel(const SplitTileSize& tile)
{
    return "Each terrain size is " + std::to_string(tile.width) + "x" + std::to_string(tile.height) + ".";
}

const char* const kStitchCaption = "Stitch Maps";
const char* const kStitchTitle =
    "Stitching allows you to merge up to four heightmap files into a single larger heightmap file.\r\n"
    "Each heightmap file can be a square or rectangular power-of-two size.\r\n"
    "All four sections can be specified to stitch a larger square heightmap.\r\n"
    "Sections one and two can be specified to stitch a horizontally rectangular heightmap.\r\n"
    "Sections one and three can be specified to stitch a vertically rectangular heightmap.\r\n"
    "Unused adjacent sections or variable size heightmaps will be padded with an altitude of the heightmap "
    "midpoint.";
const char* const kStitchBrowseTitle = "Browse for Heightmap";

const std::array<std::string, 4>& StitchSectionTooltips()
{
    static const std::array<std::string, 4> tips = {
        " Filespec of the upper-left quadrant", " Filespec of the upper-right quadrant",
        " Filespec of the lower-left quadrant", " Filespec of the lower-right quadrant"};
    return tips;
}

int StitchFilledMask(const std::array<std::string, 4>& paths)
{
    int mask = 0;
    for (int i = 0; i < 4; ++i)
        if (!paths[i].empty()) mask |= 1 << i;
    return mask;
}

StitchCheck CheckStitchSections(const std::array<std::string, 4>& paths, bool (*exists)(const std::string&))
{
    static const char* const ordinals[4] = {"first", "second", "third", "fourth"};
    const int mask = StitchFilledMask(paths);
    // Boxes a layout lets stay empty: 2 and 3 beside one and two, 1 and 3 beside one and three.
    const int mayBeEmpty = mask == 0b0011 ? 0b1100 : mask == 0b0101 ? 0b1010 : 0;
    StitchCheck check;
    for (int i = 0; i < 4; ++i) {
        if (paths[i].empty() && (mayBeEmpty & (1 << i))) continue;
        if (!paths[i].empty() && exists(paths[i])) continue;
        check.failedBox = i;
        check.warning = std::string("The specified ") + ordinals[i] + " section file does not exist.\r\n\"" + paths[i] +
                        "\"";
        return check;
    }
    check.ok = true;
    return check;
}

StitchCheck CheckStitchSections(const std::array<std::string, 4>& paths)
{
    return CheckStitchSections(paths, [](const std::string& p) { return FileExists(p); });
}

} // namespace tolv
