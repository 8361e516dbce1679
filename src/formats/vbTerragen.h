// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// Terragen terrain files: a "TERRAGEN" "TERRAIN " header, then chunks ("SIZE", "XPTS", "YPTS",
// "SCAL", "CRAD", "CRVM") up to "ALTW", whose signed 16-bit altitudes are stored bottom row first.
bool LoadTerragenFile(const std::string& path);
bool SaveTerragenFile(const std::string& path);

// Extension question, then the 16-byte signature.
bool ValidateTerragenFile(const std::string& path);
// Offset of the marker's chunk; -1 when the walk reached "ALTW" first; 0 when it stopped at an
// unknown chunk, at "EOF " or on an error.
int64_t FindTerragenChunk(const std::string& path, const std::string& marker);
// The signed 16-bit value after a "SIZE", "XPTS" or "YPTS" marker, or the lookup's 0 or -1.
int32_t ReadTerragenChunkValue(const std::string& path, const std::string& marker);

} // namespace tolv
