// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "imaging/vbSTL.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "formats/BinaryIO.h"
#include "formats/WriterSupport.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/FrmSaveSTLRules.h"
#include "imaging/MeshText.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"
#include "shell/vbShowDialog.h"

namespace tolv {
namespace {

constexpr std::string_view kVertexPrefix = "      vertex ";
constexpr std::string_view kOuterLoop = "    outer loop\r\n";
constexpr std::string_view kFacetEnd = "    endloop\r\n  endfacet\r\n";

// The vertex lines of one grid row, formatted once and copied into every facet that uses them.
class RowLines {
public:
    void Build(const int32_t* row, int32_t width, int64_t y, int32_t spacing)
    {
        text_.resize(static_cast<size_t>(width) * (kVertexPrefix.size() + 3 * kMaxCoordinateText + 4));
        start_.resize(static_cast<size_t>(width) + 1);
        char* p = text_.data();
        char yText[kMaxCoordinateText];
        const size_t yLen = static_cast<size_t>(PutCoordinate(yText, y) - yText);
        for (int32_t x = 0; x < width; ++x) {
            start_[static_cast<size_t>(x)] = static_cast<size_t>(p - text_.data());
            p = PutLiteral(p, kVertexPrefix);
            p = PutCoordinate(p, int64_t(x) * spacing);
            *p++ = ' ';
            p = PutLiteral(p, std::string_view(yText, yLen));
            *p++ = ' ';
            p = PutCoordinate(p, row[x]);
            p = PutLiteral(p, "\r\n");
        }
        start_[static_cast<size_t>(width)] = static_cast<size_t>(p - text_.data());
    }
    std::string_view Line(int32_t x) const
    {
        const size_t a = start_[static_cast<size_t>(x)], b = start_[static_cast<size_t>(x) + 1];
        return std::string_view(text_.data() + a, b - a);
    }

private:
    std::vector<char> text_;
    std::vector<size_t> start_;
};

} // namespace

bool WriteStlFile(const std::string& path, int32_t width, int32_t height, int32_t spacing, bool flipNormals,
                  const std::vector<int32_t>& grid)
{
    return TrapErrors("An error occurred saving the StereoLitho file.", [&] {
        CheckWriterGrid(width, height, grid);
        FileWriter out(path);
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        out.PutText("solid TOLV_Heightmap_" + size + "\r\n");
        const std::string facetStart = std::string(flipNormals ? "  facet normal 0.0 0.0 -1.0\r\n"
                                                               : "  facet normal 0.0 0.0 1.0\r\n") +
                                       std::string(kOuterLoop);
        RowLines upper, lower;
        if (height > 1) upper.Build(grid.data(), width, 0, spacing);
        for (int32_t y = 0; y + 1 < height; ++y) {
            lower.Build(grid.data() + static_cast<size_t>(y + 1) * width, width, int64_t(y + 1) * spacing, spacing);
            for (int32_t x = 0; x + 1 < width; ++x) {
                // Two facets sharing the diagonal from (x, y + 1) to (x + 1, y).
                const std::string_view corners[2][3] = {{upper.Line(x), lower.Line(x), upper.Line(x + 1)},
                                                        {lower.Line(x), lower.Line(x + 1), upper.Line(x + 1)}};
                for (const auto& facet : corners) {
                    size_t need = facetStart.size() + kFacetEnd.size();
                    for (std::string_view v : facet) need += v.size();
                    char* const begin = out.Reserve(need);
                    char* p = PutLiteral(begin, facetStart);
                    for (std::string_view v : facet) p = PutLiteral(p, v);
                    p = PutLiteral(p, kFacetEnd);
                    out.Commit(static_cast<size_t>(p - begin));
                }
            }
            std::swap(upper, lower);
        }
        out.PutText("endsolid TOLV_Heightmap_" + size + "\r\n");
        out.Close();
        return true;
    });
}

std::optional<StlOptions> AskStlOptions()
{
    ClearDialogParams();
    WriteDialogParams(SaveStlParams{}); // the same defaults every time
    std::optional<StlOptions> options;
    if (!ShowDialogModal(DialogId::SaveSTL)) {
        const auto r = ReadDialogResult<SaveStlResult>();
        options = StlOptions{std::clamp(r.spacing, kMinSpacing, kMaxSpacing), r.flipNormals};
    }
    ClearDialogParams();
    return options;
}

bool SaveStlFile(const std::string& path, const StlOptions& options)
{
    return TrapErrors("An error occurred saving the StereoLitho file.", [&] {
        if (!WriteStlFile(path, HeightmapWidth(), HeightmapHeight(), options.spacing, options.flipNormals,
                          HeightmapSamples()))
            return false;
        SetFormatCode(FmtStl);
        return true;
    });
}

} // namespace tolv
