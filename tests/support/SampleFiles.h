// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
// Small valid files of every format the program reads, for the hostile-input tests, the fuzz
// seeds and the benchmarks. No test framework here: the fuzz seed generator links it too.
#include <array>
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

// Little helpers for hand-built headers.
void PutLe16(std::vector<uint8_t>& to, uint32_t v);
void PutLe32(std::vector<uint8_t>& to, uint32_t v);
void PutBe32(std::vector<uint8_t>& to, uint32_t v);
bool WriteBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes);

// A PNG written by libpng itself, the way other programs write them, with a gamma chunk whose
// value must not alter what is read. Rows follow each other in pixels: one byte per sample below
// 8 bits (libpng packs them), two bytes big-endian per channel at 16 bits.
bool WriteForeignPng(const std::string& path, uint32_t width, uint32_t height, int depth, int colorType,
                     bool interlaced, std::vector<uint8_t> pixels,
                     const std::vector<std::array<uint8_t, 3>>& palette = {});

// A PNG chunk with its length and CRC, so hostile headers pass the checksum.
std::vector<uint8_t> PngChunk(const char type[4], const std::vector<uint8_t>& data);

} // namespace tolv::test
