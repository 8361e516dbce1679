// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
// The formats the program reads, a pattern map, and the kept case files that are valid files of
// their format. No test framework here: the fuzz seed maker and the benchmarks link it too.
#include <cstdint>
#include <string>
#include <vector>

namespace tolv::test {

// Every extension the open dispatch has a reader for, from the format table.
extern const std::vector<const char*> kReadableExtensions;

// Loads a w x h map of spread-out altitudes (0 and 65535 among them when there is room).
void LoadPatternMap(int32_t width, int32_t height);

// The kept files of extension ext under dataFolder/ext/ (sorted); with validOnly, only those that
// load: the writers' goldens and the reader cases whose expectation is a loaded map.
std::vector<std::string> KeptFiles(const std::string& dataFolder, const std::string& ext, bool validOnly);

} // namespace tolv::test
