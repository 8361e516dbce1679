// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// Targa images read as heightmaps.
bool LoadTgaImage(const std::string& path);
// Extension question and header test; false (silently, after a No) when the file is not accepted.
bool ValidateTgaFile(const std::string& path);

} // namespace tolv
