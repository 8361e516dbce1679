// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
// Files of every kind the program reads, made at any size for the read benchmarks.
#include <cstdint>
#include <string>
#include <vector>

namespace tolv::test {

// Writes every kind of file of extension ext that can be made for the current map into folder
// (names "<stem>-<kind>.<ext>"): the program's own writers where it has one (dialogs confirmed
// with their proposals, both PGM forms), hand-built files for the kinds it only reads.
// Returns the paths written; writers that are not available yet are left out.
std::vector<std::string> WriteSampleFiles(const std::string& folder, const std::string& stem, const std::string& ext);

} // namespace tolv::test
