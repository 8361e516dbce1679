// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "SampleFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "formats/FormatTable.h"
#include "heightmap/MapHeight.h"

namespace tolv::test {

const std::vector<const char*> kReadableExtensions = [] {
    std::vector<const char*> exts;
    for (const FormatRow& row : FormatTable())
        if (row.open.kind == OpenKind::Reader && FindOpenRow(row.ext) == &row) exts.push_back(row.ext);
    return exts;
}();

void LoadPatternMap(int32_t width, int32_t height)
{
    std::vector<int32_t> grid;
    for (int32_t y = 1; y <= height; ++y) // smooth hills plus a little grain, like terrain
        for (int32_t x = 1; x <= width; ++x) grid.push_back(((x * 97 + y * 61) % 512) * 64 + ((x * y) % 7) * 9);
    if (grid.size() >= 2) grid.front() = 0, grid.back() = 65535;
    ClearHeightmap();
    ReplaceHeightmapGrid(width, height, std::move(grid));
    MarkHeightmapLoaded();
    UpdateHeightmapStatistics();
}

std::vector<std::string> KeptFiles(const std::string& dataFolder, const std::string& ext, bool validOnly)
{
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(fs::path(dataFolder) / ext)) {
        fs::path path = entry.path();
        if (path.extension() != "." + ext) continue;
        bool valid = !validOnly || path.filename().string().starts_with("write-");
        std::ifstream expect(fs::path(path).replace_extension(".expect"));
        for (std::string line; !valid && std::getline(expect, line);) valid = line.starts_with("loaded ");
        if (valid) files.push_back(path.string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace tolv::test
