// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <string>
#include <vector>

#include "RunProcess.h"
#include "TempDir.h"

namespace tolv::test {

// Runs the built tolvconv in folder cwd ("" = here).
inline ProcessResult Conv(const std::vector<std::string>& args, const std::string& cwd = "")
{
    return RunProcess(TOLVCONV_PATH, args, cwd);
}

// The ASCII heightmap text of a w x h map, rows top first.
inline std::string Hma(int w, int h, const std::vector<int>& samples)
{
    std::string text = "TOLV ASCII Heightmap\r\nVersion 1.00\r\nWidth " + std::to_string(w) + "\r\nHeight " +
                       std::to_string(h) + "\r\n";
    for (size_t i = 0; i < samples.size(); ++i)
        text += std::to_string(samples[i]) + ((i + 1) % size_t(w) ? " " : "\r\n");
    return text;
}

// 1, 2, ... n (or from another start).
inline std::vector<int> Ramp(int n, int start = 1)
{
    std::vector<int> v;
    for (int i = 0; i < n; ++i) v.push_back(start + i);
    return v;
}

// A line of a case table with its "\n" and "\r" turned into line breaks.
inline std::string Unescape(std::string text)
{
    for (const auto& [from, to] : {std::pair{"\\n", "\n"}, {"\\r", "\r"}})
        for (size_t at; (at = text.find(from)) != std::string::npos;) text.replace(at, 2, to);
    return text;
}

} // namespace tolv::test
