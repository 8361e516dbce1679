// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/vbVistaPro.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

// Cuts the next line off text. A line ends at CR LF, a lone CR or a lone LF, so files written
// with any of the three conventions read alike. Returns false when no line is left.
bool NextLine(std::string_view& text, std::string_view& line)
{
    if (text.empty()) return false;
    const size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        line = text;
        text = {};
        return true;
    }
    line = text.substr(0, end);
    size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    text.remove_prefix(next);
    return true;
}

bool IsBlank(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t' || c == '\x1a'; });
}

} // namespace

bool LoadVistaProAsciiFile(const std::string& path)
{
    return TrapErrors("An error occurred loading the VistaPro 4 ASCII DEM file.", [&] {
        std::string text;
        {
            FileReader in(path);
            text.resize(static_cast<size_t>(in.Length()));
            text.resize(in.Read(text.data(), text.size()));
            in.Close();
        }
        // Width: the spaces of the first line. Height: the lines, counting an unterminated last
        // line only when it holds something, so a missing final line break loses no row.
        std::string_view rest(text), line;
        int32_t width = 0, height = 0;
        std::vector<std::string_view> lines;
        while (NextLine(rest, line)) {
            if (rest.empty() && line.data() + line.size() == text.data() + text.size() && IsBlank(line)) break;
            if (lines.size() < static_cast<size_t>(kMaxMapSize) + 1) lines.push_back(line);
            ++height;
        }
        if (!lines.empty()) width = static_cast<int32_t>(std::count(lines[0].begin(), lines[0].end(), ' '));
        if (!CheckHeightmapResolution(width, height)) return false;
        if (width < 1 || height < 1) return BeginHeightmapLoad(width, height); // refused with its message

        // Read into a separate grid, so a bad value leaves the current heightmap as it was.
        std::vector<int32_t> grid(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (int32_t i = 0; i < height; ++i) {
            const int32_t y = height - i; // the file's first line is the map's bottom row
            std::string_view cells = lines[static_cast<size_t>(i)];
            int32_t* out = grid.data() + static_cast<size_t>(y - 1) * static_cast<size_t>(width);
            for (int32_t x = 1; x <= width; ++x) {
                size_t space = 0;
                while (space < cells.size() && cells[space] != ' ') ++space;
                const std::string_view token = cells.substr(0, space);
                cells.remove_prefix(std::min(space + 1, cells.size()));
                // Plain digits, by far the common case, skip the general number parser.
                if (!token.empty() && token.size() <= 9 &&
                    std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; })) {
                    int32_t v = 0;
                    for (char c : token) v = v * 10 + (c - '0');
                    out[x - 1] = std::min(v, 65535);
                    continue;
                }
                double d;
                if (!ParseNumeric(token, d)) {
                    ShowWarning("The heightmap value is non-numeric at " + std::to_string(x) + " x " +
                                std::to_string(y) + ".");
                    return false;
                }
                out[x - 1] = std::clamp(RoundToInt32(d), 0, 65535);
            }
        }
        return LoadHeightmapGrid(width, height, grid, FmtVistaProAscii);
    });
}

} // namespace tolv
