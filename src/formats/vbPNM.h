// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// PGM (P2, P5) and PAM (P7) files.
bool SavePgmFile(const std::string& path);
bool SavePamFile(const std::string& path);
bool LoadPgmFile(const std::string& path);
bool LoadPamFile(const std::string& path);

} // namespace tolv
