// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
// Small valid files of every format the program reads, for the hostile-input tests, the fuzz
// seeds and the benchmarks. No test framework here: the fuzz seed generator links it too.
#include <cstdint>
#include <string>
#include <vector>

namespace tolv::test {

// Every extension the open dispatch has a reader for, from the format table.
extern const std::vector<const char*> kReadableExtensions;

// Loads a w x h map of spread-out altitudes (0 and 65535 among them when there is room).
void LoadPatternMap(int32_t width, int32_t height);

// Writes every kind of file of extension ext that can be made for the current map into folder
// (names "<stem>-<kind>.<ext>"): the program's own writers where it has one (dialogs confirmed
// with their proposals, both PGM forms), hand-built files for the kinds it only reads.
// Returns the paths written; writers that are not available yet are left out.
std::vector<std::string> WriteSampleFiles(const std::string& folder, const std::string& stem, const std::string& ext);

} // namespace tolv::test
